#include "image/rom_image.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;
using image::RomTable;
using image::WriteRomImage;
using testsupport::ReadBytes;
using testsupport::ScopedCurrentDir;
using testsupport::TempDir;
using testsupport::WriteBytes;

const Bytes kAbcImage{0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};

void Append(Bytes& bytes, const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

// A sealed table for serial 0123456789ABCDEF, "Maker", "Widget", 1234/55AA/0100, English,
// Super, Self: marker 0x5A and checksum 0x40 at the end.
RomTable SealedTable() {
    Bytes bytes(4, 0xFF);
    Append(bytes, {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'});
    Append(bytes, Bytes(4, 0xFF));
    Append(bytes, {'M', 'a', 'k', 'e', 'r'});
    Append(bytes, Bytes(39, 0xFF));
    Append(bytes, {'W', 'i', 'd', 'g', 'e', 't'});
    Append(bytes, Bytes(42, 0xFF));
    Append(bytes, {0x34, 0x12, 0xAA, 0x55, 0x00, 0x01, 0xFF, 0xFF, 0x02, 0xFF, 0x5A, 0x40});
    RomTable table{};
    std::copy(bytes.begin(), bytes.end(), table.begin());
    return table;
}

Bytes TableBytes(const RomTable& table) {
    return Bytes(table.begin(), table.end());
}

Bytes RomFile(const Bytes& tablePart, const Bytes& firmwareImage) {
    Bytes rom = tablePart;
    Append(rom, firmwareImage);
    return rom;
}

// Hands out the sealed table and records that, and when, it was asked for.
struct CommitProbe {
    explicit CommitProbe(std::string name) : romName(std::move(name)) {}

    std::string romName;
    int calls = 0;
    std::optional<bool> romFileWasEmpty;

    RomTable operator()() {
        ++calls;
        romFileWasEmpty = std::filesystem::exists(romName) && ReadBytes(romName).empty();
        return SealedTable();
    }
};

TEST(WriteRomImage, TablePartFollowsTheWholeNameIgnoringCase) {
    enum class Part { Committed, Erased, Zeros };
    struct NameCase {
        const char* romName;
        Part part;
    };
    const NameCase cases[] = {
        {"UnConfig_Rom.bin", Part::Erased},  {"UNCONFIG_ROM.BIN", Part::Erased},
        {"Config_Rom.bin", Part::Committed}, {"config_rom.bin", Part::Committed},
        {"Config_Rom.BIN", Part::Committed}, {"./Config_Rom.bin", Part::Zeros},
        {"sub/Config_Rom.bin", Part::Zeros}, {"sub/UnConfig_Rom.bin", Part::Zeros},
        {"Config_Rom.bin.old", Part::Zeros}, {"Other.bin", Part::Zeros},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.romName);
        TempDir dir;
        ScopedCurrentDir inDir(dir.path());
        std::filesystem::create_directory("sub");
        WriteBytes("TempBinData.bin", kAbcImage);
        CommitProbe probe{c.romName};

        WriteRomImage("TempBinData.bin", c.romName, std::ref(probe));

        const Bytes tablePart = c.part == Part::Committed ? TableBytes(SealedTable())
                                : c.part == Part::Erased  ? Bytes(128, 0xFF)
                                                          : Bytes(128, 0x00);
        EXPECT_EQ(ReadBytes(c.romName), RomFile(tablePart, kAbcImage));
        EXPECT_EQ(probe.calls, c.part == Part::Committed ? 1 : 0);
        if (c.part == Part::Committed) {
            EXPECT_EQ(probe.romFileWasEmpty, true) << "commit runs after the empty file exists";
        }
    }
}

TEST(WriteRomImage, ImagePartIsTheWholeImageOrNothing) {
    struct ImageCase {
        const char* name;
        std::optional<Bytes> imageFile;  // nothing: no image file
        Bytes imagePart;
    };
    Bytes longerThanItsLength = kAbcImage;
    Append(longerThanItsLength, {0xEE, 0xEE});
    Bytes largest{0xFF, 0xFF};  // 65535 bytes of 0x22, marker, sum
    Append(largest, Bytes(65535, 0x22));
    Append(largest, {0x5A, 0xDE});
    const ImageCase cases[] = {
        {"abc", kAbcImage, kAbcImage},
        {"empty firmware", Bytes{0x00, 0x00, 0x5A, 0x00}, {0x00, 0x00, 0x5A, 0x00}},
        {"65535 bytes of firmware", largest, largest},
        {"longer than its length field", longerThanItsLength, kAbcImage},
        {"missing", std::nullopt, {}},
        {"empty file", Bytes{}, {}},
        {"one byte", Bytes{0x03}, {}},
        {"shorter than its length field", Bytes{0x03, 0x00, 0x61, 0x62, 0x63, 0x5A}, {}},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string image = (dir / "TempBinData.bin").string();
        const std::string rom = (dir / "UnConfig_Rom.bin").string();
        if (c.imageFile) {
            WriteBytes(image, *c.imageFile);
        }
        WriteBytes(rom, Bytes(70000, 0xEE));  // an older, longer ROM file

        WriteRomImage(image, rom, [] { return SealedTable(); });

        EXPECT_EQ(ReadBytes(rom),
                  c.imagePart.empty() ? Bytes{} : RomFile(Bytes(128, 0), c.imagePart));
    }
}

TEST(WriteRomImage, ImageHeldElsewhereLeavesAnEmptyRomFile) {
    TempDir dir;
    ScopedCurrentDir inDir(dir.path());
    WriteBytes("TempBinData.bin", kAbcImage);
    CommitProbe probe{"Config_Rom.bin"};

    platform::ExclusiveFile holder("TempBinData.bin", platform::FileAccess::Read);
    WriteRomImage("TempBinData.bin", "Config_Rom.bin", std::ref(probe));

    EXPECT_EQ(probe.calls, 1);
    EXPECT_EQ(ReadBytes("Config_Rom.bin"), Bytes{});
}

TEST(WriteRomImage, OldFileThatSurvivesTheDeleteIsReplacedWhole) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root deletes files in read-only folders";
    }
    TempDir dir;
    const std::filesystem::path locked = dir / "locked";
    std::filesystem::create_directory(locked);
    WriteBytes(dir / "TempBinData.bin", kAbcImage);
    WriteBytes(locked / "UnConfig_Rom.bin", Bytes(500, 0xEE));
    std::filesystem::permissions(
        locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);

    WriteRomImage((dir / "TempBinData.bin").string(), (locked / "UnConfig_Rom.bin").string(),
                  [] { return SealedTable(); });

    EXPECT_EQ(ReadBytes(locked / "UnConfig_Rom.bin"), RomFile(Bytes(128, 0), kAbcImage));
}

// A write that stops part-way (here at a file size limit, which holds for root too) leaves an
// empty ROM file, not a table without its image.
TEST(WriteRomImage, RomFileThatCannotBeWrittenWholeIsLeftEmpty) {
    TempDir dir;
    ScopedCurrentDir inDir(dir.path());
    WriteBytes("TempBinData.bin", kAbcImage);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 130;  // room for the table part, not for the image behind it
    auto* previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    WriteRomImage("TempBinData.bin", "UnConfig_Rom.bin", [] { return SealedTable(); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(ReadBytes("UnConfig_Rom.bin"), Bytes{});
}

}  // namespace
