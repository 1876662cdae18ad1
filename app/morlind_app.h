#pragma once

// The application object: one global instance, no data of its own. At start-up it runs the
// main dialog modally; when the dialog ends, the process ends.

#include <span>

#include "platform/qt/application.h"

namespace app {

class CMorlindApp : public platform::qt::Application {
  public:
    CMorlindApp() = default;
    ~CMorlindApp() override;

  protected:
    std::span<const platform::qt::CommandEntry> GetMessageMap() const override;
    bool InitInstance() override;

  private:
    static const platform::qt::CommandEntry kMessageMap[];

    // The Help command: the tool has no help content, and says so.
    void OnHelp();
};

}  // namespace app
