#include "platform/qt/control.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "platform/qt/combo_box.h"
#include "platform/qt/limited_line_edit.h"

namespace platform::qt {

namespace {

ComboBox* AsList(QWidget* widget) {
    return qobject_cast<ComboBox*>(widget);
}

LimitedLineEdit* AsEdit(QWidget* widget) {
    return dynamic_cast<LimitedLineEdit*>(widget);
}

// Adding to a list selects nothing and leaves a path box's text alone; QComboBox would select
// the first item put into an empty list.
void InsertKeepingSelection(ComboBox& list, int position, const QString& text) {
    const bool hadSelection = list.currentIndex() != -1;
    const QString editText = list.isEditable() ? list.currentText() : QString();
    list.insertItem(position, text);
    if (!hadSelection) {
        list.setCurrentIndex(-1);
        if (list.isEditable()) {
            list.setEditText(editText);
        }
    }
}

}  // namespace

QString Control::Text() const {
    if (auto* edit = AsEdit(widget)) {
        return edit->text();
    }
    if (auto* list = AsList(widget)) {
        return list->currentText();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return group->title();
    }
    return {};
}

void Control::SetText(const QString& text) {
    if (auto* edit = AsEdit(widget)) {
        edit->SetProgramText(text);
    } else if (auto* list = AsList(widget)) {
        if (list->isEditable()) {
            list->setEditText(text);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    }
}

void Control::SetLimit(int limit) {
    if (auto* edit = AsEdit(widget)) {
        edit->SetTypingLimit(limit);
    }
}

int Control::Limit() const {
    auto* edit = AsEdit(widget);
    return edit != nullptr ? edit->TypingLimit() : 0;
}

void Control::SetReadOnly(bool readOnly) {
    if (auto* edit = AsEdit(widget)) {
        edit->setReadOnly(readOnly);
    } else if (auto* list = AsList(widget); list != nullptr && list->isEditable()) {
        list->lineEdit()->setReadOnly(readOnly);
    }
    // A choice list has no text field: it is read-only by nature.
}

int Control::AddItem(const QString& text) {
    auto* list = AsList(widget);
    if (list == nullptr) {
        return -1;
    }
    const int position = list->AddPosition(text);
    InsertKeepingSelection(*list, position, text);
    return position;
}

int Control::InsertItem(int position, const QString& text) {
    auto* list = AsList(widget);
    if (list == nullptr || position < -1 || position > list->count()) {
        return -1;
    }
    if (position == -1) {
        position = list->count();
    }
    InsertKeepingSelection(*list, position, text);
    return position;
}

bool Control::DeleteItem(int position) {
    auto* list = AsList(widget);
    if (list == nullptr || position < 0 || position >= list->count()) {
        return false;
    }
    list->removeItem(position);
    return true;
}

void Control::ResetContent() {
    if (auto* list = AsList(widget)) {
        list->clear();
        if (list->isEditable()) {
            list->clearEditText();
        }
    }
}

bool Control::Select(int index) {
    auto* list = AsList(widget);
    if (list == nullptr) {
        return false;
    }
    const bool exists = index >= 0 && index < list->count();
    list->setCurrentIndex(exists ? index : -1);
    if (!exists && list->isEditable()) {
        list->clearEditText();
    }
    return exists;
}

int Control::SelectedIndex() const {
    auto* list = AsList(widget);
    return list != nullptr ? list->currentIndex() : -1;
}

QString Control::ItemText(int index) const {
    auto* list = AsList(widget);
    return list != nullptr ? list->itemText(index) : QString();
}

int Control::Count() const {
    auto* list = AsList(widget);
    return list != nullptr ? list->count() : 0;
}

}  // namespace platform::qt
