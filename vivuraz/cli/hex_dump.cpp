#include "vivuraz/cli/hex_dump.h"

#include <algorithm>
#include <cstdio>

namespace vivuraz::cli {
namespace {

std::string DumpLine(std::span<const std::uint8_t> bytes, std::size_t offset) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%08zx ", offset);
    std::string line = cell;
    std::string characters;
    for (std::size_t i = 0; i < 16; ++i) {
        line += i == 8 ? "  " : " ";
        if (i < bytes.size()) {
            std::snprintf(cell, sizeof cell, "%02x", bytes[i]);
            line += cell;
            characters += bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '.';
        } else {
            line += "  ";
        }
    }
    return line + "  |" + characters + "|\n";
}

}  // namespace

std::string HexDump(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::size_t offset = 0; offset < bytes.size(); offset += 16) {
        text += DumpLine(bytes.subspan(offset, std::min<std::size_t>(16, bytes.size() - offset)),
                         offset);
    }
    return text;
}

}  // namespace vivuraz::cli
