// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/wheel_export.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "ui/painter_surface.h"
#include "wheels/glyph_outlines.h"
#include "wheels/svg_surface.h"

namespace quintaro {

namespace {

StyledWheel Lens(WheelInput input) {
    StyledWheel wheel;
    wheel.input = std::move(input);
    return wheel;
}

void DrawOnPage(StyledWheel& wheel, QPaintDevice& device, QPainter& painter) {
    PainterSurface surface(painter, device.width(), device.height());
    WheelTarget target = wheel.input.target;
    target.printer = true;
    target.deviceWidth = device.width();
    target.deviceHeight = device.height();
    SetTarget(wheel, target);
    DrawStyledWheel(surface, wheel);
}

}  // namespace

QImage StyledWheelImage(StyledWheel wheel, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, width, height);
    WheelTarget target = wheel.input.target;
    target.printer = false;
    target.deviceWidth = width;
    target.deviceHeight = height;
    SetTarget(wheel, target);
    DrawStyledWheel(surface, wheel);
    return image;
}

QImage WheelImage(WheelInput input, int width, int height) {
    return StyledWheelImage(Lens(std::move(input)), width, height);
}

bool PrintStyledWheel(StyledWheel wheel, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    DrawOnPage(wheel, printer, painter);
    return painter.end();
}

bool PrintWheel(WheelInput input, QPrinter& printer) {
    return PrintStyledWheel(Lens(std::move(input)), printer);
}

QString ExportStyledWheel(StyledWheel wheel, const QString& file, int sizePx,
                          const std::filesystem::path& outlineFile, Messages& messages) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) ||
            !StyledWheelImage(wheel, sizePx, sizePx).save(&out, "PNG") || !out.commit())
            return QStringLiteral("cannot write ") + file;
        return {};
    }
    if (suffix == QLatin1String("svg")) {
        SvgSurface surface(sizePx, sizePx,
                           LoadGlyphOutlines(outlineFile, messages).value_or(GlyphOutlines{}));
        WheelTarget target = wheel.input.target;
        target.printer = false;
        target.deviceWidth = sizePx;
        target.deviceHeight = sizePx;
        SetTarget(wheel, target);
        DrawStyledWheel(surface, wheel);
        return QString::fromStdString(surface.save(file.toStdString()));
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter writer(file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        QPainter painter;
        if (!painter.begin(&writer)) return QStringLiteral("cannot write ") + file;
        DrawOnPage(wheel, writer, painter);
        painter.end();
        return {};
    }
    return QStringLiteral("the file name must end in .png, .svg or .pdf");
}

QString ExportWheel(WheelInput input, const QString& file, int sizePx,
                    const std::filesystem::path& outlineFile, Messages& messages) {
    return ExportStyledWheel(Lens(std::move(input)), file, sizePx, outlineFile, messages);
}

}  // namespace quintaro
