// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The text format that interpretation stores are imported from:
//
//   lines before the first line that starts with "#" are not read
//   #key:                  a line starting with "#" opens an entry; the key is the rest of the
//   text line 1            line, trimmed, with one trailing ":" removed
//   text line 2            the entry's text: the lines up to the next "#" line, joined with
//   #next key              "\r\n", without trailing line breaks, tabs and blanks
//
// An entry whose key starts with "!" is skipped. A line may end in "\n" or "\r\n".

#include <functional>
#include <string>
#include <string_view>

namespace quintaro {

struct ImportEntry {
    std::string key;
    std::string text;
    int line = 0;  // line number of the key line, from 1
};

struct ImportResult {
    int stored = 0;   // entries handed to the store
    int skipped = 0;  // "!" entries
    bool complete = true;
    // When not complete: the line the import stopped at (from 1; 0 when the file could not be
    // read at all) and why. Entries before it are stored.
    int stopLine = 0;
    std::string problem;
};

// Reads the entries of an import text in file order and hands each to store, which returns ""
// or the reason it could not take the entry. Reading stops at a line holding a zero byte (not a
// text file) and at the first entry the store refuses.
ImportResult ReadImportText(std::string_view text,
                            const std::function<std::string(const ImportEntry&)>& store);

// "Stopped at line 12 of 'file': reason" for an incomplete result, "" for a complete one.
std::string ImportStopMessage(const ImportResult& result, std::string_view fileName);

}  // namespace quintaro
