// The binding over the real device library: the call sequences of each unload policy (seen in
// the library's journal), the choice of the first usable device, and the access calls.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/device_library.h"
#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;
using device::LibrarySession;
using device::UnloadPolicy;

using simtest::kLoad;
using simtest::kOpen;
using simtest::kUnload;

class DeviceBindingTest : public simtest::SimTest {
  protected:
    DeviceBindingTest() { VivuRAZSim_SetJournal(1); }
};

// What an operation does inside its session once the device is open.
using Accesses = std::function<void(const device::Device&)>;

void ReadVersion(const device::Device& device) {
    Bytes version(6);
    EXPECT_EQ(device.ReadRegisters(0x07F0, version), 0);
}

void WriteRegister(const device::Device& device) {
    EXPECT_EQ(device.WriteRegister(0x0010, 0xA5), 0);
}

void Download(const device::Device& device) {
    const Bytes table(128, 0xFF);
    const Bytes image = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};
    EXPECT_EQ(device.WriteConfigEEPROM(std::span<const std::uint8_t, 128>(table.data(), 128)), 0);
    EXPECT_EQ(device.WriteFirmwareEEPROM(image), 0);
}

// Runs one operation: a session, the device opened, its accesses, and an exception at the end
// when `raise` says so (caught here, as the procedures catch theirs).
void RunOperation(UnloadPolicy policy, const Accesses& accesses, bool raise) {
    try {
        LibrarySession session(policy);
        const auto opened = session.OpenFirstDevice();
        ASSERT_TRUE(opened.has_value());
        accesses(*opened);
        if (raise) {
            throw std::runtime_error("raised inside the session");
        }
    } catch (const std::runtime_error&) {
    }
}

