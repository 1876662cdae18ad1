#include "vivuraz/journal.h"

#include <cstdio>

namespace vivuraz {

JournalLine& JournalLine::Add(std::string_view key, std::int32_t value) {
    text += ' ';
    text += key;
    text += '=';
    text += std::to_string(value);
    return *this;
}

JournalLine& JournalLine::AddAddress(std::int32_t address) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "0x%04X", static_cast<unsigned>(address));
    text += " address=";
    text += digits;
    return *this;
}

std::string JournalLine::Finish(std::int32_t result) const {
    return text + " -> " + std::to_string(result);
}

}  // namespace vivuraz
