#pragma once

// How the INI reader sees a file: pieces of lines, and the tokens of a piece.

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace config {

// A line is read in pieces of at most kIniPieceLimit characters, not counting its line end;
// each piece counts as a line of its own, so line numbers are those of the physical lines as
// long as no line is longer than that. A carriage return right before a line feed is dropped,
// so CR LF and LF read the same.
inline constexpr std::size_t kIniPieceLimit = 254;

class IniPieceReader {
  public:
    explicit IniPieceReader(std::FILE* file) : file(file) {}

    // The next piece without its line end; nothing when no characters are left or the file
    // can't be read any further (see Failed).
    std::optional<std::string> Next();

    // True when reading stopped on an error rather than at the end of the file.
    bool Failed() const { return failed; }

  private:
    // The next character with CR LF read as LF; EOF at the end or on an error.
    int NextCharacter();

    std::FILE* file;
    bool failed = false;
    // A character read ahead at the end of a full piece, handed out first by the next piece.
    int pending = EOF;
};

// A key line's first two tokens: runs of characters other than spaces and equals signs. Tabs
// and every other byte belong to the tokens. A missing token is empty.
struct IniTokens {
    std::string_view key;
    std::string_view value;
};

IniTokens SplitIniTokens(std::string_view piece);

}  // namespace config
