#include "config/field_ops.h"

#include <algorithm>

namespace config {

namespace {

bool IsDecimal(char c) {
    return c >= '0' && c <= '9';
}

bool IsHex(char c) {
    return IsDecimal(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

unsigned HexValue(char c) {
    if (IsDecimal(c)) {
        return static_cast<unsigned>(c - '0');
    }
    return static_cast<unsigned>(LowerAscii(c) - 'a' + 10);
}

}  // namespace

bool IsHexDigits(const char* text, std::size_t length) {
    return length >= 1 && std::all_of(text, text + length, IsHex);
}

bool IsDecimalDigits(const char* text, std::size_t length) {
    return length >= 1 && std::all_of(text, text + length, IsDecimal);
}

std::string FormatHexWord(std::uint16_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xFu];
        value = static_cast<std::uint16_t>(value >> 4);
    }
    return text;
}

std::uint16_t ParseHexWord(std::string_view digits) {
    unsigned value = 0;
    for (char c : digits) {
        value = (value << 4) | HexValue(c);
    }
    return static_cast<std::uint16_t>(value);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

}  // namespace config
