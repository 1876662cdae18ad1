#pragma once

// The READ and WRITE buttons of the register debug dialog. Each press that passes the field
// checks loads the library and opens the first device afresh, and leaves the library loaded.
// Boxes about the dialog's own fields belong to the debug dialog, through `prompts`.

#include <optional>
#include <string>
#include <string_view>

#include "platform/prompts.h"

namespace device {

// Reads `length` registers from `address` on. Gives the new grid text (register_grid.h) after a
// successful read; nothing when a box was shown instead, and the grid keeps what it showed.
std::optional<std::string> OnRead(std::string_view addressText, std::string_view lengthText,
                                  platform::Prompts& prompts);

// Writes the byte `valueText` to the register `addressText`. No device shows nothing; only a
// refused field or a failed write shows a box.
void OnWrite(std::string_view addressText, std::string_view valueText, platform::Prompts& prompts);

}  // namespace device
