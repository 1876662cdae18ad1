#include "device/hex_field.h"

#include <cstddef>
#include <optional>

namespace device {
namespace {

constexpr std::uint64_t kUnsignedLongMax = 0xFFFFFFFFu;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::optional<unsigned> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

// The "0x" prefix counts only when a hexadecimal digit follows it; otherwise the "0" alone is
// the number and the "x" ends it.
std::size_t SkipHexPrefix(std::string_view text, std::size_t pos) {
    if (pos + 2 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X') && HexDigitValue(text[pos + 2])) {
        return pos + 2;
    }
    return pos;
}

}  // namespace

std::uint32_t ParseHexUnsignedLong(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    pos = SkipHexPrefix(text, pos);

    std::uint64_t value = 0;
    bool overflow = false;
    for (; pos < text.size(); ++pos) {
        const auto digit = HexDigitValue(text[pos]);
        if (!digit) {
            break;
        }
        value = value * 16 + *digit;
        if (value > kUnsignedLongMax) {
            overflow = true;
            value = kUnsignedLongMax;  // keeps the accumulator small; later digits change nothing
        }
    }
    if (overflow) {
        return static_cast<std::uint32_t>(kUnsignedLongMax);
    }
    const auto magnitude = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - magnitude) : magnitude;
}

}  // namespace device
