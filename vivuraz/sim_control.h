#pragma once

// The simulator's scripted behaviour, shared by its control interface (vivuraz_sim.h) and
// vivuraz-sim. The state changes return kVivuRAZErrorArgument and leave the state as it was
// when an argument is out of range.

#include <cstdint>
#include <span>
#include <string>

#include "vivuraz/controller_state.h"

namespace vivuraz {

std::int32_t AttachDevices(ControllerState& state, std::int32_t count);
// `operation` is a VivuRAZSimOperation; `times` above 0 or kAlways; `code` nonzero.
std::int32_t SetFault(ControllerState& state, std::int32_t operation, std::int32_t code,
                      std::int32_t times);
// `times` 0 (none), above 0, or kAlways.
std::int32_t SetEmptyReads(ControllerState& state, std::int32_t times);
std::int32_t ClearFaults(ControllerState& state);
std::int32_t SetVersion(ControllerState& state, std::int32_t device,
                        std::span<const std::uint8_t, kVersionLength> bytes);
std::int32_t SetJournal(ControllerState& state, bool on);

// These act on the state folder itself; kVivuRAZErrorStorage with `error` set when it can't
// be used.
std::int32_t ResetStoredState(std::string& error);
std::int32_t ClearStoredJournal(std::string& error);
std::int32_t ReadStoredJournal(std::string& text, std::string& error);

}  // namespace vivuraz
