// The path boxes and their Browse buttons: lists rebuilt from the history files when they open,
// the form reset of the INI kind, browses recorded in the box, its list and its history file.

#include <QAbstractItemView>
#include <QComboBox>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/main_dialog_fixture.h"
#include "ui/control_ids.h"
#include "ui/path_history.h"

// Failures show texts as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

using namespace ui;
namespace fs = std::filesystem;

// The two kinds of path: their box, button, history file and file dialog filter.
struct Kind {
    const char* label;
    int box;
    int button;
    const char* historyName;
    const char* filter;
    bool resetsForm;
};

const Kind kKinds[] = {
    {"ini", kIniPathBox, kIniBrowseButton, "BrowsedINIPath.txt", "Config .ini File (*.ini)|*.ini||",
     true},
    {"bin", kBinPathBox, kBinBrowseButton, "BrowsedBINPath.txt",
     "Firmware .bin File (*.bin)|*.bin||", false},
};

// The edit fields as the user typed them; TypeForm also moves every choice list off the
// position the INI kind resets it to.
const std::pair<int, const char*> kTypedForm[] = {
    {kSerialNumberEdit, "SN42"}, {kManufacturerEdit, "Maker"}, {kProductStringEdit, "Gadget"},
    {kVendorIdEdit, "ABCD"},     {kProductIdEdit, "1234"},     {kDeviceRevisionEdit, "0200"},
};

std::vector<unsigned char> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class BrowseTest : public testsupport::MainDialogTest {
  protected:
    // Each test is a fresh run of the tool, whose counters start at 0.
    void SetUp() override {
        MainDialogTest::SetUp();
        CMorlindDlg::iniBrowseCount = 0;
        CMorlindDlg::binBrowseCount = 0;
    }

    QComboBox* Box(int id) { return qobject_cast<QComboBox*>(Widget(id)); }

    // Opens the box's list the way the user does (F4), then closes it again. An empty list
    // doesn't open.
    void DropDown(int id) {
        QTest::keyClick(Box(id), Qt::Key_F4);
        EXPECT_EQ(Box(id)->view()->isVisible(), Box(id)->count() > 0);
        Box(id)->hidePopup();
    }

    // Opens the box's list, points at its item at `index` and takes it with Enter.
    void Pick(int id, int index) {
        QTest::keyClick(Box(id), Qt::Key_F4);
        QAbstractItemView* view = Box(id)->view();
        ASSERT_TRUE(view->isVisible());
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_FALSE(view->isVisible());
    }

    void Browse(const Kind& kind, std::optional<std::string> answer) {
        prompts.AnswerFileDialog(std::move(answer));
        Click(kind.button);
    }

    QStringList Items(int id) {
        QStringList items;
        for (int i = 0; i < Box(id)->count(); ++i) {
            items.append(Box(id)->itemText(i));
        }
        return items;
    }

    void TypeForm() {
        for (const auto& [id, text] : kTypedForm) {
            SetText(id, QString::fromLatin1(text));
        }
        dialog.Item(kLanguageList).Select(-1);
        dialog.Item(kSpeedList).Select(2);  // "Super", as at start-up
        dialog.Item(kPowerList).Select(-1);
    }

    // The form after TypeForm, reset by the INI kind or left alone.
    void ExpectForm(bool reset, const char* label) {
        for (const auto& [id, text] : kTypedForm) {
            EXPECT_EQ(Text(id), reset ? QString() : QString::fromLatin1(text))
                << label << " " << id;
        }
        EXPECT_EQ(Text(kLanguageList), reset ? "English" : "") << label;
        EXPECT_EQ(Text(kSpeedList), reset ? "High" : "Super") << label;
        EXPECT_EQ(Text(kPowerList), reset ? "Self" : "") << label;
    }

    fs::path History(const Kind& kind) { return dir / kind.historyName; }
};

TEST_F(BrowseTest, OpeningAListRebuildsItFromItsHistoryFileAndEmptiesTheBox) {
    struct Case {
        const char* label;
        std::optional<std::string> file;  // nothing: no history file
        QStringList items;
    };
    const Case cases[] = {
        {"missing", std::nullopt, {}},
        {"empty", "", {"", "", "", "", ""}},
        {"two lines", "/data/a.ini\r\n/data/b.ini\r\n", {"/data/a.ini", "/data/b.ini", "", "", ""}},
    };
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            fs::remove(History(kind));
            if (c.file) {
                testsupport::WriteText(History(kind), *c.file);
            }
            Box(kind.box)->addItem(QStringLiteral("stale item"));
            SetText(kind.box, QStringLiteral("typed path"));

            DropDown(kind.box);

            EXPECT_EQ(Items(kind.box), c.items) << kind.label << " " << c.label;
            EXPECT_EQ(Text(kind.box), "") << kind.label << " " << c.label;
            EXPECT_EQ(testsupport::ReadBytes(History(kind)), Bytes(c.file.value_or("")))
                << kind.label << " " << c.label;  // a missing file is created empty
        }
    }
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(BrowseTest, OpeningTheIniListResetsTheFormTheFirmwareListLeavesIt) {
    for (const Kind& kind : kKinds) {
        TypeForm();
        DropDown(kind.box);
        ExpectForm(kind.resetsForm, kind.label);
    }
    EXPECT_EQ(dialog.form.commitOnly + dialog.form.commitSucceeded + dialog.form.firmwareImageBuilt,
              0);
}