TEST_F(DeviceBindingTest, EachPolicyMakesItsCallSequence) {
    const std::string read =
        "VivuRAZLib_Q4870_AccessRegister device=1 direction=0 address=0x07F0 length=6 -> 0";
    const std::string write =
        "VivuRAZLib_Q4870_AccessRegister device=1 direction=1 address=0x0010 length=165 -> 0";
    const std::string config =
        "VivuRAZLib_Q4870_AccessConfigEEPROM device=1 direction=1 length=128 -> 0";
    const std::string firmware =
        "VivuRAZLib_Q4870_AccessFirmwareEEPROM device=1 direction=1 length=7 -> 0";
    const struct {
        const char* name;
        UnloadPolicy policy;
        Accesses accesses;
        bool raise;
        std::vector<std::string> journal;
    } cases[] = {
        {"version query",
         UnloadPolicy::UnloadAtEnd,
         ReadVersion,
         false,
         {kLoad, kOpen, read, kUnload}},
        {"version query, exception",
         UnloadPolicy::UnloadAtEnd,
         ReadVersion,
         true,
         {kLoad, kOpen, read, kUnload}},
        {"download",
         UnloadPolicy::UnloadAtEnd,
         Download,
         false,
         {kLoad, kOpen, config, firmware, kUnload}},
        {"download, exception",
         UnloadPolicy::UnloadAtEnd,
         Download,
         true,
         {kLoad, kOpen, config, firmware, kUnload}},
        {"register read", UnloadPolicy::KeepLoaded, ReadVersion, false, {kLoad, kOpen, read}},
        {"register write", UnloadPolicy::KeepLoaded, WriteRegister, false, {kLoad, kOpen, write}},
        {"register write, exception",
         UnloadPolicy::KeepLoaded,
         WriteRegister,
         true,
         {kLoad, kOpen, write}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(VivuRAZSim_ClearJournal(), 0);
        RunOperation(c.policy, c.accesses, c.raise);
        EXPECT_THAT(simtest::JournalLines(), ElementsAreArray(c.journal)) << c.name;
    }
}

TEST_F(DeviceBindingTest, OnlyAUsableDeviceIsOpened) {
    const struct {
        const char* name;
        std::function<void()> script;
        std::string open;
    } cases[] = {
        {"no device", [] { VivuRAZSim_Attach(0); }, "VivuRAZLib_OpenDev count=0 device=0 -> 0"},
        {"open fails with a device found",
         [] { VivuRAZSim_SetFault(kVivuRAZSimOpen, 3, kVivuRAZSimAlways); },
         "VivuRAZLib_OpenDev count=1 device=1 -> 3"},
        {"open fails with -1", [] { VivuRAZSim_SetFault(kVivuRAZSimOpen, -1, 1); },
         "VivuRAZLib_OpenDev count=1 device=1 -> -1"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(VivuRAZSim_Reset(), 0);
        ASSERT_EQ(VivuRAZSim_SetJournal(1), 0);
        c.script();
        {
            LibrarySession session(UnloadPolicy::UnloadAtEnd);
            EXPECT_FALSE(session.OpenFirstDevice().has_value()) << c.name;
        }
        EXPECT_THAT(simtest::JournalLines(), ElementsAre(kLoad, c.open, kUnload)) << c.name;
    }
}

TEST_F(DeviceBindingTest, TheFirstOfTwoDevicesIsWritten) {
    ASSERT_EQ(VivuRAZSim_Attach(2), 0);
    Bytes table(128, 0x00);
    {
        LibrarySession session(UnloadPolicy::UnloadAtEnd);
        const auto opened = session.OpenFirstDevice();
        ASSERT_TRUE(opened.has_value());
        EXPECT_EQ(opened->Reference(), 1);
        EXPECT_EQ(opened->WriteConfigEEPROM(std::span<const std::uint8_t, 128>(table)), 0);
    }
    EXPECT_EQ(simtest::RunCli("dump config --device 1").out, std::string(128, '\0'));
    EXPECT_EQ(simtest::RunCli("dump config --device 2").out, std::string(128, '\xFF'));
}

TEST_F(DeviceBindingTest, AccessCallsReturnTheLibrarysCode) {
    ASSERT_EQ(VivuRAZSim_SetFault(kVivuRAZSimConfig, 5, kVivuRAZSimAlways), 0);
    ASSERT_EQ(VivuRAZSim_SetFault(kVivuRAZSimFirmware, -1, kVivuRAZSimAlways), 0);
    ASSERT_EQ(VivuRAZSim_SetFault(kVivuRAZSimRegister, -1, 1), 0);
    LibrarySession session(UnloadPolicy::UnloadAtEnd);
    const auto opened = session.OpenFirstDevice();
    ASSERT_TRUE(opened.has_value());
    const Bytes table(128, 0xFF);
    const Bytes image(7, 0x00);
    EXPECT_EQ(opened->WriteConfigEEPROM(std::span<const std::uint8_t, 128>(table)), 5);
    EXPECT_EQ(opened->WriteFirmwareEEPROM(image), -1);
    EXPECT_EQ(opened->WriteRegister(0x0020, 0x01), -1);
    // An image larger than the firmware EEPROM goes to the library whole, which refuses it.
    EXPECT_EQ(opened->WriteFirmwareEEPROM(Bytes(65540, 0x00)), kVivuRAZErrorLength);
}

TEST_F(DeviceBindingTest, RegisterReadsStartFromZeros) {
    ASSERT_EQ(VivuRAZSim_SetEmptyReads(1), 0);
    LibrarySession session(UnloadPolicy::KeepLoaded);
    const auto opened = session.OpenFirstDevice();
    ASSERT_TRUE(opened.has_value());
    Bytes buffer(6, 0xEE);
    EXPECT_EQ(opened->ReadRegisters(0x07F0, buffer), 0);
    EXPECT_THAT(buffer, Each(0x00));
    EXPECT_EQ(opened->ReadRegisters(0x07F0, buffer), 0);
    EXPECT_THAT(buffer, ElementsAre(0x01, 0x75, 0x00, 0x0a, 0xb2, 0xff));
    Bytes nothing;
    EXPECT_EQ(opened->ReadRegisters(0x0000, nothing), 0);
}

}  // namespace
