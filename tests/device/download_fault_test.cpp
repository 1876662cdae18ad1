// "Update Configuration / Firmware" under faults of the machine: a working folder that is
// read-only, full or limited, working files that are folders, raw files that are no files, a
// device state that can't be stored, a process killed while storing it, a device pulled out
// mid-download. Each ends in the box the user sees, and the device holds nothing it was not
// told it got.
//
// The faults that change the process (mounts in a private mount namespace, file size limits)
// run the procedure in a forked child, which writes the boxes it showed to a file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/device/download_test_fixture.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace downloadtest {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// A child's exit code when the fault could not be set up here (no mount namespace).
constexpr int kCannotArrange = 77;

std::string Describe(const testsupport::ShownBox& box) {
    const char* kind = box.applicationBox                           ? "application box"
                       : box.type == platform::BoxType::Information ? "Information box"
                                                                    : "Error box";
    return std::string(kind) + ": " + box.text;
}

std::vector<std::string> Describe(const std::vector<testsupport::ShownBox>& boxes) {
    std::vector<std::string> lines;
    for (const auto& box : boxes) {
        lines.push_back(Describe(box));
    }
    return lines;
}

const std::string kTableDone = "Information box: Finish Downloading Configuration Table !";
const std::string kFirmwareDone = "Information box: Finish Downloading Firmware !";
const std::string kCantRead = "Error box: The bin file can't be readed !";
const std::string kCantLoadFirmware = "Error box: Can't load the firmware !";

// This process's mounts become its own, and `where` a fresh tmpfs.
bool MountPrivateTmpfs(const fs::path& where, unsigned long flags, const char* options) {
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", where.c_str(), "tmpfs", flags, options) == 0;
}

// `folder` read-only in a private mount namespace, its content kept.
bool BindReadOnly(const fs::path& folder) {
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
}

void FillDisk(const fs::path& folder) {
    std::FILE* filler = std::fopen((folder / "filler").c_str(), "wb");
    const std::string block(4096, 'f');
    while (filler != nullptr && std::fwrite(block.data(), 1, block.size(), filler) > 0 &&
           std::fflush(filler) == 0) {
    }
    if (filler != nullptr) {
        std::fclose(filler);
    }
}

