#pragma once

// The 128-byte image of the device's configuration EEPROM, its field layout, and the operations
// that erase and seal it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace config {

inline constexpr std::size_t kConfigTableSize = 128;
inline constexpr std::uint8_t kErasedByte = 0xFF;

// Byte layout; multi-byte numbers are little-endian.
inline constexpr std::size_t kReservedOffset = 0;  // always 0xFF, outside the checksum
inline constexpr std::size_t kReservedWidth = 4;
inline constexpr std::size_t kSerialOffset = 4;
inline constexpr std::size_t kSerialWidth = 20;
inline constexpr std::size_t kManufacturerOffset = 24;
inline constexpr std::size_t kManufacturerWidth = 44;
inline constexpr std::size_t kProductOffset = 68;
inline constexpr std::size_t kProductWidth = 48;
inline constexpr std::size_t kVendorIdOffset = 116;
inline constexpr std::size_t kProductIdOffset = 118;
inline constexpr std::size_t kDeviceRevisionOffset = 120;  // binary-coded decimal
inline constexpr std::size_t kLanguageIdOffset = 122;
inline constexpr std::size_t kWordWidth = 2;
inline constexpr std::size_t kHighestSpeedOffset = 124;
inline constexpr std::size_t kPowerModeOffset = 125;
inline constexpr std::size_t kMarkerOffset = 126;
inline constexpr std::size_t kChecksumOffset = 127;

// The checksum covers bytes kChecksumFirst to kMarkerOffset, the marker included.
inline constexpr std::size_t kChecksumFirst = 4;
inline constexpr std::uint8_t kMarker = 0x5A;

// Codes of the choices.
inline constexpr std::uint8_t kSpeedFull = 0x00;
inline constexpr std::uint8_t kSpeedHigh = 0x01;
inline constexpr std::uint8_t kSpeedSuper = 0x02;
inline constexpr std::uint16_t kLanguageEnglish = 0xFFFF;
inline constexpr std::uint8_t kPowerSelf = 0xFF;

struct ConfigTable {
    // A table starts erased: the image of an unconfigured device.
    std::array<std::uint8_t, kConfigTableSize> bytes = [] {
        std::array<std::uint8_t, kConfigTableSize> erased{};
        erased.fill(kErasedByte);
        return erased;
    }();

    bool operator==(const ConfigTable&) const = default;
};

// All 128 bytes 0xFF, no marker, no checksum.
void EraseConfigTable(ConfigTable& table);

// Byte 126 = 0x5A, then byte 127 = the checksum of bytes 4 to 126.
void SealConfigTable(ConfigTable& table);

// The low 8 bits of the sum of bytes 4 to 126.
std::uint8_t ConfigChecksum(const ConfigTable& table);

// True when byte 126 is the marker and byte 127 the checksum.
bool IsConfigTableSealed(const ConfigTable& table);

// A little-endian 16-bit number at `offset`.
void StoreWord(ConfigTable& table, std::size_t offset, std::uint16_t value);
std::uint16_t ReadWord(const ConfigTable& table, std::size_t offset);

}  // namespace config
