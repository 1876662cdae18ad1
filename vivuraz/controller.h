#pragma once

// What the simulated controller does for each call of the device library, on the state read
// from the folder. The checks come first (vivuraz.h lists them in order); a call that passes
// them meets the scripted behaviour, and only then is carried out.

#include <cstdint>

#include "vivuraz/controller_state.h"
#include "vivuraz/vivuraz.h"

namespace vivuraz {

struct Outcome {
    std::int32_t status = kVivuRAZSuccess;
    bool changed = false;  // the state must be stored
};

// Fills the record (the count, the first device's reference, the further references).
Outcome OpenDevices(ControllerState& state, DeviceList& list);

Outcome AccessRegister(ControllerState& state, std::int32_t device, std::int32_t direction,
                       std::int32_t address, unsigned char* buffer, std::int32_t length);

Outcome AccessConfig(ControllerState& state, std::int32_t device, std::int32_t direction,
                     unsigned char* buffer, std::int32_t length);

Outcome AccessFirmware(ControllerState& state, std::int32_t device, std::int32_t direction,
                       unsigned char* buffer, std::int32_t length);

}  // namespace vivuraz
