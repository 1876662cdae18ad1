#include "platform/file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

using platform::ExclusiveFile;
using platform::FileAccess;
using platform::FileError;
using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

// Runs `action` and returns the FileError it throws; fails the test when none is thrown.
template <typename Action>
FileError CaughtFileError(Action action) {
    try {
        action();
    } catch (const FileError& error) {
        return error;
    }
    ADD_FAILURE() << "no FileError thrown";
    return FileError("", "", {});
}

TEST(DeleteAndCreate, CreateKeepsAnExistingFileAndDeleteRemovesIt) {
    TempDir dir;
    const std::string path = (dir / "rom.bin").string();

    EXPECT_FALSE(platform::DeleteFile(path));
    EXPECT_TRUE(platform::CreateFileIfMissing(path));
    EXPECT_TRUE(ReadBytes(path).empty());

    WriteBytes(path, {1, 2, 3});
    EXPECT_TRUE(platform::CreateFileIfMissing(path));
    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{1, 2, 3}));

    EXPECT_TRUE(platform::DeleteFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(platform::CreateFileIfMissing((dir / "no-such-folder" / "rom.bin").string()));
}

TEST(ExclusiveFile, WritesReadsSeeksAndSetsLength) {
    TempDir dir;
    const std::string path = (dir / "data.bin").string();
    WriteBytes(path, {9, 9, 9, 9, 9, 9, 9, 9});

    ExclusiveFile file(path, FileAccess::ReadWrite);
    const std::array<std::uint8_t, 3> head{1, 2, 3};
    file.Write(head);
    file.Seek(5);
    file.Write(head);
    file.SetLength(6);
    file.Flush();
    EXPECT_EQ(file.Length(), 6u);

    file.Seek(4);
    std::array<std::uint8_t, 4> tail{};
    EXPECT_EQ(file.Read(tail), 2u);  // stops at the end of the file
    EXPECT_EQ(tail, (std::array<std::uint8_t, 4>{9, 1, 0, 0}));
    file.Close();

    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{1, 2, 3, 9, 9, 1}));
}

TEST(ExclusiveFile, SecondOpenOfAHeldFileFailsUntilTheFirstCloses) {
    TempDir dir;
    const std::string path = (dir / "held.bin").string();
    WriteBytes(path, {1});

    for (const FileAccess first : {FileAccess::Read, FileAccess::ReadWrite}) {
        ExclusiveFile holder(path, first);
        const FileError error =
            CaughtFileError([&] { ExclusiveFile second(path, FileAccess::ReadWrite); });
        EXPECT_EQ(error.path(), path);
        EXPECT_EQ(error.operation(), "lock");
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);

        holder.Close();
        EXPECT_NO_THROW(ExclusiveFile(path, FileAccess::Read));
    }
}

TEST(ExclusiveFile, FailuresNameTheFileAndTheOperation) {
    TempDir dir;
    const std::string missing = (dir / "missing.bin").string();
    const FileError openError =
        CaughtFileError([&] { ExclusiveFile file(missing, FileAccess::Read); });
    EXPECT_EQ(openError.operation(), "open");
    EXPECT_EQ(openError.reason(), std::errc::no_such_file_or_directory);
    EXPECT_FALSE(std::filesystem::exists(missing));  // opening never creates

    const std::string path = (dir / "read-only-access.bin").string();
    WriteBytes(path, {1});
    ExclusiveFile reader(path, FileAccess::Read);
    const std::array<std::uint8_t, 1> byte{2};
    EXPECT_EQ(CaughtFileError([&] { reader.Write(byte); }).operation(), "write");

    reader.Close();
    const FileError closedError = CaughtFileError([&] { reader.Seek(0); });
    EXPECT_EQ(closedError.operation(), "seek");
    EXPECT_EQ(closedError.path(), path);
}

}  // namespace
