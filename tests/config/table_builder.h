#pragma once

// Expected tables written as the bytes that differ from the erased table.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "config/config_table.h"

namespace configtest {

struct Patch {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

// The text's characters as table bytes.
inline std::vector<std::uint8_t> Chars(std::string_view text) {
    return {text.begin(), text.end()};
}

// An erased table with the patches applied, sealed when asked.
inline config::ConfigTable TableWith(const std::vector<Patch>& patches, bool sealed) {
    config::ConfigTable table;
    config::EraseConfigTable(table);
    for (const Patch& patch : patches) {
        for (std::size_t i = 0; i < patch.bytes.size(); ++i) {
            table.bytes.at(patch.offset + i) = patch.bytes[i];
        }
    }
    if (sealed) {
        config::SealConfigTable(table);
    }
    return table;
}

}  // namespace configtest
