#pragma once

// A one-line edit field whose typing limit holds for what the user types or pastes, never for
// text the program puts in. QLineEdit's own maximum length also cuts text set by the program,
// so the maximum is kept at the larger of the limit and the current length, and brought back
// after every user edit.

#include <QLineEdit>

namespace platform::qt {

class LimitedLineEdit : public QLineEdit {
  public:
    explicit LimitedLineEdit(QWidget* parent = nullptr);

    // 0 means no limit of its own (Qt's largest length).
    void SetTypingLimit(int limit);
    int TypingLimit() const { return typingLimit; }

    // Sets the text whole, whatever its length.
    void SetProgramText(const QString& text);

  private:
    void FitMaxLength();

    int typingLimit = 0;
};

}  // namespace platform::qt
