#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <string>
#include <vector>

#include "config/config_table.h"
#include "config/form_commit.h"
#include "config/form_state.h"
#include "tests/config/table_builder.h"

namespace {

using namespace config;
using configtest::Chars;
using configtest::Patch;
using configtest::TableWith;

// The start-up form's table apart from the serial number.
const std::vector<Patch> kStartupRest = {
    {24, Chars("Brelcom")},
    {68, Chars("BR4870")},
    {116, {0xD0, 0xE1, 0xAA, 0x55, 0x00, 0x01, 0xFF, 0xFF, 0x02, 0xFF}},
};

const std::vector<Patch> kWords = {{116, {0xD0, 0xE1, 0xAA, 0x55, 0x00, 0x01}}};

const Patch kStartupSerial{4, Chars("0123456789ABCDEF")};

// The start-up form's table with another serial number, then the extra bytes.
std::vector<Patch> StartupWith(Patch serial, const std::vector<Patch>& extra = {}) {
    std::vector<Patch> patches = kStartupRest;
    patches.push_back(std::move(serial));
    patches.insert(patches.end(), extra.begin(), extra.end());
    return patches;
}

struct CommitCase {
    std::string name;
    std::function<void(FormInput&)> change;
    std::string message;       // empty: accepted
    std::vector<Patch> table;  // sealed when accepted, unsealed after a refusal
};

std::vector<CommitCase> CommitCases() {
    return {
        {"StartupForm", [](FormInput&) {}, "", StartupWith(kStartupSerial)},
        {"Cleared",
         [](FormInput& f) {
             f.vendorId = f.productId = f.deviceRevision = "";
             f.serialNumber = f.manufacturerString = f.productString = "";
         },
         "Vendor ID is invalid ! (Contain 4 characters)",
         {}},
        // The length rule comes before the character rule.
        {"VendorThreeWithBadDigit",
         [](FormInput& f) { f.vendorId = "12G"; },
         "Vendor ID is invalid ! (Contain 4 characters)",
         {}},
        {"VendorBadDigit",
         [](FormInput& f) { f.vendorId = "12G4"; },
         "Vendor ID is invalid ! (Character in the range 0~9 and A~F)",
         {}},
        {"ProductShort",
         [](FormInput& f) { f.productId = "55A"; },
         "Product ID is invalid ! (Contain 4 charaters)",
         {{116, {0xD0, 0xE1}}}},
        {"ProductBadDigit",
         [](FormInput& f) { f.productId = "x5AA"; },
         "Product ID is invalid ! (Character in the range 0~9 and A~F)",
         {{116, {0xD0, 0xE1}}}},
        {"RevisionShort",
         [](FormInput& f) { f.deviceRevision = "01A"; },
         "Device Revision is invalid ! (Contain 4 charaters)",
         {{116, {0xD0, 0xE1, 0xAA, 0x55}}}},
        {"RevisionHexDigit",
         [](FormInput& f) { f.deviceRevision = "01A0"; },
         "Device Revision is invalid ! (Character in the range 0~9)",
         {{116, {0xD0, 0xE1, 0xAA, 0x55}}}},
        {"SerialElevenWithBadDigit", [](FormInput& f) { f.serialNumber = "0123456789G"; },
         "Serial Number is invalid ! (From 12 to 20 characters)", kWords},
        {"SerialTwentyOne", [](FormInput& f) { f.serialNumber = std::string(21, 'a'); },
         "Serial Number is invalid ! (From 12 to 20 characters)", kWords},
        {"SerialBadDigit", [](FormInput& f) { f.serialNumber = "0123456789AG"; },
         "Serial Number is invalid ! (Character in the range 0~9 and A~F)", kWords},
        {"SerialTwelve", [](FormInput& f) { f.serialNumber = "0123456789ab"; }, "",
         StartupWith({4, Chars("0123456789ab")})},
        {"SerialTwenty", [](FormInput& f) { f.serialNumber = "0123456789abcdefABCD"; }, "",
         StartupWith({4, Chars("0123456789abcdefABCD")})},
        {"Manufacturer45",
         [](FormInput& f) { f.manufacturerString = std::string(45, 'm'); },
         "Manufacturer String is invalid ! (At most 44 characters)",
         {kWords[0], kStartupSerial}},
        {"Product49",
         [](FormInput& f) { f.productString = std::string(49, 'p'); },
         "Product String is invalid ! (At most 48 characters)",
         {kWords[0], kStartupSerial, {24, Chars("Brelcom")}}},
        {"LongestStrings",
         [](FormInput& f) {
             f.manufacturerString = std::string(44, 'm');
             f.productString = std::string(48, 'p');
         },
         "",
         {kWords[0],
          kStartupSerial,
          {24, Chars(std::string(44, 'm') + std::string(48, 'p'))},
          {122, {0xFF, 0xFF, 0x02, 0xFF}}}},
        {"EmptyStrings",
         [](FormInput& f) { f.manufacturerString = f.productString = ""; },
         "",
         {kWords[0], kStartupSerial, {124, {0x02}}}},
        {"NoSelections",
         [](FormInput& f) { f.languageIndex = f.speedIndex = f.powerIndex = -1; },
         "",
         {kWords[0], kStartupSerial, {24, Chars("Brelcom")}, {68, Chars("BR4870")}}},
        {"SpeedFullAndOtherIndexes",
         [](FormInput& f) {
             f.speedIndex = 0;
             f.languageIndex = 1;
             f.powerIndex = 3;
         },
         "", StartupWith(kStartupSerial, {{124, {0x00}}})},
        {"SpeedHigh", [](FormInput& f) { f.speedIndex = 1; }, "",
         StartupWith(kStartupSerial, {{124, {0x01}}})},
    };
}

// Test names and failure reports show the case's name, not its bytes.
void PrintTo(const CommitCase& c, std::ostream* out) {
    *out << c.name;
}

class CommitCaseTest : public testing::TestWithParam<CommitCase> {};

TEST_P(CommitCaseTest, ValidateOnly) {
    const CommitCase& c = GetParam();
    FormInput input = StartupFormInput();
    c.change(input);
    ConfigTable table;
    table.bytes.fill(0x00);  // the commit erases it first
    FormState form = StartupFormState();
    form.commitOnly = 1;
    form.commitSucceeded = c.message.empty() ? 0 : 1;

    const CommitResult result = CommitForm(input, table, form);

    EXPECT_FALSE(result.askForFileName);
    EXPECT_EQ(form.commitOnly, 1);
    if (c.message.empty()) {
        EXPECT_FALSE(result.refusal) << result.refusal->message;
        EXPECT_EQ(form.commitSucceeded, 1);
    } else {
        ASSERT_TRUE(result.refusal);
        EXPECT_EQ(result.refusal->message, c.message);
        EXPECT_EQ(result.refusal->caption, RefusalCaption::Error);
        EXPECT_EQ(form.commitSucceeded, 0);
        EXPECT_EQ(table.bytes[126], 0xFF);
        EXPECT_EQ(table.bytes[127], 0xFF);
    }
    EXPECT_EQ(table, TableWith(c.table, c.message.empty()));
}

INSTANTIATE_TEST_SUITE_P(Form, CommitCaseTest, testing::ValuesIn(CommitCases()),
                         [](const auto& info) { return info.param.name; });

// Pressed by the user, a passing commit leaves commitSucceeded as it was and goes on to the save.
TEST(FormCommit, NormalModeAsksForFileAndKeepsFlag) {
    for (std::uint8_t before : {0, 1}) {
        ConfigTable table;
        FormState form = StartupFormState();
        form.commitSucceeded = before;
        const CommitResult result = CommitForm(StartupFormInput(), table, form);
        EXPECT_FALSE(result.refusal);
        EXPECT_TRUE(result.askForFileName);
        EXPECT_EQ(form.commitSucceeded, before);
        EXPECT_TRUE(IsConfigTableSealed(table));
    }
    ConfigTable table;
    FormState form = StartupFormState();
    form.commitSucceeded = 1;
    FormInput input = StartupFormInput();
    input.vendorId = "";
    const CommitResult refused = CommitForm(input, table, form);
    EXPECT_TRUE(refused.refusal);
    EXPECT_FALSE(refused.askForFileName);
    EXPECT_EQ(form.commitSucceeded, 0);
}

TEST(FormCommit, MembersTakeCommittedValues) {
    FormInput input = StartupFormInput();
    input.vendorId = "1a2b";
    input.deviceRevision = "0210";
    input.serialNumber = "0123456789ab";
    input.manufacturerString = "";
    input.speedIndex = 1;
    ConfigTable table;
    FormState form = StartupFormState();
    ASSERT_FALSE(CommitForm(input, table, form).refusal);

    EXPECT_EQ(form.vendorId, 0x1A2B);
    EXPECT_EQ(form.productId, 0x55AA);
    EXPECT_EQ(form.deviceRevision, 0x0210);
    EXPECT_EQ(form.languageId, 0xFFFF);
    EXPECT_EQ(form.highestSpeed, 0x01);
    EXPECT_EQ(form.powerMode, 0xFF);
    EXPECT_EQ(std::string(form.serialText.data(), 20), "0123456789ab" + std::string(8, '\xFF'));
    EXPECT_EQ(form.serialText[20], '\0');
    EXPECT_EQ(std::string(form.manufacturerText.data(), 44), std::string(44, '\xFF'));
    EXPECT_EQ(std::string(form.productText.data(), 48), "BR4870" + std::string(42, '\xFF'));
}

}  // namespace
