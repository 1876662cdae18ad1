#pragma once

// The person's side of platform::Prompts on Qt: real message boxes and file dialogs, owned by
// the dialog given (the main dialog once it exists).

#include <QPointer>
#include <QWidget>

#include "platform/prompts.h"

namespace platform::qt {

class QtPrompts : public platform::Prompts {
  public:
    explicit QtPrompts(QWidget* owner = nullptr) : owner(owner) {}

    void SetOwner(QWidget* window) { owner = window; }

    void DialogBox(std::string_view text, std::string_view caption,
                   platform::BoxType type) override;
    void ApplicationBox(std::string_view text, platform::BoxType type) override;
    std::optional<std::string> AskSaveFileName(std::string_view filter) override;
    std::optional<std::string> AskOpenFileName(std::string_view filter) override;

  private:
    QPointer<QWidget> owner;
};

}  // namespace platform::qt
