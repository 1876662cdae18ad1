#pragma once

// Dialog units to pixels by the platform's rule: the horizontal base unit is the font's average
// width of A-Z and a-z, the vertical one its height; a horizontal unit is a quarter of the
// horizontal base, a vertical unit an eighth of the vertical base.

#include <QFont>
#include <QRect>

#include "platform/qt/dialog_template.h"

namespace platform::qt {

struct BaseUnits {
    int x = 0;
    int y = 0;

    bool operator==(const BaseUnits&) const = default;
};

BaseUnits BaseUnitsOf(const QFont& font);

// Rounded like the platform's MulDiv.
int DuToPixelsX(int du, BaseUnits base);
int DuToPixelsY(int du, BaseUnits base);
QRect DuToPixels(const DuRect& rect, BaseUnits base);

// The font a template names. "System", "MS Sans Serif" and "Microsoft Sans Serif" stand for the
// desktop's sans-serif font; any other name is looked up as a family, sans-serif as fallback.
QFont TemplateFont(const FontSpec& named);

}  // namespace platform::qt
