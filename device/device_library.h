#pragma once

// The binding to the device library (vivuraz.h) for the tool's procedures. A LibrarySession
// loads the library for one operation and unloads it at its end as the operation's policy says;
// OpenFirstDevice hands out a Device only when the library reports one that can be used, so no
// access is made without it. The access calls return the library's status code (0 success).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace device {

inline constexpr std::size_t kConfigEEPROMSize = 128;

using Status = std::int32_t;
using DeviceReference = std::int32_t;

// An opened device: the `device` of the record that VivuRAZLib_OpenDev filled.
class Device {
  public:
    DeviceReference Reference() const { return reference; }

    // Zero-fills `buffer`, then reads buffer.size() registers from `address` on into it.
    Status ReadRegisters(std::uint16_t address, std::span<std::uint8_t> buffer) const;

    // Writes one register: the value travels in the length argument, with no buffer.
    Status WriteRegister(std::uint16_t address, std::uint8_t value) const;

    Status WriteConfigEEPROM(std::span<const std::uint8_t, kConfigEEPROMSize> table) const;

    // Writes the whole firmware image; its size is the length sent.
    Status WriteFirmwareEEPROM(std::span<const std::uint8_t> image) const;

  private:
    friend class LibrarySession;
    explicit Device(DeviceReference reference) : reference(reference) {}

    DeviceReference reference;
};

enum class UnloadPolicy {
    // Unload when the session ends, also when an exception ends it (Show FW Version, downloads).
    UnloadAtEnd,
    // Never unload: the library stays loaded after the session (READ and WRITE of the register
    // dialog).
    KeepLoaded,
};

class LibrarySession {
  public:
    // Calls VivuRAZLib_Load; its result is not looked at.
    explicit LibrarySession(UnloadPolicy policy);
    // Calls VivuRAZLib_Unload under UnloadPolicy::UnloadAtEnd.
    ~LibrarySession();
    LibrarySession(const LibrarySession&) = delete;
    LibrarySession& operator=(const LibrarySession&) = delete;

    // Calls VivuRAZLib_OpenDev. The first device found, when the call returns 0 and the count is
    // above 0; nothing otherwise.
    std::optional<Device> OpenFirstDevice();

  private:
    UnloadPolicy policy;
};

}  // namespace device
