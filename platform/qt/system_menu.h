#pragma once

// The dialog's own system menu. On X11 and Wayland the window manager owns the title bar's
// menu, so the dialog offers its equivalent as a context menu on its background and on
// Alt+Space: the standard entries, then whatever the dialog appends. Choosing an entry passes
// its command identifier to the dialog's OnSysCommand.

#include <QMenu>
#include <QString>
#include <functional>
#include <memory>

namespace platform::qt {

// Standard system commands.
inline constexpr unsigned kScMinimize = 0xF020;
inline constexpr unsigned kScClose = 0xF060;

class SystemMenu {
  public:
    using CommandSink = std::function<void(unsigned command)>;

    // `minimizable`: the window has a minimise box, so the menu offers Minimize too.
    SystemMenu(QWidget* owner, bool minimizable, CommandSink sink);
    ~SystemMenu();

    void AppendSeparator();
    void AppendItem(unsigned command, const QString& text);

    // Opens the menu at a global position and runs the chosen entry.
    void Popup(const QPoint& globalPosition);

    QMenu& Menu() { return *menu; }

  private:
    std::unique_ptr<QMenu> menu;
    CommandSink sink;
};

}  // namespace platform::qt
