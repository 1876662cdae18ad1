#pragma once

// A Prompts that stands where the person sits: it records every box shown and answers file
// dialogs from a queue (an empty queue answers "cancelled").

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace testsupport {

struct ShownBox {
    std::string text;
    std::string caption;  // for an application box: the application's name, "morlind"
    platform::BoxType type;
    bool applicationBox;

    bool operator==(const ShownBox&) const = default;
};

struct ShownFileDialog {
    bool save;  // true: save dialog, false: open dialog
    std::string filter;
};

class ScriptedPrompts : public platform::Prompts {
  public:
    void DialogBox(std::string_view text, std::string_view caption,
                   platform::BoxType type) override;
    void ApplicationBox(std::string_view text, platform::BoxType type) override;
    std::optional<std::string> AskSaveFileName(std::string_view filter) override;
    std::optional<std::string> AskOpenFileName(std::string_view filter) override;

    // Queue the answer of the next file dialog; std::nullopt stands for "Cancel".
    void AnswerFileDialog(std::optional<std::string> answer) {
        answers.push_back(std::move(answer));
    }

    // The texts of the boxes shown so far, in order.
    std::vector<std::string> Texts() const;
    void Clear();

    std::vector<ShownBox> boxes;
    std::vector<ShownFileDialog> fileDialogs;
    std::deque<std::optional<std::string>> answers;

  private:
    std::optional<std::string> NextAnswer();
};

// Lets a failed expectation on the boxes shown name each box instead of dumping its bytes.
void PrintTo(const ShownBox& box, std::ostream* out);

// Shorthands for expectations.
ShownBox ErrorBox(std::string text);
ShownBox InformationBox(std::string text);
ShownBox ExclamationBox(std::string text);
ShownBox AppErrorBox(std::string text);

}  // namespace testsupport
