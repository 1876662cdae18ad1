// The dialog framework on real widgets: a template becomes placed widgets, the message map
// reaches the handlers, Enter and Escape end the dialog, data exchange keeps its limits, and
// the system menu reaches OnSysCommand.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/qt/application.h"
#include "platform/qt/dialog_units.h"
#include "tests/platform/qt/modal_watcher.h"
#include "tests/platform/qt/test_dialog.h"

namespace {

using platform::qt::BaseUnits;
using platform::qt::DuRect;
using testsupport::TestDialog;

class DialogFrameworkTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog.Create();
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    QWidget* Widget(int id) { return dialog.ItemWidget(id); }

    TestDialog dialog;
};

TEST(DialogUnitsTest, ConvertLikeMulDivWithQuarterAndEighthBaseUnits) {
    struct Case {
        DuRect du;
        BaseUnits base;
        QRect pixels;
    };
    const Case cases[] = {
        {{4, 8, 40, 12}, {7, 16}, {7, 16, 70, 24}},
        {{1, 1, 3, 5}, {6, 13}, {2, 2, 5, 8}},  // 1.5 -> 2, 1.625 -> 2, 4.5 -> 5, 8.125 -> 8
        {{0, 0, 286, 279}, {8, 17}, {0, 0, 572, 593}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::qt::DuToPixels(c.du, c.base), c.pixels) << c.du.width;
    }
}

TEST(DialogUnitsTest, TemplateFontNamesMapToTheDesktopSansSerif) {
    const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* name : {"System", "MS Sans Serif", "Microsoft Sans Serif"}) {
        const QFont font = platform::qt::TemplateFont({name, 9, true});
        EXPECT_EQ(font.family(), desktop) << name;
        EXPECT_EQ(font.pointSize(), 9);
        EXPECT_TRUE(font.bold());
    }
}

TEST_F(DialogFrameworkTest, PlacesTheControlsOfTheTemplateInDialogUnits) {
    const BaseUnits base = dialog.DialogBaseUnits();
    EXPECT_EQ(base, platform::qt::BaseUnitsOf(dialog.font()));
    EXPECT_EQ(dialog.size(),
              QSize(platform::qt::DuToPixelsX(130, base), platform::qt::DuToPixelsY(100, base)));
    EXPECT_EQ(Widget(testsupport::kNameEdit)->geometry(),
              platform::qt::DuToPixels({40, 4, 40, 12}, base));
    EXPECT_EQ(Widget(testsupport::kPathBox)->x(), platform::qt::DuToPixelsX(40, base));
    EXPECT_FALSE(Widget(testsupport::kHiddenEdit)->isVisible());
    EXPECT_EQ(dialog.windowTitle(), "Test");
}

TEST_F(DialogFrameworkTest, LabelsNameTheirControlAndTabOrderIsTemplateOrder) {
    auto* label = dialog.findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), Widget(testsupport::kNameEdit));
    // Screen readers say the caption without its mnemonic marker.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Widget(testsupport::kNameEdit))
                  ->text(QAccessible::Name)
                  .toStdString(),
              "Name");

    const int order[] = {testsupport::kNameEdit, testsupport::kColourList, testsupport::kPathBox,
                         testsupport::kPressButton, testsupport::kThrowButton};
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(QApplication::focusWidget(), Widget(order[0]));  // the first that takes focus
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Widget(order[i])) << i;
    }
}

TEST(DialogEndTest, EnterAndEscapeEndTheDialogFromAnyControl) {
    struct Case {
        int focus;
        Qt::Key key;
        int result;
    };
    const Case cases[] = {
        {testsupport::kNameEdit, Qt::Key_Return, platform::qt::kIdOk},
        {testsupport::kNameEdit, Qt::Key_Enter, platform::qt::kIdOk},
        {testsupport::kNameEdit, Qt::Key_Escape, platform::qt::kIdCancel},
        {testsupport::kColourList, Qt::Key_Return, platform::qt::kIdOk},
        {testsupport::kColourList, Qt::Key_Escape, platform::qt::kIdCancel},
        {testsupport::kPathBox, Qt::Key_Return, platform::qt::kIdOk},
        {testsupport::kPathBox, Qt::Key_Escape, platform::qt::kIdCancel},
        {testsupport::kPressButton, Qt::Key_Escape, platform::qt::kIdCancel},
    };
    for (const Case& c : cases) {
        TestDialog dialog;
        dialog.Create();
        dialog.show();
        QWidget* widget = dialog.ItemWidget(c.focus);
        widget->setFocus();
        QTest::keyClick(widget, c.key);
        EXPECT_FALSE(dialog.isVisible()) << c.focus << " " << c.key;
        EXPECT_EQ(dialog.result(), c.result) << c.focus << " " << c.key;
        EXPECT_TRUE(dialog.calls.empty());
    }
}

