#include "vivuraz/controller.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace vivuraz {
namespace {

constexpr std::int32_t kRead = 0;
constexpr std::int32_t kWrite = 1;

Device* FindDevice(ControllerState& state, std::int32_t reference) {
    if (reference < 1 || reference > static_cast<std::int32_t>(state.devices.size())) {
        return nullptr;
    }
    return &state.devices[static_cast<std::size_t>(reference - 1)];
}

// Counts one use of a scripted behaviour; `changed` says a count went down and must be stored.
bool TakeScripted(std::int32_t& times, bool& changed) {
    if (times == 0) {
        return false;
    }
    if (times > 0) {
        --times;
        changed = true;
    }
    return true;
}

std::optional<std::int32_t> TakeFault(ControllerState& state, Operation operation, bool& changed) {
    ScriptedFault& fault = state.Fault(operation);
    const std::int32_t code = fault.code;
    if (!TakeScripted(fault.times, changed)) {
        return std::nullopt;
    }
    if (fault.times == 0) {
        fault = ScriptedFault{};
    }
    return code;
}

// The checks shared by the three access calls.
std::int32_t CheckAccess(ControllerState& state, std::int32_t device, std::int32_t direction) {
    if (FindDevice(state, device) == nullptr) {
        return kVivuRAZErrorNoSuchDevice;
    }
    if (direction != kRead && direction != kWrite) {
        return kVivuRAZErrorDirection;
    }
    return kVivuRAZSuccess;
}

std::int32_t CheckRegisterArguments(std::int32_t direction, std::int32_t address,
                                    const unsigned char* buffer, std::int32_t length) {
    const bool isWrite = direction == kWrite;
    if (isWrite ? buffer != nullptr : (buffer == nullptr && length > 0)) {
        return kVivuRAZErrorBuffer;
    }
    if (address < 0 || address > 0xFFFF) {
        return kVivuRAZErrorAddress;
    }
    if (length < 0 || (isWrite && length > 0xFF)) {
        return kVivuRAZErrorLength;
    }
    if (!isWrite && static_cast<std::int64_t>(address) + length > 0x10000) {
        return kVivuRAZErrorAddress;
    }
    return kVivuRAZSuccess;
}

}  // namespace

Outcome OpenDevices(ControllerState& state, DeviceList& list) {
    std::memset(&list, 0, sizeof list);
    list.count = static_cast<std::int32_t>(state.devices.size());
    list.device = list.count > 0 ? 1 : 0;
    for (std::int32_t reference = 2; reference <= list.count; ++reference) {
        std::memcpy(list.reserved + 4 * (reference - 2), &reference, sizeof reference);
    }
    Outcome outcome;
    if (auto code = TakeFault(state, Operation::Open, outcome.changed)) {
        outcome.status = *code;
    }
    return outcome;
}

Outcome AccessRegister(ControllerState& state, std::int32_t device, std::int32_t direction,
                       std::int32_t address, unsigned char* buffer, std::int32_t length) {
    Outcome outcome;
    outcome.status = CheckAccess(state, device, direction);
    if (outcome.status == kVivuRAZSuccess) {
        outcome.status = CheckRegisterArguments(direction, address, buffer, length);
    }
    if (outcome.status != kVivuRAZSuccess) {
        return outcome;
    }
    if (auto code = TakeFault(state, Operation::Register, outcome.changed)) {
        outcome.status = *code;
        return outcome;
    }
    auto& registers = FindDevice(state, device)->registers;
    const auto start = registers.begin() + address;
    if (direction == kWrite) {
        *start = static_cast<std::uint8_t>(length);
        outcome.changed = true;
    } else if (!TakeScripted(state.emptyReads, outcome.changed)) {
        std::copy(start, start + length, buffer);
    }
    return outcome;
}

Outcome AccessConfig(ControllerState& state, std::int32_t device, std::int32_t direction,
                     unsigned char* buffer, std::int32_t length) {
    Outcome outcome;
    outcome.status = CheckAccess(state, device, direction);
    if (outcome.status == kVivuRAZSuccess && buffer == nullptr) {
        outcome.status = kVivuRAZErrorBuffer;
    }
    if (outcome.status == kVivuRAZSuccess && length != static_cast<std::int32_t>(kConfigSize)) {
        outcome.status = kVivuRAZErrorLength;
    }
    if (outcome.status != kVivuRAZSuccess) {
        return outcome;
    }
    if (auto code = TakeFault(state, Operation::Config, outcome.changed)) {
        outcome.status = *code;
        return outcome;
    }
    auto& config = FindDevice(state, device)->config;
    if (direction == kWrite) {
        std::copy(buffer, buffer + kConfigSize, config.begin());
        outcome.changed = true;
    } else {
        std::copy(config.begin(), config.end(), buffer);
    }
    return outcome;
}

Outcome AccessFirmware(ControllerState& state, std::int32_t device, std::int32_t direction,
                       unsigned char* buffer, std::int32_t length) {
    Outcome outcome;
    outcome.status = CheckAccess(state, device, direction);
    if (outcome.status == kVivuRAZSuccess && buffer == nullptr && length > 0) {
        outcome.status = kVivuRAZErrorBuffer;
    }
    if (outcome.status == kVivuRAZSuccess &&
        (length < 0 || static_cast<std::size_t>(length) > kFirmwareCapacity)) {
        outcome.status = kVivuRAZErrorLength;
    }
    if (outcome.status != kVivuRAZSuccess) {
        return outcome;
    }
    if (auto code = TakeFault(state, Operation::Firmware, outcome.changed)) {
        outcome.status = *code;
        return outcome;
    }
    auto& firmware = FindDevice(state, device)->firmware;
    const auto size = static_cast<std::size_t>(length);
    if (direction == kWrite) {
        firmware.assign(buffer, buffer + size);
        outcome.changed = true;
    } else {
        // An erased EEPROM reads 0xFF past the stored image.
        const std::size_t stored = std::min(size, firmware.size());
        std::copy(firmware.begin(), firmware.begin() + static_cast<std::ptrdiff_t>(stored), buffer);
        std::fill(buffer + stored, buffer + size, 0xFF);
    }
    return outcome;
}

}  // namespace vivuraz
