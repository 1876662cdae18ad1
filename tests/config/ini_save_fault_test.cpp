// An INI save whose process is killed part-way (a file size limit whose signal is left to end
// the process): the file of that name holds its old content, or doesn't exist when there was
// none, and what is left behind is never offered by the INI browse's "*.ini" filter.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/config_table.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "config/ini_reader.h"
#include "config/ini_writer.h"
#include "tests/support/temp_dir.h"

namespace config {
namespace {

namespace fs = std::filesystem;

const std::string kOldFile =
    "[usb_config]\r\nvendor_id = 0001\r\nproduct_id = 0002\r\nserial_number = 00000000000A";

// Runs WriteIniFile in a child whose files can't grow beyond a few bytes; the signal of the
// limit ends it in the middle of the write. Returns the signal that ended the child.
int SaveKilledPartWay(const fs::path& target, const FormInput& input) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WriteIniFile(target.string(), input);
        ::_exit(0);  // not reached: the write is stopped by the signal
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

std::string ReadText(const fs::path& file) {
    const std::vector<unsigned char> bytes = testsupport::ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

TEST(IniSaveFault, KilledSaveLeavesTheOldFileOrNone) {
    for (const std::optional<std::string>& old :
         {std::optional(kOldFile), std::optional<std::string>()}) {
        SCOPED_TRACE(old ? "old file" : "no old file");
        testsupport::TempDir dir;
        const fs::path target = dir / "device.ini";
        if (old) {
            testsupport::WriteText(target, *old);
        }
        ConfigTable tableBefore;
        FormState formBefore = StartupFormState();
        const LoadResult before = LoadIniFile(target.string(), tableBefore, formBefore);

        EXPECT_EQ(SaveKilledPartWay(target, StartupFormInput()), SIGXFSZ);

        ASSERT_EQ(fs::exists(target), old.has_value());
        if (old) {
            EXPECT_EQ(ReadText(target), *old);
        }
        ConfigTable tableAfter;
        FormState formAfter = StartupFormState();
        EXPECT_EQ(LoadIniFile(target.string(), tableAfter, formAfter).refusal, before.refusal);
        EXPECT_EQ(tableAfter, tableBefore);
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "device.ini" || entry.path().extension() != ".ini")
                << name << " would be offered as an INI file";
        }

        // The next save replaces the file whole, the left-over notwithstanding.
        EXPECT_EQ(WriteIniFile(target.string(), StartupFormInput()), std::nullopt);
        EXPECT_EQ(ReadText(target), FormatIniFile(StartupFormInput()));
    }
}

}  // namespace
}  // namespace config
