// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace quintaro {

QString ToolkitFilter(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
            .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (description.isEmpty()) continue;
        if (!pattern.isEmpty() && !description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + pattern + QLatin1Char(')');
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

QString InitialPath(const FileRequest& request) {
    if (request.proposedName.isEmpty()) return request.directory;
    return QDir(request.directory).filePath(request.proposedName);
}

}  // namespace

FileDialogs StandardFileDialogs(QWidget* parent) {
    FileDialogs dialogs;
    dialogs.open = [parent](const FileRequest& request) {
        return QFileDialog::getOpenFileName(parent, request.title, InitialPath(request),
                                            request.filter);
    };
    dialogs.save = [parent](const FileRequest& request) {
        QFileDialog dialog(parent, request.title, InitialPath(request), request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().front();
    };
    dialogs.openMany = [parent](const FileRequest& request) {
        return QFileDialog::getOpenFileNames(parent, request.title, InitialPath(request),
                                             request.filter);
    };
    return dialogs;
}

QStringList OpenFiles(const FileDialogs& dialogs, const FileRequest& request) {
    if (dialogs.openMany) return dialogs.openMany(request);
    if (!dialogs.open) return {};
    const QString file = dialogs.open(request);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

}  // namespace quintaro
