// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/screenshot.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include "core/atomic_file.h"

namespace quintaro {

bool SaveScreenshot(QWidget& widget, const QString& file) {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    const QPixmap shot = widget.grab();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !shot.save(&buffer, "PNG")) return false;
    return WriteFileAtomically(
               file.toStdString(),
               std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))
        .empty();
}

}  // namespace quintaro
