#include "platform/qt/system_menu.h"

#include <QAction>

namespace platform::qt {

SystemMenu::SystemMenu(QWidget* owner, bool minimizable, CommandSink sink)
    : menu(std::make_unique<QMenu>(owner)), sink(std::move(sink)) {
    if (minimizable) {
        AppendItem(kScMinimize, QStringLiteral("Mi&nimize"));
    }
    AppendItem(kScClose, QStringLiteral("&Close"));
}

SystemMenu::~SystemMenu() = default;

void SystemMenu::AppendSeparator() {
    menu->addSeparator();
}

void SystemMenu::AppendItem(unsigned command, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setData(command);
    // Queued, so the menu has closed before a handler opens a modal dialog of its own.
    QObject::connect(
        action, &QAction::triggered, menu.get(), [this, command] { sink(command); },
        Qt::QueuedConnection);
}

void SystemMenu::Popup(const QPoint& globalPosition) {
    menu->popup(globalPosition);
}

}  // namespace platform::qt
