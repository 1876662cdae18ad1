#include "device/device_messages.h"

namespace device::messages {

std::string WithStatus(std::string_view text, Status status) {
    std::string result(text);
    if (const auto at = result.find("%d"); at != std::string::npos) {
        result.replace(at, 2, std::to_string(status));
    }
    return result;
}

}  // namespace device::messages
