#include "config/field_rules.h"

#include <algorithm>

#include "config/field_ops.h"

namespace config {

const std::array<TextFieldRule, 6> kTextFieldRules = {{
    {TextField::VendorId, "vendor_id", kVendorIdControl, CharacterRule::HexDigits, 4, 4,
     kVendorIdOffset, kWordWidth, true,
     "Vendor ID is invalid ! (Character in the range 0~9 and A~F)",
     "Vendor ID is invalid ! (Contain 4 characters)",
     "Vendor ID is invalid ! (Contain 4 characters)",
     "Vendor ID is invalid ! (Character in the range 0~9 and A~F)"},
    {TextField::ProductId, "product_id", kProductIdControl, CharacterRule::HexDigits, 4, 4,
     kProductIdOffset, kWordWidth, true,
     "Product ID is invalid ! (Character in the range 0~9 and A~F)",
     "Product ID is invalid ! (Contain 4 charaters)",
     "Product ID is invalid ! (Contain 4 charaters)",
     "Product ID is invalid ! (Character in the range 0~9 and A~F)"},
    {TextField::DeviceRevision, "device_revision", kDeviceRevisionControl,
     CharacterRule::DecimalDigits, 4, 4, kDeviceRevisionOffset, kWordWidth, true,
     "Device Revision is invalid ! (Character in the range 0~9)",
     "Device Revision is invalid ! (Contain 4 charaters)",
     "Device Revision is invalid ! (Contain 4 charaters)",
     "Device Revision is invalid ! (Character in the range 0~9)"},
    // Load's character message has a space after the parenthesis; the commit's has none.
    {TextField::SerialNumber, "serial_number", kSerialNumberControl, CharacterRule::HexDigits, 12,
     20, kSerialOffset, kSerialWidth, false,
     "Serial Number is invalid ! ( Character in the range 0~9 and A~F)",
     "Serial Number is invalid ! (From 12 to 20 characters)",
     "Serial Number is invalid ! (From 12 to 20 characters)",
     "Serial Number is invalid ! (Character in the range 0~9 and A~F)"},
    // The strings have no character rule. Load names the value's length; the form's fields
    // can't hold an over-long text, so the commit's refusal only names the limit.
    {TextField::ManufacturerString, "manufacturer_string", kManufacturerStringControl,
     CharacterRule::Any, 0, kManufacturerWidth, kManufacturerOffset, kManufacturerWidth, false, "",
     "Manufacturer String[%u] is invalid ! (At most %u characters)",
     "Manufacturer String is invalid ! (At most 44 characters)", ""},
    {TextField::ProductString, "product_string", kProductStringControl, CharacterRule::Any, 0,
     kProductWidth, kProductOffset, kProductWidth, false, "",
     "Product String[%u] is invalid ! (At most %u characters)",
     "Product String is invalid ! (At most 48 characters)", ""},
}};

const std::array<ChoiceRule, 3> kChoiceRules = {{
    {ChoiceField::HighestSpeed,
     "highest_speed",
     kHighestSpeedControl,
     "Highest USB Speed",
     {"full", "high", "super"},
     3},
    {ChoiceField::LanguageId, "language_id", kLanguageIdControl, "Language ID", {"english"}, 1},
    {ChoiceField::PowerMode, "power_mode", kPowerModeControl, "Power Mode", {"self"}, 1},
}};

namespace {

bool CharactersHold(CharacterRule rule, std::string_view value) {
    switch (rule) {
        case CharacterRule::HexDigits:
            return IsHexDigits(value);
        case CharacterRule::DecimalDigits:
            return IsDecimalDigits(value);
        case CharacterRule::Any:
            break;
    }
    return true;
}

bool LengthHolds(const TextFieldRule& rule, std::string_view value) {
    return value.size() >= rule.minLength && value.size() <= rule.maxLength;
}

// Puts the numbers in place of the %u markers of `format`, in order.
std::string FormatLengths(std::string_view format, std::size_t first, std::size_t second) {
    std::string text(format);
    for (std::size_t number : {first, second}) {
        std::size_t at = text.find("%u");
        if (at != std::string::npos) {
            text.replace(at, 2, std::to_string(number));
        }
    }
    return text;
}

template <std::size_t N>
void CopyField(const ConfigTable& table, std::size_t offset, std::array<char, N>& member) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
        member[i] = static_cast<char>(table.bytes[offset + i]);
    }
    member[N - 1] = '\0';
}

