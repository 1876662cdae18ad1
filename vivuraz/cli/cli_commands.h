#pragma once

// The commands of vivuraz-sim. Each writes what it shows to `out`. A bad command line throws
// UsageError (cli_arguments.h); a state folder that can't be used throws StateError.

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace vivuraz::cli {

class StateError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Runs the command named by the first word with the words after it.
void RunCommand(const std::vector<std::string>& words, std::ostream& out);

std::string HelpText();

}  // namespace vivuraz::cli
