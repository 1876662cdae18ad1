#pragma once

// The firmware image: the raw firmware bytes framed by their 16-bit length (low byte first) in
// front and the marker 0x5A and the 8-bit sum of the raw bytes behind. `BuildFirmwareImage`
// turns a raw firmware file into such an image file, which the downloads read back and send and
// the ROM image files carry at offset 128.

#include <cstddef>
#include <cstdint>
#include <string>

namespace image {

// The working file every firmware download builds its image in, by bare name in the current
// directory.
inline constexpr const char* kFirmwareImageName = "TempBinData.bin";

// The most raw bytes the 16-bit length field can describe. Longer raw files are refused.
inline constexpr std::size_t kMaxFirmwareBytes = 65535;

// What an image adds to the raw bytes: two length bytes, the marker and the sum.
inline constexpr std::size_t kFirmwareFrameBytes = 4;
inline constexpr std::uint8_t kFirmwareMarker = 0x5A;

// Reads the raw firmware file `rawPath` whole and writes its image to `imagePath` (created or
// replaced). Returns true when the image file was written and has exactly n + 4 bytes for n raw
// bytes. Returns false when the raw file can't be opened or read whole, when it holds more than
// `kMaxFirmwareBytes` bytes, or when the image file can't be written; in all these cases but the
// last an existing image file is left untouched. Shows and logs nothing.
bool BuildFirmwareImage(const std::string& rawPath, const std::string& imagePath);

// Whether `rawPath` names a file too large for a firmware image, so that a caller can say why
// `BuildFirmwareImage` refused it. False when the file's size can't be found.
bool IsFirmwareTooLarge(const std::string& rawPath);

}  // namespace image
