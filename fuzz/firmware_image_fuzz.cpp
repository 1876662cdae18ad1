// The firmware image and the ROM image writer over any raw file: an image holds the raw bytes
// framed exactly, a refused raw file leaves the old image alone, and a ROM image file holds its
// table part and then the whole image or nothing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "image/firmware_image.h"
#include "image/rom_image.h"

namespace {

using fuzzsupport::Require;

std::vector<std::uint8_t> ExpectedImage(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(size & 0xFF),
                                    static_cast<std::uint8_t>(size >> 8)};
    frame.insert(frame.end(), data, data + size);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        sum = static_cast<std::uint8_t>(sum + data[i]);
    }
    frame.push_back(image::kFirmwareMarker);
    frame.push_back(sum);
    return frame;
}

void CheckFirmwareImage(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> old{0x01, 0x00, 0xAB, 0x5A, 0xAB};
    fuzzsupport::WriteFile(image::kFirmwareImageName, old.data(), old.size());
    fuzzsupport::WriteFile("raw.bin", data, size);
    const bool built = image::BuildFirmwareImage("raw.bin", image::kFirmwareImageName);
    const std::vector<std::uint8_t> written = fuzzsupport::ReadFile(image::kFirmwareImageName);
    if (size > image::kMaxFirmwareBytes) {
        Require(!built, "a raw file beyond 65535 bytes was accepted");
        Require(written == old, "a refused raw file changed the image");
        return;
    }
    Require(built, "a raw file within the limit was refused");
    Require(written == ExpectedImage(data, size), "the image differs from its raw file");
}

// The input itself stands as the image file: its first byte picks the ROM file's name.
void CheckRomImage(const std::uint8_t* data, std::size_t size) {
    static const char* const kNames[] = {image::kConfigRomName, image::kUnConfigRomName,
                                         "config_ROM.BIN", "Other_Rom.bin"};
    const std::string name = kNames[size > 0 ? data[0] % 4 : 0];
    fuzzsupport::WriteFile("image.bin", data, size);
    image::RomTable committed;
    committed.fill(0x33);
    image::WriteRomImage("image.bin", name, [&] { return committed; });

    const std::vector<std::uint8_t> rom = fuzzsupport::ReadFile(name);
    std::filesystem::remove(name);
    if (size < 2 || size < 4u + data[0] + 256u * data[1]) {
        Require(rom.size() <= image::kRomTableBytes, "a partial image reached the ROM file");
        return;
    }
    const std::size_t imageBytes = 4u + data[0] + 256u * data[1];
    Require(rom.size() == image::kRomTableBytes + imageBytes, "the ROM file's size is wrong");
    Require(std::equal(data, data + imageBytes, rom.begin() + image::kRomTableBytes),
            "the ROM file's image part differs from the image");
    const std::uint8_t fill = name == image::kUnConfigRomName ? 0xFF
                              : name == "Other_Rom.bin"       ? 0x00
                                                              : 0x33;
    Require(std::all_of(rom.begin(), rom.begin() + image::kRomTableBytes,
                        [fill](std::uint8_t b) { return b == fill; }),
            "the ROM file's table part is wrong");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::WorkFolder();
    CheckFirmwareImage(data, size);
    CheckRomImage(data, size);
    return 0;
}
