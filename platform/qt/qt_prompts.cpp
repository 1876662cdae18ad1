#include "platform/qt/qt_prompts.h"

#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"

namespace platform::qt {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void QtPrompts::DialogBox(std::string_view text, std::string_view caption, platform::BoxType type) {
    ShowMessageBox(owner, FromUtf8(text), FromUtf8(caption), type);
}

void QtPrompts::ApplicationBox(std::string_view text, platform::BoxType type) {
    ShowApplicationBox(owner, FromUtf8(text), type);
}

std::optional<std::string> QtPrompts::AskSaveFileName(std::string_view filter) {
    return AskFileName(owner, FileDialogKind::Save, filter);
}

std::optional<std::string> QtPrompts::AskOpenFileName(std::string_view filter) {
    return AskFileName(owner, FileDialogKind::Open, filter);
}

}  // namespace platform::qt
