#include "platform/qt/application.h"

#include <QApplication>
#include <QFileInfo>

namespace platform::qt {

namespace {
Application* theApplication = nullptr;
}

Application::Application() {
    theApplication = this;
}

Application::~Application() {
    if (theApplication == this) {
        theApplication = nullptr;
    }
}

Application* Application::Instance() {
    return theApplication;
}

int Application::Run(int& argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(ApplicationName());
    if (InitInstance()) {
        QApplication::exec();
    }
    mainWindow = nullptr;
    return ExitInstance();
}

bool Application::OnCommand(unsigned command) {
    for (const CommandEntry& entry : GetMessageMap()) {
        if (entry.command == command) {
            entry.handler(*this);
            return true;
        }
    }
    return false;
}

QString ApplicationName() {
    if (QCoreApplication::instance() == nullptr) {
        return {};
    }
    return ApplicationNameFromPath(QCoreApplication::applicationFilePath());
}

QString ApplicationNameFromPath(const QString& executablePath) {
    return QFileInfo(executablePath).completeBaseName();
}

}  // namespace platform::qt
