#pragma once

// The texts and captions of the boxes that the device procedures show. The texts that end in
// " (%d)" go to the application box with the library's status code filled in.

#include <string>
#include <string_view>

#include "device/device_library.h"

namespace device::messages {

inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kInformationCaption = "Information";

// Downloads.
inline constexpr std::string_view kCantLoadConfiguration = "Can't load the configuration !";
inline constexpr std::string_view kCantOpenBinFile = "Can't open the bin file !";
inline constexpr std::string_view kBinFileCantBeRead = "The bin file can't be readed !";
inline constexpr std::string_view kCantLoadFirmware = "Can't load the firmware !";
inline constexpr std::string_view kMemoryCantBeAllocated = "Memory can't be allocated !";
inline constexpr std::string_view kBinFileTooLarge =
    "The bin file is too large ! (At most 65535 bytes)";
inline constexpr std::string_view kDeviceNotFound = "Device not found !";
inline constexpr std::string_view kFinishConfiguration = "Finish Downloading Configuration !";
inline constexpr std::string_view kFinishConfigurationTable =
    "Finish Downloading Configuration Table !";
inline constexpr std::string_view kConfigurationFailed =
    "Downloading Configuration is Failed ! (%d)";
inline constexpr std::string_view kFinishFirmware = "Finish Downloading Firmware !";
inline constexpr std::string_view kFirmwareFailed = "Downloading Firmware is Failed ! (%d)";

// Firmware version query and register debug dialog.
inline constexpr std::string_view kOpenDevFail = "OpenDev Fail";
inline constexpr std::string_view kAccessFailed = "Access Device is Failed ! (%d)";
inline constexpr std::string_view kInvalidAddress = "Invalid value for register address";
inline constexpr std::string_view kInvalidLength = "Invalid value for register length";

// The text with "%d" replaced by the status code as a signed decimal.
std::string WithStatus(std::string_view text, Status status);

}  // namespace device::messages
