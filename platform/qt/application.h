#pragma once

// The application class of the framework. One object of a derived class exists; Run creates
// Qt's application, calls InitInstance and enters the event loop only when it returns true.
// Commands that reach no dialog (the Help key) go to the application's message map.

#include <QString>
#include <QWidget>
#include <span>

namespace platform::qt {

// The framework's Help command (the F1 key).
inline constexpr unsigned kHelpCommand = 57670;

class Application;

using CommandHandler = void (*)(Application&);

struct CommandEntry {
    unsigned command;
    CommandHandler handler;
};

template <class A, void (A::*Member)()>
void HandleCommand(Application& application) {
    (static_cast<A&>(application).*Member)();
}

class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Instance();

    // Returns the process's exit code.
    int Run(int& argc, char** argv);

    // Runs the message map's handler for `command`; false when it has none.
    bool OnCommand(unsigned command);

    QWidget* MainWindow() const { return mainWindow; }
    void SetMainWindow(QWidget* window) { mainWindow = window; }

  protected:
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return 0; }
    virtual std::span<const CommandEntry> GetMessageMap() const { return {}; }

  private:
    QWidget* mainWindow = nullptr;
};

// The application's name: the executable's file name without its extension.
QString ApplicationName();
QString ApplicationNameFromPath(const QString& executablePath);

}  // namespace platform::qt
