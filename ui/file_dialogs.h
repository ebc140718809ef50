// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string_view>

namespace quintaro {

// What a file dialog is asked: title, filter in the system's own form ("Description (*.opt) |
// *.opt"), default extension, initial folder and proposed file name.
struct FileRequest {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString directory;
    QString proposedName;
};

// The file dialogs the windows use; tests put their own answers in. An empty answer means the
// user cancelled.
struct FileDialogs {
    std::function<QString(const FileRequest&)> open;
    std::function<QString(const FileRequest&)> save;
    // Several files at once; without it, `open` chooses one.
    std::function<QStringList(const FileRequest&)> openMany;
};

// The files chosen through openMany, or the one chosen through open.
QStringList OpenFiles(const FileDialogs& dialogs, const FileRequest& request);

// The toolkit's file dialogs over the given parent.
FileDialogs StandardFileDialogs(QWidget* parent);

// "Natal and Transit Data Files (*.opt) | *.opt" becomes the toolkit's "Natal and Transit Data
// Files (*.opt)"; several filters separated by "|" pairs become ";;"-separated ones.
QString ToolkitFilter(std::string_view filter);

}  // namespace quintaro
