// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/report_document.h"

namespace quintaro {

namespace {

// Length of the well-formed UTF-8 sequence at text[i] (shortest form, no surrogates, at most
// U+10FFFF), 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = Utf8SequenceLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        const auto latin1 = static_cast<unsigned char>(text[i++]);
        out += static_cast<char>(0xC0 | (latin1 >> 6));
        out += static_cast<char>(0x80 | (latin1 & 0x3F));
    }
    return out;
}

void ReportDocument::add(std::string_view text, ParagraphAlign align, bool bold,
                         bool pageBreakBefore) {
    std::string valid = ValidUtf8(text);
    // Control characters other than line breaks (tabs among them) read as blanks: every format
    // shows a blank the same way.
    for (char& c : valid)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n') || c == 0x7F) c = ' ';
    std::string_view rest = valid;
    bool first = true;
    while (true) {
        const auto end = rest.find_first_of("\r\n");
        paragraphs.push_back(
            {std::string(rest.substr(0, end)), align, bold, first && pageBreakBefore});
        first = false;
        if (end == std::string_view::npos) break;
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
        if (rest.empty()) break;  // a final line break ends the last line, it opens none
    }
}

}  // namespace quintaro
