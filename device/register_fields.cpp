#include "device/register_fields.h"

#include "device/hex_field.h"

namespace device {
namespace {

std::optional<std::uint32_t> NonEmptyAtMost(std::string_view text, std::uint32_t limit) {
    if (text.empty()) {
        return std::nullopt;
    }
    const std::uint32_t value = ParseHexUnsignedLong(text);
    if (value > limit) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::uint16_t> RegisterAddressField(std::string_view text) {
    const auto address = NonEmptyAtMost(text, 0xFFFF);
    if (!address) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*address);
}

std::optional<std::uint16_t> RegisterLengthField(std::string_view text) {
    const auto length = NonEmptyAtMost(text, 0xFFFF);
    if (!length || (*length == 0 && text != "0")) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*length);
}

std::optional<std::uint8_t> RegisterValueField(std::string_view text) {
    const auto value = NonEmptyAtMost(text, 0xFF);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*value);
}

}  // namespace device
