#include "ui/path_history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {
namespace {

// Every line the history is written with ends like this, as text files of this tool do.
constexpr std::string_view kLineEnd = "\r\n";

// The file's first lines, at most a history's worth, without their line ends; nothing when the
// file can't be opened for reading. A CR before the LF is dropped; a last line without a line end
// is taken as it stands.
std::optional<std::vector<std::string>> ReadHistoryLines(const std::string& historyName) {
    std::ifstream in(historyName, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < kPathHistoryLength && std::getline(in, line)) {
        const bool endedInLineFeed = !in.eof();
        if (endedInLineFeed && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// Creates the file empty when it is missing; an existing file keeps its content.
void CreateIfMissing(const std::string& historyName) {
    std::ofstream(historyName, std::ios::app);
}

// A path is written as one line, so it can't itself hold a line end.
bool IsRecordable(const std::string& path) {
    return !path.empty() && path.find_first_of("\r\n") == std::string::npos;
}

std::string FormatHistory(const std::string& path, const std::vector<std::string>& oldLines) {
    std::string content = path;
    content += kLineEnd;
    std::size_t written = 1;
    bool droppedOldCopy = false;
    for (const std::string& line : oldLines) {
        if (written == kPathHistoryLength) {
            break;
        }
        if (!droppedOldCopy && line == path) {
            droppedOldCopy = true;
            continue;
        }
        content += line;
        content += kLineEnd;
        ++written;
    }
    return content;
}

// The permission bits of the history file, when it can be opened for writing. A history that the
// user made read-only stays as it is.
std::optional<mode_t> WritableFileMode(const std::string& historyName) {
    const int fd = ::open(historyName.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    ::close(fd);
    if (!known) {
        return std::nullopt;
    }
    return status.st_mode & 07777;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t count = ::write(fd, data.data(), data.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// Makes a completed rename last across a power cut; the new content is in place either way.
void SyncFolderOf(const std::string& file) {
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes `content` to a fresh file beside `target`, syncs it and renames it over `target`, so
// the target holds either its old or its new content, never a part. On failure the temporary
// file goes and the target is untouched.
bool ReplaceFile(const std::string& target, std::string_view content, mode_t mode) {
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    ::fchmod(fd, mode);  // keeps the history's own permissions; the stricter default is harmless
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace

PathHistory ReadPathHistory(const std::string& historyName) {
    PathHistory history;
    std::optional<std::vector<std::string>> lines = ReadHistoryLines(historyName);
    if (!lines) {
        CreateIfMissing(historyName);
        return history;
    }
    std::move(lines->begin(), lines->end(), history.begin());
    return history;
}

void UpdatePathHistory(std::string path, const std::string& historyName) {
    if (!IsRecordable(path)) {
        return;
    }
    // A history that can't be read counts as empty; creating it first gives the new file the
    // permissions any new file of this user gets.
    std::optional<std::vector<std::string>> oldLines = ReadHistoryLines(historyName);
    if (!oldLines) {
        CreateIfMissing(historyName);
        oldLines.emplace();
    }
    const std::optional<mode_t> mode = WritableFileMode(historyName);
    if (!mode) {
        return;
    }
    ReplaceFile(historyName, FormatHistory(path, *oldLines), *mode);
}

bool CountBrowse(std::int32_t& browseCount) {
    if (browseCount < 0) {
        browseCount = 0;
    }
    const bool dropFifth = browseCount >= static_cast<std::int32_t>(kPathHistoryLength);
    // Counts on like the 32-bit counter it is, wrapping instead of overflowing; the guard above
    // then starts it again at 0.
    browseCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(browseCount) + 1U);
    return dropFifth;
}

}  // namespace ui
