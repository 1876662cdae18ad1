#include "device/firmware_preparation.h"

#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

#include "device/device_messages.h"
#include "image/firmware_image.h"

namespace device {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

void ShowError(platform::Prompts& prompts, std::string_view text) {
    prompts.DialogBox(text, messages::kErrorCaption, platform::BoxType::Error);
}

// The file's size by seeking to its end; the file is rewound afterwards.
std::optional<std::size_t> FileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    const long size = std::ftell(file);
    std::rewind(file);
    if (size < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(size);
}

// A buffer of `size` bytes, or nothing when the memory can't be had.
std::optional<std::vector<std::uint8_t>> AllocateBuffer(std::size_t size) {
    try {
        return std::vector<std::uint8_t>(size);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> PrepareFirmwareImage(const std::string& binFileText,
                                                              std::uint8_t& firmwareImageBuilt,
                                                              platform::Prompts& prompts) {
    if (binFileText.empty()) {
        ShowError(prompts, messages::kCantOpenBinFile);
        return std::nullopt;
    }
    // The image's 16-bit length can't describe a longer file; refuse it before anything is
    // built, so no image, ROM file or download is made from it.
    if (image::IsFirmwareTooLarge(binFileText)) {
        ShowError(prompts, messages::kBinFileTooLarge);
        return std::nullopt;
    }
    firmwareImageBuilt = image::BuildFirmwareImage(binFileText, image::kFirmwareImageName) ? 1 : 0;

    const OpenFile file(std::fopen(image::kFirmwareImageName, "rb"));
    if (!file) {
        ShowError(prompts, messages::kBinFileCantBeRead);
        return std::nullopt;
    }
    if (firmwareImageBuilt != 1) {
        ShowError(prompts, messages::kCantLoadFirmware);  // the file is an older run's
        return std::nullopt;
    }
    const auto size = FileSize(file.get());
    if (!size) {
        ShowError(prompts, messages::kBinFileCantBeRead);
        return std::nullopt;
    }
    auto buffer = AllocateBuffer(*size);
    if (!buffer) {
        ShowError(prompts, messages::kMemoryCantBeAllocated);
        return std::nullopt;
    }
    // What was read is what is sent: the byte count follows the read, not the size found.
    buffer->resize(std::fread(buffer->data(), 1, buffer->size(), file.get()));
    return buffer;
}

}  // namespace device
