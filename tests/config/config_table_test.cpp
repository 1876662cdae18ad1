#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_table.h"
#include "config/field_ops.h"
#include "config/form_commit.h"
#include "config/form_state.h"
#include "tests/config/table_builder.h"

namespace {

using namespace config;

TEST(ConfigTable, ErasedSealedTableHasChecksumE0) {
    ConfigTable table;
    table.bytes.fill(0x00);
    EraseConfigTable(table);
    for (std::uint8_t byte : table.bytes) {
        EXPECT_EQ(byte, 0xFF);
    }
    EXPECT_FALSE(IsConfigTableSealed(table));
    SealConfigTable(table);
    EXPECT_EQ(table.bytes[126], 0x5A);
    EXPECT_EQ(table.bytes[127], 0xE0);
    EXPECT_EQ(ConfigChecksum(table), 0xE0);
    EXPECT_TRUE(IsConfigTableSealed(table));
}

TEST(ConfigTable, ChecksumLeavesOutReservedBytesAndItself) {
    ConfigTable table;
    SealConfigTable(table);
    const ConfigTable sealed = table;
    table.bytes[0] = 0x00;
    table.bytes[3] = 0x12;
    EXPECT_EQ(ConfigChecksum(table), ConfigChecksum(sealed));
    table.bytes[4] = 0xFE;
    EXPECT_EQ(ConfigChecksum(table), static_cast<std::uint8_t>(ConfigChecksum(sealed) - 1));
    EXPECT_FALSE(IsConfigTableSealed(table));
}

// The worked example, byte for byte from byte 0 to byte 127.
TEST(ConfigTable, WorkedTableByteForByte) {
    std::vector<std::uint8_t> expected = {0xff, 0xff, 0xff, 0xff};
    for (char c : std::string("0123456789ABCDEF")) {
        expected.push_back(static_cast<std::uint8_t>(c));
    }
    expected.insert(expected.end(), 4, 0xff);
    expected.insert(expected.end(), {0x4d, 0x61, 0x6b, 0x65, 0x72});
    expected.insert(expected.end(), 39, 0xff);
    expected.insert(expected.end(), {0x57, 0x69, 0x64, 0x67, 0x65, 0x74});
    expected.insert(expected.end(), 42, 0xff);
    expected.insert(expected.end(),
                    {0x34, 0x12, 0xaa, 0x55, 0x00, 0x01, 0xff, 0xff, 0x02, 0xff, 0x5a, 0x40});
    ASSERT_EQ(expected.size(), kConfigTableSize);

    FormInput input = StartupFormInput();
    input.vendorId = "1234";
    input.manufacturerString = "Maker";
    input.productString = "Widget";
    FormState form = StartupFormState();
    form.commitOnly = 1;
    ConfigTable table;
    ASSERT_FALSE(CommitForm(input, table, form).refusal);

    EXPECT_EQ(std::vector<std::uint8_t>(table.bytes.begin(), table.bytes.end()), expected);
    EXPECT_EQ(ConfigChecksum(table), 0x40);
}

TEST(FieldOps, DigitChecks) {
    struct Case {
        std::string text;
        bool hex;
        bool decimal;
    };
    const Case cases[] = {
        {"0", true, true},          {"a1B2", true, false},         {"", false, false},
        {"12G4", false, false},     {"12 4", false, false},        {"01A0", true, false},
        {"0123456789", true, true}, {"abcdefABCDEF", true, false}, {"\t1", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsHexDigits(c.text), c.hex) << c.text;
        EXPECT_EQ(IsDecimalDigits(c.text.data(), c.text.size()), c.decimal) << c.text;
    }
    // Only the given length counts.
    EXPECT_TRUE(IsHexDigits("12G4", 2));
    EXPECT_FALSE(IsHexDigits("12G4", 0));
}

TEST(FieldOps, FormatHexWord) {
    EXPECT_EQ(FormatHexWord(0), "0000");
    EXPECT_EQ(FormatHexWord(0x0100), "0100");
    EXPECT_EQ(FormatHexWord(0x55AA), "55AA");
    EXPECT_EQ(FormatHexWord(0x000F), "000F");
    EXPECT_EQ(FormatHexWord(0xabcd), "ABCD");
}

TEST(FormState, StartupValues) {
    const FormState form = StartupFormState();
    EXPECT_STREQ(form.serialText.data(), "0123456789ABCDEF");
    EXPECT_STREQ(form.manufacturerText.data(), "Brelcom");
    EXPECT_STREQ(form.productText.data(), "BR4870");
    EXPECT_EQ(form.vendorId, 0xE1D0);
    EXPECT_EQ(form.productId, 0x55AA);
    EXPECT_EQ(form.deviceRevision, 0x0100);
    EXPECT_EQ(form.commitOnly, 0);
    EXPECT_EQ(form.commitSucceeded, 0);
    EXPECT_EQ(form.firmwareImageBuilt, 0);

    const FormInput input = StartupFormInput();
    EXPECT_EQ(input.vendorId, "E1D0");
    EXPECT_EQ(input.productId, "55AA");
    EXPECT_EQ(input.deviceRevision, "0100");
    EXPECT_EQ(input.speedText, "Super");
    EXPECT_EQ(input.speedIndex, 2);
}

}  // namespace
