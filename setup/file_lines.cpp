// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/file_lines.h"

#include <fstream>
#include <iterator>

namespace quintaro {

namespace {

std::string_view WithoutTrailingReturns(std::string_view line) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

bool ForEachFileLine(const std::filesystem::path& file, const LineHandler& onLine) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::string line;
    bool pending = false;  // a line has begun (text after the last line break)
    std::istreambuf_iterator<char> it(in), end;
    for (; it != end; ++it) {
        char c = *it;
        if (c == '\n') {
            if (!onLine(WithoutTrailingReturns(line))) return true;
            line.clear();
            pending = false;
            continue;
        }
        pending = true;
        if (line.size() < MaxFileLineLength) line += c;
    }
    if (pending) onLine(WithoutTrailingReturns(line));
    return true;
}

void ForEachTextLine(std::string_view text, const LineHandler& onLine) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.size() > MaxFileLineLength) line = line.substr(0, MaxFileLineLength);
        if (!onLine(WithoutTrailingReturns(line))) return;
        if (end == std::string_view::npos) return;
        text.remove_prefix(end + 1);
    }
}

LineSource FileLines(const std::filesystem::path& file) {
    return [file](const LineHandler& onLine) { ForEachFileLine(file, onLine); };
}

LineSource TextLines(std::string_view text) {
    return [text](const LineHandler& onLine) { ForEachTextLine(text, onLine); };
}

std::string_view TrimBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace quintaro
