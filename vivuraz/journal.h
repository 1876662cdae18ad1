#pragma once

// One line of the journal: the function's name, the arguments that matter as key=value, then
// "-> " and the result, e.g.
//   VivuRAZLib_Q4870_AccessRegister device=1 direction=0 address=0x07F0 length=6 -> 0

#include <cstdint>
#include <string>
#include <string_view>

namespace vivuraz {

class JournalLine {
  public:
    explicit JournalLine(std::string_view function) : text(function) {}

    JournalLine& Add(std::string_view key, std::int32_t value);
    // A register address, as 0x and four upper-case hexadecimal digits (its 32 bits when it is
    // out of range).
    JournalLine& AddAddress(std::int32_t address);

    std::string Finish(std::int32_t result) const;

  private:
    std::string text;
};

}  // namespace vivuraz
