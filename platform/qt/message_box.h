#pragma once

// Modal message boxes with one OK button: types 16, 48 and 64 are the error, exclamation and
// information icons. A dialog's box carries the caption it is given; the application's box
// carries the application's name.

#include <QString>
#include <QWidget>

#include "platform/prompts.h"

namespace platform::qt {

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                    platform::BoxType type);

void ShowApplicationBox(QWidget* owner, const QString& text, platform::BoxType type);

}  // namespace platform::qt
