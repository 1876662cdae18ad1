// vivuraz-sim, run as its own process over the state folder of the test.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/vivuraz/sim_fixture.h"
#include "vivuraz/vivuraz.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Bytes = std::vector<std::uint8_t>;

class VivuRAZSimCliTest : public simtest::SimTest {
  protected:
    VivuRAZSimCliTest() { VivuRAZLib_Load(); }
};

// The sealed table for serial 0123456789ABCDEF, "Maker", "Widget", vendor 0x1234, product
// 0x55AA, revision 0100, English, super speed, self power.
Bytes SealedTable() {
    Bytes table(128, 0xFF);
    const std::string serial = "0123456789ABCDEF";
    std::copy(serial.begin(), serial.end(), table.begin() + 4);
    const std::string maker = "Maker";
    std::copy(maker.begin(), maker.end(), table.begin() + 24);
    const std::string widget = "Widget";
    std::copy(widget.begin(), widget.end(), table.begin() + 68);
    const Bytes words = {0x34, 0x12, 0xAA, 0x55, 0x00, 0x01, 0xFF, 0xFF, 0x02, 0xFF, 0x5A, 0x40};
    std::copy(words.begin(), words.end(), table.begin() + 116);
    return table;
}

Bytes With(Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

TEST_F(VivuRAZSimCliTest, ShowDecodesTheEEPROMs) {
    const Bytes image = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};
    const struct {
        const char* name;
        std::optional<Bytes> config;
        std::optional<Bytes> firmware;
        std::vector<std::string> shown;
    } cases[] = {
        {"first use",
         std::nullopt,
         std::nullopt,
         {"devices attached: 1", "configuration EEPROM: erased", "firmware EEPROM: empty",
          "firmware version: 01 75 00 0a b2 ff"}},
        {"sealed table and intact image",
         SealedTable(),
         image,
         {"configuration EEPROM: sealed\n    vendor ID:       1234\n"
          "    product ID:      55AA\n    device revision: 0100\n"
          "    serial number:   \"0123456789ABCDEF\"\n    manufacturer:    \"Maker\"\n"
          "    product:         \"Widget\"\n    highest speed:   super\n"
          "    language ID:     English\n    power mode:      self\n",
          "firmware EEPROM: image of 3 data bytes, intact"}},
        {"bad marker",
         With(SealedTable(), 126, 0x00),
         With(image, 5, 0x00),
         {"configuration EEPROM: corrupt: marker 0x00 (expected 0x5A); checksum 0x40 "
          "(expected 0xE6)",
          "firmware EEPROM: image of 3 data bytes, corrupt: marker 0x00 (expected 0x5A)"}},
        {"bad checksum",
         With(SealedTable(), 127, 0x41),
         With(image, 6, 0x27),
         {"configuration EEPROM: corrupt: checksum 0x41 (expected 0x40)\n",
          "corrupt: sum 0x27 (expected 0x26)"}},
        {"image of the wrong size",
         std::nullopt,
         Bytes{0x03, 0x00, 0x61, 0x5A, 0x26},
         {"image of 3 data bytes, corrupt: 5 bytes stored (expected 7)"}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(VivuRAZSim_Reset(), 0);
        if (c.config) {
            Bytes table = *c.config;
            ASSERT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 0);
        }
        if (c.firmware) {
            Bytes bytes = *c.firmware;
            ASSERT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(
                          1, 1, bytes.data(), static_cast<std::int32_t>(bytes.size())),
                      0);
        }
        const simtest::CliResult show = simtest::RunCli("show");
        EXPECT_EQ(show.exitCode, 0) << c.name;
        for (const std::string& text : c.shown) {
            EXPECT_THAT(show.out, HasSubstr(text)) << c.name;
        }
    }
}

TEST_F(VivuRAZSimCliTest, DumpWritesRawBytesOrAHexDump) {
    ASSERT_EQ(VivuRAZSim_Attach(2), 0);
    Bytes image = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};
    ASSERT_EQ(VivuRAZLib_Q4870_AccessFirmwareEEPROM(2, 1, image.data(), 7), 0);

    const simtest::CliResult firmware = simtest::RunCli("dump firmware --device 2");
    EXPECT_EQ(firmware.exitCode, 0);
    EXPECT_EQ(Bytes(firmware.out.begin(), firmware.out.end()), image);
    EXPECT_EQ(simtest::RunCli("dump firmware").out, "");
    EXPECT_EQ(simtest::RunCli("dump firmware --hex --device 2").out,
              "00000000  03 00 61 62 63 5a 26                              |..abcZ&|\n");
    EXPECT_THAT(simtest::RunCli("dump registers --hex").out,
                HasSubstr("000007f0  01 75 00 0a b2 ff 00 00  00 00 00 00 00 00 00 00  "
                          "|.u..............|\n"));
    EXPECT_EQ(simtest::RunCli("dump config").out, std::string(128, '\xFF'));
}

