#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ostream>

#include <filesystem>
#include <string>
#include <vector>

#include "config/config_table.h"
#include "config/field_rules.h"
#include "config/form_state.h"
#include "config/ini_reader.h"
#include "tests/config/table_builder.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace config;
using configtest::Chars;
using configtest::Patch;
using configtest::TableWith;

const std::string kSection = "[usb_config]\n";

struct LoadCase {
    std::string name;
    std::string content;
    std::string message;  // empty: accepted
    std::vector<Assignment> assignments;
    std::vector<Patch> table;  // bytes that differ from the erased table; sealed on every path
    RefusalCaption caption = RefusalCaption::Error;
};

Assignment Edit(int control, std::string text) {
    return {control, std::move(text), -1};
}
Assignment Select(int control, int index) {
    return {control, "", index};
}

std::string Unknown(int line) {
    return "Configuration string of line " + std::to_string(line) + " in ini file is invalid !";
}

std::vector<LoadCase> LoadCases() {
    const std::string serial = "serial_number = 0123456789ABCDEF\n";
    return {
        {"SectionOnlyNoLineEnd", "[usb_config]", "", {}, {}},
        {"SectionOnlyCrLf", "[usb_config]\r\n", "", {}, {}},
        {"SectionInCapitalsRestIgnored", "  [USB_CONFIG] = other words\n", "", {}, {}},
        {"SectionWithoutBrackets",
         "usb_config\nvendor_id = 1234\n",
         "The ini file is invalid !",
         {},
         {}},
        {"EmptyFirstLine", "\n[usb_config]\n", "The ini file is invalid !", {}, {}},
        {"EmptyFile", "", "The ini file is invalid !", {}, {}},
        {"KeyAndValueIgnoreCase",
         kSection + "Vendor_ID = 1a2b\nHIGHEST_SPEED = HIGH\n",
         "",
         {Edit(1062, "1A2B"), Select(1077, 1)},
         {{116, {0x2B, 0x1A}}, {124, {0x01}}}},
        {"Separators",
         kSection + "vendor_id=1A2B\r\nproduct_id 55AA\n  device_revision ==  0210  more words\n",
         "",
         {Edit(1062, "1A2B"), Edit(1064, "55AA"), Edit(1063, "0210")},
         {{116, {0x2B, 0x1A, 0xAA, 0x55, 0x10, 0x02}}}},
        {"HexPrefixRefused",
         kSection + "vendor_id = 0x1A\n",
         "Vendor ID is invalid ! (Character in the range 0~9 and A~F)",
         {},
         {}},
        {"ThreeDigitVendor",
         kSection + "vendor_id = 1A2\n",
         "Vendor ID is invalid ! (Contain 4 characters)",
         {},
         {}},
        {"OneDigitVendor",
         kSection + "vendor_id = 7\n",
         "Vendor ID is invalid ! (Contain 4 characters)",
         {},
         {}},
        {"EmptyVendorValue",
         kSection + "vendor_id =\n",
         "Vendor ID is invalid ! (Character in the range 0~9 and A~F)",
         {},
         {}},
        {"ShortProduct",
         kSection + "product_id = 55A\n",
         "Product ID is invalid ! (Contain 4 charaters)",
         {},
         {}},
        {"BadProductDigit",
         kSection + "product_id = 55AG\n",
         "Product ID is invalid ! (Character in the range 0~9 and A~F)",
         {},
         {}},
        {"RevisionHexDigit",
         kSection + "device_revision = 01A0\n",
         "Device Revision is invalid ! (Character in the range 0~9)",
         {},
         {}},
        {"RevisionFiveDigits",
         kSection + "device_revision = 01000\n",
         "Device Revision is invalid ! (Contain 4 charaters)",
         {},
         {}},
        {"SerialTwelveLowerCase",
         kSection + "serial_number = 0123456789ab\n",
         "",
         {Edit(1071, "0123456789ab")},
         {{4, Chars("0123456789ab")}}},
        {"SerialTwenty",
         kSection + "serial_number = 0123456789ABCDEF0123",
         "",
         {Edit(1071, "0123456789ABCDEF0123")},
         {{4, Chars("0123456789ABCDEF0123")}}},
        {"SerialEleven",
         kSection + "serial_number = 0123456789A\n",
         "Serial Number is invalid ! (From 12 to 20 characters)",
         {},
         {}},
        {"SerialTwentyOne",
         kSection + "serial_number = 0123456789ABCDEF01234\n",
         "Serial Number is invalid ! (From 12 to 20 characters)",
         {},
         {}},
        {"SerialBadCharacter",
         kSection + "serial_number = 0123456789AG\n",
         "Serial Number is invalid ! ( Character in the range 0~9 and A~F)",
         {},
         {}},
        {"Manufacturer45",
         kSection + "manufacturer_string = " + std::string(45, 'm') + "\n",
         "Manufacturer String[45] is invalid ! (At most 44 characters)",
         {},
         {}},
        {"Manufacturer44ThenProduct48",
         kSection + "product_string = " + std::string(48, 'p') +
             "\nmanufacturer_string = " + std::string(44, 'm') + "\n",
         "",
         {Edit(1068, std::string(48, 'p')), Edit(1067, std::string(44, 'm'))},
         {{24, Chars(std::string(44, 'm') + std::string(48, 'p'))}}},
        {"Product49",
         kSection + "product_string = " + std::string(49, 'p') + "\n",
         "Product String[49] is invalid ! (At most 48 characters)",
         {},
         {}},
        {"StringStopsAtSpace",
         kSection + "manufacturer_string = Two Words\n",
         "",
         {Edit(1067, "Two")},
         {{24, Chars("Two")}}},
        {"EmptyStringsAccepted",
         kSection + "manufacturer_string =\nproduct_string = \r\n",
         "",
         {Edit(1067, ""), Edit(1068, "")},
         {}},
        {"SpeedLow",
         kSection + "highest_speed = low\n",
         "\"Highest USB Speed\" : Unknown Choice ! (In ini file)",
         {},
         {}},
        {"LanguageAndPower",
         kSection + "language_id = English\npower_mode = SELF\n",
         "",
         {Select(1080, 0), Select(1079, 0)},
         {}},
        {"LanguageFrench",
         kSection + "language_id = french\n",
         "\"Language ID\" : Unknown Choice ! (In ini file)",
         {},
         {}},
        {"PowerEmpty",
         kSection + "power_mode\n",
         "\"Power Mode\" : Unknown Choice ! (In ini file)",
         {},
         {}},
        {"UnknownKeyLine3",
         kSection + serial + "colour = red\n",
         Unknown(3),
         {Edit(1071, "0123456789ABCDEF")},
         {{4, Chars("0123456789ABCDEF")}},
         RefusalCaption::Application},
        {"EmptyLinesCounted",
         kSection + serial + "\r\ncolour = red\n",
         Unknown(4),
         {Edit(1071, "0123456789ABCDEF")},
         {{4, Chars("0123456789ABCDEF")}},
         RefusalCaption::Application},
        {"SeparatorsOnlyLineSkipped",
         kSection + " = ==  \ncolour\n",
         Unknown(3),
         {},
         {},
         RefusalCaption::Application},
        {"TabMakesUnknownKey",
         kSection + "vendor_id\t= 1234\n",
         Unknown(2),
         {},
         {},
         RefusalCaption::Application},
        {"LoneCrBelongsToValue",
         kSection + "vendor_id = 1234\r",
         "Vendor ID is invalid ! (Character in the range 0~9 and A~F)",
         {},
         {}},
        {"LaterLineOverwrites",
         kSection + "vendor_id = 1111\nvendor_id = 2222\n",
         "",
         {Edit(1062, "1111"), Edit(1062, "2222")},
         {{116, {0x22, 0x22}}}},
        // A line is read in pieces of 254 characters (its line end not counted), each a line.
        {"LongLineSplitIntoPieces",
         kSection + std::string(254, ' ') + "colour\n",
         Unknown(3),
         {},
         {},
         RefusalCaption::Application},
        {"Line254PlusLineEndIsOnePiece",
         kSection + std::string(254, ' ') + "\ncolour",
         Unknown(3),
         {},
         {},
         RefusalCaption::Application},
        {"Line254PlusCrLfIsOnePiece",
         kSection + std::string(254, ' ') + "\r\ncolour",
         Unknown(3),
         {},
         {},
         RefusalCaption::Application},
        {"Line255IsTwoPieces",
         kSection + std::string(255, ' ') + "\ncolour",
         Unknown(4),
         {},
         {},
         RefusalCaption::Application},
        {"LongValueCutAtPiece",
         kSection + "manufacturer_string = " + std::string(300, 'm'),
         "Manufacturer String[232] is invalid ! (At most 44 characters)",
         {},
         {}},
    };
}

