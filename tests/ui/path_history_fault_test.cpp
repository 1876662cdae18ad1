// Path histories under faults: an update whose process is killed part-way keeps the old history
// whole, and a folder in place of the history file reads as an empty history and is left alone.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "ui/path_history.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ScopedCurrentDir;
using testsupport::TempDir;
using ui::PathHistory;

constexpr const char* kName = ui::kBinHistoryName;
const std::string kOldHistory = "/fw/one.bin\r\n/fw/two.bin\r\n/fw/three.bin\r\n";

std::string ReadText(const fs::path& file) {
    const std::vector<unsigned char> bytes = testsupport::ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

TEST(PathHistoryFault, KilledUpdateKeepsTheOldHistory) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    testsupport::WriteText(dir / kName, kOldHistory);
    const PathHistory before = ui::ReadPathHistory(kName);

    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{8, 8};  // the new history's first line doesn't fit
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ui::UpdatePathHistory("/fw/new-firmware.bin", kName);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);

    EXPECT_EQ(ReadText(dir / kName), kOldHistory);
    EXPECT_EQ(ui::ReadPathHistory(kName), before);
    ui::UpdatePathHistory("/fw/new-firmware.bin", kName);
    EXPECT_EQ(ui::ReadPathHistory(kName)[0], "/fw/new-firmware.bin");
    EXPECT_EQ(ui::ReadPathHistory(kName)[1], "/fw/one.bin");
}

TEST(PathHistoryFault, FolderInPlaceOfTheHistoryIsLeftAlone) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    fs::create_directory(dir / kName);
    testsupport::WriteText(dir / kName / "inside", "kept");

    EXPECT_EQ(ui::ReadPathHistory(kName), PathHistory{});
    ui::UpdatePathHistory("/fw/new-firmware.bin", kName);
    EXPECT_EQ(ui::ReadPathHistory(kName), PathHistory{});
    EXPECT_TRUE(fs::is_directory(dir / kName));
    EXPECT_EQ(ReadText(dir / kName / "inside"), "kept");
}

}  // namespace
