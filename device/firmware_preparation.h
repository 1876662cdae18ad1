#pragma once

// The preparation that both firmware downloads share: turn the raw firmware file named in the
// "Bin File Directory" box into "TempBinData.bin" and read that file back whole. Every refusal
// is shown as its box (caption "Error", error icon) before nothing is returned.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace device {

// The firmware image to send, or nothing after the box that says why there is none.
// `firmwareImageBuilt` receives the conversion's outcome (1 built, 0 failed); the image is sent
// only when this run built it, never a file left over from an earlier run.
std::optional<std::vector<std::uint8_t>> PrepareFirmwareImage(const std::string& binFileText,
                                                              std::uint8_t& firmwareImageBuilt,
                                                              platform::Prompts& prompts);

}  // namespace device
