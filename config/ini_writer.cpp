#include "config/ini_writer.h"

#include <cstring>

#include "config/atomic_file.h"

namespace config {

namespace {

constexpr std::string_view kCantOpen = "Can't open an ini file !";
constexpr std::string_view kNotNamed = "You must to name the ini file !";

std::string_view StepName(AtomicWriteStep step) {
    switch (step) {
        case AtomicWriteStep::Write:
            return "writing failed";
        case AtomicWriteStep::Sync:
            return "storing on disk failed";
        case AtomicWriteStep::Rename:
            return "replacing the file failed";
        default:
            break;
    }
    return "failed";
}

Refusal SaveFailure(const std::string& path, const AtomicWriteResult& result) {
    return Refusal{"Can't save the ini file " + path + " ! (" +
                       std::string(StepName(result.failedStep)) + ": " +
                       std::strerror(result.error) + ")",
                   RefusalCaption::Error};
}

}  // namespace

std::string FormatIniFile(const FormInput& input) {
    static constexpr std::string_view kLineEnd = "\r\n";
    std::string text = "[usb_config]";
    text += kLineEnd;
    text += "vendor_id = " + FormText(input.vendorId) + std::string(kLineEnd);
    text += "product_id = " + FormText(input.productId) + std::string(kLineEnd);
    text += "device_revision = " + FormText(input.deviceRevision) + std::string(kLineEnd);
    text += "serial_number = " + FormText(input.serialNumber) + std::string(kLineEnd);
    text += "manufacturer_string = " + FormText(input.manufacturerString) + std::string(kLineEnd);
    text += "product_string = " + FormText(input.productString) + std::string(kLineEnd);
    text += "highest_speed = " + FormText(input.speedText);
    return text;
}

std::optional<Refusal> WriteIniFile(const std::string& path, const FormInput& input) {
    const AtomicWriteResult result = WriteFileAtomically(path, FormatIniFile(input));
    if (result.Succeeded()) {
        return std::nullopt;
    }
    if (result.failedStep == AtomicWriteStep::CreateTemporary) {
        return Refusal{std::string(kCantOpen), RefusalCaption::Error};
    }
    return SaveFailure(path, result);
}

std::optional<Refusal> SaveIniFile(const std::optional<std::string>& chosenPath,
                                   const FormInput& input) {
    if (!chosenPath) {
        return Refusal{std::string(kNotNamed), RefusalCaption::Error};
    }
    if (chosenPath->empty()) {
        return std::nullopt;
    }
    return WriteIniFile(*chosenPath, input);
}

}  // namespace config
