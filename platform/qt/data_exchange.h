#pragma once

// The data-exchange step: binds controls to a dialog's members and carries texts between them.
// Towards the controls it sets each text and its typing limit; back from the controls it takes
// each text and refuses one longer than its limit, which keeps the dialog open.

#include <QString>

#include "platform/qt/control.h"

namespace platform::qt {

class Dialog;

class DataExchange {
  public:
    DataExchange(Dialog& dialog, bool saveAndValidate)
        : dialog(dialog), saveAndValidate(saveAndValidate) {}

    bool SavingAndValidating() const { return saveAndValidate; }
    bool Failed() const { return failed; }

    // Makes `member` stand for the control `id`.
    void Bind(int id, Control& member);

    // The control's text and `member`; `maxChars` > 0 is the field's typing limit.
    void Text(int id, QString& member, int maxChars = 0);

  private:
    Dialog& dialog;
    bool saveAndValidate;
    bool failed = false;
};

}  // namespace platform::qt
