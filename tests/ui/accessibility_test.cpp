// What a screen reader and a keyboard-only user get from the dialogs, read through Qt's
// accessibility interface on real widgets offscreen: the names of fields, lists, buttons and
// dialogs, the register grid's bytes after a READ against the simulated controller, and the
// Tab order of the main and the register dialog.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/main_dialog_fixture.h"
#include "tests/vivuraz/sim_fixture.h"
#include "ui/about_dialog.h"
#include "ui/control_ids.h"
#include "ui/debug_dialog.h"
#include "ui/debug_dialog_template.h"

namespace {

struct NamedControl {
    int id;
    const char* name;
};

// Texts as std::string, so that a failure shows them readably.
std::string AccessibleText(QWidget* widget, QAccessible::Text text) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(text).toStdString() : "<not accessible>";
}

std::string AccessibleName(QWidget* widget) {
    return AccessibleText(widget, QAccessible::Name);
}

// The name of the label that a screen reader finds through the "labelled by" relation.
std::string LabelOf(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? "<no label>"
                            : labels.first().first->text(QAccessible::Name).toStdString();
}

void ExpectNames(const platform::qt::Dialog& dialog, const std::vector<NamedControl>& controls) {
    for (const NamedControl& control : controls) {
        EXPECT_EQ(AccessibleName(dialog.ItemWidget(control.id)), control.name) << control.id;
    }
}

// Whether the keyboard focus is in `control`: on it, or on a part of it such as the text field
// of an editable drop-down.
bool FocusIsIn(const QWidget* control) {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == control || control->isAncestorOf(focus));
}

// From the first control, Tab visits `order` once each and comes back to the first; Shift+Tab
// goes the same way backwards.
void ExpectTabOrder(platform::qt::Dialog& dialog, const std::vector<int>& order) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_TRUE(FocusIsIn(dialog.ItemWidget(order.front())));
    const std::size_t count = order.size();
    for (std::size_t step = 1; step <= count; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(FocusIsIn(dialog.ItemWidget(order[step % count])))
            << "Tab " << step << " should reach " << order[step % count];
    }
    for (std::size_t step = 1; step <= count; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_TRUE(FocusIsIn(dialog.ItemWidget(order[count - step])))
            << "Shift+Tab " << step << " should reach " << order[count - step];
    }
}

class MainDialogAccessibilityTest : public testsupport::MainDialogTest {};

TEST_F(MainDialogAccessibilityTest, EditFieldsAreNamedByTheirCaptions) {
    ExpectNames(dialog, {
                            {ui::kVendorIdEdit, "Vendor ID"},
                            {ui::kProductIdEdit, "Product ID"},
                            {ui::kDeviceRevisionEdit, "Device Revision"},
                            {ui::kSerialNumberEdit, "Serial Number"},
                            {ui::kManufacturerEdit, "Manufacturer String"},
                            {ui::kProductStringEdit, "Product String"},
                        });
}

// On Linux Qt names a drop-down list by the text it shows, as AT-SPI expects (a new choice is
// announced as a new name); a screen reader says its label from the "labelled by" relation.
// An empty box is named by its caption.
TEST_F(MainDialogAccessibilityTest, ListsAreLabelledByTheirCaptionsAndNamedByTheirText) {
    struct Case {
        int id;
        const char* label;
        const char* name;
    };
    const Case cases[] = {
        {ui::kLanguageList, "Language ID", "English"},
        {ui::kSpeedList, "Highest USB Speed", "Super"},
        {ui::kPowerList, "Power Mode", "Self"},
        {ui::kIniPathBox, "ini File Directory", "ini File Directory"},
        {ui::kBinPathBox, "Bin File Directory", "Bin File Directory"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelOf(Widget(c.id)), c.label) << c.id;
        EXPECT_EQ(AccessibleName(Widget(c.id)), c.name) << c.id;
    }

    auto* box = qobject_cast<QComboBox*>(Widget(ui::kIniPathBox));
    ASSERT_TRUE(box && box->lineEdit());
    QTest::keyClicks(box->lineEdit(), "board.ini");
    EXPECT_EQ(AccessibleName(box), "board.ini");
    EXPECT_EQ(AccessibleText(box, QAccessible::Value), "board.ini");
    EXPECT_EQ(LabelOf(box), "ini File Directory");
}

TEST_F(MainDialogAccessibilityTest, ButtonsAreNamedByTheirCaptions) {
    ExpectNames(dialog,
                {
                    {ui::kIniBrowseButton, "Browse"},
                    {ui::kLoadButton, "Load"},
                    {ui::kBinBrowseButton, "Browse"},
                    {ui::kUpdateConfigurationFirmwareButton, "Update Configuration / Firmware"},
                    {ui::kSaveAndLoadButton, "Save and Load"},
                    {ui::kClearButton, "Clear"},
                    {ui::kUpdateConfigurationButton, "Update Configuration"},
                    {ui::kDebugButton, "DEBUG"},
                    {ui::kUpdateFirmwareButton, "Update Firmware"},
                    {ui::kShowFwVersionButton, "Show FW Version"},
                });
}

