#include "image/firmware_image.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>

namespace image {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for binary reading without a stream buffer: the whole file goes into the
// caller's buffer in one read, and seeking to the end doesn't read the file's last block into a
// buffer nobody uses.
CFile OpenForReading(const std::string& path) {
    CFile file(std::fopen(path.c_str(), "rb"));
    if (file) {
        std::setvbuf(file.get(), nullptr, _IONBF, 0);
    }
    return file;
}

// The raw firmware, held whole in one buffer of its own size.
struct RawFirmware {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
};

// The file's size found by seeking to its end; the position is back at the start afterwards.
std::optional<std::size_t> SizeBySeeking(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    const long end = std::ftell(file);
    if (end < 0) {
        return std::nullopt;
    }
    std::rewind(file);
    return static_cast<std::size_t>(end);
}

// Whether the file ends right here. A raw file that grew after its size was taken, or a path
// that reads as nothing (a folder), must not pass for a firmware of the size found.
bool AtCleanEnd(std::FILE* file) {
    return std::fgetc(file) == EOF && !std::ferror(file);
}

// The whole raw file in one read, or nothing when it can't be opened, is too large for the
// length field, or can't be read whole.
// Only a plain file can be firmware: a FIFO would hold the download in the open until some
// writer came, and a device has no size to frame. A missing name is left to the open.
bool IsPlainFileOrMissing(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return error || status.type() == std::filesystem::file_type::regular;
}

std::optional<RawFirmware> ReadRawFirmware(const std::string& rawPath) {
    if (!IsPlainFileOrMissing(rawPath)) {
        return std::nullopt;
    }
    const CFile raw = OpenForReading(rawPath);
    if (!raw) {
        return std::nullopt;
    }
    const std::optional<std::size_t> size = SizeBySeeking(raw.get());
    if (!size || *size > kMaxFirmwareBytes) {
        return std::nullopt;
    }
    RawFirmware firmware{std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[*size]),
                         *size};
    if (!firmware.bytes) {
        return std::nullopt;
    }
    const std::size_t read = std::fread(firmware.bytes.get(), 1, *size, raw.get());
    if (read != *size || !AtCleanEnd(raw.get())) {
        return std::nullopt;
    }
    return firmware;
}

// The low 8 bits of the raw bytes' sum, accumulated in 32 bits. The bytes are added in blocks of
// a fixed length, which the compiler turns into vector additions even at -O2.
std::uint8_t FirmwareSum(const RawFirmware& firmware) {
    constexpr std::size_t kBlock = 64;
    const std::uint8_t* bytes = firmware.bytes.get();
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + kBlock <= firmware.size; i += kBlock) {
        std::uint32_t block = 0;
        for (std::size_t j = 0; j < kBlock; ++j) {
            block += bytes[i + j];
        }
        sum += block;
    }
    for (; i < firmware.size; ++i) {
        sum += bytes[i];
    }
    return static_cast<std::uint8_t>(sum);
}

// Writes length, data, marker and sum. The individual writes are not checked: the size of the
// file read back afterwards is the one test of the whole write.
bool WriteImage(const std::string& imagePath, const RawFirmware& firmware) {
    CFile out(std::fopen(imagePath.c_str(), "wb"));
    if (!out) {
        return false;
    }
    const std::uint8_t length[2] = {static_cast<std::uint8_t>(firmware.size & 0xFF),
                                    static_cast<std::uint8_t>(firmware.size >> 8)};
    const std::uint8_t trailer[2] = {kFirmwareMarker, FirmwareSum(firmware)};
    std::fwrite(length, 1, sizeof length, out.get());
    std::fwrite(firmware.bytes.get(), 1, firmware.size, out.get());
    std::fwrite(trailer, 1, sizeof trailer, out.get());
    out.reset();
    return true;
}

// The size of the file as stored, looked up by name after the stream is closed, so that it
// counts what reached the file rather than what the stream was given.
std::optional<std::uintmax_t> StoredSize(const std::string& imagePath) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(imagePath, error);
    if (error) {
        return std::nullopt;
    }
    return size;
}

}  // namespace

bool BuildFirmwareImage(const std::string& rawPath, const std::string& imagePath) {
    const std::optional<RawFirmware> firmware = ReadRawFirmware(rawPath);
    if (!firmware || !WriteImage(imagePath, *firmware)) {
        return false;
    }
    return StoredSize(imagePath) == firmware->size + kFirmwareFrameBytes;
}

bool IsFirmwareTooLarge(const std::string& rawPath) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(rawPath, error);
    return !error && size > kMaxFirmwareBytes;
}

}  // namespace image
