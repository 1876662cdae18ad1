#include "ui/debug_dialog_template.h"

#include <array>

namespace ui {

namespace {

using platform::qt::ControlKind;
using platform::qt::ControlTemplate;
using platform::qt::kDefaultButton;
using platform::qt::kIdCancel;
using platform::qt::kIdOk;
using platform::qt::kNoStyle;

constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kEdit = ControlKind::Edit;
constexpr ControlKind kButton = ControlKind::Button;
constexpr ControlKind kGroup = ControlKind::GroupBox;

// id, kind, caption, {x, y, width, height}, style, buddy (for labels)
const std::array kControls{
    ControlTemplate{kIdOk, kButton, "OK", {205, 316, 50, 14}, kDefaultButton},
    ControlTemplate{kIdCancel, kButton, "Cancel", {259, 316, 50, 14}},
    ControlTemplate{0, kGroup, "Read Register", {14, 15, 287, 218}},
    ControlTemplate{0, kLabel, "Reg Addr :", {37, 33, 34, 8}, kNoStyle, kReadAddressEdit},
    ControlTemplate{kReadAddressEdit, kEdit, "", {75, 30, 28, 12}},
    ControlTemplate{0, kLabel, "[ 2 bytes hex ]", {107, 33, 43, 8}},
    ControlTemplate{0, kLabel, "Reg Len :", {179, 33, 32, 8}, kNoStyle, kReadLengthEdit},
    ControlTemplate{kReadLengthEdit, kEdit, "", {213, 29, 28, 12}},
    ControlTemplate{0, kLabel, "[ 1 byte hex ]", {245, 34, 41, 8}},
    ControlTemplate{0, kLabel, kGridColumnHeader, {79, 57, 161, 8}},
    ControlTemplate{0, kLabel, kGridRowHeader, {65, 68, 10, 132}},
    ControlTemplate{kRegisterGrid, kLabel, "", {79, 67, 169, 132}},
    ControlTemplate{kReadButton, kButton, "READ", {135, 206, 52, 17}},
    ControlTemplate{0, kGroup, "Write Register", {15, 241, 286, 63}},
    ControlTemplate{0, kLabel, "Reg Addr :", {41, 262, 34, 8}, kNoStyle, kWriteAddressEdit},
    ControlTemplate{kWriteAddressEdit, kEdit, "", {78, 258, 28, 12}},
    ControlTemplate{0, kLabel, "[ 2 bytes hex ]", {109, 262, 44, 8}},
    ControlTemplate{0, kLabel, "Reg Val :", {182, 262, 30, 8}, kNoStyle, kWriteValueEdit},
    ControlTemplate{kWriteValueEdit, kEdit, "", {215, 259, 29, 12}},
    ControlTemplate{0, kLabel, "[ 1 byte hex ]", {245, 262, 41, 8}},
    ControlTemplate{kWriteButton, kButton, "WRITE", {125, 281, 58, 16}},
};

const platform::qt::DialogTemplate kDebugDialog{
    kDebugDialogTemplateId,      "Internal Register R/W Dialog", 316,       337,
    {"Microsoft Sans Serif", 9}, platform::qt::kSystemMenu,      kControls,
};

}  // namespace

const platform::qt::DialogTemplate& DebugDialogTemplate() {
    return kDebugDialog;
}

}  // namespace ui
