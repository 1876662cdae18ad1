#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "config/form_commit.h"
#include "config/ini_reader.h"
#include "config/ini_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace config;
namespace fs = std::filesystem;

const std::string kExample =
    "[usb_config]\r\n"
    "vendor_id = 1a2b\r\n"
    "product_id = 55AA\r\n"
    "device_revision = 0100\r\n"
    "serial_number = 0123456789ABCDEF\r\n"
    "manufacturer_string = Maker\r\n"
    "product_string = Widget\r\n"
    "highest_speed = Super";

FormInput ExampleForm() {
    FormInput input = StartupFormInput();
    input.vendorId = "1a2b";
    input.manufacturerString = "Maker";
    input.productString = "Widget";
    return input;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Saving writes the eight lines exactly, and loading them gives the commit's table again.
TEST(IniWriter, SavesEightLinesThatLoadToTheCommittedTable) {
    testsupport::TempDir dir;
    const FormInput input = ExampleForm();
    ConfigTable committed;
    FormState form = StartupFormState();
    const CommitResult commit = CommitForm(input, committed, form);
    ASSERT_TRUE(commit.askForFileName);

    const std::string path = (dir / "example.ini").string();
    EXPECT_FALSE(SaveIniFile(path, input));
    const std::vector<unsigned char> bytes = testsupport::ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kExample);
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"example.ini"});

    ConfigTable loaded;
    const LoadResult load = LoadIniFile(path, loaded, form);
    EXPECT_FALSE(load.refusal);
    EXPECT_EQ(loaded, committed);
    ASSERT_FALSE(load.assignments.empty());
    EXPECT_EQ(load.assignments[0], (Assignment{1062, "1A2B", -1}));
}

TEST(IniWriter, EmptyStringsEndRightAfterTheSeparator) {
    FormInput input = ExampleForm();
    input.manufacturerString = "";
    input.productString = "";
    const std::string text = FormatIniFile(input);
    EXPECT_NE(text.find("\r\nmanufacturer_string = \r\nproduct_string = \r\nhighest_speed"),
              std::string::npos);
}

TEST(IniWriter, ReplacesExistingFileKeepingModeAndLink) {
    testsupport::TempDir dir;
    const fs::path real = dir / "real.ini";
    testsupport::WriteText(real, std::string(5000, 'x'));
    fs::permissions(real, fs::perms(0640));
    fs::create_symlink("real.ini", dir / "link.ini");

    EXPECT_FALSE(WriteIniFile((dir / "link.ini").string(), ExampleForm()));

    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    const std::vector<unsigned char> bytes = testsupport::ReadBytes(real);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kExample);
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string>{"link.ini", "real.ini"}));
}

TEST(IniWriter, SaveAnswers) {
    testsupport::TempDir dir;
    testsupport::ScopedCurrentDir inside(dir.path());
    const std::optional<Refusal> cancelled = SaveIniFile(std::nullopt, ExampleForm());
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled->message, "You must to name the ini file !");
    EXPECT_EQ(cancelled->caption, RefusalCaption::Error);
    EXPECT_FALSE(SaveIniFile(std::string(), ExampleForm()));
    EXPECT_TRUE(FolderEntries(dir.path()).empty());
    EXPECT_EQ(kIniFileFilter, "Config File (*.ini)|*.ini||");
}

// The previous file must survive every failed save, and nothing may be left beside it.
void ExpectFailedSaveKeptOldFile(const fs::path& folder, const fs::path& target,
                                 const std::optional<Refusal>& refusal,
                                 const std::string& expectedStart, const std::string& oldText,
                                 const std::vector<std::string>& entries) {
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message.rfind(expectedStart, 0), 0u) << refusal->message;
    EXPECT_EQ(refusal->caption, RefusalCaption::Error);
    if (!oldText.empty()) {
        const std::vector<unsigned char> bytes = testsupport::ReadBytes(target);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), oldText);
    }
    EXPECT_EQ(FolderEntries(folder), entries);
}

