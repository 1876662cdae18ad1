#pragma once

// "Show FW Version": reads the six firmware version bytes of the first device from register
// address 0x07F0 on and shows them as lower-case hexadecimal bytes.

#include <array>
#include <cstdint>
#include <string>

#include "platform/prompts.h"

namespace device {

inline constexpr std::uint16_t kFirmwareVersionAddress = 0x07F0;
inline constexpr std::size_t kFirmwareVersionLength = 6;

// "01 ab 00 ff 10 7f": two lower-case digits per byte, one blank between bytes.
std::string FormatFirmwareVersion(const std::array<std::uint8_t, kFirmwareVersionLength>& bytes);

// Loads the library, opens the first device, reads and shows one box, and unloads the library
// after every outcome. An exception on the way is dropped without a box.
void OnShowFwVersion(platform::Prompts& prompts);

}  // namespace device
