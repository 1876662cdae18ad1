#include "tests/support/scripted_prompts.h"

namespace testsupport {

namespace {
constexpr const char* kApplicationName = "morlind";
}

void ScriptedPrompts::DialogBox(std::string_view text, std::string_view caption,
                                platform::BoxType type) {
    boxes.push_back({std::string(text), std::string(caption), type, false});
}

void ScriptedPrompts::ApplicationBox(std::string_view text, platform::BoxType type) {
    boxes.push_back({std::string(text), kApplicationName, type, true});
}

std::optional<std::string> ScriptedPrompts::AskSaveFileName(std::string_view filter) {
    fileDialogs.push_back({true, std::string(filter)});
    return NextAnswer();
}

std::optional<std::string> ScriptedPrompts::AskOpenFileName(std::string_view filter) {
    fileDialogs.push_back({false, std::string(filter)});
    return NextAnswer();
}

std::optional<std::string> ScriptedPrompts::NextAnswer() {
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

std::vector<std::string> ScriptedPrompts::Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

void ScriptedPrompts::Clear() {
    boxes.clear();
    fileDialogs.clear();
    answers.clear();
}

void PrintTo(const ShownBox& box, std::ostream* out) {
    *out << (box.applicationBox ? "application box" : "dialog box") << " \"" << box.text << "\" ("
         << box.caption << ", " << static_cast<int>(box.type) << ")";
}

ShownBox ErrorBox(std::string text) {
    return {std::move(text), "Error", platform::BoxType::Error, false};
}
ShownBox InformationBox(std::string text) {
    return {std::move(text), "Information", platform::BoxType::Information, false};
}
ShownBox ExclamationBox(std::string text) {
    return {std::move(text), "Information", platform::BoxType::Exclamation, false};
}
ShownBox AppErrorBox(std::string text) {
    return {std::move(text), kApplicationName, platform::BoxType::Error, true};
}

}  // namespace testsupport
