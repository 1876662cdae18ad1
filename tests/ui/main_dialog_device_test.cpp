// The main dialog's device buttons end to end, with real widgets on the offscreen platform, the
// real simulated controller and the working files in a temporary current directory: each
// handler reaches its procedure with the right boxes, and the DEBUG button opens a new, empty
// register dialog each time.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_table.h"
#include "tests/platform/qt/modal_watcher.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"
#include "tests/vivuraz/sim_fixture.h"
#include "ui/control_ids.h"
#include "ui/debug_dialog.h"
#include "ui/debug_dialog_template.h"
#include "ui/main_dialog.h"
#include "vivuraz/vivuraz.h"

namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testsupport::ErrorBox;
using testsupport::ExclamationBox;
using testsupport::InformationBox;
using Bytes = std::vector<std::uint8_t>;

const Bytes kImageAbc = {0x03, 0x00, 0x61, 0x62, 0x63, 0x5A, 0x26};

class MainDialogDeviceTest : public simtest::SimTest {
  protected:
    MainDialogDeviceTest() {
        dialog.Create();
        dialog.show();
    }

    void Click(int id) { QTest::mouseClick(dialog.ItemWidget(id), Qt::LeftButton); }

    // Types the raw firmware file's path into the "Bin File Directory" box.
    void PickRawFile(const Bytes& raw) {
        testsupport::WriteBytes(work / "firmware.bin", raw);
        auto* box = qobject_cast<QComboBox*>(dialog.ItemWidget(ui::kBinPathBox));
        ASSERT_TRUE(box && box->lineEdit());
        QTest::keyClicks(box->lineEdit(), QString::fromStdString((work / "firmware.bin").string()));
    }

    Bytes ConfigEEPROM() const {
        Bytes content(128);
        VivuRAZLib_Load();
        EXPECT_EQ(VivuRAZLib_Q4870_AccessConfigEEPROM(1, 0, content.data(), 128), 0);
        return content;
    }

    testsupport::TempDir work;
    testsupport::ScopedCurrentDir inWork{work.path()};
    testsupport::ScriptedPrompts prompts;
    ui::CMorlindDlg dialog{prompts};
};

TEST_F(MainDialogDeviceTest, UpdateConfigurationSendsTheFormsSealedTable) {
    Click(ui::kUpdateConfigurationButton);
    EXPECT_THAT(prompts.boxes, ElementsAre(InformationBox("Finish Downloading Configuration !")));
    EXPECT_TRUE(config::IsConfigTableSealed(dialog.table));
    EXPECT_THAT(ConfigEEPROM(), ElementsAreArray(dialog.table.bytes));
}

TEST_F(MainDialogDeviceTest, ARefusedFieldStopsUpdateConfiguration) {
    auto* vendor = dialog.ItemWidget(ui::kVendorIdEdit);
    dialog.Item(ui::kVendorIdEdit).SetText({});
    QTest::keyClicks(vendor, "12G4");
    Click(ui::kUpdateConfigurationButton);
    EXPECT_THAT(prompts.boxes,
                ElementsAre(ErrorBox("Vendor ID is invalid ! (Character in the range 0~9 and A~F)"),
                            ErrorBox("Can't load the configuration !")));
    EXPECT_THAT(ConfigEEPROM(), Each(0xFF));
}

TEST_F(MainDialogDeviceTest, UpdateConfigurationFirmwareThenSaveAndLoadAsksForTheFileAgain) {
    PickRawFile({0x61, 0x62, 0x63});
    Click(ui::kUpdateConfigurationFirmwareButton);
    EXPECT_THAT(prompts.Texts(), ElementsAre("Finish Downloading Configuration Table !",
                                             "Finish Downloading Firmware !"));
    Bytes rom(dialog.table.bytes.begin(), dialog.table.bytes.end());
    rom.insert(rom.end(), kImageAbc.begin(), kImageAbc.end());
    EXPECT_EQ(testsupport::ReadBytes(work / "Config_Rom.bin"), rom);

    prompts.Clear();
    Click(ui::kSaveAndLoadButton);  // the person cancels the save dialog
    ASSERT_EQ(prompts.fileDialogs.size(), 1u);
    EXPECT_TRUE(prompts.fileDialogs[0].save);
    EXPECT_THAT(prompts.boxes, ElementsAre(ErrorBox("You must to name the ini file !")));
}

TEST_F(MainDialogDeviceTest, UpdateFirmwareLeavesTheTableErased) {
    PickRawFile({0x61, 0x62, 0x63});
    Click(ui::kUpdateFirmwareButton);
    EXPECT_THAT(prompts.Texts(), ElementsAre("Finish Downloading Configuration Table !",
                                             "Finish Downloading Firmware !"));
    EXPECT_THAT(dialog.table.bytes, Each(0xFF));
    EXPECT_THAT(ConfigEEPROM(), Each(0xFF));
    EXPECT_EQ(testsupport::ReadBytes(work / "UnConfig_Rom.bin").size(), 128u + kImageAbc.size());
}

TEST_F(MainDialogDeviceTest, ShowFwVersionShowsTheSixBytes) {
    Click(ui::kShowFwVersionButton);
    EXPECT_THAT(prompts.boxes, ElementsAre(ExclamationBox("01 75 00 0a b2 ff")));
}

// What one opening of the register dialog showed.
struct Opening {
    bool fieldsEmpty = false;
    std::string gridAfterRead;
};

TEST_F(MainDialogDeviceTest, DebugOpensANewEmptyRegisterDialogEachTime) {
    std::vector<Opening> openings;
    testsupport::ModalWatcher watcher([&openings](QWidget& modal) {
        auto* debug = dynamic_cast<ui::CdebugDlg*>(&modal);
        ASSERT_NE(debug, nullptr);
        Opening seen;
        seen.fieldsEmpty = true;
        for (const int id : {ui::kReadAddressEdit, ui::kReadLengthEdit, ui::kWriteAddressEdit,
                             ui::kWriteValueEdit, ui::kRegisterGrid}) {
            seen.fieldsEmpty = seen.fieldsEmpty && debug->Item(id).Text().isEmpty();
        }
        QTest::keyClicks(debug->ItemWidget(ui::kReadAddressEdit), "7F0");
        QTest::keyClicks(debug->ItemWidget(ui::kReadLengthEdit), "6");
        QTest::mouseClick(debug->ItemWidget(ui::kReadButton), Qt::LeftButton);
        seen.gridAfterRead = debug->Item(ui::kRegisterGrid).Text().left(17).toStdString();
        openings.push_back(seen);
        QTest::mouseClick(debug->ItemWidget(platform::qt::kIdOk), Qt::LeftButton);
    });
    Click(ui::kDebugButton);
    Click(ui::kDebugButton);
    ASSERT_EQ(openings.size(), 2u);
    for (const Opening& opening : openings) {
        EXPECT_TRUE(opening.fieldsEmpty);
        EXPECT_EQ(opening.gridAfterRead, "01 75 00 0A B2 FF");
    }
    EXPECT_TRUE(prompts.boxes.empty());
}

}  // namespace
