// The buttons that reach the device: the three downloads, the firmware version query and the
// register debug dialog. The procedures live in device/; these handlers hand them the dialog's
// table, form state, form commit, ROM image builder, firmware path and boxes.

#include <QFile>

#include "device/download_procedures.h"
#include "device/firmware_version.h"
#include "image/rom_image.h"
#include "platform/qt/qt_prompts.h"
#include "ui/debug_dialog.h"
#include "ui/main_dialog.h"

namespace ui {

device::DownloadContext CMorlindDlg::MakeDownloadContext() {
    return device::DownloadContext{
        table,
        form,
        [this] { OnSaveAndLoad(); },
        [this](const std::string& imagePath, const std::string& romName) {
            BuildRomImage(imagePath, romName);
        },
        [this] { return QFile::encodeName(binPathBox.Text()).toStdString(); },
        prompts,
    };
}

void CMorlindDlg::OnUpdateConfigurationFirmware() {
    auto context = MakeDownloadContext();
    device::OnUpdateConfigurationFirmware(context);
}

void CMorlindDlg::OnUpdateFirmware() {
    auto context = MakeDownloadContext();
    device::OnUpdateFirmware(context);
}

void CMorlindDlg::OnUpdateConfiguration() {
    auto context = MakeDownloadContext();
    device::OnUpdateConfiguration(context);
}

void CMorlindDlg::OnShowFwVersion() {
    device::OnShowFwVersion(prompts);
}

void CMorlindDlg::OnDebug() {
    // Real boxes of the register dialog belong to it, so that they come up over it; boxes that
    // are not real (a test's) go where the main dialog's go.
    platform::qt::QtPrompts ownBoxes;
    const bool realBoxes = dynamic_cast<platform::qt::QtPrompts*>(&prompts) != nullptr;
    CdebugDlg dialog(realBoxes ? ownBoxes : prompts);
    ownBoxes.SetOwner(&dialog);
    dialog.DoModal();
}

void CMorlindDlg::BuildRomImage(const std::string& imagePath, const std::string& romName) {
    image::WriteRomImage(imagePath, romName, [this] {
        OnSaveAndLoad();
        return table.bytes;
    });
}

}  // namespace ui
