// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/report_render.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <vector>

namespace quintaro {

namespace {

constexpr std::string_view RtfHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern "
    "Courier New;}}\n"
    "{\\colortbl\\red0\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;}\n"
    "\\margl864\\margr864\\margt864\\margb864 \\deflang1033\\pard\\plain\\f0\\cf0\\fs20 \\fi420 "
    "\\ri420 \n";

// The Windows-1252 bytes 0x80..0x9F that stand for characters beyond Latin-1.
struct Cp1252Extra {
    char32_t character;
    unsigned char byte;
};
constexpr std::array<Cp1252Extra, 27> Cp1252Extras = {{
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
}};

// The characters of valid UTF-8 text.
std::vector<char32_t> CodePoints(std::string_view utf8) {
    std::vector<char32_t> points;
    points.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points.push_back(c);
        i += length;
    }
    return points;
}

void AppendHexByte(std::string& out, unsigned byte) {
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

void AppendUnicode(std::string& out, char32_t unit) {
    out +=
        "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(unit))) + "?";
}

std::string RtfText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char32_t c : CodePoints(ValidUtf8(text))) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0xA0 && c <= 0xFF) {
            AppendHexByte(out, static_cast<unsigned>(c));
        } else if (auto extra =
                       std::find_if(Cp1252Extras.begin(), Cp1252Extras.end(),
                                    [c](const Cp1252Extra& e) { return e.character == c; });
                   extra != Cp1252Extras.end()) {
            AppendHexByte(out, extra->byte);
        } else if (c > 0xFFFF) {
            const char32_t v = c - 0x10000;
            AppendUnicode(out, 0xD800 + (v >> 10));
            AppendUnicode(out, 0xDC00 + (v & 0x3FF));
        } else {
            AppendUnicode(out, c);
        }
    }
    return out;
}

std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : ValidUtf8(text)) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string RenderRtf(const ReportDocument& document) {
    std::string out(RtfHeader);
    std::optional<ParagraphAlign> align;
    for (const ReportParagraph& paragraph : document.paragraphs) {
        if (paragraph.pageBreakBefore) out += "\\page ";
        if (align != paragraph.align) {
            out += paragraph.align == ParagraphAlign::Centre ? "\\qc " : "\\ql ";
            align = paragraph.align;
        }
        if (paragraph.bold && !paragraph.text.empty())
            out += "{\\b " + RtfText(paragraph.text) + "}";
        else
            out += RtfText(paragraph.text);
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

std::string RenderPlainText(const ReportDocument& document) {
    std::string out;
    for (const ReportParagraph& paragraph : document.paragraphs) {
        if (paragraph.pageBreakBefore) out += '\n';
        out += ValidUtf8(paragraph.text);
        out += '\n';
    }
    return out;
}

std::string RenderHtml(const ReportDocument& document) {
    // The rich text's set-up: margins of 864 twips (0.6 inch), 10 point Arial, first-line and
    // right indents of 420 twips (21 points).
    std::string out =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        HtmlText(document.title) +
        "</title>\n</head>\n<body style=\"font-family: Arial, Helvetica, sans-serif; font-size: "
        "10pt; margin: 0.6in;\">\n";
    for (const ReportParagraph& paragraph : document.paragraphs) {
        out += "<p";
        if (paragraph.align == ParagraphAlign::Centre) out += " align=\"center\"";
        out += " style=\"margin-top: 0; margin-bottom: 0; text-indent: 21pt; margin-right: 21pt;";
        if (paragraph.pageBreakBefore) out += " page-break-before: always;";
        out += "\">";
        if (paragraph.text.empty())
            out += "&nbsp;";
        else if (paragraph.bold)
            out += "<b>" + HtmlText(paragraph.text) + "</b>";
        else
            out += HtmlText(paragraph.text);
        out += "</p>\n";
    }
    // Nothing between the last paragraph and the end of the page: a reader may take a line break
    // there as a blank ending the last paragraph.
    if (!document.paragraphs.empty()) out.pop_back();
    out += "</body></html>";
    return out;
}

std::optional<ReportFormat> ReportFormatOfPath(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".rtf") return ReportFormat::Rtf;
    if (extension == ".txt") return ReportFormat::Text;
    if (extension == ".html" || extension == ".htm") return ReportFormat::Html;
    return std::nullopt;
}

std::string RenderReport(const ReportDocument& document, ReportFormat format) {
    switch (format) {
        case ReportFormat::Rtf:
            return RenderRtf(document);
        case ReportFormat::Text:
            return RenderPlainText(document);
        case ReportFormat::Html:
            return RenderHtml(document);
    }
    return {};
}

}  // namespace quintaro
