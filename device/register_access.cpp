#include "device/register_access.h"

#include <cstdint>
#include <vector>

#include "device/device_library.h"
#include "device/device_messages.h"
#include "device/register_fields.h"
#include "device/register_grid.h"

namespace device {
namespace {

using platform::BoxType;

void ShowError(platform::Prompts& prompts, std::string_view text) {
    prompts.DialogBox(text, messages::kErrorCaption, BoxType::Error);
}

void ShowAccessFailed(platform::Prompts& prompts, Status status) {
    prompts.ApplicationBox(messages::WithStatus(messages::kAccessFailed, status), BoxType::Error);
}

}  // namespace

std::optional<std::string> OnRead(std::string_view addressText, std::string_view lengthText,
                                  platform::Prompts& prompts) {
    const auto address = RegisterAddressField(addressText);
    if (!address) {
        ShowError(prompts, messages::kInvalidAddress);
        return std::nullopt;
    }
    const auto length = RegisterLengthField(lengthText);
    if (!length) {
        ShowError(prompts, messages::kInvalidLength);
        return std::nullopt;
    }

    LibrarySession session(UnloadPolicy::KeepLoaded);
    const auto device = session.OpenFirstDevice();
    if (!device) {
        ShowError(prompts, messages::kOpenDevFail);
        return std::nullopt;
    }
    // The whole length is read; the grid shows as many of the bytes as it has cells for.
    std::vector<std::uint8_t> buffer(*length);
    if (const Status status = device->ReadRegisters(*address, buffer); status != 0) {
        ShowAccessFailed(prompts, status);
        return std::nullopt;
    }
    return RegisterGridText(buffer);
}

void OnWrite(std::string_view addressText, std::string_view valueText, platform::Prompts& prompts) {
    const auto address = RegisterAddressField(addressText);
    if (!address) {
        ShowError(prompts, messages::kInvalidAddress);
        return;
    }
    // The value's refusal shares the read length's text.
    const auto value = RegisterValueField(valueText);
    if (!value) {
        ShowError(prompts, messages::kInvalidLength);
        return;
    }

    LibrarySession session(UnloadPolicy::KeepLoaded);
    const auto device = session.OpenFirstDevice();
    if (!device) {
        return;
    }
    if (const Status status = device->WriteRegister(*address, *value); status != 0) {
        ShowAccessFailed(prompts, status);
    }
}

}  // namespace device
