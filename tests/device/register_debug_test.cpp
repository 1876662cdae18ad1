// The register debug dialog's READ and WRITE logic against the real device library: the
// hexadecimal field rules, the grid text, the boxes and the calls each press makes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/hex_field.h"
#include "device/register_access.h"
#include "device/register_fields.h"
#include "device/register_grid.h"
#include "tests/support/scripted_prompts.h"
#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using testsupport::AppErrorBox;
using testsupport::ErrorBox;

const std::string kInvalidAddress = "Invalid value for register address";
const std::string kInvalidLength = "Invalid value for register length";

struct HexCase {
    std::string text;
    std::uint32_t value;
};

TEST(HexFieldTest, ReadsLikeA32BitStrtoulInBase16) {
    const std::vector<HexCase> cases = {
        {"", 0},
        {"FFFF", 0xFFFF},
        {"0x7F0", 0x7F0},
        {"0X7f0", 0x7F0},
        {" \t\n1A", 0x1A},
        {"+10", 0x10},
        {"12G4", 0x12},
        {"G", 0},
        {"0x", 0},
        {"0xG", 0},
        {" ", 0},
        {"0000000000000000001", 1},
        {"FFFFFFFF", 0xFFFFFFFF},
        {"100000000", 0xFFFFFFFF},
        {"-1", 0xFFFFFFFF},
        {"-0x10", 0xFFFFFFF0},
        {"-0", 0},
        {"-100000000", 0xFFFFFFFF},
        {"+-1", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device::ParseHexUnsignedLong(c.text), c.value) << '"' << c.text << '"';
    }
}

struct FieldCase {
    std::string text;
    std::optional<std::uint32_t> address;
    std::optional<std::uint32_t> length;
    std::optional<std::uint32_t> value;
};

