#pragma once

// What the commit reads from the form: the six edit fields' texts, the speed item's text and
// the three lists' selections.

#include <cstddef>
#include <string>

#include "config/field_rules.h"

namespace config {

// The form hands over at most this many characters of each text.
inline constexpr std::size_t kFormTextLimit = 49;

struct FormInput {
    std::string vendorId;            // 1062
    std::string productId;           // 1064
    std::string deviceRevision;      // 1063
    std::string serialNumber;        // 1071
    std::string manufacturerString;  // 1067
    std::string productString;       // 1068
    std::string speedText;   // the selected item of 1077 ("Full", "High", "Super"), "" for none
    int languageIndex = -1;  // selected index of 1080, -1 for none
    int speedIndex = -1;     // 1077
    int powerIndex = -1;     // 1079

    bool operator==(const FormInput&) const = default;
};

const std::string& TextOf(const FormInput& input, TextField field);

// The text cut to kFormTextLimit characters, as the commit and the INI writer use it.
std::string FormText(const std::string& text);

// The fields as the dialog shows them at start-up: the start-up values of FormState, English,
// Super and Self selected.
FormInput StartupFormInput();

}  // namespace config