void StoreWordMember(TextField field, std::uint16_t value, FormState& form) {
    switch (field) {
        case TextField::VendorId:
            form.vendorId = value;
            break;
        case TextField::ProductId:
            form.productId = value;
            break;
        case TextField::DeviceRevision:
            form.deviceRevision = value;
            break;
        default:
            break;
    }
}

void StoreTextMember(TextField field, const ConfigTable& table, FormState& form) {
    switch (field) {
        case TextField::SerialNumber:
            CopyField(table, kSerialOffset, form.serialText);
            break;
        case TextField::ManufacturerString:
            CopyField(table, kManufacturerOffset, form.manufacturerText);
            break;
        case TextField::ProductString:
            CopyField(table, kProductOffset, form.productText);
            break;
        default:
            break;
    }
}

}  // namespace

const TextFieldRule& RuleFor(TextField field) {
    return kTextFieldRules[static_cast<std::size_t>(field)];
}

const ChoiceRule& RuleFor(ChoiceField field) {
    return kChoiceRules[static_cast<std::size_t>(field)];
}

std::optional<std::string> CheckTextField(const TextFieldRule& rule, std::string_view value,
                                          CheckedBy checkedBy) {
    const bool charactersHold = CharactersHold(rule.characters, value);
    const bool lengthHolds = LengthHolds(rule, value);
    if (checkedBy == CheckedBy::Load) {
        if (!charactersHold) {
            return std::string(rule.loadCharacterMessage);
        }
        if (!lengthHolds) {
            return FormatLengths(rule.loadLengthMessage, value.size(), rule.maxLength);
        }
    } else {
        if (!lengthHolds) {
            return std::string(rule.commitLengthMessage);
        }
        if (!charactersHold) {
            return std::string(rule.commitCharacterMessage);
        }
    }
    return std::nullopt;
}

void StoreTextField(const TextFieldRule& rule, std::string_view value, ConfigTable& table,
                    FormState& form) {
    if (rule.isWord) {
        const std::uint16_t number = ParseHexWord(value);
        StoreWord(table, rule.tableOffset, number);
        StoreWordMember(rule.field, number, form);
        return;
    }
    auto field = table.bytes.begin() + static_cast<std::ptrdiff_t>(rule.tableOffset);
    const std::size_t copied = std::min(value.size(), rule.tableWidth);
    std::fill(field, field + static_cast<std::ptrdiff_t>(rule.tableWidth), kErasedByte);
    std::transform(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(copied), field,
                   [](char c) { return static_cast<std::uint8_t>(c); });
    StoreTextMember(rule.field, table, form);
}

std::optional<int> FindChoice(const ChoiceRule& rule, std::string_view value) {
    for (std::size_t i = 0; i < rule.choiceCount; ++i) {
        if (EqualsIgnoringCase(value, rule.iniValues[i])) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string UnknownChoiceMessage(const ChoiceRule& rule) {
    return "\"" + std::string(rule.caption) + "\" : Unknown Choice ! (In ini file)";
}

void StoreChoice(const ChoiceRule& rule, int index, ConfigTable& table, FormState& form) {
    if (index < 0 || static_cast<std::size_t>(index) >= rule.choiceCount) {
        return;
    }
    switch (rule.field) {
        case ChoiceField::HighestSpeed: {
            static constexpr std::array<std::uint8_t, 3> kCodes = {kSpeedFull, kSpeedHigh,
                                                                   kSpeedSuper};
            form.highestSpeed = kCodes[static_cast<std::size_t>(index)];
            table.bytes[kHighestSpeedOffset] = form.highestSpeed;
            break;
        }
        case ChoiceField::LanguageId:
            form.languageId = kLanguageEnglish;
            StoreWord(table, kLanguageIdOffset, kLanguageEnglish);
            break;
        case ChoiceField::PowerMode:
            form.powerMode = kPowerSelf;
            table.bytes[kPowerModeOffset] = kPowerSelf;
            break;
    }
}

}  // namespace config
