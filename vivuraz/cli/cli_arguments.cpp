#include "vivuraz/cli/cli_arguments.h"

#include <algorithm>
#include <charconv>

namespace vivuraz::cli {
namespace {

bool Listed(std::initializer_list<std::string_view> list, std::string_view word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

std::optional<std::uint8_t> HexByte(std::string_view text) {
    unsigned value = 0;
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

Arguments SplitArguments(std::string_view command, const std::vector<std::string>& words,
                         std::initializer_list<std::string_view> valued,
                         std::initializer_list<std::string_view> flags) {
    Arguments arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!word.starts_with("--")) {
            arguments.words.push_back(word);
        } else if (Listed(flags, word)) {
            arguments.options[word] = "";
        } else if (!Listed(valued, word)) {
            throw UsageError(std::string(command) + ": unknown option '" + word + "'");
        } else if (i + 1 == words.size()) {
            throw UsageError(std::string(command) + ": " + word + " needs a value");
        } else {
            arguments.options[word] = words[++i];
        }
    }
    return arguments;
}

void ExpectWords(std::string_view command, const Arguments& arguments, std::size_t count,
                 std::string_view usage) {
    if (arguments.words.size() != count) {
        throw UsageError(std::string(command) + ": expected " + std::string(usage));
    }
}

std::int32_t ParseNumber(std::string_view what, std::string_view text, std::int64_t low,
                         std::int64_t high) {
    std::int64_t value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last || value < low || value > high) {
        throw UsageError(std::string(what) + " must be a decimal number from " +
                         std::to_string(low) + " to " + std::to_string(high) + ", not '" +
                         std::string(text) + "'");
    }
    return static_cast<std::int32_t>(value);
}

std::vector<std::uint8_t> ParseVersionBytes(const std::vector<std::string>& words) {
    std::vector<std::string> cells = words;
    if (words.size() == 1 && words[0].size() == 12) {
        cells.clear();
        for (std::size_t i = 0; i < 12; i += 2) {
            cells.push_back(words[0].substr(i, 2));
        }
    }
    std::vector<std::uint8_t> bytes;
    for (const std::string& cell : cells) {
        if (auto byte = HexByte(cell)) {
            bytes.push_back(*byte);
        } else {
            throw UsageError("version: '" + cell + "' is not a hexadecimal byte (00 to ff)");
        }
    }
    if (bytes.size() != 6) {
        throw UsageError("version: expected six hexadecimal bytes, such as 01 75 00 0a b2 ff");
    }
    return bytes;
}

}  // namespace vivuraz::cli
