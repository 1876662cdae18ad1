// The path boxes' drop-down lists and the Browse buttons. Each box's list shows the last five
// paths browsed for its kind of file, from its history file (ui/path_history.h); the INI box's
// drop-down and the INI Browse button also empty the form for the file about to be loaded.

#include <QByteArray>
#include <QFile>
#include <fstream>
#include <optional>
#include <string>

#include "ui/main_dialog.h"
#include "ui/path_history.h"

namespace ui {

namespace {

// Paths are the file system's bytes; the boxes show them as the platform decodes file names.
QString ShownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The end of a browse, after the box shows the chosen path (or nothing after a cancel): a
// confirmed, non-empty path goes to the top of the list and into the history file. Either way
// the box then shows the list's first item, if it has one.
void RecordBrowse(platform::qt::Control& box, const std::optional<std::string>& chosen,
                  std::int32_t& browseCount, const char* historyName) {
    if (chosen && !chosen->empty()) {
        const bool dropFifth = CountBrowse(browseCount);
        box.InsertItem(0, ShownPath(*chosen));
        if (dropFifth) {
            box.DeleteItem(5);
        }
        UpdatePathHistory(*chosen, historyName);
    }
    box.Select(0);
}

}  // namespace

void CMorlindDlg::FillPathList(platform::qt::Control& box, const std::string& historyName) {
    box.ResetContent();
    // A history that can't be read shows an empty list; reading it creates it empty when it is
    // missing, so the next drop-down shows five empty items, as an empty history does.
    const bool readable = std::ifstream(historyName).is_open();
    const PathHistory history = ReadPathHistory(historyName);
    if (!readable) {
        return;
    }
    for (auto entry = history.rbegin(); entry != history.rend(); ++entry) {
        box.InsertItem(0, ShownPath(*entry));
    }
}

void CMorlindDlg::ResetFormFields() {
    for (platform::qt::Control* field : {&serialNumberEdit, &manufacturerEdit, &productStringEdit,
                                         &vendorIdEdit, &productIdEdit, &deviceRevisionEdit}) {
        field->SetText(QString());
    }
    languageList.Select(0);  // "English"
    speedList.Select(1);     // "High"
    powerList.Select(0);     // "Self"
}

void CMorlindDlg::OnDropDownIniPath() {
    ResetFormFields();
    FillPathList(iniPathBox, kIniHistoryName);
}

void CMorlindDlg::OnDropDownBinPath() {
    FillPathList(binPathBox, kBinHistoryName);
}

void CMorlindDlg::OnBrowseIni() {
    const std::optional<std::string> chosen = prompts.AskOpenFileName(kIniBrowseFilter);
    iniPathBox.SetText(ShownPath(chosen.value_or(std::string())));
    ResetFormFields();  // also after a cancel
    RecordBrowse(iniPathBox, chosen, iniBrowseCount, kIniHistoryName);
}

void CMorlindDlg::OnBrowseBin() {
    const std::optional<std::string> chosen = prompts.AskOpenFileName(kBinBrowseFilter);
    binPathBox.SetText(ShownPath(chosen.value_or(std::string())));
    RecordBrowse(binPathBox, chosen, binBrowseCount, kBinHistoryName);
}

}  // namespace ui
