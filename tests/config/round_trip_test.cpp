#include <gtest/gtest.h>

#include <random>
#include <string>

#include "config/form_commit.h"
#include "config/ini_reader.h"
#include "config/ini_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace config;

class FormGenerator {
  public:
    explicit FormGenerator(unsigned seed) : random(seed) {}

    // A form the commit accepts whose strings hold no space, equals sign or line feed.
    FormInput Next() {
        static const std::string kSpeeds[] = {"Full", "High", "Super"};
        FormInput input;
        input.vendorId = Digits(4, kHex);
        input.productId = Digits(4, kHex);
        input.deviceRevision = Digits(4, "0123456789");
        input.serialNumber = Digits(Between(12, 20), kHex);
        input.manufacturerString = AnyBytes(Between(0, 44));
        input.productString = AnyBytes(Between(0, 48));
        input.languageIndex = Between(-1, 1);
        input.speedIndex = Between(-1, 2);
        input.powerIndex = Between(-1, 1);
        input.speedText = input.speedIndex >= 0 ? kSpeeds[input.speedIndex] : "";
        return input;
    }

  private:
    static constexpr const char* kHex = "0123456789abcdefABCDEF";

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::string Digits(int count, std::string_view alphabet) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += alphabet[static_cast<std::size_t>(Between(0, int(alphabet.size()) - 1))];
        }
        return text;
    }

    std::string AnyBytes(int count) {
        std::string text;
        while (static_cast<int>(text.size()) < count) {
            const char c = static_cast<char>(Between(0, 255));
            if (c != ' ' && c != '=' && c != '\n') {
                text += c;
            }
        }
        return text;
    }

    std::mt19937 random;
};

// Any accepted form saves to a file that loads to the identical table. Every form's file
// holds the writer's bytes; every 50th goes through the whole atomic save, whose bytes the
// writer tests pin down (saving them all would only measure the disk's sync).
TEST(RoundTrip, SavedFormLoadsToIdenticalTable) {
    testsupport::TempDir dir;
    const std::string path = (dir / "form.ini").string();
    FormGenerator generator(20240611);
    for (int i = 0; i < 2000; ++i) {
        const FormInput input = generator.Next();
        ConfigTable committed;
        FormState form = StartupFormState();
        ASSERT_TRUE(CommitForm(input, committed, form).askForFileName) << i;
        if (i % 50 == 0) {
            ASSERT_FALSE(SaveIniFile(path, input)) << i;
        } else {
            testsupport::WriteText(path, FormatIniFile(input));
        }

        ConfigTable loaded;
        const LoadResult load = LoadIniFile(path, loaded, form);
        ASSERT_EQ(loaded, committed) << "form " << i;
        // The last line names no speed when none is selected: the table is the same all the
        // same, but Load says so.
        EXPECT_EQ(load.refusal.has_value(), input.speedIndex < 0) << i;
        ASSERT_GE(load.assignments.size(), 6u);
        EXPECT_EQ(load.assignments[3].text, input.serialNumber);
        EXPECT_EQ(load.assignments[4].text, input.manufacturerString);
        EXPECT_EQ(load.assignments[5].text, input.productString);
    }
}

}  // namespace