TEST(RegisterFieldsTest, AddressLengthAndValueRules) {
    const auto none = std::nullopt;
    const std::vector<FieldCase> cases = {
        // text       address   length    value
        {"", none, none, none},
        {"0", 0, 0, 0},
        {"00", 0, none, 0},
        {"0x0", 0, none, 0},
        {" 0", 0, none, 0},
        {"G", 0, none, 0},
        {" ", 0, none, 0},
        {"A5", 0xA5, 0xA5, 0xA5},
        {"FF", 0xFF, 0xFF, 0xFF},
        {"1A5", 0x1A5, 0x1A5, none},
        {"0x7F0", 0x7F0, 0x7F0, none},
        {"FFFF", 0xFFFF, 0xFFFF, none},
        {"10000", none, none, none},
        {"-1", none, none, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE('"' + c.text + '"');
        const auto address = device::RegisterAddressField(c.text);
        const auto length = device::RegisterLengthField(c.text);
        const auto value = device::RegisterValueField(c.text);
        EXPECT_EQ(address ? std::optional<std::uint32_t>(*address) : none, c.address);
        EXPECT_EQ(length ? std::optional<std::uint32_t>(*length) : none, c.length);
        EXPECT_EQ(value ? std::optional<std::uint32_t>(*value) : none, c.value);
    }
}

TEST(RegisterGridTest, CellsLinesAndSeparators) {
    const std::vector<std::uint8_t> bytes = {0x00, 0x0A, 0xFF};
    const std::string grid = device::RegisterGridText(bytes);
    ASSERT_EQ(grid.size(), device::kGridTextLength);
    EXPECT_EQ(grid.substr(0, 10), "00 0A FF  ");
    EXPECT_EQ(grid.find_first_not_of(' ', 8), 47u);  // the first line feed ends line 00
    EXPECT_EQ(grid.back(), ' ');                     // no line feed after the last line
}

// The six firmware version bytes at 0x07F0 on a device as on first use; zeros after them.
std::uint8_t RegisterAt7F0(std::size_t i) {
    static const std::vector<std::uint8_t> version = {0x01, 0x75, 0x00, 0x0A, 0xB2, 0xFF};
    return i < version.size() ? version[i] : 0x00;
}

std::string Cell(const std::string& grid, std::size_t i) {
    return grid.substr(3 * i, 2);
}

class RegisterDebugTest : public simtest::SimTest {
  protected:
    RegisterDebugTest() { VivuRAZSim_SetJournal(1); }

    std::optional<std::string> Read(const std::string& address, const std::string& length) {
        return device::OnRead(address, length, prompts);
    }
    void Write(const std::string& address, const std::string& value) {
        device::OnWrite(address, value, prompts);
    }

    testsupport::ScriptedPrompts prompts;
};

struct GridCase {
    std::string lengthText;
    std::size_t lengthRead;
    std::size_t cellsFilled;
};

TEST_F(RegisterDebugTest, ReadFillsAsManyCellsAsBytesUpToTheWholeGrid) {
    const std::vector<GridCase> cases = {
        {"0", 0, 0},    {"6", 6, 6},       {"10", 16, 16},
        {"11", 17, 17}, {"100", 256, 256}, {"200", 512, 256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("length " + c.lengthText);
        VivuRAZSim_ClearJournal();
        const auto grid = Read("7F0", c.lengthText);
        ASSERT_TRUE(grid.has_value());
        ASSERT_EQ(grid->size(), device::kGridTextLength);
        for (std::size_t i = 0; i < device::kGridCells; ++i) {
            char digits[3] = "  ";
            if (i < c.cellsFilled) {
                std::snprintf(digits, sizeof digits, "%02X", RegisterAt7F0(i));
            }
            ASSERT_EQ(Cell(*grid, i), digits) << "cell " << i;
            if (i + 1 < device::kGridCells) {  // the last cell ends the text
                ASSERT_EQ((*grid)[3 * i + 2], i % 16 == 15 ? '\n' : ' ') << "after cell " << i;
            }
        }
        EXPECT_THAT(simtest::JournalLines(),
                    ElementsAre(simtest::kLoad, simtest::kOpen,
                                "VivuRAZLib_Q4870_AccessRegister device=1 direction=0 "
                                "address=0x07F0 length=" +
                                    std::to_string(c.lengthRead) + " -> 0"));
    }
    EXPECT_THAT(prompts.boxes, IsEmpty());
}

TEST_F(RegisterDebugTest, AnAddressWithoutDigitsReadsFromZero) {
    EXPECT_TRUE(Read("G", "1").has_value());
    EXPECT_THAT(simtest::JournalLines(),
                Contains("VivuRAZLib_Q4870_AccessRegister device=1 direction=0 address=0x0000 "
                         "length=1 -> 0"));
}

struct RefusalCase {
    std::string address;
    std::string second;  // the length for READ, the value for WRITE
    std::string message;
};

TEST_F(RegisterDebugTest, RefusedFieldsShowTheirBoxAndMakeNoLibraryCall) {
    const std::vector<RefusalCase> reads = {
        {"", "1", kInvalidAddress},       {"10000", "1", kInvalidAddress},
        {"10000", "00", kInvalidAddress}, {"0", "", kInvalidLength},
        {"0", "00", kInvalidLength},      {"0", "10000", kInvalidLength},
        {"0", "G", kInvalidLength},
    };
    const std::vector<RefusalCase> writes = {
        {"", "A5", kInvalidAddress},
        {"10000", "1A5", kInvalidAddress},
        {"10", "1A5", kInvalidLength},
        {"10", "", kInvalidLength},
    };
    for (const auto& c : reads) {
        SCOPED_TRACE("READ " + c.address + "/" + c.second);
        prompts.Clear();
        EXPECT_EQ(Read(c.address, c.second), std::nullopt);
        EXPECT_THAT(prompts.boxes, ElementsAre(ErrorBox(c.message)));
    }
    for (const auto& c : writes) {
        SCOPED_TRACE("WRITE " + c.address + "/" + c.second);
        prompts.Clear();
        Write(c.address, c.second);
        EXPECT_THAT(prompts.boxes, ElementsAre(ErrorBox(c.message)));
    }
    EXPECT_THAT(simtest::JournalLines(), IsEmpty());
}

TEST_F(RegisterDebugTest, WriteSetsTheRegisterAndShowsNothing) {
    Write("10", "A5");
    EXPECT_THAT(prompts.boxes, IsEmpty());
    const auto grid = Read("10", "1");
    ASSERT_TRUE(grid.has_value());
    EXPECT_EQ(Cell(*grid, 0), "A5");
}

TEST_F(RegisterDebugTest, FailuresOfOpenAndAccess) {
    VivuRAZSim_Attach(0);
    EXPECT_EQ(Read("0", "1"), std::nullopt);
    Write("0", "1");  // no device: no box at all
    EXPECT_THAT(prompts.boxes, ElementsAre(ErrorBox("OpenDev Fail")));

    VivuRAZSim_Attach(1);
    prompts.Clear();
    VivuRAZSim_SetFault(kVivuRAZSimRegister, -1, 1);
    EXPECT_EQ(Read("0", "1"), std::nullopt);
    VivuRAZSim_SetFault(kVivuRAZSimRegister, 5, 1);
    Write("0", "1");
    EXPECT_THAT(prompts.boxes, ElementsAre(AppErrorBox("Access Device is Failed ! (-1)"),
                                           AppErrorBox("Access Device is Failed ! (5)")));
}

TEST_F(RegisterDebugTest, ReadAndWriteLoadAndOpenOnEveryPressAndNeverUnload) {
    Read("0", "1");
    Write("0", "1");
    VivuRAZSim_Attach(0);
    Read("0", "1");
    Write("0", "1");
    const auto lines = simtest::JournalLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), simtest::kLoad), 4);
    EXPECT_THAT(lines, Not(Contains(HasSubstr("Unload"))));
}

}  // namespace
