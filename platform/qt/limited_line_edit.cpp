#include "platform/qt/limited_line_edit.h"

#include <algorithm>

namespace platform::qt {

namespace {
constexpr int kQtLargestLength = 32767;
}

LimitedLineEdit::LimitedLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { FitMaxLength(); });
}

void LimitedLineEdit::SetTypingLimit(int limit) {
    typingLimit = std::max(limit, 0);
    FitMaxLength();
}

void LimitedLineEdit::SetProgramText(const QString& text) {
    setMaxLength(std::max(static_cast<int>(text.size()), kQtLargestLength));
    setText(text);
    FitMaxLength();
}

void LimitedLineEdit::FitMaxLength() {
    const int limit = typingLimit == 0 ? kQtLargestLength : typingLimit;
    setMaxLength(std::max(limit, static_cast<int>(text().size())));
}

}  // namespace platform::qt
