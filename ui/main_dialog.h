#pragma once

// The main dialog: the form on which the user edits the device's USB identity. It owns the
// configuration table and the form state for its whole life and routes every button to its
// handler. The handlers are spread over files by concern:
//   main_dialog.cpp        construction, data exchange, initialisation, Clear, system menu, paint
//   main_dialog_form.cpp   Load and Save and Load (the form and the configuration model)
//   main_dialog_paths.cpp  the path boxes' drop-downs and the Browse buttons
//   main_dialog_device.cpp the downloads, Show FW Version and DEBUG

#include <QIcon>
#include <QString>
#include <cstdint>
#include <span>
#include <string>

#include "config/config_table.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "config/refusal.h"
#include "platform/prompts.h"
#include "platform/qt/dialog.h"

namespace device {
struct DownloadContext;
}

namespace ui {

inline constexpr const char* kMainDialogTitle = "Morlind 0.75";

class CMorlindDlg : public platform::qt::Dialog {
  public:
    // `prompts` stands for the person: message boxes and file dialogs go through it.
    explicit CMorlindDlg(platform::Prompts& prompts, QWidget* parent = nullptr);
    ~CMorlindDlg() override;

    // The table and the form state, as Load, the commit and the downloads leave them.
    config::ConfigTable table;
    config::FormState form;

    // Handlers of the command table.
    void OnLoad();
    void OnSaveAndLoad();
    void OnClear();
    void OnBrowseIni();
    void OnBrowseBin();
    void OnDropDownIniPath();
    void OnDropDownBinPath();
    void OnUpdateConfigurationFirmware();
    void OnUpdateFirmware();
    void OnUpdateConfiguration();
    void OnDebug();
    void OnShowFwVersion();

    // Browses of each kind that ended with a path since the process started, for the whole
    // process: from the sixth on, a browse also drops the list item at position 5.
    static inline std::int32_t iniBrowseCount = 0;
    static inline std::int32_t binBrowseCount = 0;

    // Writes the ROM image file `romName` from the firmware image file `imagePath`; for
    // "Config_Rom.bin" its table part is the form commit's table.
    void BuildRomImage(const std::string& imagePath, const std::string& romName);

    QIcon OnQueryDragIcon() const { return appIcon; }

  protected:
    void DoDataExchange(platform::qt::DataExchange& exchange) override;
    bool OnInitDialog() override;
    std::span<const platform::qt::MessageEntry> GetMessageMap() const override;
    void OnSysCommand(unsigned command, std::intptr_t parameter) override;
    void OnPaint() override;

  private:
    static const platform::qt::MessageEntry kMessageMap[];

    void AppendAboutEntry();
    void ShowStartupDefaults();
    void FillChoiceLists();

    // The form as the commit reads it, and a Load result written back into it.
    config::FormInput ReadFormInput() const;
    void ApplyLoadedValue(int controlId, const QString& text, int selectIndex);
    void ShowRefusal(const config::Refusal& refusal);

    // The path boxes: a list rebuilt from its history file, and the form reset that opening
    // the INI list and browsing for an INI file share.
    void FillPathList(platform::qt::Control& box, const std::string& historyName);
    void ResetFormFields();

    // What the download procedures need of the dialog.
    device::DownloadContext MakeDownloadContext();

    platform::Prompts& prompts;

    // Controls bound by the data exchange; the handlers use these directly.
    platform::qt::Control languageList;        // 1080
    platform::qt::Control iniPathBox;          // 1083
    platform::qt::Control speedList;           // 1077
    platform::qt::Control binPathBox;          // 1089
    platform::qt::Control powerList;           // 1079
    platform::qt::Control deviceRevisionEdit;  // 1063
    platform::qt::Control manufacturerEdit;    // 1067
    platform::qt::Control productIdEdit;       // 1064
    platform::qt::Control productStringEdit;   // 1068
    platform::qt::Control serialNumberEdit;    // 1071
    platform::qt::Control vendorIdEdit;        // 1062
    // Texts that only the data exchange uses.
    QString deviceRevisionText;
    QString manufacturerText;
    QString productIdText;
    QString productStringText;
    QString serialNumberText;
    QString vendorIdText;

    QIcon appIcon;  // resource 144
};

}  // namespace ui
