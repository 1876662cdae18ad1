#pragma once

// What vivuraz-sim show says about a device's EEPROMs: the configuration table decoded into the
// USB identity the device would enumerate with, and the firmware image's verdict.
//
// Configuration table (128 bytes, little-endian): 0-3 reserved; 4-23 serial number; 24-67
// manufacturer string; 68-115 product string (texts filled up with 0xFF); 116 vendor ID; 118
// product ID; 120 device revision (BCD); 122 language ID; 124 highest speed; 125 power mode;
// 126 marker 0x5A; 127 checksum, the low 8 bits of the sum of bytes 4 to 126.
// Firmware image: 16-bit length n, n data bytes, marker 0x5A, 8-bit sum of the data.

#include <cstdint>
#include <span>
#include <string>

namespace vivuraz {

// "erased", "sealed" followed by one indented line per field, or "corrupt: " and what is wrong.
std::string DescribeConfig(std::span<const std::uint8_t, 128> table);

// "empty", or the image's data length and "intact" or "corrupt: " and what is wrong.
std::string DescribeFirmware(std::span<const std::uint8_t> image);

// Lower-case hexadecimal bytes separated by blanks, "01 75 00 0a".
std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace vivuraz
