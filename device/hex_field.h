#pragma once

// The hexadecimal fields of the register debug dialog are read the way the platform's
// strtoul(text, nullptr, 16) reads them, with a 32-bit unsigned long.

#include <cstdint>
#include <string_view>

namespace device {

// Skips leading white space, takes one optional sign and an optional "0x"/"0X" prefix, and reads
// hexadecimal digits up to the first other character. A text without digits gives 0, a minus
// sign negates the value modulo 2^32, and a value beyond 32 bits gives 0xFFFFFFFF.
std::uint32_t ParseHexUnsignedLong(std::string_view text);

}  // namespace device
