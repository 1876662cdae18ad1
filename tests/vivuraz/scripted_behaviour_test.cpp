// The simulator's control interface: scripted faults, empty reads, version bytes, the journal,
// reset, and the refusal of arguments out of range.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using Bytes = std::vector<std::uint8_t>;

class VivuRAZScriptedTest : public simtest::SimTest {
  protected:
    VivuRAZScriptedTest() { VivuRAZLib_Load(); }
};

// One write of each kind, each changing what the device holds.
struct WriteCall {
    const char* name;
    std::int32_t operation;
    std::int32_t code;
    std::function<std::int32_t(int attempt)> call;
};

std::vector<WriteCall> WriteCalls() {
    return {
        {"register", kVivuRAZSimRegister, 7,
         [](int attempt) {
             return VivuRAZLib_Q4870_AccessRegister(1, 1, 0x100 + attempt, nullptr, 0xA5);
         }},
        {"config", kVivuRAZSimConfig, 5,
         [](int attempt) {
             Bytes table(128, static_cast<std::uint8_t>(attempt));
             return VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128);
         }},
        {"firmware", kVivuRAZSimFirmware, -1,
         [](int attempt) {
             Bytes image(4, static_cast<std::uint8_t>(attempt));
             return VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, image.data(), 4);
         }},
        {"open", kVivuRAZSimOpen, 3,
         [](int) {
             DeviceList list{};
             const std::int32_t status = VivuRAZLib_OpenDev(&list);
             EXPECT_EQ(list.count, 1);  // a failing open still fills the record
             EXPECT_EQ(list.device, 1);
             return status;
         }},
    };
}

TEST_F(VivuRAZScriptedTest, FaultsLastTheirCountAndChangeNothing) {
    for (const WriteCall& write : WriteCalls()) {
        ASSERT_EQ(VivuRAZSim_SetFault(write.operation, write.code, 2), 0) << write.name;
        const Bytes before = simtest::DeviceContent(1);
        // A refused call is not one of the K: the fault is still there for the next two.
        EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(9, 0, 0, nullptr, 0), kVivuRAZErrorNoSuchDevice);
        EXPECT_EQ(write.call(1), write.code) << write.name;
        EXPECT_EQ(write.call(2), write.code) << write.name;
        EXPECT_TRUE(simtest::DeviceContent(1) == before) << write.name;
        EXPECT_EQ(write.call(3), 0) << write.name;
    }
}

TEST_F(VivuRAZScriptedTest, FaultsForeverLastUntilCleared) {
    for (const WriteCall& write : WriteCalls()) {
        ASSERT_EQ(VivuRAZSim_SetFault(write.operation, write.code, kVivuRAZSimAlways), 0);
        for (int attempt = 1; attempt <= 4; ++attempt) {
            EXPECT_EQ(write.call(attempt), write.code) << write.name;
        }
        ASSERT_EQ(VivuRAZSim_ClearFaults(), 0);
        EXPECT_EQ(write.call(5), 0) << write.name;
    }
}

TEST_F(VivuRAZScriptedTest, EmptyReadsReturnSuccessAndFillNothing) {
    Bytes buffer(6, 0xEE);
    ASSERT_EQ(VivuRAZSim_SetEmptyReads(1), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, buffer.data(), 6), 0);
    EXPECT_THAT(buffer, Each(0xEE));
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, buffer.data(), 6), 0);
    EXPECT_THAT(buffer, ElementsAre(0x01, 0x75, 0x00, 0x0a, 0xb2, 0xff));

    ASSERT_EQ(VivuRAZSim_SetEmptyReads(kVivuRAZSimAlways), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::fill(buffer.begin(), buffer.end(), 0xEE);
        EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, buffer.data(), 6), 0);
        EXPECT_THAT(buffer, Each(0xEE));
    }
    // Writes still go through.
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x07F0, nullptr, 0x42), 0);
    ASSERT_EQ(VivuRAZSim_SetEmptyReads(0), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, buffer.data(), 1), 0);
    EXPECT_EQ(buffer[0], 0x42);
}

TEST_F(VivuRAZScriptedTest, VersionBytesAreSetPerDevice) {
    ASSERT_EQ(VivuRAZSim_Attach(2), 0);
    const std::uint8_t version[6] = {0x01, 0xAB, 0x00, 0xFF, 0x10, 0x7F};
    ASSERT_EQ(VivuRAZSim_SetVersion(2, version), 0);
    Bytes first(6);
    Bytes second(6);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, first.data(), 6), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(2, 0, 0x07F0, second.data(), 6), 0);
    EXPECT_THAT(first, ElementsAre(0x01, 0x75, 0x00, 0x0a, 0xb2, 0xff));
    EXPECT_THAT(second, ElementsAre(0x01, 0xAB, 0x00, 0xFF, 0x10, 0x7F));
}

