#include "config/ini_lines.h"

namespace config {

int IniPieceReader::NextCharacter() {
    if (pending != EOF) {
        const int c = pending;
        pending = EOF;
        return c;
    }
    int c = std::getc(file);
    if (c == '\r') {
        int next = std::getc(file);
        if (next == '\n') {
            return '\n';
        }
        if (next != EOF) {
            std::ungetc(next, file);
        }
    }
    if (c == EOF && std::ferror(file)) {
        failed = true;
    }
    return c;
}

std::optional<std::string> IniPieceReader::Next() {
    std::string piece;
    for (;;) {
        const int c = NextCharacter();
        if (c == EOF) {
            if (failed || piece.empty()) {
                return std::nullopt;
            }
            return piece;
        }
        if (c == '\n') {
            return piece;
        }
        if (piece.size() == kIniPieceLimit) {
            // The piece is full and the line goes on: the rest is the next piece.
            pending = c;
            return piece;
        }
        piece.push_back(static_cast<char>(c));
    }
}

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '=';
}

std::string_view NextToken(std::string_view& rest) {
    std::size_t start = 0;
    while (start < rest.size() && IsSeparator(rest[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) {
        ++end;
    }
    std::string_view token = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return token;
}

}  // namespace

IniTokens SplitIniTokens(std::string_view piece) {
    IniTokens tokens;
    tokens.key = NextToken(piece);
    tokens.value = NextToken(piece);
    return tokens;
}

}  // namespace config
