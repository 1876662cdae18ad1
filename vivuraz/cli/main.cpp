// vivuraz-sim: looks at and controls the simulated controller behind libvivuraz.so.1.

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "vivuraz/cli/cli_arguments.h"
#include "vivuraz/cli/cli_commands.h"

namespace {

constexpr int kStateFailure = 1;
constexpr int kUsageFailure = 2;

int Fail(int status, const std::string& message, bool pointToHelp) {
    std::cerr << "vivuraz-sim: " << message << "\n";
    if (pointToHelp) {
        std::cerr << "Try 'vivuraz-sim --help'.\n";
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h" || words[0] == "help")) {
        std::cout << vivuraz::cli::HelpText();
        return 0;
    }
    try {
        vivuraz::cli::RunCommand(words, std::cout);
        std::cout.flush();
        if (!std::cout) {
            return Fail(kStateFailure, "cannot write to standard output", false);
        }
        return 0;
    } catch (const vivuraz::cli::UsageError& error) {
        return Fail(kUsageFailure, error.what(), true);
    } catch (const vivuraz::cli::StateError& error) {
        return Fail(kStateFailure, error.what(), false);
    } catch (const std::exception& error) {
        return Fail(kStateFailure, error.what(), false);
    }
}
