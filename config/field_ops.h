#pragma once

// The small field operations that Load and the commit share.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace config {

// True when `length` is at least 1 and each of the characters is 0-9, A-F or a-f.
bool IsHexDigits(const char* text, std::size_t length);
inline bool IsHexDigits(std::string_view text) {
    return IsHexDigits(text.data(), text.size());
}

// True when `length` is at least 1 and each of the characters is 0-9.
bool IsDecimalDigits(const char* text, std::size_t length);
inline bool IsDecimalDigits(std::string_view text) {
    return IsDecimalDigits(text.data(), text.size());
}

// Four upper-case hexadecimal digits, padded with "0": 0x000F gives "000F".
std::string FormatHexWord(std::uint16_t value);

// Hexadecimal digits (already checked) read as a number; the device revision's four decimal
// digits are read this way too, which makes it binary-coded decimal.
std::uint16_t ParseHexWord(std::string_view digits);

// Case-insensitive comparison of ASCII letters; other bytes compare as they are.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace config
