#include "image/firmware_image.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;
using image::BuildFirmwareImage;
using image::IsFirmwareTooLarge;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

Bytes Counting(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<unsigned char>(i);
    }
    return bytes;
}

// The expected image, spelt out field by field.
Bytes Framed(unsigned char lengthLow, unsigned char lengthHigh, const Bytes& data,
             unsigned char sum) {
    Bytes image(data.size() + 4);
    image[0] = lengthLow;
    image[1] = lengthHigh;
    std::copy(data.begin(), data.end(), image.begin() + 2);
    image[data.size() + 2] = 0x5A;
    image[data.size() + 3] = sum;
    return image;
}

struct ImageCase {
    const char* name;
    Bytes raw;
    Bytes image;
};

TEST(BuildFirmwareImage, WritesLengthDataMarkerAndSum) {
    const ImageCase cases[] = {
        {"abc", {0x61, 0x62, 0x63}, {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26}},
        {"empty", {}, {0x00, 0x00, 0x5A, 0x00}},
        {"256 bytes of 0xFF", Bytes(256, 0xFF), Framed(0x00, 0x01, Bytes(256, 0xFF), 0x00)},
        // 0, 1, ..., 255 repeated: 255 whole rounds sum to 0x80, the last 0..254 to 0x81.
        {"65535 bytes", Counting(65535), Framed(0xFF, 0xFF, Counting(65535), 0x01)},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string raw = (dir / "firmware.bin").string();
        const std::string image = (dir / "TempBinData.bin").string();
        WriteBytes(raw, c.raw);
        WriteBytes(image, Bytes(70000, 0xEE));  // an older, longer image is replaced whole

        ASSERT_TRUE(BuildFirmwareImage(raw, image));
        EXPECT_EQ(ReadBytes(image), c.image);
        EXPECT_EQ(ReadBytes(raw), c.raw);

        ASSERT_TRUE(BuildFirmwareImage(raw, image));
        EXPECT_EQ(ReadBytes(image), c.image);
        EXPECT_FALSE(IsFirmwareTooLarge(raw));
    }
}

TEST(BuildFirmwareImage, RefusedRawFileLeavesTheImageAlone) {
    struct RefusedCase {
        const char* name;
        std::size_t rawSize;  // 0: no raw file of that name
        bool tooLarge;
    };
    const RefusedCase cases[] = {
        {"missing raw file", 0, false},
        {"65536 bytes", 65536, true},
        {"70000 bytes", 70000, true},
    };
    const Bytes oldImage{0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string raw = (dir / "firmware.bin").string();
        if (c.rawSize > 0) {
            WriteBytes(raw, Bytes(c.rawSize, 0x11));
        }
        const std::string existing = (dir / "TempBinData.bin").string();
        const std::string absent = (dir / "NewImage.bin").string();
        WriteBytes(existing, oldImage);

        EXPECT_FALSE(BuildFirmwareImage(raw, existing));
        EXPECT_FALSE(BuildFirmwareImage(raw, absent));
        EXPECT_EQ(ReadBytes(existing), oldImage);
        EXPECT_FALSE(std::filesystem::exists(absent));
        EXPECT_EQ(IsFirmwareTooLarge(raw), c.tooLarge);
    }
}

// A folder, a FIFO nobody writes to (which would block the open) and a device are no firmware.
TEST(BuildFirmwareImage, RawFilesThatAreNoPlainFilesAreRefused) {
    TempDir dir;
    const std::string image = (dir / "TempBinData.bin").string();
    const std::string fifo = (dir / "stream.bin").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& raw : {dir.path().string(), fifo, std::string("/dev/zero")}) {
        EXPECT_FALSE(BuildFirmwareImage(raw, image)) << raw;
        EXPECT_FALSE(std::filesystem::exists(image)) << raw;
    }
}

TEST(BuildFirmwareImage, UnwritableImagePathFails) {
    TempDir dir;
    const std::string raw = (dir / "firmware.bin").string();
    WriteBytes(raw, {0x61, 0x62, 0x63});
    std::filesystem::create_directory(dir / "folder");

    // Both fail for every user, root included.
    for (const std::string& image : {raw + "/TempBinData.bin", (dir / "folder").string()}) {
        SCOPED_TRACE(image);
        EXPECT_FALSE(BuildFirmwareImage(raw, image));
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
}

TEST(BuildFirmwareImage, ReadOnlyFolderFails) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    TempDir dir;
    const std::string raw = (dir / "firmware.bin").string();
    WriteBytes(raw, {0x61});
    std::filesystem::create_directory(dir / "locked");
    std::filesystem::permissions(
        dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(BuildFirmwareImage(raw, (dir / "locked" / "TempBinData.bin").string()));
}

}  // namespace
