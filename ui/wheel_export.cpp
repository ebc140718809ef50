// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/wheel_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include "core/atomic_file.h"
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

// The file's bytes are made in memory and written whole or not at all.
QString WriteWhole(const QString& file, const QByteArray& bytes) {
    const std::string error = WriteFileAtomically(
        file.toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return error.empty() ? QString() : QString::fromStdString(error);
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
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) ||
            !StyledWheelImage(wheel, sizePx, sizePx).save(&buffer, "PNG"))
            return QStringLiteral("cannot make the image for ") + file;
        return WriteWhole(file, bytes);
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
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot make the page for ") + file;
        {
            QPdfWriter writer(&buffer);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setResolution(300);
            QPainter painter;
            if (!painter.begin(&writer)) return QStringLiteral("cannot make the page for ") + file;
            DrawOnPage(wheel, writer, painter);
            if (!painter.end()) return QStringLiteral("cannot make the page for ") + file;
        }
        return WriteWhole(file, bytes);
    }
    return QStringLiteral("the file name must end in .png, .svg or .pdf");
}

QString ExportWheel(WheelInput input, const QString& file, int sizePx,
                    const std::filesystem::path& outlineFile, Messages& messages) {
    return ExportStyledWheel(Lens(std::move(input)), file, sizePx, outlineFile, messages);
}

}  // namespace quintaro
