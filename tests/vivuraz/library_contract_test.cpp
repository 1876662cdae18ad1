// The six functions of libvivuraz.so.1: what they do with good arguments and how each documented
// error is refused without a change.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

const Bytes kFirstUseVersion = {0x01, 0x75, 0x00, 0x0a, 0xb2, 0xff};

class VivuRAZLibraryTest : public simtest::SimTest {
  protected:
    VivuRAZLibraryTest() { VivuRAZLib_Load(); }

    static Bytes ReadRegisters(std::int32_t device, std::int32_t address, std::int32_t length) {
        Bytes bytes(static_cast<std::size_t>(length));
        EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(device, 0, address, bytes.data(), length), 0);
        return bytes;
    }
    static Bytes ReadConfig(std::int32_t device) {
        Bytes bytes(128);
        EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(device, 0, bytes.data(), 128), 0);
        return bytes;
    }
    static Bytes ReadFirmware(std::int32_t device, std::int32_t length) {
        Bytes bytes(static_cast<std::size_t>(length));
        EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(device, 0, bytes.data(), length), 0);
        return bytes;
    }
};

TEST_F(VivuRAZLibraryTest, FirstUseHasOneErasedDeviceWithVersionBytes) {
    DeviceList list;
    std::memset(&list, 0xEE, sizeof list);
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.device, 1);
    EXPECT_THAT(list.reserved, Each(0));
    EXPECT_THAT(ReadConfig(1), Each(0xFF));
    EXPECT_THAT(ReadFirmware(1, 16), Each(0xFF));
    EXPECT_EQ(ReadRegisters(1, 0x07F0, 6), kFirstUseVersion);
    EXPECT_THAT(ReadRegisters(1, 0x07E0, 16), Each(0));
}

TEST_F(VivuRAZLibraryTest, WritesAreReadBack) {
    for (auto [address, value] : {std::pair{0x0000, 0x00}, {0x1234, 0xA5}, {0xFFFF, 0xFF}}) {
        EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, address, nullptr, value), 0);
        EXPECT_THAT(ReadRegisters(1, address, 1), ElementsAre(value));
    }

    Bytes table(128);
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<std::uint8_t>(i * 7);
    }
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 0);
    EXPECT_EQ(ReadConfig(1), table);

    // A firmware write replaces the whole image; past it the EEPROM reads erased.
    Bytes image = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};
    EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, image.data(), 7), 0);
    EXPECT_THAT(ReadFirmware(1, 9),
                ElementsAre(0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26, 0xFF, 0xFF));
    Bytes empty = {0x00, 0x00, 0x5A, 0x00};
    EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, empty.data(), 4), 0);
    EXPECT_THAT(ReadFirmware(1, 7), ElementsAre(0x00, 0x00, 0x5A, 0x00, 0xFF, 0xFF, 0xFF));

    Bytes largest(65539, 0x42);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, largest.data(), 65539), 0);
    EXPECT_EQ(ReadFirmware(1, 65539), largest);
}

