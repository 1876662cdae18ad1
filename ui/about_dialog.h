#pragma once

// The About box: template 142, no members, no handlers and no initialisation of its own.
// Its OK button, Enter, Escape and the close box end it; it changes nothing.

#include "platform/qt/dialog.h"

namespace ui {

const platform::qt::DialogTemplate& AboutDialogTemplate();

class CAboutDlg : public platform::qt::Dialog {
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;
};

}  // namespace ui
