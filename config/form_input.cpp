#include "config/form_input.h"

#include "config/field_ops.h"
#include "config/form_state.h"

namespace config {

const std::string& TextOf(const FormInput& input, TextField field) {
    switch (field) {
        case TextField::VendorId:
            return input.vendorId;
        case TextField::ProductId:
            return input.productId;
        case TextField::DeviceRevision:
            return input.deviceRevision;
        case TextField::SerialNumber:
            return input.serialNumber;
        case TextField::ManufacturerString:
            return input.manufacturerString;
        case TextField::ProductString:
            break;
    }
    return input.productString;
}

std::string FormText(const std::string& text) {
    return text.substr(0, kFormTextLimit);
}

FormInput StartupFormInput() {
    FormInput input;
    input.vendorId = FormatHexWord(kStartupVendorId);
    input.productId = FormatHexWord(kStartupProductId);
    input.deviceRevision = FormatHexWord(kStartupDeviceRevision);
    input.serialNumber = kStartupSerialText;
    input.manufacturerString = kStartupManufacturerText;
    input.productString = kStartupProductText;
    input.speedText = "Super";
    input.languageIndex = 0;
    input.speedIndex = 2;
    input.powerIndex = 0;
    return input;
}

}  // namespace config
