#include "device/download_procedures.h"

#include <cstdint>
#include <span>
#include <vector>

#include "device/device_library.h"
#include "device/device_messages.h"
#include "device/firmware_preparation.h"
#include "image/firmware_image.h"
#include "image/rom_image.h"

namespace device {
namespace {

using platform::BoxType;

// Runs the form commit in its validate-only mode; true when every field passed. commitOnly stays
// set: the ROM image builder runs the commit again under the same flag.
bool CommitForm(DownloadContext& context) {
    context.form.commitOnly = 1;
    context.formCommit();
    return context.form.commitSucceeded == 1;
}

void ShowError(DownloadContext& context, std::string_view text) {
    context.prompts.DialogBox(text, messages::kErrorCaption, BoxType::Error);
}

void ShowResult(DownloadContext& context, Status status, std::string_view successText,
                std::string_view failureText) {
    if (status == 0) {
        context.prompts.DialogBox(successText, messages::kInformationCaption, BoxType::Information);
    } else {
        context.prompts.ApplicationBox(messages::WithStatus(failureText, status), BoxType::Error);
    }
}

// Load, open the first device, write the table and, when there is one, the firmware image
// whatever the table write returned, unload. The session unloads also when an exception ends
// the section.
void RunDeviceSection(DownloadContext& context, std::string_view configurationSuccessText,
                      const std::vector<std::uint8_t>* firmwareImage) {
    LibrarySession session(UnloadPolicy::UnloadAtEnd);
    const auto device = session.OpenFirstDevice();
    if (!device) {
        ShowError(context, messages::kDeviceNotFound);
        return;
    }
    ShowResult(context, device->WriteConfigEEPROM(context.table.bytes), configurationSuccessText,
               messages::kConfigurationFailed);
    if (firmwareImage != nullptr) {
        ShowResult(context, device->WriteFirmwareEEPROM(*firmwareImage), messages::kFinishFirmware,
                   messages::kFirmwareFailed);
    }
}

void UpdateConfiguration(DownloadContext& context) {
    if (!CommitForm(context)) {
        ShowError(context, messages::kCantLoadConfiguration);
        return;
    }
    RunDeviceSection(context, messages::kFinishConfiguration, nullptr);
}

void UpdateFirmware(DownloadContext& context) {
    const auto firmwareImage = PrepareFirmwareImage(
        context.binFileText(), context.form.firmwareImageBuilt, context.prompts);
    if (!firmwareImage) {
        return;
    }
    context.buildRomImage(image::kFirmwareImageName, image::kUnConfigRomName);
    config::EraseConfigTable(context.table);  // the device becomes unconfigured
    RunDeviceSection(context, messages::kFinishConfigurationTable, &*firmwareImage);
}

void UpdateConfigurationFirmware(DownloadContext& context) {
    if (!CommitForm(context)) {
        ShowError(context, messages::kCantLoadConfiguration);
        return;
    }
    const auto firmwareImage = PrepareFirmwareImage(
        context.binFileText(), context.form.firmwareImageBuilt, context.prompts);
    if (!firmwareImage) {
        return;
    }
    context.buildRomImage(image::kFirmwareImageName, image::kConfigRomName);
    RunDeviceSection(context, messages::kFinishConfigurationTable, &*firmwareImage);
}

// Runs a procedure to its end. An exception (exhausted memory in a string or a box) ends it
// silently; the library session and the image buffer have been released on the way out.
template <typename Procedure>
void RunGuarded(Procedure procedure, DownloadContext& context) {
    try {
        procedure(context);
    } catch (...) {
        // No box: the procedure ends as after any other failure, with its flags reset.
    }
}

}  // namespace

void OnUpdateConfiguration(DownloadContext& context) {
    RunGuarded(UpdateConfiguration, context);
    context.form.commitOnly = 0;
    context.form.commitSucceeded = 0;
}

void OnUpdateFirmware(DownloadContext& context) {
    RunGuarded(UpdateFirmware, context);
    context.form.firmwareImageBuilt = 0;
}

void OnUpdateConfigurationFirmware(DownloadContext& context) {
    RunGuarded(UpdateConfigurationFirmware, context);
    context.form.commitOnly = 0;
    context.form.commitSucceeded = 0;
    context.form.firmwareImageBuilt = 0;
}

}  // namespace device
