// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "shell_quoted.h"

namespace quintaro::test {

// What an independent reader (poppler's pdftotext and pdfinfo) finds in a PDF file.

inline std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// The text of every page, kept in its printed arrangement; pages end with a form feed.
inline std::string PdfText(const std::filesystem::path& pdf) {
    return CommandOutput("pdftotext -layout " + ShellQuoted(pdf.string()) + " - 2>/dev/null");
}

// The page count pdfinfo reads; 0 when it cannot read the file.
inline int PdfPageCount(const std::filesystem::path& pdf) {
    std::istringstream info(CommandOutput("pdfinfo " + ShellQuoted(pdf.string()) + " 2>/dev/null"));
    for (std::string line; std::getline(info, line);)
        if (line.rfind("Pages:", 0) == 0) return std::stoi(line.substr(6));
    return 0;
}

// A text with every run of blanks made one blank and the ends trimmed, so that texts printed in
// columns compare with the words they hold.
inline std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\f') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The squeezed lines of a text, empty lines left out.
inline std::vector<std::string> SqueezedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (std::string squeezed = Squeezed(line); !squeezed.empty()) lines.push_back(squeezed);
    return lines;
}

// Where the expected lines stand, in order, among the found ones; the first expected line
// missing (after the previous one) is named in `missing`.
inline bool LinesInOrder(const std::vector<std::string>& found,
                         const std::vector<std::string>& expected, std::string& missing) {
    std::size_t at = 0;
    for (const std::string& line : expected) {
        while (at < found.size() && found[at] != line) ++at;
        if (at == found.size()) {
            missing = line;
            return false;
        }
        ++at;
    }
    return true;
}

}  // namespace quintaro::test