// Test names and failure reports show the case's name, not its bytes.
void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

class LoadCaseTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadCaseTest, MessageAssignmentsAndSealedTable) {
    const LoadCase& c = GetParam();
    testsupport::TempDir dir;
    testsupport::WriteText(dir / "case.ini", c.content);
    ConfigTable table;
    table.bytes.fill(0x00);  // whatever it held before, Load erases it first
    FormState form = StartupFormState();

    const LoadResult result = LoadIniFile((dir / "case.ini").string(), table, form);

    if (c.message.empty()) {
        EXPECT_FALSE(result.refusal) << result.refusal->message;
    } else {
        ASSERT_TRUE(result.refusal);
        EXPECT_EQ(result.refusal->message, c.message);
        EXPECT_EQ(result.refusal->caption, c.caption);
    }
    EXPECT_EQ(result.assignments, c.assignments);
    EXPECT_EQ(table, TableWith(c.table, true));
}

INSTANTIATE_TEST_SUITE_P(Ini, LoadCaseTest, testing::ValuesIn(LoadCases()),
                         [](const auto& info) { return info.param.name; });

TEST(IniReader, FileThatCannotBeReadLeavesErasedSealedTable) {
    testsupport::TempDir dir;
    // A FIFO nobody writes to would block the open; /dev/zero would never end a line.
    const std::string fifo = (dir / "stream.ini").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string paths[] = {(dir / "missing.ini").string(), "", dir.path().string(), fifo,
                                 "/dev/zero"};
    for (const std::string& path : paths) {
        ConfigTable table;
        table.bytes.fill(0x00);
        FormState form = StartupFormState();
        const LoadResult result = LoadIniFile(path, table, form);
        ASSERT_TRUE(result.refusal) << path;
        EXPECT_EQ(result.refusal->message, "The ini file can't be readed !");
        EXPECT_EQ(result.refusal->caption, RefusalCaption::Error);
        EXPECT_TRUE(result.assignments.empty());
        EXPECT_EQ(table, TableWith({}, true));
        EXPECT_EQ(table.bytes[127], 0xE0);
        EXPECT_EQ(form, StartupFormState());
    }
}

