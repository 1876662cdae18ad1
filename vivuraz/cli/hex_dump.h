#pragma once

// A hex dump as people know it: per line of 16 bytes its offset, the bytes in hexadecimal
// and the printable ones as characters.
//   000007f0  01 75 00 0a b2 ff 00 00  00 00 00 00 00 00 00 00  |.u..............|

#include <cstdint>
#include <span>
#include <string>

namespace vivuraz::cli {

std::string HexDump(std::span<const std::uint8_t> bytes);

}  // namespace vivuraz::cli