TEST_F(BrowseTest, ACancelledOrEmptyBrowseRecordsNothingAndShowsTheFirstItem) {
    struct Case {
        const char* label;
        std::optional<std::string> file;  // history file before; nothing: none
        bool dropDownFirst;
        std::optional<std::string> answer;
        const char* shown;
    };
    const Case cases[] = {
        {"cancel, no list", std::nullopt, false, std::nullopt, ""},
        {"cancel, listed", "/old/a\r\n/old/b\r\n", true, std::nullopt, "/old/a"},
        {"empty answer, listed", "/old/a\r\n", true, std::string(), "/old/a"},
    };
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            const std::string label = std::string(kind.label) + " " + c.label;
            fs::remove(History(kind));
            if (c.file) {
                testsupport::WriteText(History(kind), *c.file);
            }
            if (c.dropDownFirst) {
                DropDown(kind.box);
            }
            TypeForm();
            SetText(kind.box, QStringLiteral("typed path"));

            Browse(kind, c.answer);

            EXPECT_EQ(Text(kind.box), c.shown) << label;
            ExpectForm(kind.resetsForm, label.c_str());
            EXPECT_EQ(fs::exists(History(kind)), c.file.has_value()) << label;
            if (c.file) {
                EXPECT_EQ(testsupport::ReadBytes(History(kind)), Bytes(*c.file)) << label;
            }
            ASSERT_FALSE(prompts.fileDialogs.empty());
            EXPECT_FALSE(prompts.fileDialogs.back().save) << label;
            EXPECT_EQ(prompts.fileDialogs.back().filter, kind.filter) << label;
        }
    }
    EXPECT_EQ(CMorlindDlg::iniBrowseCount + CMorlindDlg::binBrowseCount, 0);
}

TEST_F(BrowseTest, AConfirmedBrowseShowsThePathListsItFirstAndRecordsIt) {
    for (const Kind& kind : kKinds) {
        testsupport::WriteText(History(kind), "/old/a\r\n/old/b\r\n");
        DropDown(kind.box);
        TypeForm();
        const std::string chosen = (dir / (std::string("new.") + kind.label)).string();

        Browse(kind, chosen);

        const QString shown = QString::fromStdString(chosen);
        EXPECT_EQ(Text(kind.box), shown) << kind.label;
        EXPECT_EQ(Box(kind.box)->currentIndex(), 0) << kind.label;
        EXPECT_EQ(Items(kind.box), QStringList({shown, "/old/a", "/old/b", "", "", ""}))
            << kind.label;  // the next drop-down trims the list to the file's five
        ExpectForm(kind.resetsForm, kind.label);
        EXPECT_EQ(testsupport::ReadBytes(History(kind)), Bytes(chosen + "\r\n/old/a\r\n/old/b\r\n"))
            << kind.label;
        EXPECT_EQ(prompts.fileDialogs.back().filter, kind.filter) << kind.label;
    }
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(BrowseTest, FromTheSixthBrowseOfAKindTheItemAtPosition5Goes) {
    // Both lists hold the five items of an empty history; a kind's own browses alone count.
    for (const Kind& kind : kKinds) {
        testsupport::WriteText(History(kind), "");
        DropDown(kind.box);
    }
    const Kind& ini = kKinds[0];
    const Kind& bin = kKinds[1];
    for (int i = 1; i <= 7; ++i) {
        Browse(ini, "/p/" + std::to_string(i));
    }
    // Browses 1 to 5 only insert; 6 and 7 insert and drop position 5.
    EXPECT_EQ(Items(ini.box),
              QStringList({"/p/7", "/p/6", "/p/5", "/p/4", "/p/3", "", "", "", "", ""}));
    EXPECT_EQ(testsupport::ReadBytes(History(ini)),
              Bytes("/p/7\r\n/p/6\r\n/p/5\r\n/p/4\r\n/p/3\r\n"));

    Browse(bin, "/f/1");
    EXPECT_EQ(Items(bin.box), QStringList({"/f/1", "", "", "", "", ""}));
}

TEST_F(BrowseTest, ALongPathSurvivesBrowseReloadAndPickWhole) {
    std::string longPath = dir.path().string() + "/";
    longPath += std::string(200, 'd') + "/";
    longPath += std::string(300 - longPath.size() - 4, 'f') + ".ini";
    ASSERT_EQ(longPath.size(), 300U);
    const QString shown = QString::fromStdString(longPath);
    for (const Kind& kind : kKinds) {
        Browse(kind, longPath);
        EXPECT_EQ(Text(kind.box), shown) << kind.label;
        Browse(kind, "/short");

        DropDown(kind.box);
        EXPECT_EQ(Items(kind.box), QStringList({"/short", shown, "", "", ""})) << kind.label;
        EXPECT_EQ(Text(kind.box), "") << kind.label;

        Pick(kind.box, 1);
        EXPECT_EQ(Text(kind.box), shown) << kind.label;
        EXPECT_EQ(testsupport::ReadBytes(History(kind)), Bytes("/short\r\n" + longPath + "\r\n"))
            << kind.label;
    }
}

}  // namespace