// Lines before the refused one stay applied, later ones are not read; the flags stay.
TEST(IniReader, RefusalKeepsEarlierLines) {
    testsupport::TempDir dir;
    testsupport::WriteText(dir / "partial.ini",
                           "[usb_config]\r\n"
                           "vendor_id = 1a2b\r\n"
                           "serial_number = 0123456789ab\r\n"
                           "highest_speed = full\r\n"
                           "product_id = 55A\r\n"
                           "manufacturer_string = Later\r\n"
                           "device_revision = 0200");
    ConfigTable table;
    FormState form = StartupFormState();
    form.commitOnly = 1;
    form.commitSucceeded = 1;
    form.firmwareImageBuilt = 1;

    const LoadResult result = LoadIniFile((dir / "partial.ini").string(), table, form);

    ASSERT_TRUE(result.refusal);
    EXPECT_EQ(result.refusal->message, "Product ID is invalid ! (Contain 4 charaters)");
    EXPECT_EQ(
        result.assignments,
        (std::vector<Assignment>{Edit(1062, "1A2B"), Edit(1071, "0123456789ab"), Select(1077, 0)}));
    EXPECT_EQ(table,
              TableWith({{4, Chars("0123456789ab")}, {116, {0x2B, 0x1A}}, {124, {0x00}}}, true));

    FormState expected = StartupFormState();
    expected.commitOnly = expected.commitSucceeded = expected.firmwareImageBuilt = 1;
    expected.vendorId = 0x1A2B;
    expected.highestSpeed = 0x00;
    const std::string serialBytes = "0123456789ab" + std::string(8, '\xFF');
    std::copy(serialBytes.begin(), serialBytes.end(), expected.serialText.begin());
    expected.serialText[20] = '\0';
    EXPECT_EQ(form, expected);
}

TEST(IniReader, FormMembersHoldTableFieldBytes) {
    testsupport::TempDir dir;
    testsupport::WriteText(dir / "full.ini",
                           "[usb_config]\nvendor_id = 1234\nproduct_id = 55aa\n"
                           "device_revision = 0100\nmanufacturer_string = Maker\n"
                           "product_string =\nlanguage_id = english\npower_mode = self\n"
                           "highest_speed = super\n");
    ConfigTable table;
    FormState form = StartupFormState();
    ASSERT_FALSE(LoadIniFile((dir / "full.ini").string(), table, form).refusal);

    EXPECT_EQ(form.vendorId, 0x1234);
    EXPECT_EQ(form.productId, 0x55AA);
    EXPECT_EQ(form.deviceRevision, 0x0100);
    EXPECT_EQ(form.languageId, 0xFFFF);
    EXPECT_EQ(form.highestSpeed, 0x02);
    EXPECT_EQ(form.powerMode, 0xFF);
    EXPECT_EQ(std::string(form.manufacturerText.data(), 44), "Maker" + std::string(39, '\xFF'));
    EXPECT_EQ(form.manufacturerText[44], '\0');
    EXPECT_EQ(std::string(form.productText.data(), 48), std::string(48, '\xFF'));
    EXPECT_EQ(form.productText[48], '\0');
    EXPECT_STREQ(form.serialText.data(), "0123456789ABCDEF");  // no serial line: unchanged
}

}  // namespace
