#pragma once

// What Load, the commit and the save hand back when they refuse: the text of one message box.
// The dialog shows it with the error icon (type 16).

#include <string>
#include <string_view>

namespace config {

enum class RefusalCaption {
    Error,        // the dialog's box, caption kErrorCaption
    Application,  // the application's box, caption the application's name
};

inline constexpr std::string_view kErrorCaption = "Error";

struct Refusal {
    std::string message;
    RefusalCaption caption = RefusalCaption::Error;

    bool operator==(const Refusal&) const = default;
};

}  // namespace config
