// The path boxes' drop-down lists and the Browse buttons. They are filled from the path
// histories (ui/path_history.h); until then they leave the form as it is.

#include "ui/main_dialog.h"

namespace ui {

void CMorlindDlg::OnDropDownIniPath() {}

void CMorlindDlg::OnDropDownBinPath() {}

void CMorlindDlg::OnBrowseIni() {}

void CMorlindDlg::OnBrowseBin() {}

}  // namespace ui
