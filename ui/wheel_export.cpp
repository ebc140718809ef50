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

// The file's bytes are made in memory and written whole or not at all.
QString WriteWhole(const QString& file, const QByteArray& bytes) {
    const std::string error = WriteFileAtomically(
        file.toStdString(), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return error.empty() ? QString() : QString::fromStdString(error);
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
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) ||
            !WheelImage(input, sizePx, sizePx).save(&buffer, "PNG"))
            return QStringLiteral("cannot make the image for ") + file;
        return WriteWhole(file, bytes);
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
            DrawOnPage(input, writer, painter);
            if (!painter.end()) return QStringLiteral("cannot make the page for ") + file;
        }
        return WriteWhole(file, bytes);
    }
    return QStringLiteral("the file name must end in .png, .svg or .pdf");
}

}  // namespace quintaro
