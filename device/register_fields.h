#pragma once

// The checks of the register dialog's fields. Each gives the value to use, or nothing when the
// field is refused. The texts are read as hexadecimal numbers (hex_field.h).

#include <cstdint>
#include <optional>
#include <string_view>

namespace device {

// An address: not empty and at most 0xFFFF.
std::optional<std::uint16_t> RegisterAddressField(std::string_view text);

// A read length: not empty, at most 0xFFFF, and 0 only from the text "0" itself, so that a text
// without digits is not taken for a length of 0.
std::optional<std::uint16_t> RegisterLengthField(std::string_view text);

// A byte to write: not empty and at most 0xFF.
std::optional<std::uint8_t> RegisterValueField(std::string_view text);

}  // namespace device
