#include "platform/qt/combo_box.h"

namespace platform::qt {

ComboBox::ComboBox(bool editable, bool sorted, QWidget* parent)
    : QComboBox(parent), sorted(sorted) {
    setEditable(editable);
    // The program alone decides the items: Enter in the text field adds nothing, and typing
    // doesn't complete from the list.
    setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        setCompleter(nullptr);
    }
}

int ComboBox::AddPosition(const QString& text) const {
    if (!sorted) {
        return count();
    }
    int position = 0;
    while (position < count() &&
           QString::compare(itemText(position), text, Qt::CaseInsensitive) <= 0) {
        ++position;
    }
    return position;
}

void ComboBox::showPopup() {
    emit AboutToDropDown();
    QComboBox::showPopup();
}

}  // namespace platform::qt
