// The register debug dialog with real widgets on the offscreen platform and the real simulated
// controller: empty on opening, the grid in a fixed-pitch font under its headers, READ filling
// the grid, a failed READ keeping it, WRITE, and OK and Cancel both cancelling.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/scripted_prompts.h"
#include "tests/vivuraz/sim_fixture.h"
#include "ui/debug_dialog.h"
#include "ui/debug_dialog_template.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A grid whose first line starts with `firstLine` and is blank everywhere else.
std::string GridStartingWith(const std::string& firstLine) {
    std::string grid;
    for (int row = 0; row < 16; ++row) {
        grid += (row > 0 ? "\n" : "") + std::string(47, ' ');
    }
    return grid.replace(0, firstLine.size(), firstLine);
}

QLabel* LabelWithText(const QWidget& dialog, const char* text) {
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QString::fromUtf8(text)) {
            return label;
        }
    }
    return nullptr;
}

class DebugDialogTest : public simtest::SimTest {
  protected:
    DebugDialogTest() {
        dialog.Create();
        dialog.show();
    }

    void Type(int id, const QString& text) { QTest::keyClicks(dialog.ItemWidget(id), text); }
    void Click(int id) { QTest::mouseClick(dialog.ItemWidget(id), Qt::LeftButton); }
    void Read(const QString& address, const QString& length) {
        dialog.Item(ui::kReadAddressEdit).SetText({});
        dialog.Item(ui::kReadLengthEdit).SetText({});
        Type(ui::kReadAddressEdit, address);
        Type(ui::kReadLengthEdit, length);
        Click(ui::kReadButton);
    }
    std::string Grid() const { return dialog.Item(ui::kRegisterGrid).Text().toStdString(); }

    testsupport::ScriptedPrompts prompts;
    ui::CdebugDlg dialog{prompts};
};

TEST_F(DebugDialogTest, OpensEmptyWithTheGridInAFixedPitchFontUnderItsHeaders) {
    EXPECT_EQ(dialog.windowTitle(), "Internal Register R/W Dialog");
    for (const int id : {ui::kReadAddressEdit, ui::kReadLengthEdit, ui::kWriteAddressEdit,
                         ui::kWriteValueEdit, ui::kRegisterGrid}) {
        EXPECT_TRUE(dialog.Item(id).Text().isEmpty()) << "control " << id;
    }
    auto* grid = qobject_cast<QLabel*>(dialog.ItemWidget(ui::kRegisterGrid));
    QLabel* columns = LabelWithText(dialog, ui::kGridColumnHeader);
    QLabel* rows = LabelWithText(dialog, ui::kGridRowHeader);
    ASSERT_TRUE(grid && columns && rows);
    EXPECT_TRUE(QFontInfo(grid->font()).fixedPitch());
    EXPECT_EQ(columns->font(), grid->font());
    EXPECT_EQ(rows->font(), grid->font());

    // The column numbers start where the grid's text starts and span exactly one grid line,
    // so every cell stands under its number; the row numbers start with the first line.
    const QFontMetrics metrics(grid->font());
    const QRect text = grid->contentsRect().translated(grid->pos());
    EXPECT_EQ(columns->x(), text.x());
    EXPECT_EQ(columns->width(), metrics.horizontalAdvance(QString(47, '0')));
    EXPECT_EQ(rows->y(), text.y());
    EXPECT_LE(rows->geometry().right(), grid->x());
    EXPECT_LE(rows->heightForWidth(rows->width()), rows->height());  // all 16 numbers shown
}

TEST_F(DebugDialogTest, AFullGridFitsItsArea) {
    Read("0", "100");
    auto* grid = qobject_cast<QLabel*>(dialog.ItemWidget(ui::kRegisterGrid));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(Grid().size(), 767u);
    EXPECT_LE(grid->sizeHint().width(), grid->width());
    EXPECT_LE(grid->sizeHint().height(), grid->height());
}

TEST_F(DebugDialogTest, ReadFillsTheGridAndAFailedReadKeepsIt) {
    Read("7F0", "6");
    EXPECT_EQ(Grid(), GridStartingWith("01 75 00 0A B2 FF"));

    VivuRAZSim_SetFault(kVivuRAZSimRegister, -1, 1);
    Read("0", "10");
    EXPECT_EQ(Grid(), GridStartingWith("01 75 00 0A B2 FF"));
    Read("0", "00");  // refused: no read
    EXPECT_EQ(Grid(), GridStartingWith("01 75 00 0A B2 FF"));
    EXPECT_THAT(prompts.boxes,
                ElementsAre(testsupport::AppErrorBox("Access Device is Failed ! (-1)"),
                            testsupport::ErrorBox("Invalid value for register length")));

    Read("7F0", "0");
    EXPECT_EQ(Grid(), GridStartingWith(""));
}

TEST_F(DebugDialogTest, WriteSetsTheRegisterThatReadThenShows) {
    Type(ui::kWriteAddressEdit, "10");
    Type(ui::kWriteValueEdit, "A5");
    Click(ui::kWriteButton);
    EXPECT_TRUE(Grid().empty());  // WRITE leaves the grid alone
    Read("10", "1");
    EXPECT_EQ(Grid(), GridStartingWith("A5"));
    EXPECT_THAT(prompts.boxes, IsEmpty());
}

TEST_F(DebugDialogTest, OkEnterCancelAndEscapeAllCancelWithoutReadingTheFields) {
    const std::vector<std::pair<std::string, std::function<void(ui::CdebugDlg&)>>> ends = {
        {"OK", [](ui::CdebugDlg& d) { QTest::mouseClick(d.ItemWidget(1), Qt::LeftButton); }},
        {"Cancel", [](ui::CdebugDlg& d) { QTest::mouseClick(d.ItemWidget(2), Qt::LeftButton); }},
        {"Enter",
         [](ui::CdebugDlg& d) {
             QTest::keyClick(d.ItemWidget(ui::kReadAddressEdit), Qt::Key_Return);
         }},
        {"Escape",
         [](ui::CdebugDlg& d) {
             QTest::keyClick(d.ItemWidget(ui::kReadAddressEdit), Qt::Key_Escape);
         }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        ui::CdebugDlg opened(prompts);
        opened.Create();
        opened.show();
        QTest::keyClicks(opened.ItemWidget(ui::kReadAddressEdit), "not an address");
        end(opened);
        EXPECT_FALSE(opened.isVisible());
        EXPECT_EQ(opened.result(), platform::qt::kIdCancel);
    }
    EXPECT_THAT(prompts.boxes, IsEmpty());
}

}  // namespace
