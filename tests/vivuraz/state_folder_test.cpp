// The state folder: what one process stores, the next sees; two processes writing at once lose
// nothing; a change that can't be stored is reported and the old content stays.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <regex>
#include <vector>

#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::Each;
using ::testing::HasSubstr;
using Bytes = std::vector<std::uint8_t>;

class VivuRAZStateFolderTest : public simtest::SimTest {
  protected:
    VivuRAZStateFolderTest() { VivuRAZLib_Load(); }
};

using simtest::StartChild;
using simtest::WaitForChild;

TEST_F(VivuRAZStateFolderTest, WhatOneProcessWritesTheNextSees) {
    Bytes table(128, 0x00);
    table[0] = 0xAB;
    ASSERT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 0);
    ASSERT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x4321, nullptr, 0x5C), 0);

    const simtest::CliResult config = simtest::RunCli("dump config");
    EXPECT_EQ(config.exitCode, 0);
    EXPECT_EQ(Bytes(config.out.begin(), config.out.end()), table);
    const simtest::CliResult registers = simtest::RunCli("dump registers");
    ASSERT_EQ(registers.out.size(), 0x10000u);
    EXPECT_EQ(static_cast<std::uint8_t>(registers.out[0x4321]), 0x5C);
    EXPECT_THAT(simtest::RunCli("show").out, HasSubstr("configuration EEPROM: corrupt"));

    // And the other way round: what vivuraz-sim scripts, this process meets.
    ASSERT_EQ(simtest::RunCli("fail config 5 --times 1").exitCode, 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 5);
}

TEST_F(VivuRAZStateFolderTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 200;
    ASSERT_EQ(VivuRAZSim_SetJournal(1), 0);
    auto writer = [](int first) {
        return [first] {
            VivuRAZLib_Load();
            bool ok = true;
            for (int i = 0; i < kWrites; ++i) {
                ok &= VivuRAZLib_Q4870_AccessRegister(1, 1, 0x2000 + 2 * i + first, nullptr,
                                                      (i + first) & 0xFF) == 0;
            }
            return ok;
        };
    };
    const pid_t even = StartChild(writer(0));
    const pid_t odd = StartChild(writer(1));
    EXPECT_EQ(WaitForChild(even), 0);
    EXPECT_EQ(WaitForChild(odd), 0);

    const auto lines = simtest::JournalLines();
    Bytes registers(2 * kWrites);
    ASSERT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x2000, registers.data(), 2 * kWrites), 0);
    for (int i = 0; i < 2 * kWrites; ++i) {
        EXPECT_EQ(registers[static_cast<std::size_t>(i)], (i / 2 + i % 2) & 0xFF) << i;
    }
    EXPECT_EQ(lines.size(), 2u * (kWrites + 1));
    const std::regex whole(
        "VivuRAZLib_(Load|Q4870_AccessRegister device=1 direction=1 "
        "address=0x2[0-9A-F]{3} length=[0-9]+) -> 0");
    for (const std::string& line : lines) {
        EXPECT_TRUE(std::regex_match(line, whole)) << line;
    }
}

TEST_F(VivuRAZStateFolderTest, AChangeThatCannotBeStoredFailsAndTheOldContentStays) {
    Bytes table(128, 0x11);
    ASSERT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 0);
    ASSERT_EQ(VivuRAZSim_SetFault(kVivuRAZSimRegister, 9, 1), 0);
    const Bytes before = simtest::DeviceContent(1);

    // A file size limit stops every write of the state file, for root too.
    const pid_t child = StartChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        Bytes other(128, 0x22);
        Bytes image(4, 0x33);
        return VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, other.data(), 128) ==
                   kVivuRAZErrorStorage &&
               VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, image.data(), 4) ==
                   kVivuRAZErrorStorage &&
               VivuRAZLib_Q4870_AccessRegister(1, 1, 0, nullptr, 1) == kVivuRAZErrorStorage &&
               VivuRAZSim_Attach(2) == kVivuRAZErrorStorage &&
               VivuRAZSim_Reset() == kVivuRAZErrorStorage;
    });
    EXPECT_EQ(WaitForChild(child), 0);
    EXPECT_TRUE(simtest::DeviceContent(1) == before);
    DeviceList list{};
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0, nullptr, 1), 9);  // the fault is still due
}

TEST_F(VivuRAZStateFolderTest, AnUnusableFolderFailsEveryCall) {
    testsupport::WriteText(temp / "file", "not a folder");
    const struct {
        const char* name;
        std::function<void()> spoil;  // makes the folder of VIVURAZ_SIM_DIR unusable
        const char* message;
    } cases[] = {
        {"folder under a regular file",
         [&] { setenv("VIVURAZ_SIM_DIR", (temp / "file" / "state").c_str(), 1); },
         "cannot create the state folder"},
        {"damaged state file",
         [&] { testsupport::WriteText(folder / "state.bin", "vivuraz-sim state 1\nshort"); },
         "state.bin is damaged"},
        {"folder in place of the state file",
         [&] { std::filesystem::create_directories(folder / "state.bin"); }, "state.bin"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        setenv("VIVURAZ_SIM_DIR", folder.c_str(), 1);
        c.spoil();

        EXPECT_EQ(VivuRAZLib_Load(), kVivuRAZErrorStorage) << c.name;
        DeviceList list;
        std::memset(&list, 0xEE, sizeof list);
        EXPECT_EQ(VivuRAZLib_OpenDev(&list), kVivuRAZErrorStorage) << c.name;
        EXPECT_EQ(list.count, 0) << c.name;
        EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0, nullptr, 1), kVivuRAZErrorStorage)
            << c.name;
        EXPECT_EQ(VivuRAZSim_Attach(2), kVivuRAZErrorStorage) << c.name;

        const simtest::CliResult show = simtest::RunCli("show");
        EXPECT_EQ(show.exitCode, 1) << c.name;
        EXPECT_THAT(show.err, HasSubstr(c.message)) << c.name;
    }
    // A damaged state file is not repaired behind one's back, but reset starts afresh.
    setenv("VIVURAZ_SIM_DIR", folder.c_str(), 1);
    std::filesystem::remove_all(folder / "state.bin");
    testsupport::WriteText(folder / "state.bin", "garbage");
    EXPECT_EQ(simtest::RunCli("reset").exitCode, 0);
    DeviceList list{};
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 1);
}

}  // namespace
