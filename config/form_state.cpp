#include "config/form_state.h"

#include <cstring>

namespace config {

namespace {

template <std::size_t N>
void CopyText(std::array<char, N>& member, const char* text) {
    member.fill('\0');
    std::strncpy(member.data(), text, N - 1);
}

}  // namespace

FormState StartupFormState() {
    FormState form;
    CopyText(form.serialText, kStartupSerialText);
    CopyText(form.manufacturerText, kStartupManufacturerText);
    CopyText(form.productText, kStartupProductText);
    form.vendorId = kStartupVendorId;
    form.productId = kStartupProductId;
    form.deviceRevision = kStartupDeviceRevision;
    return form;
}

}  // namespace config
