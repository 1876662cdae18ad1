#include "vivuraz/sim_control.h"

#include <algorithm>

#include "vivuraz/state_store.h"
#include "vivuraz/vivuraz.h"

namespace vivuraz {

std::int32_t AttachDevices(ControllerState& state, std::int32_t count) {
    if (count < 0 || count > kMaxDevices) {
        return kVivuRAZErrorArgument;
    }
    state.devices.resize(static_cast<std::size_t>(count), NewDevice());
    return kVivuRAZSuccess;
}

std::int32_t SetFault(ControllerState& state, std::int32_t operation, std::int32_t code,
                      std::int32_t times) {
    if (operation < 0 || operation >= static_cast<std::int32_t>(kOperationCount) || code == 0 ||
        (times <= 0 && times != kAlways)) {
        return kVivuRAZErrorArgument;
    }
    state.faults[static_cast<std::size_t>(operation)] = ScriptedFault{code, times};
    return kVivuRAZSuccess;
}

std::int32_t SetEmptyReads(ControllerState& state, std::int32_t times) {
    if (times < 0 && times != kAlways) {
        return kVivuRAZErrorArgument;
    }
    state.emptyReads = times;
    return kVivuRAZSuccess;
}

std::int32_t ClearFaults(ControllerState& state) {
    state.faults = {};
    state.emptyReads = 0;
    return kVivuRAZSuccess;
}

std::int32_t SetVersion(ControllerState& state, std::int32_t device,
                        std::span<const std::uint8_t, kVersionLength> bytes) {
    if (device < 1 || device > static_cast<std::int32_t>(state.devices.size())) {
        return kVivuRAZErrorArgument;
    }
    auto& registers = state.devices[static_cast<std::size_t>(device - 1)].registers;
    std::copy(bytes.begin(), bytes.end(), registers.begin() + kVersionAddress);
    return kVivuRAZSuccess;
}

std::int32_t SetJournal(ControllerState& state, bool on) {
    state.journalOn = on;
    return kVivuRAZSuccess;
}

std::int32_t ResetStoredState(std::string& error) {
    // A damaged state file is what a reset is for, so it is not read first.
    StateStore store;
    if (!store.Lock(LockMode::Exclusive)) {
        error = store.Error();
        return kVivuRAZErrorStorage;
    }
    store.State() = InitialState();
    if (!store.Save() || !store.ClearJournal()) {
        error = store.Error();
        return kVivuRAZErrorStorage;
    }
    return kVivuRAZSuccess;
}

std::int32_t ClearStoredJournal(std::string& error) {
    StateStore store;
    if (!store.Open(LockMode::Exclusive) || !store.ClearJournal()) {
        error = store.Error();
        return kVivuRAZErrorStorage;
    }
    return kVivuRAZSuccess;
}

std::int32_t ReadStoredJournal(std::string& text, std::string& error) {
    StateStore store;
    if (!store.Open(LockMode::Shared) || !store.ReadJournal(text)) {
        error = store.Error();
        return kVivuRAZErrorStorage;
    }
    return kVivuRAZSuccess;
}

}  // namespace vivuraz
