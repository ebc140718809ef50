// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/wheel_export.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "ui/painter_surface.h"
#include "wheels/glyph_outlines.h"
#include "wheels/svg_surface.h"
#include "wheels/wheel_drawing.h"

namespace quintaro {

QImage WheelImage(WheelInput input, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, width, height);
    input.target.printer = false;
    input.target.deviceWidth = width;
    input.target.deviceHeight = height;
    DrawWheel(surface, input);
    return image;
}

namespace {

void DrawOnPage(WheelInput& input, QPaintDevice& device, QPainter& painter) {
    PainterSurface surface(painter, device.width(), device.height());
    input.target.printer = true;
    input.target.deviceWidth = device.width();
    input.target.deviceHeight = device.height();
    DrawWheel(surface, input);
}

}  // namespace

bool PrintWheel(WheelInput input, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    DrawOnPage(input, printer, painter);
    return painter.end();
}

QString ExportWheel(WheelInput input, const QString& file, int sizePx,
                    const std::filesystem::path& outlineFile, Messages& messages) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) ||
            !WheelImage(input, sizePx, sizePx).save(&out, "PNG") || !out.commit())
            return QStringLiteral("cannot write ") + file;
        return {};
    }
    if (suffix == QLatin1String("svg")) {
        SvgSurface surface(sizePx, sizePx,
                           LoadGlyphOutlines(outlineFile, messages).value_or(GlyphOutlines{}));
        input.target.printer = false;
        input.target.deviceWidth = sizePx;
        input.target.deviceHeight = sizePx;
        DrawWheel(surface, input);
        return QString::fromStdString(surface.save(file.toStdString()));
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter writer(file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        QPainter painter;
        if (!painter.begin(&writer)) return QStringLiteral("cannot write ") + file;
        DrawOnPage(input, writer, painter);
        painter.end();
        return {};
    }
    return QStringLiteral("the file name must end in .png, .svg or .pdf");
}

}  // namespace quintaro
