#pragma once

// The command line of vivuraz-sim: positional words and the options a command allows, and the
// numbers it takes. Every mistake is a UsageError whose text says what was wrong.

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vivuraz::cli {

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Arguments {
    std::vector<std::string> words;
    std::map<std::string, std::string> options;  // "--times" -> "3"; a flag maps to ""

    bool Has(const std::string& option) const { return options.contains(option); }
};

// Splits the words after the command name. `valued` options take the next word as their
// value, `flags` take none; any other word that starts with "--" is refused.
Arguments SplitArguments(std::string_view command, const std::vector<std::string>& words,
                         std::initializer_list<std::string_view> valued,
                         std::initializer_list<std::string_view> flags = {});

// Refuses anything but exactly `count` words.
void ExpectWords(std::string_view command, const Arguments& arguments, std::size_t count,
                 std::string_view usage);

// A signed decimal number from `low` to `high`; `what` names it in the message.
std::int32_t ParseNumber(std::string_view what, std::string_view text, std::int64_t low,
                         std::int64_t high);

// Six bytes of hexadecimal digits: six words of one or two digits, or one word of twelve.
std::vector<std::uint8_t> ParseVersionBytes(const std::vector<std::string>& words);

}  // namespace vivuraz::cli
