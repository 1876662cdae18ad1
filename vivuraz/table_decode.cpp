#include "vivuraz/table_decode.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

namespace vivuraz {
namespace {

constexpr std::uint8_t kMarker = 0x5A;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

unsigned Word(std::span<const std::uint8_t, 128> table, std::size_t at) {
    return table[at] | (table[at + 1] << 8);
}

// A text field up to its 0xFF fill, with bytes that don't print as \xNN.
std::string Text(std::span<const std::uint8_t> field) {
    auto end = field.end();
    while (end != field.begin() && *(end - 1) == 0xFF) {
        --end;
    }
    std::string text;
    for (auto it = field.begin(); it != end; ++it) {
        if (*it >= 0x20 && *it < 0x7F && *it != '\\' && *it != '"') {
            text += static_cast<char>(*it);
        } else {
            text += "\\x" + Hex(*it, 2);
        }
    }
    return text;
}

std::string Speed(std::uint8_t code) {
    switch (code) {
        case 0x00:
            return "full";
        case 0x01:
            return "high";
        case 0x02:
            return "super";
        default:
            return "unknown (0x" + Hex(code, 2) + ")";
    }
}

std::uint8_t Sum(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

std::string Identity(std::span<const std::uint8_t, 128> table) {
    const unsigned language = Word(table, 122);
    const std::uint8_t power = table[125];
    return "    vendor ID:       " + Hex(Word(table, 116), 4) +
           "\n    product ID:      " + Hex(Word(table, 118), 4) +
           "\n    device revision: " + Hex(Word(table, 120), 4) + "\n    serial number:   \"" +
           Text(table.subspan(4, 20)) + "\"" + "\n    manufacturer:    \"" +
           Text(table.subspan(24, 44)) + "\"" + "\n    product:         \"" +
           Text(table.subspan(68, 48)) + "\"" + "\n    highest speed:   " + Speed(table[124]) +
           "\n    language ID:     " + (language == 0xFFFF ? "English" : "0x" + Hex(language, 4)) +
           "\n    power mode:      " + (power == 0xFF ? "self" : "0x" + Hex(power, 2));
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : "; ") + part;
    }
    return text;
}

}  // namespace

std::string DescribeConfig(std::span<const std::uint8_t, 128> table) {
    if (std::all_of(table.begin(), table.end(), [](std::uint8_t b) { return b == 0xFF; })) {
        return "erased";
    }
    std::vector<std::string> faults;
    if (table[126] != kMarker) {
        faults.push_back("marker 0x" + Hex(table[126], 2) + " (expected 0x5A)");
    }
    const std::uint8_t checksum = Sum(table.subspan(4, 123));
    if (table[127] != checksum) {
        faults.push_back("checksum 0x" + Hex(table[127], 2) + " (expected 0x" + Hex(checksum, 2) +
                         ")");
    }
    if (!faults.empty()) {
        return "corrupt: " + Joined(faults);
    }
    return "sealed\n" + Identity(table);
}

std::string DescribeFirmware(std::span<const std::uint8_t> image) {
    if (image.empty()) {
        return "empty";
    }
    if (image.size() < 4) {
        return "corrupt: " + std::to_string(image.size()) + " bytes stored, too short for an image";
    }
    const std::size_t length = image[0] | (image[1] << 8);
    const std::string size = "image of " + std::to_string(length) + " data bytes, ";
    if (image.size() != length + 4) {
        return size + "corrupt: " + std::to_string(image.size()) + " bytes stored (expected " +
               std::to_string(length + 4) + ")";
    }
    std::vector<std::string> faults;
    if (image[2 + length] != kMarker) {
        faults.push_back("marker 0x" + Hex(image[2 + length], 2) + " (expected 0x5A)");
    }
    const std::uint8_t sum = Sum(image.subspan(2, length));
    if (image[3 + length] != sum) {
        faults.push_back("sum 0x" + Hex(image[3 + length], 2) + " (expected 0x" + Hex(sum, 2) +
                         ")");
    }
    return size + (faults.empty() ? "intact" : "corrupt: " + Joined(faults));
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        char cell[4];
        std::snprintf(cell, sizeof cell, "%02x", byte);
        text += (text.empty() ? "" : " ") + std::string(cell);
    }
    return text;
}

}  // namespace vivuraz
