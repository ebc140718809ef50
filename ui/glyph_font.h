// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <filesystem>
#include <string_view>

namespace quintaro {

inline constexpr const char* GlyphFontFamily = "Orvessa";

// A UTF-8 text as a window shows it. Glyph characters travel as code points 128..255; the font
// also holds every such glyph at U+F000 + code, which the text engine draws as an ordinary
// character (code points 128..159 are control characters to it), so they are moved there.
QString GlyphDisplayText(std::string_view utf8);

// A font for texts that mix plain words with glyph characters: plain letters and digits come from
// DejaVu Sans, the glyphs (which it lacks) from the glyph font.
QFont MixedGlyphFont(double pointSize);

// The glyph font registered with the application for the run, unregistered when destroyed.
class GlyphFontRegistration {
  public:
    GlyphFontRegistration() = default;
    explicit GlyphFontRegistration(const std::filesystem::path& fontFile);
    GlyphFontRegistration(const GlyphFontRegistration&) = delete;
    GlyphFontRegistration& operator=(const GlyphFontRegistration&) = delete;
    ~GlyphFontRegistration();

    bool registered() const { return id_ >= 0; }

  private:
    int id_ = -1;
};

}  // namespace quintaro
