#pragma once

// Identifiers of the dialog templates, their controls and the resources, as the templates
// number them. The form's fields are config's control ids (config/field_rules.h).

#include "config/field_rules.h"

namespace ui {

// Templates and resources.
inline constexpr int kMainDialogTemplateId = 133;
inline constexpr int kAboutDialogTemplateId = 142;
inline constexpr int kAppIconResource = 144;
inline constexpr int kLogoBitmapResource = 147;
inline constexpr int kAboutBoxString = 101;

// The system menu's About entry.
inline constexpr unsigned kAboutCommand = 0x0010;

// Main dialog, template 133. The edit fields and lists are config's ids.
inline constexpr int kVendorIdEdit = config::kVendorIdControl;                // 1062
inline constexpr int kDeviceRevisionEdit = config::kDeviceRevisionControl;    // 1063
inline constexpr int kProductIdEdit = config::kProductIdControl;              // 1064
inline constexpr int kManufacturerEdit = config::kManufacturerStringControl;  // 1067
inline constexpr int kProductStringEdit = config::kProductStringControl;      // 1068
inline constexpr int kSerialNumberEdit = config::kSerialNumberControl;        // 1071
inline constexpr int kSpeedList = config::kHighestSpeedControl;               // 1077
inline constexpr int kPowerList = config::kPowerModeControl;                  // 1079
inline constexpr int kLanguageList = config::kLanguageIdControl;              // 1080
inline constexpr int kIniBrowseButton = 1061;
inline constexpr int kLoadButton = 1072;
inline constexpr int kIniPathBox = 1083;
inline constexpr int kBinBrowseButton = 1084;
inline constexpr int kBinPathBox = 1089;
inline constexpr int kUpdateConfigurationFirmwareButton = 1090;
inline constexpr int kSaveAndLoadButton = 1101;
inline constexpr int kClearButton = 1107;
inline constexpr int kUpdateFirmwareButton = 1112;
inline constexpr int kUpdateConfigurationButton = 1113;
inline constexpr int kDebugButton = 1120;
inline constexpr int kShowFwVersionButton = 1129;

// About box, template 142.
inline constexpr int kAboutOkButton = 1;

}  // namespace ui
