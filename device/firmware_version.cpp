#include "device/firmware_version.h"

#include <cstdio>

#include "device/device_library.h"
#include "device/device_messages.h"

namespace device {
namespace {

using platform::BoxType;

void QueryFirmwareVersion(platform::Prompts& prompts) {
    LibrarySession session(UnloadPolicy::UnloadAtEnd);
    const auto device = session.OpenFirstDevice();
    if (!device) {
        prompts.DialogBox(messages::kOpenDevFail, messages::kErrorCaption, BoxType::Error);
        return;
    }
    std::array<std::uint8_t, kFirmwareVersionLength> bytes{};
    if (const Status status = device->ReadRegisters(kFirmwareVersionAddress, bytes); status != 0) {
        prompts.ApplicationBox(messages::WithStatus(messages::kAccessFailed, status),
                               BoxType::Error);
        return;
    }
    prompts.DialogBox(FormatFirmwareVersion(bytes), messages::kInformationCaption,
                      BoxType::Exclamation);
}

}  // namespace

std::string FormatFirmwareVersion(const std::array<std::uint8_t, kFirmwareVersionLength>& bytes) {
    char text[3 * kFirmwareVersionLength] = {};
    std::snprintf(text, sizeof text, "%02x %02x %02x %02x %02x %02x", bytes[0], bytes[1], bytes[2],
                  bytes[3], bytes[4], bytes[5]);
    return text;
}

void OnShowFwVersion(platform::Prompts& prompts) {
    try {
        QueryFirmwareVersion(prompts);  // the session unloads the library on every way out
    } catch (...) {
        // Nothing is shown for an exception; the library has been unloaded all the same.
    }
}

}  // namespace device