TEST_F(DialogFrameworkTest, EnterOnAFocusedButtonPressesItAndNoButtonIsDefault) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->text().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->text().toStdString();
    }
    QWidget* button = Widget(testsupport::kPressButton);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"press"});
}

TEST_F(DialogFrameworkTest, CloseBoxEndsLikeCancel) {
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), platform::qt::kIdCancel);
}

TEST_F(DialogFrameworkTest, DataExchangeSetsTheLimitAndRefusesALongerTextOnEnter) {
    auto* edit = qobject_cast<QLineEdit*>(Widget(testsupport::kNameEdit));
    EXPECT_EQ(dialog.Item(testsupport::kNameEdit).Limit(), testsupport::kNameLimit);
    dialog.Item(testsupport::kNameEdit).SetText(QStringLiteral("far too long"));

    std::vector<testsupport::SeenBox> seen;
    {
        testsupport::ModalWatcher watcher(testsupport::ReadAndCloseBoxes(seen));
        QTest::keyClick(edit, Qt::Key_Return);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Enter no more than 5 characters.");
    EXPECT_EQ(seen[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(dialog.isVisible());

    dialog.Item(testsupport::kNameEdit).SetText(QStringLiteral("short"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.nameText, "short");
}

TEST_F(DialogFrameworkTest, MessageMapRunsClickAndDropDownHandlers) {
    QTest::mouseClick(Widget(testsupport::kPressButton), Qt::LeftButton);
    auto* box = qobject_cast<QComboBox*>(Widget(testsupport::kPathBox));
    box->setEditText(QStringLiteral("typed"));
    box->showPopup();
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"press", "dropdown"}));
    EXPECT_FALSE(dialog.popupOpenAtDropDown);  // the handler ran before the list opened
    EXPECT_TRUE(box->view()->isVisible());
    EXPECT_EQ(box->view()->model()->rowCount(), 2);
    EXPECT_EQ(box->currentText(), "");  // filling the list emptied the text
    box->hidePopup();
}

TEST_F(DialogFrameworkTest, AnExceptionLeavingAHandlerEndsInAnErrorBox) {
    std::vector<testsupport::SeenBox> seen;
    {
        testsupport::ModalWatcher watcher(testsupport::ReadAndCloseBoxes(seen));
        QTest::mouseClick(Widget(testsupport::kThrowButton), Qt::LeftButton);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], (testsupport::SeenBox{"disk on fire", "Error", QMessageBox::Critical, 1}));
    EXPECT_TRUE(dialog.isVisible());
}

QMenu* OpenMenu() {
    QApplication::processEvents();
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

TEST_F(DialogFrameworkTest, SystemMenuOpensOnTheBackgroundAndOnAltSpace) {
    dialog.GetSystemMenu()->AppendSeparator();
    dialog.GetSystemMenu()->AppendItem(testsupport::kAppendedCommand, QStringLiteral("&About"));

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                            dialog.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&dialog, &click);
    QMenu* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(texts, (QStringList{"&Close", "-", "&About"}));  // no minimise box, no Minimize
    menu->actions().back()->trigger();
    menu->close();
    QApplication::processEvents();
    EXPECT_EQ(dialog.sysCommands, std::vector<unsigned>{testsupport::kAppendedCommand});

    QTest::keyClick(&dialog, Qt::Key_Space, Qt::AltModifier);
    menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    menu->actions().front()->trigger();  // Close
    menu->close();
    QApplication::processEvents();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), platform::qt::kIdCancel);
}

class HelpApplication : public platform::qt::Application {
  public:
    int helpCommands = 0;

  protected:
    bool InitInstance() override { return false; }
    std::span<const platform::qt::CommandEntry> GetMessageMap() const override { return kMap; }

  private:
    void OnHelp() { ++helpCommands; }
    static constexpr platform::qt::CommandEntry kMap[] = {
        {platform::qt::kHelpCommand,
         &platform::qt::HandleCommand<HelpApplication, &HelpApplication::OnHelp>},
    };
};

TEST_F(DialogFrameworkTest, F1GoesToTheApplicationsHelpCommand) {
    HelpApplication application;
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(application.helpCommands, 1);
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
