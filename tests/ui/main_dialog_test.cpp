// The main dialog as it starts, its typing limits, how it ends, Clear, and the About box from
// the system menu.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "tests/platform/qt/modal_watcher.h"
#include "tests/ui/main_dialog_fixture.h"
#include "ui/about_dialog.h"
#include "ui/control_ids.h"
#include "ui/debug_dialog.h"

namespace {

using testsupport::MainDialogTest;
using namespace ui;

TEST_F(MainDialogTest, StartsWithTheDefaultsLimitsAndVisibility) {
    struct Case {
        int id;
        const char* text;
        int limit;
        bool visible;
    };
    const Case cases[] = {
        {kVendorIdEdit, "E1D0", 4, true},
        {kProductIdEdit, "55AA", 4, true},
        {kDeviceRevisionEdit, "0100", 4, true},
        {kSerialNumberEdit, "0123456789ABCDEF", 20, true},
        {kManufacturerEdit, "Brelcom", 44, true},
        {kProductStringEdit, "BR4870", 48, true},
        {kLanguageList, "English", 0, true},
        {kSpeedList, "Super", 0, false},
        {kPowerList, "Self", 0, false},
        {kIniPathBox, "", 0, true},
        {kBinPathBox, "", 0, true},
        {kLoadButton, "Load", 0, true},
        {kSaveAndLoadButton, "Save and Load", 0, true},
        {kClearButton, "Clear", 0, true},
        {kUpdateConfigurationFirmwareButton, "Update Configuration / Firmware", 0, true},
        {kUpdateFirmwareButton, "Update Firmware", 0, true},
        {kUpdateConfigurationButton, "Update Configuration", 0, true},
        {kDebugButton, "DEBUG", 0, true},
        {kShowFwVersionButton, "Show FW Version", 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.id), c.text) << c.id;
        EXPECT_EQ(dialog.Item(c.id).Limit(), c.limit) << c.id;
        EXPECT_EQ(Widget(c.id)->isVisible(), c.visible) << c.id;
    }
    EXPECT_EQ(dialog.windowTitle(), "Morlind 0.75");
    EXPECT_EQ(dialog.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_EQ(dialog.table, config::ConfigTable{});  // not filled at start-up
    EXPECT_EQ(dialog.form.vendorId, 0xE1D0);
    EXPECT_EQ(dialog.form.commitOnly + dialog.form.commitSucceeded + dialog.form.firmwareImageBuilt,
              0);

    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), Widget(kVendorIdEdit));
}

// The logo is decoded at the size its control shows it, so it is drawn without scaling.
TEST_F(MainDialogTest, LogoFillsItsControlAtTheScreensPixelRatio) {
    int pictures = 0;
    for (auto* label : dialog.findChildren<QLabel*>()) {
        const QPixmap logo = label->pixmap();
        if (logo.isNull()) {
            continue;
        }
        ++pictures;
        EXPECT_EQ(logo.deviceIndependentSize().toSize(), label->size());
        EXPECT_EQ(logo.devicePixelRatio(), label->devicePixelRatioF());
        // The chip, a sixth of the way along the middle line, is drawn opaque.
        EXPECT_EQ(logo.toImage().pixelColor(logo.width() / 6, logo.height() / 2).alpha(), 255);
    }
    EXPECT_EQ(pictures, 1);
}

// The desktop's font is wider than the one the templates were laid out with; no one-line
// caption of any dialog may be cut off by that.
TEST(DialogCaptionTest, EveryOneLineCaptionShowsWhole) {
    testsupport::ScriptedPrompts prompts;
    ui::CMorlindDlg mainDialog(prompts);
    ui::CAboutDlg about;
    ui::CdebugDlg registers(prompts);
    for (platform::qt::Dialog* dialog :
         std::initializer_list<platform::qt::Dialog*>{&mainDialog, &about, &registers}) {
        dialog->Create();
        dialog->show();
        int captions = 0;
        for (auto* label : dialog->findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            if (label->text().isEmpty() || label->wordWrap() ||
                label->height() >= 2 * metrics.height()) {
                continue;
            }
            ++captions;
            EXPECT_GE(label->contentsRect().width(), metrics.horizontalAdvance(label->text()))
                << dialog->windowTitle().toStdString() << ": " << label->text().toStdString();
        }
        EXPECT_GT(captions, 1) << dialog->windowTitle().toStdString();
    }
}

