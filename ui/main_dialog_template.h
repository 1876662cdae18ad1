#pragma once

#include "platform/qt/dialog_template.h"

namespace ui {

// Template 133: the main dialog, its controls in template (and tab) order.
const platform::qt::DialogTemplate& MainDialogTemplate();

}  // namespace ui
