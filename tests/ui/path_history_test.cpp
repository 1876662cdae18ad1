#include "ui/path_history.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

using testsupport::ReadBytes;
using testsupport::ScopedCurrentDir;
using testsupport::TempDir;
using testsupport::WriteText;
using ui::PathHistory;

constexpr const char* kName = ui::kIniHistoryName;

std::string ReadText(const std::filesystem::path& file) {
    const std::vector<unsigned char> bytes = ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::string> FolderContents(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

struct ReadCase {
    const char* what;
    std::string content;
    PathHistory expected;
};

TEST(PathHistoryRead, GivesFiveEntriesInFileOrder) {
    const std::string longPath(300, 'p');
    const ReadCase cases[] = {
        {"empty file", "", {}},
        {"two lines", "/a/one.ini\r\n/b/two.ini\r\n", {"/a/one.ini", "/b/two.ini"}},
        {"bare line feeds", "/a/one.ini\n/b/two.ini\n", {"/a/one.ini", "/b/two.ini"}},
        {"last line without line end", "A\r\n/b/two.ini", {"A", "/b/two.ini"}},
        {"empty line keeps its place", "A\r\n\r\nC\r\n", {"A", "", "C"}},
        {"long line whole", longPath + "\r\nB\r\n", {longPath, "B"}},
        {"more than five lines", "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n", {"A", "B", "C", "D", "E"}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ScopedCurrentDir cwd(dir.path());
        WriteText(dir / kName, c.content);
        EXPECT_EQ(ui::ReadPathHistory(kName), c.expected);
        EXPECT_EQ(ReadText(dir / kName), c.content);
    }
}

TEST(PathHistoryRead, CreatesMissingFileEmpty) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    EXPECT_EQ(ui::ReadPathHistory(kName), PathHistory{});
    EXPECT_EQ(ReadText(dir / kName), "");
}

TEST(PathHistoryRead, FileThatCanBeNeitherReadNorCreatedGivesEmptyHistory) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    EXPECT_EQ(ui::ReadPathHistory("no-such-folder/BrowsedINIPath.txt"), PathHistory{});
    EXPECT_TRUE(FolderContents(dir.path()).empty());
}

struct UpdateCase {
    std::optional<std::string> before;  // nothing: no history file
    std::string browsed;
    std::string after;
};

TEST(PathHistoryUpdate, PutsNewPathFirstAndKeepsFiveDistinctLines) {
    const std::string fiveLines = "A\r\nB\r\nC\r\nD\r\nE\r\n";
    const UpdateCase cases[] = {
        {fiveLines, "F", "F\r\nA\r\nB\r\nC\r\nD\r\n"},
        {fiveLines, "A", "A\r\nB\r\nC\r\nD\r\nE\r\n"},
        {fiveLines, "B", "B\r\nA\r\nC\r\nD\r\nE\r\n"},
        {fiveLines, "C", "C\r\nA\r\nB\r\nD\r\nE\r\n"},
        {fiveLines, "D", "D\r\nA\r\nB\r\nC\r\nE\r\n"},
        {fiveLines, "E", "E\r\nA\r\nB\r\nC\r\nD\r\n"},
        {"A\r\nB\r\n", "C", "C\r\nA\r\nB\r\n"},
        {"A\r\nB\r\n", "B", "B\r\nA\r\n"},
        {"", "A", "A\r\n"},
        {std::nullopt, "A", "A\r\n"},
        // Letter case counts: both spellings stay.
        {"/home/u/Fw.bin\r\n", "/home/u/fw.bin", "/home/u/fw.bin\r\n/home/u/Fw.bin\r\n"},
        // Whatever the old line ends were, every line written ends in CR LF.
        {"A\nB\n", "C", "C\r\nA\r\nB\r\n"},
        {"A\r\nB", "C", "C\r\nA\r\nB\r\n"},
        {"A\r\nB", "B", "B\r\nA\r\n"},
        // Lines beyond the fifth don't count and are dropped.
        {fiveLines + "F\r\nG\r\n", "F", "F\r\nA\r\nB\r\nC\r\nD\r\n"},
        // A path that could not be read back as one line is not recorded.
        {"A\r\n", "X\nY", "A\r\n"},
        {"A\r\n", "", "A\r\n"},
    };
    for (const UpdateCase& c : cases) {
        SCOPED_TRACE(c.before.value_or("(no file)") + " <- " + c.browsed);
        TempDir dir;
        ScopedCurrentDir cwd(dir.path());
        if (c.before) {
            WriteText(dir / kName, *c.before);
        }
        ui::UpdatePathHistory(c.browsed, kName);
        EXPECT_EQ(ReadText(dir / kName), c.after);
        EXPECT_EQ(FolderContents(dir.path()), std::vector<std::string>{kName});
    }
}

TEST(PathHistoryUpdate, LongPathSurvivesUpdateAndReloadWhole) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    const std::string longPath = "/data/" + std::string(294, 'x');
    WriteText(dir / kName, "/short.ini\r\n");
    ui::UpdatePathHistory(longPath, kName);
    ui::UpdatePathHistory(longPath, kName);
    EXPECT_EQ(ui::ReadPathHistory(kName), (PathHistory{longPath, "/short.ini"}));
}

// Stops file writes beyond a few bytes while it lives, so a write fails part-way through.
class ScopedFileSizeLimit {
  public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

  private:
    rlimit previous{};
    void (*previousHandler)(int) = SIG_DFL;
};

TEST(PathHistoryUpdate, FailedWriteLeavesOldHistory) {
    TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    const std::string before = "A\r\nB\r\nC\r\nD\r\nE\r\n";
    WriteText(dir / kName, before);
    {
        ScopedFileSizeLimit limit(4);
        ui::UpdatePathHistory("/new/path.ini", kName);
    }
    EXPECT_EQ(ReadText(dir / kName), before);
    EXPECT_EQ(FolderContents(dir.path()), std::vector<std::string>{kName});
}

TEST(PathHistoryBrowse, CountsAndDropsFifthItemFromTheSixthBrowse) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    struct {
        std::int32_t before;
        bool dropFifth;
        std::int32_t after;
    } const cases[] = {
        {0, false, 1},  {4, false, 5},    {5, true, 6},       {9, true, 10},
        {-3, false, 1}, {kMin, false, 1}, {kMax, true, kMin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        std::int32_t count = c.before;
        EXPECT_EQ(ui::CountBrowse(count), c.dropFifth);
        EXPECT_EQ(count, c.after);
    }
}

}  // namespace
