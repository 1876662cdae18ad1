// The six functions of the device library over the simulated controller. Each call locks the
// state folder, reads the state, lets the controller act on it, stores what changed and adds its
// line to the journal.

#include <atomic>
#include <cstring>
#include <functional>
#include <string>

#include "vivuraz/controller.h"
#include "vivuraz/journal.h"
#include "vivuraz/state_store.h"
#include "vivuraz/vivuraz.h"

namespace {

using vivuraz::ControllerState;
using vivuraz::JournalLine;
using vivuraz::Outcome;

// Set by Load, cleared by Unload: the calls in between are served.
std::atomic<bool> loaded{false};

std::int32_t RunCall(const std::function<Outcome(ControllerState&)>& operation,
                     const std::function<std::string(std::int32_t)>& describe) {
    vivuraz::StateStore store;
    if (!store.Open(vivuraz::LockMode::Exclusive)) {
        return kVivuRAZErrorStorage;
    }
    const Outcome outcome = operation(store.State());
    std::int32_t status = outcome.status;
    if (outcome.changed && !store.Save()) {
        status = kVivuRAZErrorStorage;
    }
    store.Journal(describe(status));
    return status;
}

// An access call: served only while the library is loaded.
std::int32_t RunAccess(const std::function<Outcome(ControllerState&)>& operation,
                       const JournalLine& line) {
    return RunCall(
        [&](ControllerState& state) {
            return loaded ? operation(state) : Outcome{kVivuRAZErrorNotLoaded, false};
        },
        [&](std::int32_t status) { return line.Finish(status); });
}

JournalLine AccessLine(const char* function, std::int32_t device, std::int32_t direction) {
    JournalLine line(function);
    line.Add("device", device).Add("direction", direction);
    return line;
}

}  // namespace

extern "C" {

int32_t VivuRAZLib_Load(void) {
    loaded = true;
    return RunCall(
        [](ControllerState&) { return Outcome{}; },
        [](std::int32_t status) { return JournalLine("VivuRAZLib_Load").Finish(status); });
}

int32_t VivuRAZLib_OpenDev(DeviceList* list) {
    // The record is filled in here and handed out only if the call could be stored.
    DeviceList found{};
    auto reported = [&](std::int32_t status) {
        return status == kVivuRAZErrorStorage ? DeviceList{} : found;
    };
    const std::int32_t status = RunCall(
        [&](ControllerState& state) {
            if (!loaded) {
                return Outcome{kVivuRAZErrorNotLoaded, false};
            }
            return list == nullptr ? Outcome{kVivuRAZErrorBuffer, false}
                                   : vivuraz::OpenDevices(state, found);
        },
        [&](std::int32_t result) {
            JournalLine line("VivuRAZLib_OpenDev");
            if (list != nullptr) {
                const DeviceList shown = reported(result);
                line.Add("count", shown.count).Add("device", shown.device);
            }
            return line.Finish(result);
        });
    if (list != nullptr) {
        *list = reported(status);
    }
    return status;
}

int32_t VivuRAZLib_Q4870_AccessRegister(int32_t device, int32_t direction, int32_t address,
                                        unsigned char* buffer, int32_t length) {
    JournalLine line = AccessLine("VivuRAZLib_Q4870_AccessRegister", device, direction);
    line.AddAddress(address).Add("length", length);
    return RunAccess(
        [&](ControllerState& state) {
            return vivuraz::AccessRegister(state, device, direction, address, buffer, length);
        },
        line);
}

int32_t VivuRAZLib_Q4870_AccessConfigEEPROM(int32_t device, int32_t direction,
                                            unsigned char* buffer, int32_t length) {
    JournalLine line = AccessLine("VivuRAZLib_Q4870_AccessConfigEEPROM", device, direction);
    line.Add("length", length);
    return RunAccess(
        [&](ControllerState& state) {
            return vivuraz::AccessConfig(state, device, direction, buffer, length);
        },
        line);
}

int32_t VivuRAZLib_Q4870_AccessFirmwareEEPROM(int32_t device, int32_t direction,
                                              unsigned char* buffer, int32_t length) {
    JournalLine line = AccessLine("VivuRAZLib_Q4870_AccessFirmwareEEPROM", device, direction);
    line.Add("length", length);
    return RunAccess(
        [&](ControllerState& state) {
            return vivuraz::AccessFirmware(state, device, direction, buffer, length);
        },
        line);
}

int32_t VivuRAZLib_Unload(void) {
    const bool wasLoaded = loaded.exchange(false);
    return RunCall(
        [&](ControllerState&) {
            return Outcome{wasLoaded ? kVivuRAZSuccess : kVivuRAZErrorNotLoaded, false};
        },
        [](std::int32_t status) { return JournalLine("VivuRAZLib_Unload").Finish(status); });
}

}  // extern "C"
