// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QSaveFile>

namespace quintaro {

bool SaveScreenshot(QWidget& widget, const QString& file) {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    const QPixmap shot = widget.grab();
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && shot.save(&out, "PNG") && out.commit();
}

}  // namespace quintaro
