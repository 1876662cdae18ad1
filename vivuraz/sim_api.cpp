// The simulator's control interface (vivuraz_sim.h) over the scripted behaviour.

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

#include "vivuraz/sim_control.h"
#include "vivuraz/state_folder.h"
#include "vivuraz/state_store.h"
#include "vivuraz/vivuraz_sim.h"

namespace {

using vivuraz::ControllerState;

template <typename Mutation>
std::int32_t ChangeState(Mutation change) {
    std::string ignored;
    return vivuraz::ChangeStoredState(change, ignored);
}

}  // namespace

extern "C" {

int32_t VivuRAZSim_SetStateFolder(const char* folder) {
    if (folder != nullptr && *folder == '\0') {
        return kVivuRAZErrorArgument;
    }
    vivuraz::SetStateFolderOverride(
        folder == nullptr ? std::nullopt : std::optional<std::filesystem::path>(folder));
    return kVivuRAZSuccess;
}

int32_t VivuRAZSim_Reset(void) {
    std::string ignored;
    return vivuraz::ResetStoredState(ignored);
}

int32_t VivuRAZSim_Attach(int32_t count) {
    return ChangeState(
        [&](ControllerState& state) { return vivuraz::AttachDevices(state, count); });
}

int32_t VivuRAZSim_SetFault(int32_t operation, int32_t code, int32_t times) {
    return ChangeState(
        [&](ControllerState& state) { return vivuraz::SetFault(state, operation, code, times); });
}

int32_t VivuRAZSim_SetEmptyReads(int32_t times) {
    return ChangeState(
        [&](ControllerState& state) { return vivuraz::SetEmptyReads(state, times); });
}

int32_t VivuRAZSim_ClearFaults(void) {
    return ChangeState([](ControllerState& state) { return vivuraz::ClearFaults(state); });
}

int32_t VivuRAZSim_SetVersion(int32_t device, const unsigned char* bytes) {
    if (bytes == nullptr) {
        return kVivuRAZErrorBuffer;
    }
    const std::span<const std::uint8_t, vivuraz::kVersionLength> version(bytes,
                                                                         vivuraz::kVersionLength);
    return ChangeState(
        [&](ControllerState& state) { return vivuraz::SetVersion(state, device, version); });
}

int32_t VivuRAZSim_SetJournal(int32_t on) {
    return ChangeState([&](ControllerState& state) { return vivuraz::SetJournal(state, on != 0); });
}

int32_t VivuRAZSim_ClearJournal(void) {
    std::string ignored;
    return vivuraz::ClearStoredJournal(ignored);
}

int32_t VivuRAZSim_ReadJournal(char* buffer, int32_t size) {
    if (size < 0 || (buffer == nullptr && size > 0)) {
        return kVivuRAZErrorArgument;
    }
    std::string text;
    std::string ignored;
    if (const std::int32_t status = vivuraz::ReadStoredJournal(text, ignored); status != 0) {
        return status;
    }
    if (size > 0) {
        const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size) - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
}

}  // extern "C"
