#include "ui/main_dialog_template.h"

#include <array>

#include "ui/control_ids.h"
#include "ui/resources.h"

namespace ui {

namespace {

using platform::qt::ControlKind;
using platform::qt::ControlTemplate;
using platform::qt::kHidden;
using platform::qt::kNoStyle;
using platform::qt::kReadOnly;
using platform::qt::kSorted;

constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kEdit = ControlKind::Edit;
constexpr ControlKind kButton = ControlKind::Button;
constexpr ControlKind kChoice = ControlKind::ChoiceList;
constexpr ControlKind kPath = ControlKind::PathBox;
constexpr ControlKind kGroup = ControlKind::GroupBox;

// id, kind, caption, {x, y, width, height}, style, buddy (for labels), image
const std::array kControls{
    ControlTemplate{0, kLabel, "ini File Directory", {11, 44, 55, 8}, kNoStyle, kIniPathBox},
    ControlTemplate{
        0, kLabel, "Manufacturer String", {11, 146, 65, 8}, kNoStyle, kManufacturerEdit},
    ControlTemplate{0, kLabel, "Highest USB Speed", {11, 180, 65, 8}, kHidden, kSpeedList},
    ControlTemplate{0, kLabel, "Product ID", {11, 78, 35, 8}, kNoStyle, kProductIdEdit},
    ControlTemplate{0, kLabel, "Device Revision", {11, 95, 55, 8}, kNoStyle, kDeviceRevisionEdit},
    ControlTemplate{0, kLabel, "Language ID", {11, 112, 42, 8}, kNoStyle, kLanguageList},
    ControlTemplate{0, kLabel, "Serial Number", {11, 129, 48, 8}, kNoStyle, kSerialNumberEdit},
    ControlTemplate{0, kLabel, "Product String", {11, 163, 47, 8}, kNoStyle, kProductStringEdit},
    ControlTemplate{0, kLabel, "Vendor ID", {11, 61, 33, 8}, kNoStyle, kVendorIdEdit},
    ControlTemplate{0, kLabel, "Power Mode", {11, 197, 41, 8}, kHidden, kPowerList},
    ControlTemplate{kVendorIdEdit, kEdit, "", {80, 59, 22, 12}},
    ControlTemplate{kDeviceRevisionEdit, kEdit, "", {80, 92, 22, 12}},
    ControlTemplate{kProductIdEdit, kEdit, "", {80, 76, 22, 12}},
    ControlTemplate{kManufacturerEdit, kEdit, "", {80, 145, 141, 12}},
    ControlTemplate{kProductStringEdit, kEdit, "", {80, 162, 141, 12}},
    ControlTemplate{kSerialNumberEdit, kEdit, "", {80, 128, 105, 12}},
    ControlTemplate{kIniBrowseButton, kButton, "Browse", {250, 41, 28, 14}},
    ControlTemplate{kLoadButton, kButton, "Load", {250, 56, 28, 14}},
    ControlTemplate{kSpeedList, kChoice, "", {80, 178, 34, 55}, kSorted | kHidden | kReadOnly},
    ControlTemplate{kPowerList, kChoice, "", {80, 196, 28, 30}, kHidden | kReadOnly},
    ControlTemplate{kLanguageList, kChoice, "", {80, 109, 40, 30}, kReadOnly},
    ControlTemplate{0, kLabel, "Bin File Directory", {11, 234, 58, 8}, kNoStyle, kBinPathBox},
    ControlTemplate{kBinPathBox, kPath, "", {80, 233, 167, 60}},
    ControlTemplate{kBinBrowseButton, kButton, "Browse", {250, 232, 28, 14}},
    ControlTemplate{kUpdateConfigurationFirmwareButton,
                    kButton,
                    "Update Configuration / Firmware",
                    {165, 255, 112, 14}},
    ControlTemplate{0, kGroup, "Configuration to download", {4, 29, 277, 188}},
    ControlTemplate{0, kGroup, "Firmware to download", {4, 218, 277, 34}},
    ControlTemplate{kSaveAndLoadButton, kButton, "Save and Load", {224, 198, 54, 14}},
    ControlTemplate{kIniPathBox, kPath, "", {80, 42, 167, 62}},
    ControlTemplate{kClearButton, kButton, "Clear", {256, 183, 22, 14}},
    ControlTemplate{0, ControlKind::Picture, "", {198, 3, 83, 29}, kNoStyle, 0, kLogoBitmapPath},
    ControlTemplate{kUpdateConfigurationButton, kButton, "Update Configuration", {7, 255, 74, 14}},
    ControlTemplate{kDebugButton, kButton, "DEBUG", {4, 6, 35, 16}},
    ControlTemplate{kUpdateFirmwareButton, kButton, "Update Firmware", {90, 255, 65, 14}},
    ControlTemplate{kShowFwVersionButton, kButton, "Show FW Version", {60, 6, 62, 14}},
};

const platform::qt::DialogTemplate kMainDialog{
    kMainDialogTemplateId,
    "EEPROM Editor",
    286,
    279,
    {"System", 10, false},
    platform::qt::kSystemMenu | platform::qt::kMinimizeBox,
    kControls,
};

}  // namespace

const platform::qt::DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}

}  // namespace ui
