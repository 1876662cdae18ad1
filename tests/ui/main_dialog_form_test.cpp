// Load and Save and Load on the real dialog: every box they show, in order, and what reaches
// the form, the table and the INI file.

#include "config/config_table.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/control_ids.h"

namespace {

using testsupport::AppErrorBox;
using testsupport::ErrorBox;
using testsupport::MainDialogTest;
using testsupport::ShownBox;
using namespace ui;

constexpr const char* kFilter = "Config File (*.ini)|*.ini||";

class FormTest : public MainDialogTest {
  protected:
    void LoadText(const std::string& content) {
        testsupport::WriteText(dir / "form.ini", content);
        LoadPath("form.ini");
    }
    void LoadPath(const QString& path) {
        SetText(kIniPathBox, path);
        Click(kLoadButton);
    }
    std::uint16_t Word(std::size_t offset) const { return config::ReadWord(dialog.table, offset); }
};

TEST_F(FormTest, LoadShowsEveryAcceptedValueAndSealsTheTable) {
    dialog.form.commitSucceeded = 1;
    LoadText(
        "[USB_CONFIG]\r\nVendor_ID = 1a2b\r\nproduct_id=1234\r\n\r\ndevice_revision 0210\n"
        "serial_number = 0123456789ab\r\nmanufacturer_string = Two Words\r\n"
        "product_string = Widget\r\nhighest_speed = HIGH\r\nlanguage_id = english\r\n"
        "power_mode = self");
    EXPECT_TRUE(prompts.boxes.empty());
    const std::pair<int, const char*> shown[] = {
        {kVendorIdEdit, "1A2B"},       {kProductIdEdit, "1234"},
        {kDeviceRevisionEdit, "0210"}, {kSerialNumberEdit, "0123456789ab"},
        {kManufacturerEdit, "Two"},    {kProductStringEdit, "Widget"},
        {kSpeedList, "High"},          {kLanguageList, "English"},
        {kPowerList, "Self"},
    };
    for (const auto& [id, text] : shown) {
        EXPECT_EQ(Text(id), text) << id;
    }
    EXPECT_EQ(Word(config::kVendorIdOffset), 0x1A2B);
    EXPECT_EQ(Word(config::kDeviceRevisionOffset), 0x0210);
    EXPECT_EQ(dialog.table.bytes[config::kHighestSpeedOffset], config::kSpeedHigh);
    EXPECT_TRUE(config::IsConfigTableSealed(dialog.table));
    EXPECT_EQ(dialog.form.commitSucceeded, 1);  // Load leaves the flags alone
}

TEST_F(FormTest, LoadShowsEachRefusalInItsOwnBox) {
    const std::string head = "[usb_config]\r\n";
    struct Case {
        std::string content;
        ShownBox box;
    };
    const Case cases[] = {
        {"usb_config\r\n", ErrorBox("The ini file is invalid !")},
        {"", ErrorBox("The ini file is invalid !")},
        {head + "vendor_id = 1234\r\nbogus = 1\r\n",
         AppErrorBox("Configuration string of line 3 in ini file is invalid !")},
        {head + "vendor_id = 0x1A\r\n",
         ErrorBox("Vendor ID is invalid ! (Character in the range 0~9 and A~F)")},
        {head + "vendor_id = 1A2\r\n", ErrorBox("Vendor ID is invalid ! (Contain 4 characters)")},
        {head + "product_id = 12G4\r\n",
         ErrorBox("Product ID is invalid ! (Character in the range 0~9 and A~F)")},
        {head + "product_id = 123\r\n", ErrorBox("Product ID is invalid ! (Contain 4 charaters)")},
        {head + "device_revision = 01A0\r\n",
         ErrorBox("Device Revision is invalid ! (Character in the range 0~9)")},
        {head + "device_revision = 100\r\n",
         ErrorBox("Device Revision is invalid ! (Contain 4 charaters)")},
        {head + "serial_number = 0123456789AG\r\n",
         ErrorBox("Serial Number is invalid ! ( Character in the range 0~9 and A~F)")},
        {head + "serial_number = 01234567890\r\n",
         ErrorBox("Serial Number is invalid ! (From 12 to 20 characters)")},
        {head + "manufacturer_string = " + std::string(45, 'm') + "\r\n",
         ErrorBox("Manufacturer String[45] is invalid ! (At most 44 characters)")},
        {head + "product_string = " + std::string(49, 'p') + "\r\n",
         ErrorBox("Product String[49] is invalid ! (At most 48 characters)")},
        {head + "highest_speed = low\r\n",
         ErrorBox("\"Highest USB Speed\" : Unknown Choice ! (In ini file)")},
        {head + "language_id = german\r\n",
         ErrorBox("\"Language ID\" : Unknown Choice ! (In ini file)")},
        {head + "power_mode = bus\r\n",
         ErrorBox("\"Power Mode\" : Unknown Choice ! (In ini file)")},
    };
    for (const Case& c : cases) {
        prompts.Clear();
        LoadText(c.content);
        EXPECT_EQ(prompts.boxes, std::vector<ShownBox>{c.box}) << c.content;
        EXPECT_TRUE(config::IsConfigTableSealed(dialog.table)) << c.content;
    }
    prompts.Clear();
    LoadPath(QStringLiteral("no-such.ini"));
    EXPECT_EQ(prompts.boxes, std::vector<ShownBox>{ErrorBox("The ini file can't be readed !")});
    prompts.Clear();
    LoadPath(QString());
    EXPECT_EQ(prompts.boxes, std::vector<ShownBox>{ErrorBox("The ini file can't be readed !")});
}

TEST_F(FormTest, ARefusalOnLineFiveKeepsLinesTwoToFour) {
    LoadText(
        "[usb_config]\r\nvendor_id = 1A2B\r\nproduct_id = 4321\r\ndevice_revision = 0200\r\n"
        "serial_number = XYZ\r\nmanufacturer_string = Later\r\n");
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{
                  "Serial Number is invalid ! ( Character in the range 0~9 and A~F)"});
    EXPECT_EQ(Text(kVendorIdEdit), "1A2B");
    EXPECT_EQ(Text(kProductIdEdit), "4321");
    EXPECT_EQ(Text(kDeviceRevisionEdit), "0200");
    EXPECT_EQ(Text(kSerialNumberEdit), "0123456789ABCDEF");
    EXPECT_EQ(Text(kManufacturerEdit), "Brelcom");
    EXPECT_EQ(Word(config::kProductIdOffset), 0x4321);
    EXPECT_EQ(Word(config::kDeviceRevisionOffset), 0x0200);
    for (std::size_t i = config::kSerialOffset; i < config::kVendorIdOffset; ++i) {
        EXPECT_EQ(dialog.table.bytes[i], 0xFF) << i;
    }
    EXPECT_TRUE(config::IsConfigTableSealed(dialog.table));
}

