#pragma once

// The main dialog on real widgets, created and shown as at start-up, in a fresh current
// directory, with a scripted person answering its boxes and file dialogs.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"
#include "ui/main_dialog.h"

namespace testsupport {

class MainDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        dialog.Create();
        dialog.show();
    }

    QWidget* Widget(int id) { return dialog.ItemWidget(id); }
    QString Text(int id) { return dialog.Item(id).Text(); }
    void SetText(int id, const QString& text) { dialog.Item(id).SetText(text); }
    void Click(int id) { QTest::mouseClick(Widget(id), Qt::LeftButton); }

    // Empties an edit field and types `text` into it, key by key.
    void Type(int id, const QString& text) {
        SetText(id, QString());
        Widget(id)->setFocus();
        QTest::keyClicks(Widget(id), text);
    }

    TempDir dir;
    ScopedCurrentDir inDir{dir.path()};
    ScriptedPrompts prompts;
    ui::CMorlindDlg dialog{prompts};
};

}  // namespace testsupport
