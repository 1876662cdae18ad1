#pragma once

// The drop-down controls of a template: a choice list (pick only) or a path box (editable).
// A sorted list keeps its items in case-insensitive order, which QComboBox doesn't do itself.
// Before the list opens the box announces it, so a handler can fill it first.

#include <QComboBox>

namespace platform::qt {

class ComboBox : public QComboBox {
    Q_OBJECT

  public:
    ComboBox(bool editable, bool sorted, QWidget* parent = nullptr);

    bool IsSorted() const { return sorted; }

    // The position a new item takes when added: the end of an unsorted list, else after the
    // items that compare less than or equal to it, ignoring letter case.
    int AddPosition(const QString& text) const;

    void showPopup() override;

  signals:
    void AboutToDropDown();

  private:
    bool sorted;
};

}  // namespace platform::qt
