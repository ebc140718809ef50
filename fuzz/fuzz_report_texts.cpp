// SPDX-License-Identifier: AGPL-3.0-or-later
// libFuzzer target for the texts a report is made of: any bytes as a revision file, a master
// list, and a paragraph of a report. A revision reads back as it was written; master list keys
// always name a file inside their folder; a report paragraph is one line of valid UTF-8 and its
// rich text is pure ASCII with balanced groups.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "interps/report_render.h"
#include "interps/revisions.h"

// Stops the run, naming the broken expectation, when it does not hold.
#define CHECK(condition)                                                                       \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace {

// The depth of the rich text's groups never drops below zero and ends at zero.
bool BalancedGroups(std::string_view rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;  // an escaped character or the first letter of a control word
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}' && --depth < 0) {
            return false;
        }
    }
    return depth == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintaro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const Revision revision = ParseRevisionFile(bytes);
    const Revision again = ParseRevisionFile(RevisionFileText(revision));
    CHECK(again.text == revision.text);
    CHECK(again.author == revision.author);

    for (const MasterListEntry& entry : ParseMasterList(bytes)) {
        const auto path = RevisionPath("/home", ReportMode::RomanceCompatibility, entry.key);
        CHECK(path.has_value());
        CHECK(path->parent_path() == std::filesystem::path("/home/revised_romance_comp"));
    }

    ReportDocument document;
    document.add(bytes, ParagraphAlign::Centre, true, true);
    for (const ReportParagraph& paragraph : document.paragraphs) {
        CHECK(paragraph.text.find_first_of("\r\n") == std::string::npos);
        CHECK(ValidUtf8(paragraph.text) == paragraph.text);
    }
    const std::string rtf = RenderRtf(document);
    for (const char c : rtf) CHECK(static_cast<unsigned char>(c) < 0x80);
    CHECK(BalancedGroups(rtf));
    const std::string text = RenderPlainText(document);
    CHECK(ValidUtf8(text) == text);
    return 0;
}
