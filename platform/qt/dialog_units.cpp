#include "platform/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <cstring>

namespace platform::qt {

namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;

// a * b / c rounded half away from zero, as MulDiv does.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

bool IsDesktopSansName(const char* name) {
    for (const char* alias : {"System", "MS Sans Serif", "Microsoft Sans Serif"}) {
        if (std::strcmp(name, alias) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QString::fromLatin1(kAlphabet));
    return {(width + kAlphabetLength / 2) / kAlphabetLength, metrics.height()};
}

int DuToPixelsX(int du, BaseUnits base) {
    return MulDiv(du, base.x, 4);
}
int DuToPixelsY(int du, BaseUnits base) {
    return MulDiv(du, base.y, 8);
}

QRect DuToPixels(const DuRect& rect, BaseUnits base) {
    return {DuToPixelsX(rect.x, base), DuToPixelsY(rect.y, base), DuToPixelsX(rect.width, base),
            DuToPixelsY(rect.height, base)};
}

QFont TemplateFont(const FontSpec& named) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!IsDesktopSansName(named.name)) {
        font.setFamily(QString::fromUtf8(named.name));
    }
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(named.pointSize);
    font.setBold(named.bold);
    return font;
}

}  // namespace platform::qt
