#pragma once

// The one table of the form's field rules. Load and the commit check the same six text fields
// against the same limits, but in opposite orders (Load: characters, then length; the commit:
// length, then characters) and, for some fields, with differently worded messages. Each row
// holds both procedures' messages side by side, so the differences show.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_table.h"
#include "config/form_state.h"

namespace config {

// Control identifiers of the form's fields.
inline constexpr int kVendorIdControl = 1062;
inline constexpr int kProductIdControl = 1064;
inline constexpr int kDeviceRevisionControl = 1063;
inline constexpr int kSerialNumberControl = 1071;
inline constexpr int kManufacturerStringControl = 1067;
inline constexpr int kProductStringControl = 1068;
inline constexpr int kHighestSpeedControl = 1077;
inline constexpr int kLanguageIdControl = 1080;
inline constexpr int kPowerModeControl = 1079;

// The six text fields, in the order the commit checks them.
enum class TextField {
    VendorId,
    ProductId,
    DeviceRevision,
    SerialNumber,
    ManufacturerString,
    ProductString
};

enum class CharacterRule { HexDigits, DecimalDigits, Any };

enum class CheckedBy { Load, Commit };

struct TextFieldRule {
    TextField field;
    std::string_view iniKey;
    int controlId;
    CharacterRule characters;
    std::size_t minLength;
    std::size_t maxLength;
    std::size_t tableOffset;
    std::size_t tableWidth;
    bool isWord;  // a 16-bit number shown as four hexadecimal digits; else a text copied as is
    std::string_view loadCharacterMessage;
    // For the strings a format: the value's length, then maxLength, in place of the two %u.
    std::string_view loadLengthMessage;
    std::string_view commitLengthMessage;
    std::string_view commitCharacterMessage;
};

extern const std::array<TextFieldRule, 6> kTextFieldRules;

const TextFieldRule& RuleFor(TextField field);

// The first rule `value` breaks, in the order and words of the procedure that checks it.
std::optional<std::string> CheckTextField(const TextFieldRule& rule, std::string_view value,
                                          CheckedBy checkedBy);

// Stores an accepted value in its table field and its FormState member.
void StoreTextField(const TextFieldRule& rule, std::string_view value, ConfigTable& table,
                    FormState& form);

// The three choice lists. In the INI file a choice is named by its value; in the form by the
// index of its list item.
enum class ChoiceField { HighestSpeed, LanguageId, PowerMode };

struct ChoiceRule {
    ChoiceField field;
    std::string_view iniKey;
    int controlId;
    std::string_view caption;                   // named in the "Unknown Choice" message
    std::array<std::string_view, 3> iniValues;  // by list index; unused entries empty
    std::size_t choiceCount;
};

extern const std::array<ChoiceRule, 3> kChoiceRules;

const ChoiceRule& RuleFor(ChoiceField field);

// The list index whose INI value matches `value` without regard to case.
std::optional<int> FindChoice(const ChoiceRule& rule, std::string_view value);

// "\"Highest USB Speed\" : Unknown Choice ! (In ini file)" and the like.
std::string UnknownChoiceMessage(const ChoiceRule& rule);

// Stores the code of list index `index` in the table and the FormState member; an index that
// is no choice of the list leaves both untouched.
void StoreChoice(const ChoiceRule& rule, int index, ConfigTable& table, FormState& form);

}  // namespace config
