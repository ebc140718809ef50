// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/startup_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "core/install_folder.h"
#include "core/plain_text.h"

namespace quintaro {

namespace {

// Lines longer than this are cut: a damaged file must not make us hold gigabytes.
constexpr size_t kMaxLine = 4096;

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    return true;
}

}  // namespace

std::optional<std::vector<std::string>> ReadMessageTexts(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> texts;
    std::string line;
    while (ReadLine(in, line)) {
        std::string text(TrimWhitespace(line));
        bool comment = !text.empty() && text.front() == '*' && text.back() == '*';
        if (text.empty() || text == "*=?" || comment) continue;
        texts.push_back(text);
    }
    return texts;
}

PrintoutInfo ReadPrintoutInfo(const std::filesystem::path& file) {
    PrintoutInfo info;
    std::ifstream in(file, std::ios::binary);
    if (!in) return info;
    std::string line;
    std::string* headers[] = {&info.line1, &info.line2, &info.line3};
    for (std::string* header : headers)
        if (ReadLine(in, line)) *header = line;
    for (int count = 0; count < 200 && ReadLine(in, line); ++count) info.notice += line + "\n";
    return info;
}

std::vector<std::string> EphemerisFolders(int configuration) {
    if (configuration == 1) return {"\\ephems", "\\ephems\\loadephems"};
    return {"\\velmeph"};
}

std::string EphemerisLoadFolder(int configuration) {
    return configuration == 1 ? "\\ephems\\loadephems" : "\\velmeph";
}

void CreateFolderLayout(const std::filesystem::path& home, int ephemerisConfiguration) {
    std::vector<std::string> folders = {"\\aspectarian", "\\PlanetaryStation"};
    for (const std::string& folder : EphemerisFolders(ephemerisConfiguration))
        folders.push_back(folder);
    for (const char* folder :
         {"\\blue", "\\database", "\\DatabaseFiles", "\\interp_revisions", "\\revised_romance_comp",
          "\\revised_financial_comp", "\\revised_romance_trans", "\\revised_financial_trans",
          "\\summary", "\\interps", "\\interps\\apex1", "\\interps\\apex2", "\\interps\\apex3",
          "\\interps\\apex4", "\\interps\\apex5", "\\pivots", "\\qqq", "\\reports", "\\research"})
        folders.emplace_back(folder);
    for (const std::string& folder : folders) {
        std::error_code ignored;
        std::filesystem::create_directories(HomePath(home, folder), ignored);
    }
}

std::string WindowTitle() {
    return "Quintaro_Pro [TM] - (version 0.1) astrology workstation for research";
}

}  // namespace quintaro
