// The path history over any file content: the entries are the file's first five lines without
// their line ends, and recording a path puts it first and keeps the rest in order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "ui/path_history.h"

namespace {

using fuzzsupport::Require;

// The first five lines as a reader of CR LF text files sees them.
std::vector<std::string> ExpectedLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < ui::kPathHistoryLength && start < content.size()) {
        const std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::WorkFolder();
    fuzzsupport::WriteFile(ui::kIniHistoryName, data, size);
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = ExpectedLines(content);

    const ui::PathHistory history = ui::ReadPathHistory(ui::kIniHistoryName);
    for (std::size_t i = 0; i < ui::kPathHistoryLength; ++i) {
        Require(history[i] == (i < lines.size() ? lines[i] : std::string()),
                "an entry differs from its line");
    }

    // The first line is the path recorded; the file must then read back with it first.
    const std::string path = lines.empty() ? std::string("/p.bin") : lines.front();
    ui::UpdatePathHistory(path, ui::kIniHistoryName);
    const ui::PathHistory updated = ui::ReadPathHistory(ui::kIniHistoryName);
    if (!path.empty() && path.find('\r') == std::string::npos) {
        Require(updated[0] == path, "the recorded path is not first");
    } else {
        Require(updated == history, "a path that can't be recorded changed the history");
    }
    return 0;
}
