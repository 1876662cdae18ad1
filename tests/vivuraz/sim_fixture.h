#pragma once

// Shared by the tests of the device library and of its binding: a fresh state folder per test,
// named through VIVURAZ_SIM_DIR as a person would name it; the journal as lines; vivuraz-sim run
// as its own process.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace simtest {

class SimTest : public ::testing::Test {
  protected:
    SimTest();
    ~SimTest() override;

    testsupport::TempDir temp;
    std::filesystem::path folder;  // not created: the library makes it on first use
};

// Runs `work` in a child process, which exits 0 when it returns true and 1 otherwise; the child
// never returns here.
pid_t StartChild(const std::function<bool()>& work);

// The child's exit code, or 128 and the signal's number when a signal ended it (as a shell
// tells it).
int WaitForChild(pid_t pid);

// The journal's lines, without their line ends.
std::vector<std::string> JournalLines();

// The journal lines of a successful load, open of the one attached device, and unload.
inline const std::string kLoad = "VivuRAZLib_Load -> 0";
inline const std::string kOpen = "VivuRAZLib_OpenDev count=1 device=1 -> 0";
inline const std::string kUnload = "VivuRAZLib_Unload -> 0";

struct CliResult {
    int exitCode = -1;  // -1 when the process did not exit normally (a crash)
    std::string out;
    std::string err;
};

// Runs vivuraz-sim with `arguments` (shell words), after `environment` (e.g. "env -u HOME").
CliResult RunCli(const std::string& arguments, const std::string& environment = "");

// Everything a device holds as vivuraz-sim dumps it, so that no scripted behaviour of the
// library is met on the way: configuration EEPROM, firmware EEPROM, register space.
std::vector<std::uint8_t> DeviceContent(std::int32_t device);

}  // namespace simtest