TEST_F(VivuRAZSimCliTest, CommandsScriptTheLibrary) {
    DeviceList list{};
    Bytes table(128, 0xFF);
    Bytes version(6);

    ASSERT_EQ(simtest::RunCli("attach 3").exitCode, 0);
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 3);

    ASSERT_EQ(simtest::RunCli("fail open -2 --times 1").exitCode, 0);
    ASSERT_EQ(simtest::RunCli("fail config 5").exitCode, 0);
    ASSERT_EQ(simtest::RunCli("fail empty-read --times 2").exitCode, 0);
    EXPECT_THAT(simtest::RunCli("show").out,
                HasSubstr("scripted faults:\n  open returns -2 (1 more call)\n"
                          "  config returns 5 (every call)\n"
                          "  register reads fill nothing (2 more reads)\n"));
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), -2);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 5);
    ASSERT_EQ(simtest::RunCli("fail clear").exitCode, 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 1, table.data(), 128), 0);
    EXPECT_THAT(simtest::RunCli("show").out, HasSubstr("scripted faults: none\n"));

    ASSERT_EQ(simtest::RunCli("version 0a 0B c 0d 0e 0f --device 3").exitCode, 0);
    ASSERT_EQ(simtest::RunCli("version 0175000AB2FF").exitCode, 0);
    EXPECT_EQ(VivuRAZLib_Q4870_AccessRegister(3, 0, 0x07F0, version.data(), 6), 0);
    EXPECT_EQ(version, (Bytes{0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f}));

    ASSERT_EQ(simtest::RunCli("journal on").exitCode, 0);
    VivuRAZLib_Unload();
    EXPECT_EQ(simtest::RunCli("journal show").out, "VivuRAZLib_Unload -> 0\n");
    ASSERT_EQ(simtest::RunCli("journal off").exitCode, 0);
    VivuRAZLib_Load();
    ASSERT_EQ(simtest::RunCli("journal clear").exitCode, 0);
    EXPECT_EQ(simtest::RunCli("journal show").out, "");

    ASSERT_EQ(simtest::RunCli("reset").exitCode, 0);
    EXPECT_EQ(VivuRAZLib_OpenDev(&list), 0);
    EXPECT_EQ(list.count, 1);
}

TEST_F(VivuRAZSimCliTest, BadInputIsRefusedWithAClearMessage) {
    testsupport::WriteText(temp / "file", "not a folder");
    const std::string underFile = "VIVURAZ_SIM_DIR=" + (temp / "file" / "state").string();
    const struct {
        std::string arguments;
        std::string environment;
        int exitCode;
        std::string message;
    } cases[] = {
        {"", "", 2, "no command given"},
        {"bogus", "", 2, "unknown command 'bogus'"},
        {"show extra", "", 2, "show: expected no arguments"},
        {"attach", "", 2, "attach: expected the number of devices"},
        {"attach x", "", 2, "attach: N must be a decimal number from 0 to 16, not 'x'"},
        {"attach 17", "", 2, "not '17'"},
        {"attach 1e3", "", 2, "not '1e3'"},
        {"fail", "", 2, "fail: expected open|register|config|firmware CODE"},
        {"fail bogus 3", "", 2, "fail: expected open|register|config|firmware CODE"},
        {"fail open abc", "", 2, "fail: CODE must be a decimal number"},
        {"fail open 99999999999", "", 2, "fail: CODE must be a decimal number"},
        {"fail open 0", "", 2, "fail: CODE must not be 0"},
        {"fail config 5 --times 0", "", 2, "fail: --times must be a decimal number from 1"},
        {"fail config 5 --times", "", 2, "fail: --times needs a value"},
        {"fail config 5 --hex", "", 2, "fail: unknown option '--hex'"},
        {"dump", "", 2, "dump: expected config, firmware or registers"},
        {"dump eeprom", "", 2, "dump: expected config, firmware or registers, not 'eeprom'"},
        {"dump config --device 2", "", 2, "dump: no device 2 is attached (1 attached)"},
        {"dump config --device x", "", 2, "--device must be a decimal number from 1 to 16"},
        {"journal maybe", "", 2, "journal: expected on, off, show or clear, not 'maybe'"},
        {"version 01 02", "", 2, "version: expected six hexadecimal bytes"},
        {"version zz 00 00 00 00 00", "", 2, "version: 'zz' is not a hexadecimal byte"},
        {"version 100 00 00 00 00 00", "", 2, "version: '100' is not a hexadecimal byte"},
        {"version 01 02 03 04 05 06 --device 9", "", 2, "version: no device 9 is attached"},
        {"show", underFile, 1, "cannot create the state folder"},
        {"attach 2", underFile, 1, "cannot create the state folder"},
        {"show", "env -u VIVURAZ_SIM_DIR -u XDG_STATE_HOME -u HOME", 1,
         "no state folder: set VIVURAZ_SIM_DIR, XDG_STATE_HOME or HOME"},
    };
    for (const auto& c : cases) {
        const simtest::CliResult result = simtest::RunCli(c.arguments, c.environment);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
        EXPECT_THAT(result.err, AllOf(HasSubstr("vivuraz-sim: "), HasSubstr(c.message)))
            << c.arguments;
        EXPECT_THAT(result.out, IsEmpty()) << c.arguments;
    }
}

TEST_F(VivuRAZSimCliTest, HelpListsEveryCommand) {
    const simtest::CliResult help = simtest::RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* text :
         {"show", "dump config|firmware|registers", "--device N", "--hex", "attach N",
          "fail open|register|config|firmware CODE [--times K]", "fail empty-read", "fail clear",
          "journal on|off", "journal show|clear", "version BYTES", "reset", "VIVURAZ_SIM_DIR",
          "Exit status"}) {
        EXPECT_THAT(help.out, HasSubstr(text));
    }
}

}  // namespace
