#pragma once

// Dialog templates as data: one table per dialog of its controls in template order, which is
// also the tab order. Rectangles are in dialog units, turned into pixels from the dialog's font.

#include <span>

namespace platform::qt {

enum class ControlKind {
    Label,       // static text
    GroupBox,    // frame with a caption
    Edit,        // one-line edit field
    ChoiceList,  // drop-down list the user only picks from
    PathBox,     // editable drop-down: a text field with a list
    Button,      // push button
    Picture,     // a bitmap (resource given by `image`)
    Icon,        // an icon (resource given by `image`)
};

// Style flags of a control, or-ed together.
enum ControlStyle : unsigned {
    kNoStyle = 0,
    kHidden = 1u << 0,         // not shown
    kSorted = 1u << 1,         // a list that keeps its items in case-insensitive order
    kReadOnly = 1u << 2,       // the user can't type into it
    kDefaultButton = 1u << 3,  // the button Enter stands for (drawn as such)
};

// Window style flags of a dialog.
enum DialogStyle : unsigned {
    kNoDialogStyle = 0,
    kSystemMenu = 1u << 0,   // has a system menu (context menu, Alt+Space)
    kMinimizeBox = 1u << 1,  // has a minimise button
};

struct DuRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct FontSpec {
    const char* name = "System";
    int pointSize = 8;
    bool bold = false;
};

struct ControlTemplate {
    int id = 0;  // 0: no identifier (labels, group boxes, pictures)
    ControlKind kind = ControlKind::Label;
    const char* caption = "";  // UTF-8, "&" marks a mnemonic
    DuRect rect;
    unsigned style = kNoStyle;
    int buddy = 0;                // for a label: the id of the control it names
    const char* image = nullptr;  // for a picture or icon: a Qt resource path
};

struct DialogTemplate {
    int id = 0;
    const char* caption = "";
    int width = 0;   // client area, dialog units
    int height = 0;  // client area, dialog units
    FontSpec font;
    unsigned style = kNoDialogStyle;
    std::span<const ControlTemplate> controls;
};

// Identifiers the framework itself gives meaning to.
inline constexpr int kIdOk = 1;      // a button with this id ends the dialog like Enter
inline constexpr int kIdCancel = 2;  // ... and with this one like Escape

}  // namespace platform::qt