// Template order; the hidden speed and power lists, labels and group boxes are no stops.
TEST_F(MainDialogAccessibilityTest, TabVisitsEveryControlInTemplateOrder) {
    ExpectTabOrder(dialog, {
                               ui::kVendorIdEdit,        ui::kDeviceRevisionEdit,
                               ui::kProductIdEdit,       ui::kManufacturerEdit,
                               ui::kProductStringEdit,   ui::kSerialNumberEdit,
                               ui::kIniBrowseButton,     ui::kLoadButton,
                               ui::kLanguageList,        ui::kBinPathBox,
                               ui::kBinBrowseButton,     ui::kUpdateConfigurationFirmwareButton,
                               ui::kSaveAndLoadButton,   ui::kIniPathBox,
                               ui::kClearButton,         ui::kUpdateConfigurationButton,
                               ui::kDebugButton,         ui::kUpdateFirmwareButton,
                               ui::kShowFwVersionButton,
                           });
}

class DebugDialogAccessibilityTest : public simtest::SimTest {
  protected:
    DebugDialogAccessibilityTest() {
        dialog.Create();
        dialog.show();
    }

    QWidget* Grid() const { return dialog.ItemWidget(ui::kRegisterGrid); }

    testsupport::ScriptedPrompts prompts;
    ui::CdebugDlg dialog{prompts};
};

TEST_F(DebugDialogAccessibilityTest, FieldsAndButtonsAreNamedByTheirCaptions) {
    ExpectNames(dialog, {
                            {ui::kReadAddressEdit, "Reg Addr"},
                            {ui::kReadLengthEdit, "Reg Len"},
                            {ui::kWriteAddressEdit, "Reg Addr"},
                            {ui::kWriteValueEdit, "Reg Val"},
                            {platform::qt::kIdOk, "OK"},
                            {platform::qt::kIdCancel, "Cancel"},
                            {ui::kReadButton, "READ"},
                            {ui::kWriteButton, "WRITE"},
                        });
}

// The two "Reg Addr" fields are told apart by the group box around each.
TEST_F(DebugDialogAccessibilityTest, FieldsAreDescribedByTheirGroup) {
    for (const NamedControl& field : {NamedControl{ui::kReadAddressEdit, "Read Register"},
                                      NamedControl{ui::kReadLengthEdit, "Read Register"},
                                      NamedControl{ui::kWriteAddressEdit, "Write Register"},
                                      NamedControl{ui::kWriteValueEdit, "Write Register"}}) {
        EXPECT_EQ(AccessibleText(dialog.ItemWidget(field.id), QAccessible::Description), field.name)
            << field.id;
    }
}

TEST_F(DebugDialogAccessibilityTest, TheGridIsNamedAndDescribedByTheBytesItShows) {
    EXPECT_EQ(AccessibleName(Grid()), "Register contents");
    EXPECT_EQ(AccessibleText(Grid(), QAccessible::Description), "");

    QTest::keyClicks(dialog.ItemWidget(ui::kReadAddressEdit), "7F0");
    QTest::keyClicks(dialog.ItemWidget(ui::kReadLengthEdit), "6");
    QTest::mouseClick(dialog.ItemWidget(ui::kReadButton), Qt::LeftButton);

    const std::string shown = dialog.Item(ui::kRegisterGrid).Text().toStdString();
    EXPECT_EQ(shown.substr(0, 18), "01 75 00 0A B2 FF ");
    EXPECT_EQ(AccessibleText(Grid(), QAccessible::Description), shown);
    EXPECT_EQ(AccessibleName(Grid()), "Register contents");
}

TEST_F(DebugDialogAccessibilityTest, TabVisitsEveryControlInTemplateOrder) {
    ExpectTabOrder(dialog, {
                               platform::qt::kIdOk,
                               platform::qt::kIdCancel,
                               ui::kReadAddressEdit,
                               ui::kReadLengthEdit,
                               ui::kReadButton,
                               ui::kWriteAddressEdit,
                               ui::kWriteValueEdit,
                               ui::kWriteButton,
                           });
}

TEST(DialogAccessibilityTest, DialogsAreNamedByTheirCaptions) {
    testsupport::TempDir dir;
    testsupport::ScopedCurrentDir inDir(dir.path());
    testsupport::ScriptedPrompts prompts;
    ui::CMorlindDlg main(prompts);
    ui::CdebugDlg debug(prompts);
    ui::CAboutDlg about;
    const std::pair<platform::qt::Dialog*, const char*> dialogs[] = {
        {&main, "Morlind 0.75"},
        {&debug, "Internal Register R/W Dialog"},
        {&about, "About EEPROM Editor"},
    };
    for (const auto& [dialog, name] : dialogs) {
        dialog->Create();
        dialog->show();
        EXPECT_EQ(AccessibleName(dialog), name);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(dialog)->role(), QAccessible::Dialog);
    }
    ExpectNames(about, {{ui::kAboutOkButton, "OK"}});
}

}  // namespace
