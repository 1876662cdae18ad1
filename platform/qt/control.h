#pragma once

// A control of a dialog, reached by its id, with the operations the dialogs use. A Control that
// stands for no widget (an unknown id) does nothing and answers empty values.

#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform::qt {

class Control {
  public:
    Control() = default;
    explicit Control(QWidget* widget) : widget(widget) {}

    QWidget* Widget() const { return widget; }
    bool IsValid() const { return widget != nullptr; }

    // Text of an edit field, a path box's text field, a choice list's selected item, a button
    // or a label. Text set by the program is never cut by a typing limit.
    QString Text() const;
    void SetText(const QString& text);

    // Typing limit of an edit field (characters the user may type or paste; 0: none).
    void SetLimit(int limit);
    int Limit() const;

    void SetReadOnly(bool readOnly);

    // Lists. AddItem puts the item at its sorted place in a sorted list, else at the end;
    // both return the item's index, or -1 when the position doesn't exist or this is no list.
    int AddItem(const QString& text);
    int InsertItem(int position, const QString& text);  // -1 appends
    bool DeleteItem(int position);
    void ResetContent();        // removes every item; also empties a path box's text
    bool Select(int index);     // -1 or an index out of range clears the selection
    int SelectedIndex() const;  // -1 when nothing is selected
    QString ItemText(int index) const;
    int Count() const;

  private:
    QPointer<QWidget> widget;
};

}  // namespace platform::qt
