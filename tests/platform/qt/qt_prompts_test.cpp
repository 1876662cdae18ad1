// The Qt side of Prompts: real message boxes and Qt's own file dialogs, caught and answered.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "platform/qt/application.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/qt_prompts.h"
#include "tests/platform/qt/modal_watcher.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::SeenBox;

TEST(QtFilterTest, PlatformFiltersBecomeQtNameFilters) {
    struct Case {
        const char* filter;
        const char* qt;
    };
    const Case cases[] = {
        {"Config File (*.ini)|*.ini||", "Config File (*.ini)"},
        {"Firmware|*.bin||", "Firmware (*.bin)"},
        {"Images|*.png;*.jpg|All Files (*.*)|*.*||", "Images (*.png *.jpg);;All Files (*.*)"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::qt::QtNameFilters(c.filter), c.qt) << c.filter;
    }
}

TEST(ApplicationNameTest, IsTheExecutablesFileNameWithoutExtension) {
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"/usr/bin/morlind", "morlind"},
        {"/opt/tools/morlind.exe", "morlind"},
        {"relative/eeprom.editor.bin", "eeprom.editor"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::qt::ApplicationNameFromPath(c.path), c.name) << c.path;
    }
    EXPECT_EQ(platform::qt::ApplicationName(), "qt_prompts_test");
}

TEST(QtPromptsTest, ShowsEachBoxTypeWithItsIconCaptionAndOneOkButton) {
    QWidget owner;
    platform::qt::QtPrompts prompts(&owner);
    std::vector<SeenBox> seen;
    {
        testsupport::ModalWatcher watcher(testsupport::ReadAndCloseBoxes(seen));
        prompts.DialogBox("Broken", "Error", platform::BoxType::Error);
        prompts.DialogBox("Careful", "Information", platform::BoxType::Exclamation);
        prompts.DialogBox("Done", "Information", platform::BoxType::Information);
        prompts.ApplicationBox("From the application", platform::BoxType::Error);
    }
    const std::vector<SeenBox> expected{
        {"Broken", "Error", QMessageBox::Critical, 1},
        {"Careful", "Information", QMessageBox::Warning, 1},
        {"Done", "Information", QMessageBox::Information, 1},
        {"From the application", "qt_prompts_test", QMessageBox::Critical, 1},
    };
    EXPECT_EQ(seen, expected);
}

// Types a name into Qt's file dialog and presses Enter, as a person would; confirms an
// overwrite question with Yes.
testsupport::ModalWatcher::Answer TypeName(const QString& name, QStringList& filters,
                                           bool& askedToOverwrite) {
    return [&, name](QWidget& modal) {
        if (auto* question = qobject_cast<QMessageBox*>(&modal)) {
            askedToOverwrite = true;
            question->button(QMessageBox::Yes)->click();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

TEST(QtPromptsTest, FileDialogsReturnTheTypedPathOrNothingOnCancel) {
    testsupport::TempDir dir;
    testsupport::ScopedCurrentDir inDir(dir.path());
    testsupport::WriteText(dir / "old.ini", "x");
    platform::qt::QtPrompts prompts;
    const std::string filter = "Config File (*.ini)|*.ini||";

    struct Case {
        bool save;
        const char* name;
        bool overwriteQuestion;
    };
    const Case cases[] = {
        {true, "new.ini", false}, {true, "old.ini", true}, {false, "old.ini", false}};
    for (const Case& c : cases) {
        QStringList filters;
        bool asked = false;
        std::optional<std::string> answer;
        {
            testsupport::ModalWatcher watcher(
                TypeName(QString::fromLatin1(c.name), filters, asked));
            answer = c.save ? prompts.AskSaveFileName(filter) : prompts.AskOpenFileName(filter);
        }
        EXPECT_EQ(answer, (dir / c.name).string()) << c.name;
        EXPECT_EQ(filters, QStringList{"Config File (*.ini)"});
        EXPECT_EQ(asked, c.overwriteQuestion) << c.name;
    }

    testsupport::ModalWatcher cancel([](QWidget& modal) {
        if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
            dialog->reject();
        }
    });
    EXPECT_EQ(prompts.AskSaveFileName(filter), std::nullopt);
}

}  // namespace
