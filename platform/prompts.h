#pragma once

// What a person answers: the message boxes and file dialogs that the tool's procedures show.
// The core calls these; the Qt side shows real boxes and dialogs, tests script the answers.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Message box types as the tool uses them: one OK button and one icon.
enum class BoxType : int {
    Error = 16,        // error icon
    Exclamation = 48,  // exclamation icon
    Information = 64,  // information icon
};

class Prompts {
  public:
    virtual ~Prompts() = default;

    // A box owned by the dialog, with the caption given ("Error", "Information").
    virtual void DialogBox(std::string_view text, std::string_view caption, BoxType type) = 0;

    // The application's box: its caption is the application's name.
    virtual void ApplicationBox(std::string_view text, BoxType type) = 0;

    // A save-file dialog that asks before overwriting an existing file. `filter` is written as
    // "Label|pattern||". Returns nothing when the person cancels, else the chosen path
    // (which may be empty).
    virtual std::optional<std::string> AskSaveFileName(std::string_view filter) = 0;

    // An open-file dialog for one existing file, same filter form and answers.
    virtual std::optional<std::string> AskOpenFileName(std::string_view filter) = 0;
};

}  // namespace platform
