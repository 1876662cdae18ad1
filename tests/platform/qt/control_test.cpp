// Controls by id: list operations as the platform's lists behave (sorted insertion, no
// selection from adding, reset emptying a path box), and typing limits that hold for the user
// only.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "tests/platform/qt/test_dialog.h"

namespace {

using platform::qt::Control;
using testsupport::TestDialog;

class ControlTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog.Create();
        dialog.show();
        colours = dialog.Item(testsupport::kColourList);
        path = dialog.Item(testsupport::kPathBox);
        name = dialog.Item(testsupport::kNameEdit);
    }

    static QStringList Items(const Control& list) {
        QStringList items;
        for (int i = 0; i < list.Count(); ++i) {
            items << list.ItemText(i);
        }
        return items;
    }

    TestDialog dialog;
    Control colours;
    Control path;
    Control name;
};

TEST_F(ControlTest, SortedListAddsAtTheCaseInsensitivePlaceAndReturnsIt) {
    struct Case {
        QStringList added;
        std::vector<int> indexes;
        QStringList items;
    };
    const Case cases[] = {
        {{"Super", "High", "Full"}, {0, 0, 0}, {"Full", "High", "Super"}},
        {{"b", "A", "c", "B"}, {0, 0, 2, 2}, {"A", "b", "B", "c"}},
        {{"one"}, {0}, {"one"}},
    };
    for (const Case& c : cases) {
        colours.ResetContent();
        std::vector<int> indexes;
        for (const QString& item : c.added) {
            indexes.push_back(colours.AddItem(item));
        }
        EXPECT_EQ(indexes, c.indexes) << c.added.join(',').toStdString();
        EXPECT_EQ(Items(colours), c.items);
        EXPECT_EQ(colours.SelectedIndex(), -1);  // adding selects nothing
    }
}

TEST_F(ControlTest, PathBoxInsertsAtPositionsAndKeepsItsText) {
    path.SetText(QStringLiteral("typed"));
    EXPECT_EQ(path.AddItem(QStringLiteral("c")), 0);
    EXPECT_EQ(path.InsertItem(0, QStringLiteral("a")), 0);
    EXPECT_EQ(path.InsertItem(1, QStringLiteral("b")), 1);
    EXPECT_EQ(path.InsertItem(-1, QStringLiteral("d")), 3);
    EXPECT_EQ(path.InsertItem(9, QStringLiteral("x")), -1);
    EXPECT_EQ(Items(path), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(path.Text(), "typed");
    EXPECT_EQ(path.SelectedIndex(), -1);

    EXPECT_TRUE(path.DeleteItem(3));
    EXPECT_FALSE(path.DeleteItem(3));
    EXPECT_TRUE(path.Select(1));
    EXPECT_EQ(path.Text(), "b");
    EXPECT_FALSE(path.Select(7));  // out of range: no selection, no text
    EXPECT_EQ(path.SelectedIndex(), -1);
    EXPECT_EQ(path.Text(), "");

    path.SetText(QStringLiteral("again"));
    path.ResetContent();
    EXPECT_EQ(path.Count(), 0);
    EXPECT_EQ(path.Text(), "");
}

TEST_F(ControlTest, ChoiceListTextIsItsSelectedItem) {
    colours.AddItem(QStringLiteral("Red"));
    colours.AddItem(QStringLiteral("Blue"));
    EXPECT_EQ(colours.Text(), "");
    colours.Select(1);
    EXPECT_EQ(colours.Text(), "Red");
    EXPECT_EQ(colours.ItemText(0), "Blue");
    EXPECT_EQ(colours.ItemText(5), "");
}

TEST_F(ControlTest, OperationsOnTheWrongKindOrAnUnknownIdDoNothing) {
    for (Control control : {name, dialog.Item(999)}) {
        EXPECT_EQ(control.AddItem(QStringLiteral("x")), -1);
        EXPECT_EQ(control.InsertItem(0, QStringLiteral("x")), -1);
        EXPECT_FALSE(control.Select(0));
        EXPECT_EQ(control.SelectedIndex(), -1);
        EXPECT_EQ(control.Count(), 0);
    }
    EXPECT_FALSE(dialog.Item(999).IsValid());
    dialog.Item(999).SetText(QStringLiteral("ignored"));
    EXPECT_EQ(dialog.Item(999).Text(), "");
}

TEST_F(ControlTest, TypedAndPastedTextStopsAtTheLimitButProgramTextDoesNot) {
    auto* edit = qobject_cast<QLineEdit*>(name.Widget());
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("abcdefgh"));
    EXPECT_EQ(name.Text(), "abcde");

    name.SetText(QString());
    QApplication::clipboard()->setText(QStringLiteral("123456789"));
    edit->paste();
    EXPECT_EQ(name.Text(), "12345");

    name.SetText(QStringLiteral("set by the program"));
    EXPECT_EQ(name.Text(), "set by the program");
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(name.Text(), "set by the program");  // already past the limit: nothing goes in
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(name.Text(), "set by the progra");
    name.SetText(QStringLiteral("ab"));
    QTest::keyClicks(edit, QStringLiteral("cdefg"));
    EXPECT_EQ(name.Text(), "abcde");
}

}  // namespace
