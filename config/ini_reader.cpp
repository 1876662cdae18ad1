#include "config/ini_reader.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "config/field_ops.h"
#include "config/field_rules.h"
#include "config/ini_lines.h"

namespace config {

namespace {

constexpr std::string_view kSectionLine = "[usb_config]";
constexpr std::string_view kCantBeReaded = "The ini file can't be readed !";
constexpr std::string_view kInvalidFile = "The ini file is invalid !";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

Refusal ErrorRefusal(std::string_view message) {
    return Refusal{std::string(message), RefusalCaption::Error};
}

Refusal UnknownKeyRefusal(std::int64_t lineNumber) {
    return Refusal{
        "Configuration string of line " + std::to_string(lineNumber) + " in ini file is invalid !",
        RefusalCaption::Application};
}

const TextFieldRule* FindTextRule(std::string_view key) {
    for (const TextFieldRule& rule : kTextFieldRules) {
        if (EqualsIgnoringCase(key, rule.iniKey)) {
            return &rule;
        }
    }
    return nullptr;
}

const ChoiceRule* FindChoiceRule(std::string_view key) {
    for (const ChoiceRule& rule : kChoiceRules) {
        if (EqualsIgnoringCase(key, rule.iniKey)) {
            return &rule;
        }
    }
    return nullptr;
}

// Applies one key line; the refusal when its key or value is refused.
std::optional<Refusal> ApplyKeyLine(const IniTokens& tokens, std::int64_t lineNumber,
                                    ConfigTable& table, FormState& form,
                                    std::vector<Assignment>& assignments) {
    if (const TextFieldRule* rule = FindTextRule(tokens.key)) {
        if (auto message = CheckTextField(*rule, tokens.value, CheckedBy::Load)) {
            return ErrorRefusal(*message);
        }
        StoreTextField(*rule, tokens.value, table, form);
        // A number is shown as its four upper-case digits, a text as written in the file.
        std::string shown =
            rule->isWord ? FormatHexWord(ParseHexWord(tokens.value)) : std::string(tokens.value);
        assignments.push_back({rule->controlId, std::move(shown), -1});
        return std::nullopt;
    }
    if (const ChoiceRule* rule = FindChoiceRule(tokens.key)) {
        const std::optional<int> index = FindChoice(*rule, tokens.value);
        if (!index) {
            return ErrorRefusal(UnknownChoiceMessage(*rule));
        }
        StoreChoice(*rule, *index, table, form);
        assignments.push_back({rule->controlId, "", *index});
        return std::nullopt;
    }
    return UnknownKeyRefusal(lineNumber);
}

// Anything but a plain file (or a name that isn't there, which the open then reports) is
// refused before it is opened: a FIFO would hold the dialog in the open until some writer
// came, and a device such as /dev/zero never ends its first line.
bool IsPlainFileOrMissing(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return error || status.type() == std::filesystem::file_type::regular;
}

std::optional<Refusal> ReadInto(const std::string& path, ConfigTable& table, FormState& form,
                                std::vector<Assignment>& assignments) {
    const bool readable = !path.empty() && IsPlainFileOrMissing(path);
    FilePtr file(readable ? std::fopen(path.c_str(), "rb") : nullptr);
    if (!file) {
        return ErrorRefusal(kCantBeReaded);
    }
    IniPieceReader reader(file.get());
    const std::optional<std::string> first = reader.Next();
    if (reader.Failed()) {
        return ErrorRefusal(kCantBeReaded);
    }
    if (!first || !EqualsIgnoringCase(SplitIniTokens(*first).key, kSectionLine)) {
        return ErrorRefusal(kInvalidFile);
    }
    for (std::int64_t lineNumber = 2;; ++lineNumber) {
        const std::optional<std::string> piece = reader.Next();
        if (!piece) {
            // A read error stops the load part-way, so say so instead of seeming complete.
            return reader.Failed() ? std::optional(ErrorRefusal(kCantBeReaded)) : std::nullopt;
        }
        const IniTokens tokens = SplitIniTokens(*piece);
        // An empty line, or one of nothing but spaces and equals signs, has no key: skipped.
        if (tokens.key.empty()) {
            continue;
        }
        if (auto refusal = ApplyKeyLine(tokens, lineNumber, table, form, assignments)) {
            return refusal;
        }
    }
}

}  // namespace

LoadResult LoadIniFile(const std::string& path, ConfigTable& table, FormState& form) {
    LoadResult result;
    EraseConfigTable(table);
    result.refusal = ReadInto(path, table, form, result.assignments);
    SealConfigTable(table);
    return result;
}

}  // namespace config