TEST_F(FormTest, SaveAndLoadWritesTheFormAsTyped) {
    Type(kVendorIdEdit, QStringLiteral("1a2b"));
    prompts.AnswerFileDialog((dir / "saved.ini").string());
    Click(kSaveAndLoadButton);
    EXPECT_TRUE(prompts.boxes.empty());
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_TRUE(prompts.fileDialogs[0].save);
    EXPECT_EQ(prompts.fileDialogs[0].filter, kFilter);
    const std::string expected =
        "[usb_config]\r\nvendor_id = 1a2b\r\nproduct_id = 55AA\r\ndevice_revision = 0100\r\n"
        "serial_number = 0123456789ABCDEF\r\nmanufacturer_string = Brelcom\r\n"
        "product_string = BR4870\r\nhighest_speed = Super";
    const auto bytes = testsupport::ReadBytes(dir / "saved.ini");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_TRUE(config::IsConfigTableSealed(dialog.table));
    EXPECT_EQ(dialog.form.commitSucceeded, 0);  // a saving commit leaves the flag as it was
}

TEST_F(FormTest, SaveAndLoadTellsWhyNothingWasSaved) {
    std::filesystem::create_directory(dir / "taken.ini");
    const std::string taken = (dir / "taken.ini").string();
    struct Case {
        std::optional<std::string> answer;
        std::vector<ShownBox> boxes;
    };
    const Case cases[] = {
        {std::nullopt, {ErrorBox("You must to name the ini file !")}},
        {"", {}},
        {(dir / "missing" / "x.ini").string(), {ErrorBox("Can't open an ini file !")}},
        {taken,
         {ErrorBox("Can't save the ini file " + taken +
                   " ! (replacing the file failed: Is a directory)")}},
    };
    for (const Case& c : cases) {
        prompts.Clear();
        prompts.AnswerFileDialog(c.answer);
        Click(kSaveAndLoadButton);
        EXPECT_EQ(prompts.boxes, c.boxes) << c.answer.value_or("<cancel>");
        EXPECT_TRUE(config::IsConfigTableSealed(dialog.table));  // the commit stands
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(FormTest, TheCommitRefusesTheFirstBadFieldWithoutAFileDialog) {
    const QString twoByteLetters = QString::fromUtf8("é");
    struct Case {
        int id;
        QString text;
        std::string message;
    };
    const Case cases[] = {
        {kVendorIdEdit, "12G", "Vendor ID is invalid ! (Contain 4 characters)"},
        {kVendorIdEdit, "12G4", "Vendor ID is invalid ! (Character in the range 0~9 and A~F)"},
        {kProductIdEdit, "123", "Product ID is invalid ! (Contain 4 charaters)"},
        {kProductIdEdit, "x234", "Product ID is invalid ! (Character in the range 0~9 and A~F)"},
        {kDeviceRevisionEdit, "1", "Device Revision is invalid ! (Contain 4 charaters)"},
        {kDeviceRevisionEdit, "01A0", "Device Revision is invalid ! (Character in the range 0~9)"},
        {kSerialNumberEdit, "0123456789G", "Serial Number is invalid ! (From 12 to 20 characters)"},
        {kSerialNumberEdit, "0123456789AG",
         "Serial Number is invalid ! (Character in the range 0~9 and A~F)"},
        // 23 letters fit the field but take 46 bytes in the table's 44.
        {kManufacturerEdit, twoByteLetters.repeated(23),
         "Manufacturer String is invalid ! (At most 44 characters)"},
        {kProductStringEdit, twoByteLetters.repeated(25),
         "Product String is invalid ! (At most 48 characters)"},
    };
    for (const Case& c : cases) {
        CMorlindDlg fresh(prompts);
        fresh.Create();
        fresh.show();
        fresh.form.commitSucceeded = 1;
        fresh.Item(c.id).SetText(c.text);
        prompts.Clear();
        QTest::mouseClick(fresh.ItemWidget(kSaveAndLoadButton), Qt::LeftButton);
        EXPECT_EQ(prompts.boxes, std::vector<ShownBox>{ErrorBox(c.message)}) << c.message;
        EXPECT_TRUE(prompts.fileDialogs.empty());
        EXPECT_EQ(fresh.form.commitSucceeded, 0);
        EXPECT_FALSE(config::IsConfigTableSealed(fresh.table));
    }
}

TEST_F(FormTest, CommitOnlyReportsInTheFlagAndNeverAsksForAFile) {
    dialog.form.commitOnly = 1;
    dialog.OnSaveAndLoad();
    EXPECT_EQ(dialog.form.commitSucceeded, 1);
    EXPECT_EQ(Word(config::kVendorIdOffset), 0xE1D0);
    EXPECT_TRUE(config::IsConfigTableSealed(dialog.table));

    Click(kClearButton);
    dialog.OnSaveAndLoad();
    EXPECT_EQ(dialog.form.commitSucceeded, 0);
    EXPECT_EQ(prompts.Texts(),
              std::vector<std::string>{"Vendor ID is invalid ! (Contain 4 characters)"});
    EXPECT_TRUE(prompts.fileDialogs.empty());
    EXPECT_EQ(dialog.form.commitOnly, 1);  // the caller's to reset
}

TEST_F(FormTest, ASavedFormLoadsBackToTheSameTableShowingUpperCase) {
    Type(kVendorIdEdit, QStringLiteral("1a2b"));
    Type(kManufacturerEdit, QStringLiteral("Maker"));
    prompts.AnswerFileDialog((dir / "round.ini").string());
    Click(kSaveAndLoadButton);
    const config::ConfigTable saved = dialog.table;

    Click(kClearButton);
    LoadPath(QStringLiteral("round.ini"));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(Text(kVendorIdEdit), "1A2B");
    EXPECT_EQ(Text(kManufacturerEdit), "Maker");
    EXPECT_EQ(dialog.table, saved);
}

}  // namespace
