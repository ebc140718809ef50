// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/text_import.h"

#include <optional>

namespace quintaro {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string KeyOfLine(std::string_view line) {
    std::string_view key = Trim(line.substr(1));
    if (!key.empty() && key.back() == ':') key.remove_suffix(1);
    return std::string(key);
}

void TrimTextEnd(std::string& text) {
    const auto last = text.find_last_not_of("\r\n\t ");
    text.erase(last == std::string::npos ? 0 : last + 1);
}

// Splits a text into lines ending in "\n" or "\r\n"; the last line may lack its ending.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}
    std::optional<std::string_view> next() {
        if (at_ >= text_.size()) return std::nullopt;
        auto end = text_.find('\n', at_);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view line = text_.substr(at_, end - at_);
        at_ = end + 1;
        ++number_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }
    int number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
};

}  // namespace

ImportResult ReadImportText(std::string_view text,
                            const std::function<std::string(const ImportEntry&)>& store) {
    ImportResult result;
    std::optional<ImportEntry> entry;
    auto stop = [&result](int line, std::string problem) {
        result.complete = false;
        result.stopLine = line;
        result.problem = std::move(problem);
    };
    // Hands the entry read so far to the store; false when the import has to stop there.
    auto finish = [&]() {
        if (!entry) return true;
        TrimTextEnd(entry->text);
        if (!entry->key.empty() && entry->key.front() == '!') {
            ++result.skipped;
        } else if (std::string refused = store(*entry); !refused.empty()) {
            stop(entry->line, std::move(refused));
            return false;
        } else {
            ++result.stored;
        }
        entry.reset();
        return true;
    };

    LineReader lines(text);
    bool firstTextLine = true;
    while (auto line = lines.next()) {
        if (line->find('\0') != std::string_view::npos) {
            if (finish())
                stop(lines.number(), "the line holds a zero byte; this is not a text file");
            return result;
        }
        if (!line->empty() && line->front() == '#') {
            if (!finish()) return result;
            entry = ImportEntry{KeyOfLine(*line), {}, lines.number()};
            firstTextLine = true;
        } else if (entry) {
            if (!firstTextLine) entry->text += "\r\n";
            entry->text += *line;
            firstTextLine = false;
        }
    }
    finish();
    return result;
}

std::string ImportStopMessage(const ImportResult& result, std::string_view fileName) {
    if (result.complete) return {};
    std::string where =
        result.stopLine > 0 ? "line " + std::to_string(result.stopLine) + " of " : std::string();
    return "Stopped at " + where + "'" + std::string(fileName) + "': " + result.problem + " (" +
           std::to_string(result.stored) + " entries stored before it)";
}

}  // namespace quintaro