// The cases are made with two devices attached; both must hold afterwards exactly what they
// held before.
TEST_F(VivuRAZLibraryTest, RefusedCallsChangeNothing) {
    ASSERT_EQ(VivuRAZSim_Attach(2), 0);
    std::vector<std::uint8_t> big(0x20000, 0x11);
    std::uint8_t* buffer = big.data();
    using Call = std::function<std::int32_t()>;
    auto reg = [](auto... a) { return [=] { return VivuRAZLib_Q4870_AccessRegister(a...); }; };
    auto cfg = [](auto... a) { return [=] { return VivuRAZLib_Q4870_AccessConfigEEPROM(a...); }; };
    auto fw = [](auto... a) { return [=] { return VivuRAZLib_Q4870_AccessFirmwareEEPROM(a...); }; };
    std::uint8_t* null = nullptr;
    const struct {
        const char* name;
        Call call;
        std::int32_t expected;
    } cases[] = {
        {"register, device 0", reg(0, 1, 0, null, 1), kVivuRAZErrorNoSuchDevice},
        {"register, device 3", reg(3, 1, 0, null, 1), kVivuRAZErrorNoSuchDevice},
        {"register, device -1", reg(-1, 0, 0, buffer, 1), kVivuRAZErrorNoSuchDevice},
        {"register, direction 2", reg(1, 2, 0, buffer, 1), kVivuRAZErrorDirection},
        {"register, direction -1", reg(1, -1, 0, null, 1), kVivuRAZErrorDirection},
        {"register read, null buffer", reg(1, 0, 0, null, 4), kVivuRAZErrorBuffer},
        {"register write, buffer given", reg(1, 1, 0, buffer, 1), kVivuRAZErrorBuffer},
        {"register write, address 0x10000", reg(1, 1, 0x10000, null, 1), kVivuRAZErrorAddress},
        {"register read, address -1", reg(1, 0, -1, buffer, 1), kVivuRAZErrorAddress},
        {"register read past 0xFFFF", reg(1, 0, 0xFFFF, buffer, 2), kVivuRAZErrorAddress},
        {"register read of 0x10001", reg(1, 0, 0, buffer, 0x10001), kVivuRAZErrorAddress},
        {"register read, length -1", reg(1, 0, 0, buffer, -1), kVivuRAZErrorLength},
        {"register write, value 0x100", reg(1, 1, 0, null, 0x100), kVivuRAZErrorLength},
        {"register write, value -1", reg(1, 1, 0, null, -1), kVivuRAZErrorLength},
        {"register read of the last byte", reg(2, 0, 0xFFFF, buffer, 1), kVivuRAZSuccess},
        {"register read of everything", reg(2, 0, 0, buffer, 0x10000), kVivuRAZSuccess},
        {"register read of nothing", reg(1, 0, 0x10, null, 0), kVivuRAZSuccess},
        {"config, device 3", cfg(3, 1, buffer, 128), kVivuRAZErrorNoSuchDevice},
        {"config, direction 2", cfg(1, 2, buffer, 128), kVivuRAZErrorDirection},
        {"config write, null buffer", cfg(1, 1, null, 128), kVivuRAZErrorBuffer},
        {"config write of 127", cfg(1, 1, buffer, 127), kVivuRAZErrorLength},
        {"config write of 129", cfg(2, 1, buffer, 129), kVivuRAZErrorLength},
        {"config read of 64", cfg(1, 0, buffer, 64), kVivuRAZErrorLength},
        {"firmware, device 0", fw(0, 1, buffer, 4), kVivuRAZErrorNoSuchDevice},
        {"firmware, direction 5", fw(1, 5, buffer, 4), kVivuRAZErrorDirection},
        {"firmware write, null buffer", fw(1, 1, null, 4), kVivuRAZErrorBuffer},
        {"firmware write of 65540", fw(2, 1, buffer, 65540), kVivuRAZErrorLength},
        {"firmware write of -1", fw(1, 1, buffer, -1), kVivuRAZErrorLength},
        {"firmware read of nothing", fw(1, 0, null, 0), kVivuRAZSuccess},
        {"open, null record", [] { return VivuRAZLib_OpenDev(nullptr); }, kVivuRAZErrorBuffer},
    };
    const Bytes before1 = simtest::DeviceContent(1);
    const Bytes before2 = simtest::DeviceContent(2);
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(), c.expected) << c.name;
    }
    EXPECT_TRUE(simtest::DeviceContent(1) == before1);
    EXPECT_TRUE(simtest::DeviceContent(2) == before2);
}

TEST_F(VivuRAZLibraryTest, CallsOutsideLoadAndUnloadAreRefused) {
    Bytes buffer(128, 0x00);
    EXPECT_EQ(VivuRAZLib_Unload(), 0);
    EXPECT_EQ(VivuRAZLib_Unload(), kVivuRAZErrorNotLoaded);

    DeviceList list;
    std::memset(&list, 0xEE, sizeof list);
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), kVivuRAZErrorNotLoaded);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x10, nullptr, 0xA5), kVivuRAZErrorNotLoaded);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, buffer.data(), 128),
              kVivuRAZErrorNotLoaded);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(1, 1, buffer.data(), 4),
              kVivuRAZErrorNotLoaded);

    EXPECT_EQ(VivuRAZLib_Load(), 0);
    EXPECT_THAT(ReadConfig(1), Each(0xFF));
    EXPECT_THAT(ReadRegisters(1, 0x10, 1), ElementsAre(0x00));
    EXPECT_THAT(ReadFirmware(1, 4), Each(0xFF));
}

TEST_F(VivuRAZLibraryTest, WritesReachOnlyTheDeviceNamed) {
    ASSERT_EQ(VivuRAZSim_Attach(2), 0);
    DeviceList list{};
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.device, 1);
    EXPECT_THAT(Bytes(list.reserved, list.reserved + 8), ElementsAre(2, 0, 0, 0, 0, 0, 0, 0));

    Bytes table(128, 0x5A);
    Bytes image = {0x00, 0x00, 0x5A, 0x00};
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(2, 1, table.data(), 128), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(2, 1, image.data(), 4), 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x20, nullptr, 0x77), 0);
    EXPECT_THAT(ReadConfig(1), Each(0xFF));
    EXPECT_THAT(ReadFirmware(1, 4), Each(0xFF));
    EXPECT_EQ(ReadConfig(2), table);
    EXPECT_THAT(ReadRegisters(2, 0x20, 1), ElementsAre(0x00));

    // Devices that stay attached keep their content; one attached anew starts erased.
    ASSERT_EQ(VivuRAZSim_Attach(1), 0);
    ASSERT_EQ(VivuRAZSim_Attach(2), 0);
    EXPECT_THAT(ReadRegisters(1, 0x20, 1), ElementsAre(0x77));
    EXPECT_THAT(ReadConfig(2), Each(0xFF));

    ASSERT_EQ(VivuRAZSim_Attach(0), 0);
    std::memset(&list, 0xEE, sizeof list);
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.device, 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(1, 1, 0x20, nullptr, 1), kVivuRAZErrorNoSuchDevice);
}

}  // namespace
