// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/glyph_outlines.h"

#include <charconv>
#include <cmath>

#include "core/atomic_file.h"

namespace quintaro {

namespace {

constexpr std::string_view Header = "orvessa-paths 1";
constexpr std::string_view PathCharacters = "MLQZ0123456789.- ";

// Splits off the next blank-separated word of a line.
std::string_view NextWord(std::string_view& line) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) return line = {}, std::string_view();
    std::size_t end = line.find(' ', start);
    std::string_view word = line.substr(start, end == std::string_view::npos ? end : end - start);
    line = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
    return word;
}

bool ReadNumber(std::string_view word, double& value) {
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

bool ReadGlyphLine(std::string_view line, GlyphOutlines& outlines, std::string& error) {
    double code = 0;
    double advance = 0;
    if (!ReadNumber(NextWord(line), code) || code < 0 || code > 0x10FFFF ||
        code != std::floor(code))
        return error = "no character code", false;
    if (!ReadNumber(NextWord(line), advance) || advance < 0)
        return error = "no advance width", false;
    std::size_t start = line.find_first_not_of(' ');
    std::string_view path =
        start == std::string_view::npos ? std::string_view() : line.substr(start);
    if (path.find_first_not_of(PathCharacters) != std::string_view::npos)
        return error = "unexpected character in the path data", false;
    outlines.glyphs[static_cast<char32_t>(code)] = {advance, std::string(path)};
    return true;
}

bool ReadUnitsLine(std::string_view line, GlyphOutlines& outlines) {
    return NextWord(line) == "units" && ReadNumber(NextWord(line), outlines.unitsPerEm) &&
           outlines.unitsPerEm > 0 && ReadNumber(NextWord(line), outlines.ascent) &&
           ReadNumber(NextWord(line), outlines.descent) && outlines.ascent >= 0 &&
           outlines.descent >= 0;
}

}  // namespace

const GlyphOutline* GlyphOutlines::find(char32_t codePoint) const {
    if (codePoint >= 0xF080 && codePoint <= 0xF0FF) codePoint -= 0xF000;
    auto it = glyphs.find(codePoint);
    return it == glyphs.end() ? nullptr : &it->second;
}

std::optional<GlyphOutlines> ParseGlyphOutlines(std::string_view text, std::string& error) {
    GlyphOutlines outlines;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;
        std::string fault;
        if (lineNumber == 1) {
            if (line != Header) fault = "not a glyph outline file";
        } else if (lineNumber == 2) {
            if (!ReadUnitsLine(line, outlines)) fault = "no valid units line";
        } else if (!line.empty()) {
            ReadGlyphLine(line, outlines, fault);
        }
        if (!fault.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + fault;
            return std::nullopt;
        }
    }
    if (lineNumber < 2) {
        error = "the file is incomplete";
        return std::nullopt;
    }
    return outlines;
}

std::optional<GlyphOutlines> LoadGlyphOutlines(const std::filesystem::path& file,
                                               Messages& messages) {
    std::string content;
    if (!ReadWholeFile(file, content)) {
        messages.show("Warning!", "Cannot read the glyph outline file " + file.string() + ".",
                      MessageIcon::Exclamation);
        return std::nullopt;
    }
    std::string error;
    auto outlines = ParseGlyphOutlines(content, error);
    if (!outlines)
        messages.show("Warning!",
                      "The glyph outline file " + file.string() + " is damaged (" + error + ").",
                      MessageIcon::Exclamation);
    return outlines;
}

}  // namespace quintaro
