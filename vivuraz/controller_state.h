#pragma once

// The whole state of the simulated controller: the attached devices with their EEPROMs and
// register space, the scripted behaviour and the journal switch, serialized as one block of
// bytes (which state.bin holds, see state_file.h):
//
//   "vivuraz-sim state 1\n"                      20 bytes
//   journal on (1) or off (0)                    int32
//   empty reads still to come                    int32 (0 none, -1 always)
//   faults of open, register, config, firmware   4 x (int32 code, int32 times)
//   number of devices N                          int32
//   N x { configuration EEPROM                   128 bytes
//         register space                         65536 bytes
//         firmware length L                      int32
//         firmware EEPROM                        L bytes }
//
// All integers little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vivuraz {

inline constexpr std::size_t kConfigSize = 128;
inline constexpr std::size_t kFirmwareCapacity = 65539;
inline constexpr std::size_t kRegisterSpaceSize = 0x10000;
inline constexpr std::size_t kVersionAddress = 0x07F0;
inline constexpr std::size_t kVersionLength = 6;
inline constexpr std::int32_t kMaxDevices = 16;
inline constexpr std::int32_t kAlways = -1;
inline constexpr std::array<std::uint8_t, kVersionLength> kInitialVersion = {0x01, 0x75, 0x00,
                                                                             0x0a, 0xb2, 0xff};

struct Device {
    std::array<std::uint8_t, kConfigSize> config{};
    std::vector<std::uint8_t> registers;
    std::vector<std::uint8_t> firmware;  // the stored image; empty when erased

    bool operator==(const Device&) const = default;
};

// A scripted status code for the next `times` calls (kAlways: every call); none when times is 0.
struct ScriptedFault {
    std::int32_t code = 0;
    std::int32_t times = 0;

    bool Active() const { return times != 0; }
    bool operator==(const ScriptedFault&) const = default;
};

enum class Operation : std::size_t { Open = 0, Register = 1, Config = 2, Firmware = 3 };
inline constexpr std::size_t kOperationCount = 4;

// The serialized sizes: the part before the devices (magic and the int32 fields), one device
// without its firmware bytes, and the largest state, kMaxDevices devices with full firmware.
inline constexpr std::size_t kStateHeadSize = 20 + 4 * (3 + 2 * kOperationCount);
inline constexpr std::size_t kDeviceFixedSize = kConfigSize + kRegisterSpaceSize + 4;
inline constexpr std::size_t kMaxStateSize =
    kStateHeadSize + kMaxDevices * (kDeviceFixedSize + kFirmwareCapacity);

struct ControllerState {
    std::vector<Device> devices;
    std::array<ScriptedFault, kOperationCount> faults{};
    std::int32_t emptyReads = 0;  // register reads still to leave unfilled (kAlways: all)
    bool journalOn = false;

    ScriptedFault& Fault(Operation operation) {
        return faults[static_cast<std::size_t>(operation)];
    }
    bool operator==(const ControllerState&) const = default;
};

// A device as it is when first attached: erased EEPROMs, registers zero but the version bytes.
Device NewDevice();

// The state on first use: one new device, nothing scripted, journal off.
ControllerState InitialState();

// `spare` bytes of room are left at the end for what the caller appends.
std::vector<std::uint8_t> SerializeState(const ControllerState& state, std::size_t spare = 0);
// The same into `out`, whose capacity is reused.
void SerializeStateInto(const ControllerState& state, std::size_t spare,
                        std::vector<std::uint8_t>& out);

// Nothing when the bytes are not a complete, consistent state file.
std::optional<ControllerState> ParseState(std::span<const std::uint8_t> bytes);

}  // namespace vivuraz
