// Load and Save and Load: the form's fields to and from the configuration model.

#include <QFile>

#include "config/form_commit.h"
#include "config/ini_reader.h"
#include "config/ini_writer.h"
#include "ui/control_ids.h"
#include "ui/main_dialog.h"

namespace ui {

namespace {
std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}
}  // namespace

void CMorlindDlg::OnLoad() {
    const std::string path = QFile::encodeName(iniPathBox.Text()).toStdString();
    const config::LoadResult result = config::LoadIniFile(path, table, form);
    for (const config::Assignment& value : result.assignments) {
        ApplyLoadedValue(value.controlId, QString::fromStdString(value.text), value.selectIndex);
    }
    if (result.refusal) {
        ShowRefusal(*result.refusal);
    }
}

void CMorlindDlg::OnSaveAndLoad() {
    const config::FormInput input = ReadFormInput();
    const config::CommitResult commit = config::CommitForm(input, table, form);
    if (commit.refusal) {
        ShowRefusal(*commit.refusal);
        return;
    }
    if (!commit.askForFileName) {
        return;  // commitOnly: the download that asked goes on with the table
    }
    const std::optional<std::string> chosen = prompts.AskSaveFileName(config::kIniFileFilter);
    if (const auto refusal = config::SaveIniFile(chosen, input)) {
        ShowRefusal(*refusal);
    }
}

config::FormInput CMorlindDlg::ReadFormInput() const {
    config::FormInput input;
    input.vendorId = Utf8(vendorIdEdit.Text());
    input.productId = Utf8(productIdEdit.Text());
    input.deviceRevision = Utf8(deviceRevisionEdit.Text());
    input.serialNumber = Utf8(serialNumberEdit.Text());
    input.manufacturerString = Utf8(manufacturerEdit.Text());
    input.productString = Utf8(productStringEdit.Text());
    input.speedIndex = speedList.SelectedIndex();
    input.speedText = input.speedIndex >= 0 ? Utf8(speedList.ItemText(input.speedIndex)) : "";
    input.languageIndex = languageList.SelectedIndex();
    input.powerIndex = powerList.SelectedIndex();
    return input;
}

void CMorlindDlg::ApplyLoadedValue(int controlId, const QString& text, int selectIndex) {
    platform::qt::Control control = Item(controlId);
    if (selectIndex >= 0) {
        control.Select(selectIndex);
    } else {
        control.SetText(text);
    }
}

void CMorlindDlg::ShowRefusal(const config::Refusal& refusal) {
    if (refusal.caption == config::RefusalCaption::Application) {
        prompts.ApplicationBox(refusal.message, platform::BoxType::Error);
    } else {
        prompts.DialogBox(refusal.message, config::kErrorCaption, platform::BoxType::Error);
    }
}

}  // namespace ui