TEST_F(MainDialogTest, ListsHoldTheirItemsInSortedOrderWithTheStartSelection) {
    struct Case {
        int id;
        QStringList items;
        int selected;
    };
    const Case cases[] = {
        {kLanguageList, {"English"}, 0},
        {kSpeedList, {"Full", "High", "Super"}, 2},
        {kPowerList, {"Self"}, 0},
    };
    for (const Case& c : cases) {
        QStringList items;
        for (int i = 0; i < dialog.Item(c.id).Count(); ++i) {
            items << dialog.Item(c.id).ItemText(i);
        }
        EXPECT_EQ(items, c.items) << c.id;
        EXPECT_EQ(dialog.Item(c.id).SelectedIndex(), c.selected) << c.id;
        EXPECT_FALSE(qobject_cast<QComboBox*>(Widget(c.id))->isEditable()) << c.id;
    }
    for (int id : {kIniPathBox, kBinPathBox}) {
        auto* box = qobject_cast<QComboBox*>(Widget(id));
        EXPECT_TRUE(box->isEditable() && !box->lineEdit()->isReadOnly()) << id;
        EXPECT_EQ(box->count(), 0) << id;
    }
}

TEST_F(MainDialogTest, CaptionsNameTheirFieldsAndHiddenRowsStayHidden) {
    struct Case {
        const char* caption;
        int buddy;
        bool visible;
    };
    const Case cases[] = {
        {"ini File Directory", kIniPathBox, true},
        {"Vendor ID", kVendorIdEdit, true},
        {"Product ID", kProductIdEdit, true},
        {"Device Revision", kDeviceRevisionEdit, true},
        {"Language ID", kLanguageList, true},
        {"Serial Number", kSerialNumberEdit, true},
        {"Manufacturer String", kManufacturerEdit, true},
        {"Product String", kProductStringEdit, true},
        {"Highest USB Speed", kSpeedList, false},
        {"Power Mode", kPowerList, false},
        {"Bin File Directory", kBinPathBox, true},
    };
    for (const Case& c : cases) {
        QLabel* label = nullptr;
        for (auto* candidate : dialog.findChildren<QLabel*>()) {
            if (candidate->text() == c.caption) {
                label = candidate;
            }
        }
        ASSERT_NE(label, nullptr) << c.caption;
        EXPECT_EQ(label->buddy(), Widget(c.buddy)) << c.caption;
        EXPECT_EQ(label->isVisible(), c.visible) << c.caption;
    }
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->text().toStdString();
    }
}

TEST_F(MainDialogTest, TypedAndPastedTextIsCutAtTheLimitProgramTextIsNot) {
    const std::pair<int, int> fields[] = {
        {kVendorIdEdit, 4},      {kProductIdEdit, 4},     {kDeviceRevisionEdit, 4},
        {kSerialNumberEdit, 20}, {kManufacturerEdit, 44}, {kProductStringEdit, 48},
    };
    const QString longText = QStringLiteral("0123456789").repeated(6);
    for (const auto& [id, limit] : fields) {
        Type(id, longText);
        EXPECT_EQ(Text(id), longText.left(limit)) << id;

        SetText(id, QString());
        QApplication::clipboard()->setText(longText);
        QTest::keyClick(Widget(id), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Text(id), longText.left(limit)) << id;

        SetText(id, longText);
        EXPECT_EQ(Text(id), longText) << id;
    }
}

