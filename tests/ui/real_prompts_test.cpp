// The main dialog with the Qt prompts the program uses: the real message boxes appear and are
// read, and the real save dialog is driven. This program is built under the name "morlind",
// so its application boxes carry the caption the tool's do.

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/qt/qt_prompts.h"
#include "tests/platform/qt/modal_watcher.h"
#include "tests/support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/main_dialog.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>

namespace {

using testsupport::SeenBox;
using namespace ui;

class RealPromptsTest : public testing::Test {
  protected:
    void SetUp() override {
        prompts.SetOwner(&dialog);
        dialog.Create();
        dialog.show();
    }

    void Click(int id) { QTest::mouseClick(dialog.ItemWidget(id), Qt::LeftButton); }

    testsupport::TempDir dir;
    testsupport::ScopedCurrentDir inDir{dir.path()};
    platform::qt::QtPrompts prompts;
    CMorlindDlg dialog{prompts};
};

TEST_F(RealPromptsTest, LoadShowsRealDialogAndApplicationBoxes) {
    testsupport::WriteText(dir / "bad.ini", "[usb_config]\r\nvendor_id = 1234\r\nbogus = 1\r\n");
    std::vector<SeenBox> seen;
    {
        testsupport::ModalWatcher watcher(testsupport::ReadAndCloseBoxes(seen));
        dialog.Item(kIniPathBox).SetText(QStringLiteral("missing.ini"));
        Click(kLoadButton);
        dialog.Item(kIniPathBox).SetText(QStringLiteral("bad.ini"));
        Click(kLoadButton);
        prompts.DialogBox("Finish Downloading Firmware !", "Information",
                          platform::BoxType::Information);
    }
    const std::vector<SeenBox> expected{
        {"The ini file can't be readed !", "Error", QMessageBox::Critical, 1},
        {"Configuration string of line 3 in ini file is invalid !", "morlind",
         QMessageBox::Critical, 1},
        {"Finish Downloading Firmware !", "Information", QMessageBox::Information, 1},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(dialog.Item(kVendorIdEdit).Text(), "1234");
}

TEST_F(RealPromptsTest, SaveAndLoadSavesUnderTheNameTypedIntoTheSaveDialog) {
    QString title;
    {
        testsupport::ModalWatcher watcher([&title](QWidget& modal) {
            auto* fileDialog = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(fileDialog, nullptr);
            title = fileDialog->windowTitle();
            EXPECT_EQ(fileDialog->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(fileDialog->nameFilters(), QStringList{"Config File (*.ini)"});
            auto* name = fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            QTest::keyClicks(name, QStringLiteral("typed.ini"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        Click(kSaveAndLoadButton);
    }
    EXPECT_EQ(title, "Save As");
    const auto bytes = testsupport::ReadBytes(dir / "typed.ini");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, 32), "[usb_config]\r\nvendor_id = E1D0\r\n");
}

}  // namespace
