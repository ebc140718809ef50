// SPDX-License-Identifier: AGPL-3.0-or-later
// libFuzzer target for the interpretation text import: any bytes as an import text. Entries
// must follow the rules (no "!" keys, no trailing blanks or breaks, no text line that could open
// an entry), and a store filled from them must hold the last text of each key.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "interps/string_map.h"
#include "interps/text_import.h"

// Stops the run, naming the broken expectation, when it does not hold.
#define CHECK(condition)                                                                       \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace {}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintaro;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    StringMap store;
    int previousLine = 0, offered = 0;
    bool refused = false;
    const ImportResult result = ReadImportText(text, [&](const ImportEntry& entry) {
        ++offered;
        CHECK(entry.line > previousLine);
        previousLine = entry.line;
        CHECK(entry.key.empty() || entry.key.front() != '!');
        CHECK(entry.text.find('\0') == std::string::npos);
        CHECK(entry.text.empty() ||
              entry.text.find_last_not_of("\r\n\t ") == entry.text.size() - 1);
        CHECK(entry.text.find("\n#") == std::string::npos && entry.text.rfind('#', 0) != 0);
        if (!store.SetAt(entry.key, entry.text)) {
            refused = true;
            return store.LastError();
        }
        std::string stored;
        CHECK(store.Lookup(entry.key, &stored));
        CHECK(CompareKeys(stored, entry.text) == 0);
        return std::string();
    });
    CHECK(result.stored == (refused ? offered - 1 : offered));
    CHECK(!refused || !result.complete);
    CHECK(result.complete == result.problem.empty());
    CHECK(result.complete || result.stopLine > 0);
    CHECK(store.Count() <= result.stored);
    return 0;
}
