#include "ui/about_dialog.h"

#include <array>

#include "ui/control_ids.h"
#include "ui/resources.h"

namespace ui {

namespace {

using platform::qt::ControlKind;
using platform::qt::ControlTemplate;

const std::array kAboutControls{
    ControlTemplate{
        kAboutOkButton, ControlKind::Button, "OK", {140, 19, 34, 14}, platform::qt::kDefaultButton},
    ControlTemplate{
        0, ControlKind::Icon, "", {7, 16, 20, 20}, platform::qt::kNoStyle, 0, kAppIconPath},
    ControlTemplate{0, ControlKind::Label, "EEPROM Editor Version 0.90", {39, 13, 93, 8}},
    ControlTemplate{0, ControlKind::Label, "Copyright (C) Brelcom", {39, 31, 82, 8}},
};

const platform::qt::DialogTemplate kAboutDialog{
    kAboutDialogTemplateId,    "About EEPROM Editor", 185, 54, {"MS Sans Serif", 8, true},
    platform::qt::kSystemMenu, kAboutControls,
};

}  // namespace

const platform::qt::DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}

CAboutDlg::CAboutDlg(QWidget* parent) : Dialog(kAboutDialog, parent) {}

CAboutDlg::~CAboutDlg() = default;

}  // namespace ui
