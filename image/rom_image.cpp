#include "image/rom_image.h"

#include <optional>
#include <string_view>
#include <vector>

#include "image/firmware_image.h"
#include "platform/file.h"

namespace image {
namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

RomTable FilledTable(std::uint8_t value) {
    RomTable table;
    table.fill(value);
    return table;
}

RomTable TablePartFor(const std::string& romName, const std::function<RomTable()>& committedTable) {
    if (SameNameIgnoringCase(romName, kConfigRomName)) {
        return committedTable();
    }
    if (SameNameIgnoringCase(romName, kUnConfigRomName)) {
        return FilledTable(0xFF);  // the erased table of an unconfigured device
    }
    return FilledTable(0x00);
}

// The whole firmware image as its length field measures it: L + 4 bytes from offset 0. Nothing
// when the file is shorter than that, since a partial image must not pass for one.
std::optional<std::vector<std::uint8_t>> ReadFirmwareImage(const std::string& imagePath) {
    platform::ExclusiveFile image(imagePath, platform::FileAccess::Read);
    std::array<std::uint8_t, 2> length{};
    if (image.Read(length) < length.size()) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(length[0] + 256u * length[1] + kFirmwareFrameBytes);
    image.Seek(0);
    if (image.Read(bytes) < bytes.size()) {
        return std::nullopt;
    }
    image.Close();
    return bytes;
}

void WriteRomFile(const std::string& romName, const RomTable& table,
                  const std::vector<std::uint8_t>& firmwareImage) {
    platform::ExclusiveFile rom(romName, platform::FileAccess::ReadWrite);
    rom.Seek(0);
    rom.Write(table);
    rom.Flush();
    rom.Seek(kRomTableBytes);
    rom.Write(firmwareImage);
    // An old file that survived the delete must not keep its tail behind the new content. (Only
    // then: cutting a file to its own length still costs the file system a truncation.)
    const std::uint64_t length = kRomTableBytes + firmwareImage.size();
    if (rom.Length() > length) {
        rom.SetLength(length);
    }
    rom.Flush();
    rom.Close();
}

// A ROM file that could not be written whole (a full disk, a size limit) must not pass for a
// whole one, for instance when taken to an external programmer: it is left empty, as when there
// is no firmware image to copy.
void WriteRomFileOrLeaveItEmpty(const std::string& romName, const RomTable& table,
                                const std::vector<std::uint8_t>& firmwareImage) {
    try {
        WriteRomFile(romName, table, firmwareImage);
    } catch (const platform::FileError&) {
        if (platform::DeleteFile(romName)) {
            platform::CreateFileIfMissing(romName);
        }
    }
}

}  // namespace

void WriteRomImage(const std::string& imagePath, const std::string& romName,
                   const std::function<RomTable()>& committedTable) noexcept {
    try {
        // Neither outcome matters here: without a file of the name the write below fails.
        platform::DeleteFile(romName);
        platform::CreateFileIfMissing(romName);
        const RomTable table = TablePartFor(romName, committedTable);
        const std::optional<std::vector<std::uint8_t>> firmwareImage = ReadFirmwareImage(imagePath);
        if (firmwareImage) {
            WriteRomFileOrLeaveItEmpty(romName, table, *firmwareImage);
        }
    } catch (...) {
        // The file is a by-product: the download sends table and image from memory, so a file
        // that could not be written is left as far as it got, without a word.
    }
}

}  // namespace image
