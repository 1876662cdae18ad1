#pragma once

// The three download buttons of the main dialog: "Update Configuration", "Update Firmware" and
// "Update Configuration / Firmware". Each prepares its data, loads the device library, writes
// the first device's EEPROMs, shows each result and unloads the library. The dialog hands over
// what the procedures need of it as a DownloadContext, so they run without the dialog itself.

#include <functional>
#include <string>

#include "config/config_table.h"
#include "config/form_state.h"
#include "platform/prompts.h"

namespace device {

struct DownloadContext {
    config::ConfigTable& table;
    config::FormState& form;
    // The form commit ("Save and Load"). Run with form.commitOnly set to 1, it rebuilds the
    // table, leaves its outcome in form.commitSucceeded and shows a refused field's box itself.
    std::function<void()> formCommit;
    // Writes the ROM image file `romName` from the firmware image file `imagePath`; for
    // "Config_Rom.bin" it runs the form commit again for the table part.
    std::function<void(const std::string& imagePath, const std::string& romName)> buildRomImage;
    // The text of the "Bin File Directory" box: the raw firmware file's path.
    std::function<std::string()> binFileText;
    platform::Prompts& prompts;
};

// Commits the form and writes the committed table to the configuration EEPROM.
// Ends with commitOnly and commitSucceeded at 0.
void OnUpdateConfiguration(DownloadContext& context);

// Builds the firmware image and "UnConfig_Rom.bin", erases the table and writes the erased
// table, then the image. Never reads the form; ends with firmwareImageBuilt at 0.
void OnUpdateFirmware(DownloadContext& context);

// Commits the form, builds the firmware image and "Config_Rom.bin", and writes the committed
// table, then the image. Ends with all three flags at 0.
void OnUpdateConfigurationFirmware(DownloadContext& context);

}  // namespace device
