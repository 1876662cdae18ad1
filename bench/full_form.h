#pragma once

// A form with every field filled in, serial number and strings at their longest, and the INI
// file that holds the same configuration with all nine keys: the largest configuration an
// engineer keeps, so Load and the commit each do all of their work.

#include <string_view>

#include "config/form_input.h"

namespace bench {

inline constexpr std::string_view kFullManufacturer =
    "Brelcom Industrial Controls GmbH, Test Lab 7";
inline constexpr std::string_view kFullProduct = "BR4870 SuperSpeed USB 3.2 Gen 1 Hub Controller A";
static_assert(kFullManufacturer.size() == 44 && kFullProduct.size() == 48);

inline constexpr std::string_view kFullFormIni =
    "[usb_config]\r\n"
    "vendor_id = 1A2B\r\n"
    "product_id = 55AA\r\n"
    "device_revision = 0100\r\n"
    "serial_number = 0123456789ABCDEF0123\r\n"
    "manufacturer_string = Brelcom Industrial Controls GmbH, Test Lab 7\r\n"
    "product_string = BR4870 SuperSpeed USB 3.2 Gen 1 Hub Controller A\r\n"
    "highest_speed = Super\r\n"
    "language_id = English\r\n"
    "power_mode = Self\r\n";

inline config::FormInput FullForm() {
    config::FormInput input = config::StartupFormInput();  // English, Super and Self selected
    input.vendorId = "1A2B";
    input.productId = "55AA";
    input.deviceRevision = "0100";
    input.serialNumber = "0123456789ABCDEF0123";
    input.manufacturerString = kFullManufacturer;
    input.productString = kFullProduct;
    return input;
}

}  // namespace bench
