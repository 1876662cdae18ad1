#include "app/morlind_app.h"

#include "platform/qt/message_box.h"
#include "platform/qt/qt_prompts.h"
#include "ui/main_dialog.h"

namespace app {

const platform::qt::CommandEntry CMorlindApp::kMessageMap[] = {
    {platform::qt::kHelpCommand, &platform::qt::HandleCommand<CMorlindApp, &CMorlindApp::OnHelp>},
};

CMorlindApp::~CMorlindApp() = default;

std::span<const platform::qt::CommandEntry> CMorlindApp::GetMessageMap() const {
    return kMessageMap;
}

bool CMorlindApp::InitInstance() {
    // Hosted (ActiveX) controls have no counterpart here: every control is a Qt widget.
    platform::qt::QtPrompts prompts;
    ui::CMorlindDlg dialog(prompts);
    prompts.SetOwner(&dialog);
    SetMainWindow(&dialog);
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;  // the dialog has ended: no event loop follows
}

void CMorlindApp::OnHelp() {
    platform::qt::ShowApplicationBox(MainWindow(),
                                     QStringLiteral("No help is available for EEPROM Editor."),
                                     platform::BoxType::Information);
}

}  // namespace app
