#pragma once

// Template 146: the register debug dialog, "Internal Register R/W Dialog".

#include "platform/qt/dialog_template.h"

namespace ui {

inline constexpr int kDebugDialogTemplateId = 146;

// Controls of template 146.
inline constexpr int kReadAddressEdit = 1114;
inline constexpr int kReadLengthEdit = 1115;
inline constexpr int kWriteAddressEdit = 1118;
inline constexpr int kWriteValueEdit = 1119;
inline constexpr int kRegisterGrid = 1033;
inline constexpr int kReadButton = 1116;
inline constexpr int kWriteButton = 1113;

// The labels around the grid: the column numbers above it, the row numbers beside it.
inline constexpr const char* kGridColumnHeader = "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F";
inline constexpr const char* kGridRowHeader = "00 10 20 30 40 50 60 70 80 90 A0 B0 C0 D0 E0 F0";

const platform::qt::DialogTemplate& DebugDialogTemplate();

}  // namespace ui