// Sets the soft limit only, so that the child can lift it again to write its report.
void LimitFileSize(rlim_t bytes, bool killOnExcess) {
    std::signal(SIGXFSZ, killOnExcess ? SIG_DFL : SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

void LiftFileSizeLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

struct ChildOutcome {
    int exitCode = -1;  // -1 when a signal ended it
    int signal = 0;
    std::vector<std::string> boxes;
};

class DownloadFaultTest : public DownloadTest {
  protected:
    DownloadFaultTest() {
        GiveRawFile(kRawAbc);
        VivuRAZSim_Reset();  // the state exists before any fault is arranged
        VivuRAZSim_SetJournal(1);
    }

    void Press() {
        auto context = Context();
        device::OnUpdateConfigurationFirmware(context);
    }

    // Runs `arrange` and the download in a child with `workFolder` as its current directory.
    // `arrange` returns false when the fault can't be made here.
    ChildOutcome PressInChild(const fs::path& workFolder, const std::function<bool()>& arrange) {
        const fs::path report = temp / "boxes.txt";
        fs::remove(report);
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            if (!arrange() || ::chdir(workFolder.c_str()) != 0) {
                ::_exit(kCannotArrange);
            }
            Press();
            LiftFileSizeLimit();
            std::ofstream out(report);
            for (const auto& line : Describe(prompts.boxes)) {
                out << line << '\n';
            }
            out.close();
            ::_exit(out ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ChildOutcome outcome;
        if (WIFEXITED(status)) {
            outcome.exitCode = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            outcome.signal = WTERMSIG(status);
        }
        std::ifstream in(report);
        for (std::string line; std::getline(in, line);) {
            outcome.boxes.push_back(line);
        }
        return outcome;
    }

    Bytes CommittedTableBytes() const {
        const auto committed = CommittedTable();
        return Bytes(committed.bytes.begin(), committed.bytes.end());
    }
};

struct WorkingFolderCase {
    std::string name;
    std::string folder;  // the working folder, inside the test's own
    std::function<bool(const fs::path& folder)> arrange;  // run in the child
    std::vector<std::string> boxes;
};

// Every way the working files can't be written ends before the library is loaded, with the
// firmware refused, whatever the folder holds afterwards.
TEST_F(DownloadFaultTest, AWorkingFolderThatCantTakeTheImageSendsNothing) {
    const std::vector<WorkingFolderCase> cases = {
        {"read-only working folder",
         "read-only",
         [](const fs::path& folder) { return MountPrivateTmpfs(folder, MS_RDONLY, "size=64k"); },
         {kCantRead}},
        {"full working folder",
         "full",
         [](const fs::path& folder) {
             if (!MountPrivateTmpfs(folder, 0, "size=64k")) {
                 return false;
             }
             FillDisk(folder);
             return true;
         },
         {kCantLoadFirmware}},
        {"file size limit below the image's size",
         "limited",
         [](const fs::path&) {
             LimitFileSize(4, false);
             return true;
         },
         {kCantLoadFirmware}},
        {"\"TempBinData.bin\" a folder",
         "image-a-folder",
         [](const fs::path& folder) { return fs::create_directories(folder / "TempBinData.bin"); },
         {kCantLoadFirmware}},
    };
    const Bytes deviceBefore = simtest::DeviceContent(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = work / c.folder;
        fs::create_directory(folder);
        VivuRAZSim_ClearJournal();
        const ChildOutcome outcome = PressInChild(folder, [&] { return c.arrange(folder); });
        if (outcome.exitCode == kCannotArrange) {
            GTEST_SKIP() << c.name << ": no private mount namespace here";
        }
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_THAT(outcome.boxes, ElementsAreArray(c.boxes));
        EXPECT_THAT(simtest::JournalLines(), IsEmpty());
        EXPECT_EQ(simtest::DeviceContent(1), deviceBefore);
    }
}

// The ROM image file is a by-product: a folder in its place is left alone and the device still
// gets the committed table and the image from memory.
TEST_F(DownloadFaultTest, AFolderInPlaceOfTheRomFileDoesNotStopTheDownload) {
    fs::create_directory(work / "Config_Rom.bin");
    testsupport::WriteText(work / "Config_Rom.bin" / "inside", "kept");
    Press();
    EXPECT_THAT(Describe(prompts.boxes), ElementsAre(kTableDone, kFirmwareDone));
    EXPECT_EQ(ConfigEEPROM(1), CommittedTableBytes());
    EXPECT_EQ(FirmwareEEPROM(1, kImageAbc.size()), kImageAbc);
    EXPECT_EQ(testsupport::ReadBytes(work / "Config_Rom.bin" / "inside"),
              Bytes({'k', 'e', 'p', 't'}));
}

// A raw "file" whose size can't be found by seeking, or that reads other than its size says,
// is refused rather than sent as an image of the wrong length; one shortened after it was
// chosen is sent as it is when converted.
TEST_F(DownloadFaultTest, RawFilesThatAreNoPlainFilesAreRefused) {
    const fs::path fifo = work / "stream.bin";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Held open for writing too, so that opening it for reading doesn't wait for a writer.
    std::fstream fifoWriter(fifo, std::ios::in | std::ios::out | std::ios::binary);
    fifoWriter << "abc" << std::flush;
    for (const std::string& raw : {fifo.string(), std::string("/proc/self/status")}) {
        SCOPED_TRACE(raw);
        binText = raw;
        prompts.Clear();
        VivuRAZSim_ClearJournal();
        Press();
        EXPECT_THAT(Describe(prompts.boxes), ElementsAre(kCantRead));
        EXPECT_THAT(simtest::JournalLines(), IsEmpty());
    }

    GiveRawFile(Bytes{0x61, 0x62, 0x63, 0x64, 0x65});
    fs::resize_file(binText, 3);
    prompts.Clear();
    Press();
    EXPECT_THAT(Describe(prompts.boxes), ElementsAre(kTableDone, kFirmwareDone));
    Bytes sentAndErased = kImageAbc;
    sentAndErased.insert(sentAndErased.end(), {0xFF, 0xFF});
    EXPECT_EQ(FirmwareEEPROM(1, sentAndErased.size()), sentAndErased);
}

// A device state that can't be stored sends nothing: a state folder that can't be written at all
// finds no device, and one whose state file can't grow fails each write with the library's
// code. The device keeps what it held.
TEST_F(DownloadFaultTest, AStateThatCantBeStoredChangesNothingOnTheDevice) {
    const std::string storage = std::to_string(kVivuRAZErrorStorage);
    const struct {
        std::string name;
        std::function<bool()> arrange;  // run in the child
        std::vector<std::string> boxes;
    } cases[] = {
        {"read-only state folder",
         [this] { return BindReadOnly(folder); },
         {"Error box: Device not found !"}},
        {"state file beyond the file size limit",
         [] {
             LimitFileSize(4096, false);
             return true;
         },
         {"application box: Downloading Configuration is Failed ! (" + storage + ")",
          "application box: Downloading Firmware is Failed ! (" + storage + ")"}},
    };
    const Bytes deviceBefore = simtest::DeviceContent(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChildOutcome outcome = PressInChild(work.path(), c.arrange);
        if (outcome.exitCode == kCannotArrange) {
            GTEST_SKIP() << c.name << ": no private mount namespace here";
        }
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_THAT(outcome.boxes, ElementsAreArray(c.boxes));
        EXPECT_EQ(simtest::DeviceContent(1), deviceBefore);
    }
}

// Killed while the library stores the device's new state: the old state stays whole and
// unlocked, so the next download goes through.
TEST_F(DownloadFaultTest, AProcessKilledWhileStoringLeavesTheDeviceUsable) {
    const Bytes deviceBefore = simtest::DeviceContent(1);
    const ChildOutcome killed = PressInChild(work.path(), [] {
        LimitFileSize(4096, true);
        return true;
    });
    EXPECT_EQ(killed.signal, SIGXFSZ) << "exit code " << killed.exitCode;
    EXPECT_EQ(simtest::DeviceContent(1), deviceBefore);

    Press();
    EXPECT_THAT(Describe(prompts.boxes), ElementsAre(kTableDone, kFirmwareDone));
    EXPECT_EQ(ConfigEEPROM(1), CommittedTableBytes());
    EXPECT_EQ(FirmwareEEPROM(1, kImageAbc.size()), kImageAbc);
}

// The person pulls the device out while the configuration's box is up.
class UnpluggingPrompts : public testsupport::ScriptedPrompts {
  public:
    void DialogBox(std::string_view text, std::string_view caption,
                   platform::BoxType type) override {
        ScriptedPrompts::DialogBox(text, caption, type);
        VivuRAZSim_Attach(0);
    }
};

TEST_F(DownloadFaultTest, ADeviceDetachedAfterTheTableWriteFailsTheFirmwareWrite) {
    UnpluggingPrompts unplugging;
    auto context = Context();
    device::DownloadContext unpluggingContext{context.table,       context.form,
                                              context.formCommit,  context.buildRomImage,
                                              context.binFileText, unplugging};
    device::OnUpdateConfigurationFirmware(unpluggingContext);

    const std::string code = std::to_string(kVivuRAZErrorNoSuchDevice);
    EXPECT_THAT(Describe(unplugging.boxes),
                ElementsAre(kTableDone,
                            "application box: Downloading Firmware is Failed ! (" + code + ")"));
    EXPECT_EQ(simtest::JournalLines().back(), simtest::kUnload);
    EXPECT_EQ(form.commitOnly + form.commitSucceeded + form.firmwareImageBuilt, 0);
}

}  // namespace
}  // namespace downloadtest
