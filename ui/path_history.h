#pragma once

// Path histories: the last five paths chosen with a "Browse" button, newest first, one per line
// in a small text file in the current directory. The path boxes' drop-down lists are rebuilt
// from these files, and every successful browse records its path at the top.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ui {

// History file names, opened by bare name in the current directory.
inline constexpr const char* kIniHistoryName = "BrowsedINIPath.txt";
inline constexpr const char* kBinHistoryName = "BrowsedBINPath.txt";

// Open-file dialog filters of the two "Browse" buttons, written as "Label|pattern||".
inline constexpr const char* kIniBrowseFilter = "Config .ini File (*.ini)|*.ini||";
inline constexpr const char* kBinBrowseFilter = "Firmware .bin File (*.bin)|*.bin||";

// How many paths a history keeps and a drop-down list shows.
inline constexpr std::size_t kPathHistoryLength = 5;

// The entries of a path box's list: the file's first five lines in file order, the first line
// first, without their line ends; entries beyond the file's last line are empty.
using PathHistory = std::array<std::string, kPathHistoryLength>;

// Reads the history file `historyName`. Lines end in CR LF as written; a bare LF reads the same,
// and a last line without a line end is taken whole. Lines of any length come back whole.
// A missing file is created empty (an existing one is never emptied); when the file can be
// neither read nor created, the history is empty. Reports nothing.
PathHistory ReadPathHistory(const std::string& historyName);

// Records a newly browsed path: the new path first, then the old lines in order without the
// first one equal to it byte for byte (letter case significant), five lines at most, each ending
// in CR LF. The new content replaces the file in one step (temporary file beside it, synced,
// renamed over it), so a failure at any point leaves the old file as it was. An existing file
// that can't be opened for writing is left alone. A path that is empty or holds a line end is
// not recorded, since it could not be read back as one line. Reports nothing.
void UpdatePathHistory(std::string path, const std::string& historyName);

// The list bookkeeping of a successful browse, on its kind's counter (`iniBrowseCount` or
// `binBrowseCount`): the caller inserts the path at position 0 of the path box's list and then,
// when this returns true, deletes the item at position 5. A negative counter restarts at 0; the
// counter counts the browse. Whether position 5 goes depends on the counter alone, not on the
// list's real length: the next drop-down rebuilds the list from the file anyway.
bool CountBrowse(std::int32_t& browseCount);

}  // namespace ui