TEST(IniWriter, MissingFolderCannotBeOpened) {
    testsupport::TempDir dir;
    const fs::path target = dir / "no-such-folder" / "a.ini";
    ExpectFailedSaveKeptOldFile(dir.path(), target, WriteIniFile(target.string(), ExampleForm()),
                                "Can't open an ini file !", "", {});
}

TEST(IniWriter, ReadOnlyFolderCannotBeOpened) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; the rlimit and full-disk tests "
                        "cover failed saves for root";
    }
    testsupport::TempDir dir;
    const fs::path target = dir / "old.ini";
    testsupport::WriteText(target, "old");
    fs::permissions(dir.path(), fs::perms(0555));
    const std::optional<Refusal> refusal = WriteIniFile(target.string(), ExampleForm());
    fs::permissions(dir.path(), fs::perms(0755));
    ExpectFailedSaveKeptOldFile(dir.path(), target, refusal, "Can't open an ini file !", "old",
                                {"old.ini"});
}

TEST(IniWriter, FolderInPlaceOfFileIsNotReplaced) {
    testsupport::TempDir dir;
    const fs::path target = dir / "taken.ini";
    fs::create_directory(target);
    testsupport::WriteText(target / "inside", "kept");
    ExpectFailedSaveKeptOldFile(dir.path(), target, WriteIniFile(target.string(), ExampleForm()),
                                "Can't save the ini file " + target.string() + " ! (", "",
                                {"taken.ini"});
    EXPECT_EQ(FolderEntries(target), std::vector<std::string>{"inside"});
}

// A file size limit makes the write itself fail, for root too.
TEST(IniWriter, FailedWriteKeepsOldFile) {
    testsupport::TempDir dir;
    const fs::path target = dir / "old.ini";
    const std::string oldText = "[usb_config]\r\nvendor_id = 0001";
    testsupport::WriteText(target, oldText);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    auto* previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<Refusal> refusal = WriteIniFile(target.string(), ExampleForm());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    ExpectFailedSaveKeptOldFile(dir.path(), target, refusal,
                                "Can't save the ini file " + target.string() + " ! (", oldText,
                                {"old.ini"});
    EXPECT_NE(refusal->message.find(std::strerror(EFBIG)), std::string::npos);
}

// A small tmpfs in a mount namespace of this process only, so nothing outlives the test.
class FullDisk {
  public:
    explicit FullDisk(const fs::path& where) : folder(where / "disk") {
        fs::create_directory(folder);
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
            reason = std::string("can't mount a small tmpfs here: ") + std::strerror(errno);
            return;
        }
        mounted = true;
    }
    ~FullDisk() {
        if (mounted) {
            ::umount2(folder.c_str(), MNT_DETACH);
        }
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Fills what space is left with one file.
    void Fill() const {
        FILE* filler = std::fopen((folder / "filler").c_str(), "wb");
        const std::string block(4096, 'f');
        while (filler != nullptr && std::fwrite(block.data(), 1, block.size(), filler) > 0 &&
               std::fflush(filler) == 0) {
        }
        if (filler != nullptr) {
            std::fclose(filler);
        }
    }

    fs::path folder;
    bool mounted = false;
    std::string reason;
};

TEST(IniWriter, FullDiskKeepsOldFile) {
    testsupport::TempDir dir;
    FullDisk disk(dir.path());
    if (!disk.mounted) {
        GTEST_SKIP() << disk.reason;
    }
    const fs::path target = disk.folder / "old.ini";
    const std::string oldText = "[usb_config]\r\nvendor_id = 0001";
    testsupport::WriteText(target, oldText);
    disk.Fill();

    const std::optional<Refusal> refusal = WriteIniFile(target.string(), ExampleForm());

    ExpectFailedSaveKeptOldFile(disk.folder, target, refusal,
                                "Can't save the ini file " + target.string() + " ! (", oldText,
                                {"filler", "old.ini"});
    EXPECT_NE(refusal->message.find(std::strerror(ENOSPC)), std::string::npos);
}

}  // namespace