TEST(MainDialogEndTest, EnterAndEscapeInAnyFieldEndTheDialog) {
    testsupport::TempDir dir;
    testsupport::ScopedCurrentDir inDir(dir.path());
    testsupport::ScriptedPrompts prompts;
    const int fields[] = {kVendorIdEdit,     kProductIdEdit,    kDeviceRevisionEdit,
                          kSerialNumberEdit, kManufacturerEdit, kProductStringEdit,
                          kLanguageList,     kIniPathBox,       kBinPathBox};
    for (int id : fields) {
        for (const auto& [key, result] : {std::pair{Qt::Key_Return, 1}, std::pair{Qt::Key_Enter, 1},
                                          std::pair{Qt::Key_Escape, 2}}) {
            CMorlindDlg dialog(prompts);
            dialog.Create();
            dialog.show();
            dialog.ItemWidget(id)->setFocus();
            QTest::keyClick(dialog.ItemWidget(id), key);
            EXPECT_FALSE(dialog.isVisible()) << id << " " << key;
            EXPECT_EQ(dialog.result(), result) << id << " " << key;
        }
    }
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(MainDialogTest, ClearEmptiesTheFieldsAndTheIniPathOnly) {
    SetText(kIniPathBox, QStringLiteral("config.ini"));
    SetText(kBinPathBox, QStringLiteral("firmware.bin"));
    dialog.form.commitSucceeded = 1;
    const config::FormState before = dialog.form;
    for (int press = 0; press < 2; ++press) {
        Click(kClearButton);
        for (int id : {kIniPathBox, kVendorIdEdit, kProductIdEdit, kDeviceRevisionEdit,
                       kSerialNumberEdit, kManufacturerEdit, kProductStringEdit}) {
            EXPECT_EQ(Text(id), "") << id;
        }
        EXPECT_EQ(Text(kBinPathBox), "firmware.bin");
        EXPECT_EQ(Text(kLanguageList), "English");
        EXPECT_EQ(Text(kSpeedList), "Super");
        EXPECT_EQ(Text(kPowerList), "Self");
        EXPECT_EQ(dialog.form.commitSucceeded, 0);
        config::FormState expected = before;
        expected.commitSucceeded = 0;
        EXPECT_EQ(dialog.form, expected);
        EXPECT_EQ(dialog.table, config::ConfigTable{});
    }
}

// Reads the About box while it runs and ends it with its OK button.
struct SeenAbout {
    QString title;
    QStringList labels;
    bool okIsDefault = false;
};

testsupport::ModalWatcher::Answer ReadAbout(SeenAbout& seen) {
    return [&seen](QWidget& modal) {
        seen.title = modal.windowTitle();
        for (auto* label : modal.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                seen.labels << label->text();
            }
        }
        auto* ok = modal.findChild<QPushButton*>();
        seen.okIsDefault = ok != nullptr && ok->isDefault();
        if (ok != nullptr) {
            ok->click();
        }
    };
}

TEST_F(MainDialogTest, SystemMenuGainsOneSeparatorAndTheAboutEntryThatOpensTheAboutBox) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3),
                            dialog.mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(&dialog, &click);
    QApplication::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (QAction* action : menu->actions()) {
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(entries, (QStringList{"Mi&nimize", "&Close", "-", "關於 Morlind(&A)..."}));

    SeenAbout seen;
    {
        testsupport::ModalWatcher watcher(ReadAbout(seen));
        menu->actions().back()->trigger();
        menu->close();
        QApplication::processEvents();  // the entry's command runs the About box to its end
    }
    EXPECT_EQ(seen.title, "About EEPROM Editor");
    EXPECT_EQ(seen.labels, (QStringList{"EEPROM Editor Version 0.90", "Copyright (C) Brelcom"}));
    EXPECT_TRUE(seen.okIsDefault);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Text(kVendorIdEdit), "E1D0");
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST(AboutBoxTest, OkEnterEscapeAndTheCloseBoxEndIt) {
    enum class End { Ok, Enter, Escape, CloseBox };
    for (End end : {End::Ok, End::Enter, End::Escape, End::CloseBox}) {
        CAboutDlg about;
        about.Create();
        about.show();
        switch (end) {
            case End::Ok:
                QTest::mouseClick(about.ItemWidget(kAboutOkButton), Qt::LeftButton);
                break;
            case End::Enter:
                QTest::keyClick(&about, Qt::Key_Return);
                break;
            case End::Escape:
                QTest::keyClick(&about, Qt::Key_Escape);
                break;
            case End::CloseBox:
                about.close();
                break;
        }
        EXPECT_FALSE(about.isVisible()) << static_cast<int>(end);
    }
}

}  // namespace
