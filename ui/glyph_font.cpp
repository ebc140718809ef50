// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/glyph_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace quintaro {

QString GlyphDisplayText(std::string_view utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (QChar& c : text) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0xFF) c = QChar(0xF000 + c.unicode());
    }
    return text;
}

QFont MixedGlyphFont(double pointSize) {
    QFont font;
    font.setFamilies(
        QStringList{QStringLiteral("DejaVu Sans"), QString::fromLatin1(GlyphFontFamily)});
    font.setPointSizeF(pointSize);
    return font;
}

GlyphFontRegistration::GlyphFontRegistration(const std::filesystem::path& fontFile) {
    id_ = QFontDatabase::addApplicationFont(QString::fromStdString(fontFile.string()));
}

GlyphFontRegistration::~GlyphFontRegistration() {
    if (id_ >= 0) QFontDatabase::removeApplicationFont(id_);
}

}  // namespace quintaro
