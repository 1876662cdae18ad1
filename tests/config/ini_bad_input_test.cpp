#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <set>
#include <string>

#include "config/field_rules.h"
#include "config/ini_reader.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace config;

// Every message Load may end with.
bool IsLoadMessage(const std::string& message) {
    static const std::set<std::string> kFixed = [] {
        std::set<std::string> fixed = {"The ini file can't be readed !",
                                       "The ini file is invalid !"};
        for (const TextFieldRule& rule : kTextFieldRules) {
            fixed.insert(std::string(rule.loadCharacterMessage));
            fixed.insert(std::string(rule.loadLengthMessage));
        }
        for (const ChoiceRule& rule : kChoiceRules) {
            fixed.insert(UnknownChoiceMessage(rule));
        }
        return fixed;
    }();
    static const std::regex kNumbered(
        "Configuration string of line [0-9]+ in ini file is invalid !|"
        "(Manufacturer|Product) String\\[[0-9]+\\] is invalid ! \\(At most (44|48) characters\\)");
    return kFixed.count(message) > 0 || std::regex_match(message, kNumbered);
}

void ExpectLoadEndsWell(const std::string& content, const std::string& what) {
    testsupport::TempDir dir;
    testsupport::WriteText(dir / "bad.ini", content);
    ConfigTable table;
    FormState form = StartupFormState();
    const LoadResult result = LoadIniFile((dir / "bad.ini").string(), table, form);
    if (result.refusal) {
        EXPECT_TRUE(IsLoadMessage(result.refusal->message))
            << what << ": " << result.refusal->message;
    }
    EXPECT_TRUE(IsConfigTableSealed(table)) << what;
}

TEST(IniBadInput, ChosenBadFiles) {
    const std::string section = "[usb_config]\n";
    const std::string tenMegabytes(10 * 1024 * 1024, 'A');
    const std::pair<std::string, std::string> cases[] = {
        {"nul bytes", section + std::string("vendor_id = 12\0"
                                            "4\n\0\0\0",
                                            21)},
        {"nul in section", std::string("[usb_config]\0\n", 14)},
        {"ten megabyte key line", section + tenMegabytes},
        {"ten megabyte first line", tenMegabytes + "\n" + section},
        {"ten megabytes of line ends", std::string(10 * 1024 * 1024, '\n')},
        {"carriage returns", section + std::string(1000, '\r')},
        {"only separators", section + std::string(1000, '=') + " \n = "},
        {"high bytes", section + "manufacturer_string = \xFF\xFE\x80\n"},
    };
    for (const auto& [what, content] : cases) {
        ExpectLoadEndsWell(content, what);
    }
}

// Random bytes, half of them behind a valid section line and mixed with real keys.
TEST(IniBadInput, RandomFiles) {
    static const std::string kPieces[] = {
        "vendor_id",
        "product_id",
        "serial_number",
        "manufacturer_string",
        "highest_speed",
        "power_mode",
        " = ",
        "\r\n",
        "\n",
        "1A2B",
        "super",
        "=",
        "\t",
        std::string(1, '\0'),
        "0123456789ABCDEF",
    };
    std::mt19937 random(77);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 400; ++i) {
        std::string content = (i % 2 == 0) ? "[usb_config]\r\n" : "";
        const int parts = between(0, 60);
        for (int p = 0; p < parts; ++p) {
            if (between(0, 1) == 0) {
                content += kPieces[between(0, std::size(kPieces) - 1)];
            } else {
                content.append(static_cast<std::size_t>(between(1, 300)),
                               static_cast<char>(between(0, 255)));
            }
        }
        ExpectLoadEndsWell(content, "random file " + std::to_string(i));
    }
}

}  // namespace
