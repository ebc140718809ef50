// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/text_output.h"

#include <fmt/format.h>

#include <array>
#include <cmath>

#include "aspects/aspect_catalogue.h"
#include "core/degrees.h"
#include "core/signs.h"

namespace quintaro::cli {

namespace {

constexpr std::array<std::string_view, 13> kSignSymbols = {
    "",       "\u2648", "\u2649", "\u264a", "\u264b", "\u264c", "\u264d",
    "\u264e", "\u264f", "\u2650", "\u2651", "\u2652", "\u2653"};

// Symbols of the aspects that have one in Unicode; the others are written by their angle.
std::string AspectSymbol(int code) {
    switch (code) {
        case AspectConjunction:
            return "\u260c";
        case AspectSextile:
            return "\u26b9";
        case AspectSquare:
            return "\u25a1";
        case AspectTrine:
            return "\u25b3";
        case AspectOpposition:
            return "\u260d";
        case AspectParallel:
            return "\u2225";
        case AspectSemiSextile:
            return "\u26ba";
        case AspectSemiSquare:
            return "\u2220";
        case AspectSesquiquadrate:
            return "\u26bc";
        case AspectQuincunx:
            return "\u26bb";
        case AspectContraParallel:
            return "\u22d5";
        default:
            return AspectAngleText(code);
    }
}

}  // namespace

std::string_view SignSymbol(int sign) {
    return sign >= 1 && sign <= 12 ? kSignSymbols[static_cast<size_t>(sign)] : "";
}

std::string ZodiacText(double longitude, bool decimal) {
    if (decimal) return fmt::format("{:.4f}", Norm360(longitude));
    const long minutes = std::lround(Norm360(longitude) * 60.0) % (360 * 60);
    const long withinSign = minutes % (30 * 60);
    return fmt::format("{}\u00b0{:02d}\u2032 {}", withinSign / 60, withinSign % 60,
                       SignSymbol(static_cast<int>(minutes / (30 * 60)) + 1));
}

std::string SignedDegreesText(double degrees, bool decimal) {
    if (decimal) return fmt::format("{:.4f}", degrees);
    const long minutes = std::lround(std::fabs(degrees) * 60.0);
    return fmt::format("{}{}\u00b0{:02d}\u2032", degrees < 0 && minutes > 0 ? "-" : "",
                       minutes / 60, minutes % 60);
}

std::string SiderealClock(double ramc) {
    const long seconds = std::lround(Norm360(ramc) / 15.0 * 3600.0) % (24 * 3600);
    return fmt::format("{:02d}:{:02d}:{:02d}", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

double Rounded6(double value) {
    const double rounded = std::round(value * 1e6) / 1e6;
    return rounded == 0.0 ? 0.0 : rounded;  // no "-0.0"
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) line += ',';
        const std::string& cell = cells[i];
        if (cell.find_first_of(",\"\r\n") == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (char c : cell) line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + "\r\n";
}

std::string GlyphsAsUnicode(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const int code = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
        ++i;
        if (code >= SignGlyphCode(1) && code <= SignGlyphCode(12))
            out += SignSymbol(code - SignGlyphCode(0));
        else if (code >= AspectGlyphCode(AspectConjunction) &&
                 code <= AspectGlyphCode(AspectContraParallel))
            out += AspectSymbol(code - AspectGlyphBase);
        else
            out += "<" + std::to_string(code) + ">";
    }
    return out;
}

size_t DisplayWidth(std::string_view text) {
    size_t width = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
    return width;
}

std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows,
                           std::string_view alignment) {
    std::vector<size_t> widths;
    for (const auto& row : rows)
        for (size_t i = 0; i < row.size(); ++i) {
            if (widths.size() <= i) widths.resize(i + 1, 0);
            widths[i] = std::max(widths[i], DisplayWidth(row[i]));
        }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            const size_t padding = widths[i] - DisplayWidth(row[i]);
            const bool right = i < alignment.size() && alignment[i] == 'r';
            if (right) line.append(padding, ' ');
            line += row[i];
            if (i + 1 < row.size()) line.append((right ? 0 : padding) + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
    return out;
}

}  // namespace quintaro::cli
