#pragma once

// ROM image files: a 128-byte table part followed at offset 128 by a whole firmware image, as
// the firmware downloads leave them in the current directory. Which table part a file gets
// depends on its name alone; the caller supplies the committed configuration table as plain
// bytes, so this module knows nothing of the form.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace image {

// The ROM image files the downloads write, by bare name in the current directory.
inline constexpr const char* kConfigRomName = "Config_Rom.bin";
inline constexpr const char* kUnConfigRomName = "UnConfig_Rom.bin";

inline constexpr std::size_t kRomTableBytes = 128;
using RomTable = std::array<std::uint8_t, kRomTableBytes>;

// Writes the ROM image file `romName` from the firmware image file `imagePath`.
//
// The old file of that name is deleted and an empty one created first. The table part is
// chosen by the whole name as passed, letter case ignored: "Config_Rom.bin" gets the bytes that
// `committedTable` returns (called only for that name, after the empty file exists),
// "UnConfig_Rom.bin" gets 128 bytes of 0xFF, any other name (one with a folder in front
// included) 128 bytes of 0x00. Behind it come the first L + 4 bytes of the image, L being the
// image's length field, and the file ends there: it holds exactly 132 + L bytes.
//
// The file is a by-product of a download, which goes on from memory whatever happens here, so
// nothing is reported and nothing is thrown. When the image can't be read, or is shorter than
// its 2-byte length field or than L + 4 bytes, no image part is written and the file stays
// empty; a failure while writing leaves what was written so far.
void WriteRomImage(const std::string& imagePath, const std::string& romName,
                   const std::function<RomTable()>& committedTable) noexcept;

}  // namespace image
