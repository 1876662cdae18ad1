#include "config/form_commit.h"

#include "config/field_rules.h"

namespace config {

CommitResult CommitForm(const FormInput& input, ConfigTable& table, FormState& form) {
    EraseConfigTable(table);
    for (const TextFieldRule& rule : kTextFieldRules) {
        const std::string text = FormText(TextOf(input, rule.field));
        if (auto message = CheckTextField(rule, text, CheckedBy::Commit)) {
            // The fields stored so far stay; the table stays unsealed so nobody sends it.
            form.commitSucceeded = 0;
            return {Refusal{std::move(*message), RefusalCaption::Error}, false};
        }
        StoreTextField(rule, text, table, form);
    }
    StoreChoice(RuleFor(ChoiceField::LanguageId), input.languageIndex, table, form);
    StoreChoice(RuleFor(ChoiceField::HighestSpeed), input.speedIndex, table, form);
    StoreChoice(RuleFor(ChoiceField::PowerMode), input.powerIndex, table, form);
    SealConfigTable(table);
    if (form.commitOnly == 1) {
        form.commitSucceeded = 1;
        return {std::nullopt, false};
    }
    return {std::nullopt, true};
}

}  // namespace config
