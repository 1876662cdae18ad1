#pragma once

// Message maps: a dialog's table of (control id, event) to handler, which the framework
// connects when it builds the dialog. An entry names a member function through Handle<>:
//
//   const MessageEntry CMyDlg::kMessageMap[] = {
//       {1072, Event::Clicked, &Handle<CMyDlg, &CMyDlg::OnLoad>},
//   };

namespace platform::qt {

class Dialog;

enum class Event {
    Clicked,   // a button was pressed
    DropDown,  // a drop-down list is about to open
};

using Handler = void (*)(Dialog&);

struct MessageEntry {
    int controlId;
    Event event;
    Handler handler;
};

template <class D, void (D::*Member)()>
void Handle(Dialog& dialog) {
    (static_cast<D&>(dialog).*Member)();
}

}  // namespace platform::qt
