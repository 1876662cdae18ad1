#include "platform/qt/file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace platform::qt {

namespace {

QString QtFilter(const QString& label, const QString& patterns) {
    QString qtPatterns = patterns;
    qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString suffix = QStringLiteral("(%1)").arg(qtPatterns);
    if (label.trimmed().endsWith(suffix)) {
        return label.trimmed();
    }
    return QStringLiteral("%1 %2").arg(label.trimmed(), suffix);
}

}  // namespace

QString QtNameFilters(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
            .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) {
            break;  // the closing "||"
        }
        filters.append(QtFilter(parts[i], parts[i + 1]));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> AskFileName(QWidget* owner, FileDialogKind kind,
                                       std::string_view filter) {
    const bool save = kind == FileDialogKind::Save;
    QFileDialog dialog(owner, save ? QStringLiteral("Save As") : QStringLiteral("Open"),
                       QDir::currentPath(), QtNameFilters(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::string();
    }
    return QFile::encodeName(chosen.front()).toStdString();
}

}  // namespace platform::qt
