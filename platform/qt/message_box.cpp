#include "platform/qt/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/application.h"

namespace platform::qt {

namespace {

QMessageBox::Icon IconOf(platform::BoxType type) {
    switch (type) {
        case platform::BoxType::Error:
            return QMessageBox::Critical;
        case platform::BoxType::Exclamation:
            return QMessageBox::Warning;
        case platform::BoxType::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                    platform::BoxType type) {
    QMessageBox box(IconOf(type), caption, text, QMessageBox::Ok,
                    owner != nullptr ? owner : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowApplicationBox(QWidget* owner, const QString& text, platform::BoxType type) {
    ShowMessageBox(owner, text, ApplicationName(), type);
}

}  // namespace platform::qt
