#pragma once

// Open and save file dialogs. Filters are written as "Label|pattern|Label|pattern||" and shown
// as Qt's "Label (pattern)". Qt's own dialog is used, not the desktop's, so that it behaves the
// same everywhere and tests can drive it.

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

namespace platform::qt {

enum class FileDialogKind {
    Open,  // one existing file
    Save,  // any name; asks before an existing file is overwritten
};

// Qt's name filters for a "Label|pattern||" filter. A label that already ends in its
// "(pattern)" is kept as it is; patterns separated by ";" become Qt's spaces.
QString QtNameFilters(std::string_view filter);

// The chosen path as the file system's bytes, or nothing when the person cancels. No default
// extension is added: the name is used as typed. The dialog starts in the current directory.
std::optional<std::string> AskFileName(QWidget* owner, FileDialogKind kind,
                                       std::string_view filter);

}  // namespace platform::qt
