// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/painter_surface.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include "ui/glyph_font.h"

namespace quintaro {

namespace {

QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, double deviceWidth, double deviceHeight)
    : painter_(painter), width_(deviceWidth), height_(deviceHeight) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

DeviceMapping PainterSurface::mapping() const {
    return {scale(), width_, height_};
}

QFont PainterSurface::currentFont() const {
    const FontChoice& definition = font();
    QFont qfont(QString::fromStdString(definition.name));
    if (definition.name == GlyphFontFamily)
        qfont.setFamilies(QStringList{QString::fromLatin1(GlyphFontFamily)});
    qfont.setPointSizeF(definition.size);
    qfont.setBold(definition.bold);
    return qfont;
}

QString PainterSurface::shownText(std::string_view text) const {
    // Glyph characters are moved to the font's private-use mirror only in the glyph font; in any
    // other font 128..255 are ordinary letters.
    if (font().name == GlyphFontFamily) return GlyphDisplayText(text);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double PainterSurface::textWidth(std::string_view text) const {
    const QFontMetricsF metrics(currentFont(), painter_.device());
    const double perUnit = mapping().pixelsPerUnitX();
    return perUnit > 0 ? metrics.horizontalAdvance(shownText(text)) / perUnit : 0;
}

double PainterSurface::textHeight(std::string_view) const {
    const QFontMetricsF metrics(currentFont(), painter_.device());
    const double perUnit = mapping().pixelsPerUnitY();
    return perUnit > 0 ? metrics.height() / perUnit : 0;
}

void PainterSurface::applyPen() {
    QPen pen(ToQColor(state().foreColor));
    pen.setWidthF(state().drawWidth);
    pen.setStyle(state().drawStyle == DrawStyle::Dashed ? Qt::DashLine : Qt::SolidLine);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void PainterSurface::drawClear(Color background) {
    painter_.fillRect(QRectF(0, 0, width_, height_), ToQColor(background));
}

void PainterSurface::drawLine(Point from, Point to) {
    applyPen();
    const DeviceMapping map = mapping();
    const Point a = map.toDevice(from), b = map.toDevice(to);
    painter_.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

void PainterSurface::drawCircle(Point centre, double radius) {
    applyPen();
    const DeviceMapping map = mapping();
    const Point c = map.toDevice(centre);
    const double r = radius * map.pixelsPerUnitX();
    painter_.drawEllipse(QPointF(c.x, c.y), r, r);
}

void PainterSurface::drawText(Point topLeft, std::string_view text) {
    const QFont qfont = currentFont();
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(state().foreColor));
    const Point at = mapping().toDevice(topLeft);
    const QFontMetricsF metrics(qfont, painter_.device());
    painter_.drawText(QPointF(at.x, at.y + metrics.ascent()), shownText(text));
}

}  // namespace quintaro
