#pragma once

// The main dialog's decoded field values and the three flags that couple the form commit to the
// download procedures.

#include <array>
#include <cstdint>

namespace config {

// The vendor ID the form starts with: no maker is assigned it in the public USB ID list, so a
// device configured with the defaults never claims to be another maker's product.
inline constexpr std::uint16_t kStartupVendorId = 0xE1D0;
inline constexpr std::uint16_t kStartupProductId = 0x55AA;
inline constexpr std::uint16_t kStartupDeviceRevision = 0x0100;
inline constexpr const char* kStartupSerialText = "0123456789ABCDEF";
inline constexpr const char* kStartupManufacturerText = "Brelcom";
inline constexpr const char* kStartupProductText = "BR4870";

struct FormState {
    // Each text holds its table field's bytes (0xFF padding included) and a zero byte; at
    // start-up the default as a zero-terminated string.
    std::array<char, 21> serialText{};
    std::array<char, 45> manufacturerText{};
    std::array<char, 49> productText{};
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t deviceRevision = 0;
    std::uint16_t languageId = 0;   // set only by Load or the commit
    std::uint8_t highestSpeed = 0;  // set only by Load or the commit
    std::uint8_t powerMode = 0;     // set only by Load or the commit
    std::uint8_t commitOnly = 0;
    std::uint8_t commitSucceeded = 0;
    std::uint8_t firmwareImageBuilt = 0;

    bool operator==(const FormState&) const = default;
};

// The values the dialog starts with; the three flags at 0.
FormState StartupFormState();

}  // namespace config