TEST_F(VivuRAZScriptedTest, ArgumentsOutOfRangeAreRefused) {
    const std::uint8_t version[6] = {};
    char text[4];
    const struct {
        const char* name;
        std::function<std::int32_t()> call;
        std::int32_t expected;
    } cases[] = {
        {"attach -1", [] { return VivuRAZSim_Attach(-1); }, kVivuRAZErrorArgument},
        {"attach 17", [] { return VivuRAZSim_Attach(17); }, kVivuRAZErrorArgument},
        {"fault of operation 4", [] { return VivuRAZSim_SetFault(4, 1, 1); },
         kVivuRAZErrorArgument},
        {"fault of operation -1", [] { return VivuRAZSim_SetFault(-1, 1, 1); },
         kVivuRAZErrorArgument},
        {"fault code 0", [] { return VivuRAZSim_SetFault(0, 0, 1); }, kVivuRAZErrorArgument},
        {"fault 0 times", [] { return VivuRAZSim_SetFault(1, 5, 0); }, kVivuRAZErrorArgument},
        {"fault -2 times", [] { return VivuRAZSim_SetFault(1, 5, -2); }, kVivuRAZErrorArgument},
        {"empty reads -2 times", [] { return VivuRAZSim_SetEmptyReads(-2); },
         kVivuRAZErrorArgument},
        {"version of device 2", [&] { return VivuRAZSim_SetVersion(2, version); },
         kVivuRAZErrorArgument},
        {"version of device 0", [&] { return VivuRAZSim_SetVersion(0, version); },
         kVivuRAZErrorArgument},
        {"version without bytes", [] { return VivuRAZSim_SetVersion(1, nullptr); },
         kVivuRAZErrorBuffer},
        {"empty folder name", [] { return VivuRAZSim_SetStateFolder(""); }, kVivuRAZErrorArgument},
        {"journal into nothing", [] { return VivuRAZSim_ReadJournal(nullptr, 4); },
         kVivuRAZErrorArgument},
        {"journal of size -1", [&] { return VivuRAZSim_ReadJournal(text, -1); },
         kVivuRAZErrorArgument},
    };
    const Bytes before = simtest::DeviceContent(1);
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(), c.expected) << c.name;
    }
    EXPECT_TRUE(simtest::DeviceContent(1) == before);
    Bytes table(128);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 0);  // no fault set
}

TEST_F(VivuRAZScriptedTest, JournalRecordsEveryCallInOrder) {
    ASSERT_EQ(VivuRAZSim_SetJournal(1), 0);
    ASSERT_EQ(VivuRAZSim_SetFault(kVivuRAZSimFirmware, -1, 1), 0);
    DeviceList list{};
    Bytes table(128, 0xFF);
    Bytes read(6);
    Bytes image = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};
    VivuRAZLib_Load();
    VivuRAZLib_OpenDev(&list);
    VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, read.data(), 6);
    VivuRAZLib_Q4870_AccessRegister(1, 1, 0x0010, nullptr, 0xA5);
    VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128);
    VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, image.data(), 7);
    VivuRAZLib_Q4870_AccessConfigEEPROM(2, 1, table.data(), 127);
    VivuRAZLib_OpenDev(nullptr);
    VivuRAZLib_Unload();
    VivuRAZLib_OpenDev(&list);
    EXPECT_THAT(
        simtest::JournalLines(),
        ElementsAre("VivuRAZLib_Load -> 0", "VivuRAZLib_OpenDev count=1 device=1 -> 0",
                    "VivuRAZLib_Q4870_AccessRegister device=1 direction=0 address=0x07F0 "
                    "length=6 -> 0",
                    "VivuRAZLib_Q4870_AccessRegister device=1 direction=1 address=0x0010 "
                    "length=165 -> 0",
                    "VivuRAZLib_Q4870_AccessConfigEEPROM device=1 direction=1 length=128 -> 0",
                    "VivuRAZLib_Q4870_AccessFirmwareEEPROM device=1 direction=1 length=7 -> -1",
                    "VivuRAZLib_Q4870_AccessConfigEEPROM device=2 direction=1 length=127 -> -2",
                    "VivuRAZLib_OpenDev -> -4", "VivuRAZLib_Unload -> 0",
                    "VivuRAZLib_OpenDev count=0 device=0 -> -1"));

    // A cut copy still reports the whole length.
    char cut[8];
    EXPECT_EQ(VivuRAZSim_ReadJournal(cut, sizeof cut), VivuRAZSim_ReadJournal(nullptr, 0));
    EXPECT_STREQ(cut, "VivuRAZ");

    ASSERT_EQ(VivuRAZSim_SetJournal(0), 0);
    VivuRAZLib_Load();
    EXPECT_EQ(simtest::JournalLines().size(), 10u);
    ASSERT_EQ(VivuRAZSim_ClearJournal(), 0);
    EXPECT_TRUE(simtest::JournalLines().empty());
}

TEST_F(VivuRAZScriptedTest, ResetReturnsToFirstUse) {
    ASSERT_EQ(VivuRAZSim_Attach(3), 0);
    ASSERT_EQ(VivuRAZSim_SetFault(kVivuRAZSimConfig, 5, kVivuRAZSimAlways), 0);
    ASSERT_EQ(VivuRAZSim_SetEmptyReads(kVivuRAZSimAlways), 0);
    ASSERT_EQ(VivuRAZSim_SetJournal(1), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x07F0, nullptr, 0x00), 0);

    ASSERT_EQ(VivuRAZSim_Reset(), 0);
    EXPECT_TRUE(simtest::JournalLines().empty());
    DeviceList list{};
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 1);
    Bytes table(128, 0x00);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 0, table.data(), 128), 0);
    EXPECT_THAT(table, Each(0xFF));
    Bytes version(6);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x07F0, version.data(), 6), 0);
    EXPECT_THAT(version, ElementsAre(0x01, 0x75, 0x00, 0x0a, 0xb2, 0xff));
    EXPECT_TRUE(simtest::JournalLines().empty());  // the journal is off again
}

TEST_F(VivuRAZScriptedTest, StateFolderCanBeSetForTheProcess) {
    const std::filesystem::path other = temp / "other";
    ASSERT_EQ(VivuRAZSim_SetStateFolder(other.c_str()), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x30, nullptr, 0x99), 0);
    EXPECT_TRUE(std::filesystem::exists(other / "state.bin"));
    ASSERT_EQ(VivuRAZSim_SetStateFolder(nullptr), 0);
    Bytes value(1);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 0, 0x30, value.data(), 1), 0);
    EXPECT_EQ(value[0], 0x00);  // the folder of VIVURAZ_SIM_DIR was not touched
}

}  // namespace
