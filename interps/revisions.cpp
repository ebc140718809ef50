// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/revisions.h"

#include "aspects/aspect_catalogue.h"
#include "core/atomic_file.h"
#include "core/install_folder.h"

namespace quintaro {

namespace {

constexpr std::string_view AuthorLabel = "Author: ";

std::string_view TrimmedRight(std::string_view text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The lines of a text, whatever ends them.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

// The interpretation keys of the catalogue ("000" ... "-011") with their long names.
struct NamedAspect {
    std::string_view key;
    std::string_view name;
};
std::vector<NamedAspect> NamedAspects() {
    std::vector<NamedAspect> aspects;
    for (std::size_t i = 1; i < AspectInterpretationKeys.size(); ++i)
        aspects.push_back({AspectInterpretationKeys[i], AspectLongNames[i]});
    return aspects;
}

bool HasFrame(const InterpretationBody& body, bool heliocentric) {
    return heliocentric ? body.heliocentric : body.geocentric;
}

}  // namespace

std::optional<RevisionFolder> RevisionFolderOf(ReportMode mode) {
    switch (mode) {
        case ReportMode::RomanceCompatibility:
            return RevisionFolder{"\\revised_romance_comp", "ri_"};
        case ReportMode::FinancialCompatibility:
            return RevisionFolder{"\\revised_financial_comp", "mi_"};
        case ReportMode::RomanceTransits:
            return RevisionFolder{"\\revised_romance_trans", "rt_"};
        case ReportMode::FinancialTransits:
            return RevisionFolder{"\\revised_financial_trans", "mt_"};
        default:
            return std::nullopt;
    }
}

std::string RevisionKey(std::string_view aspectKey, bool heliocentric) {
    return std::string(aspectKey) + (heliocentric ? "_h" : "_g");
}

std::optional<RevisionKeyParts> ParseRevisionKey(std::string_view key) {
    const auto first = key.find('_');
    const auto second = first == std::string_view::npos ? first : key.find('_', first + 1);
    const auto third = second == std::string_view::npos ? second : key.find('_', second + 1);
    if (third == std::string_view::npos) return std::nullopt;
    const std::string_view body1 = key.substr(0, first);
    const std::string_view body2 = key.substr(first + 1, second - first - 1);
    const std::string_view aspect = key.substr(second + 1, third - second - 1);
    const std::string_view frame = key.substr(third + 1);
    // Exactly the lower-case keys the master list writes: any other spelling would name a file
    // of its own.
    const auto known = [](std::string_view body) {
        const auto index = BodyIndexOfKey(body);
        return index && InterpretationBodies[*index].key == body;
    };
    if (!known(body1) || !known(body2) || !FamilyOfAspectKey(aspect)) return std::nullopt;
    if (frame != "g" && frame != "h") return std::nullopt;
    return RevisionKeyParts{std::string(key.substr(0, third)), frame == "h"};
}

std::optional<std::filesystem::path> RevisionPath(const std::filesystem::path& home,
                                                  ReportMode mode, std::string_view key) {
    const auto folder = RevisionFolderOf(mode);
    if (!folder || !ParseRevisionKey(key)) return std::nullopt;
    return HomePath(home, std::string(folder->folder) + "\\" + std::string(folder->prefix) +
                              std::string(key) + ".txt");
}

std::string RevisionFileText(const Revision& revision) {
    // The author line is written even for an unknown author, so that a text whose first line
    // reads like one is never taken for it.
    std::string text = std::string(AuthorLabel) + revision.author + "\r\n\r\n";
    for (std::string_view line : Lines(TrimmedRight(revision.text)))
        text += std::string(line) + "\r\n";
    return text;
}

Revision ParseRevisionFile(std::string_view content) {
    Revision revision;
    std::vector<std::string_view> lines = Lines(content);
    std::size_t first = 0;
    if (!lines.empty() && lines[0].starts_with(AuthorLabel)) {
        std::string_view author = TrimmedRight(lines[0].substr(AuthorLabel.size()));
        author.remove_prefix(std::min(author.find_first_not_of(' '), author.size()));
        revision.author = author;
        first = 1;
        if (lines.size() > 1 && TrimmedRight(lines[1]).empty()) first = 2;
    }
    std::string text;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first) text += "\r\n";
        text += lines[i];
    }
    revision.text = TrimmedRight(text);
    return revision;
}

std::optional<Revision> ReadRevision(const std::filesystem::path& path) {
    std::string content;
    if (!ReadWholeFile(path, content)) return std::nullopt;
    return ParseRevisionFile(content);
}

std::string RevisedByLine(std::string_view author) {
    return "(revised text written by " +
           (author.empty() ? std::string("an unknown author") : std::string(author)) + ")";
}

RevisionSave SaveRevision(const std::filesystem::path& path, const Revision& revision,
                          Messages& messages) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        !messages.ask("File already exists",
                      "This file already exists. Do you wish to overwrite it?")) {
        return RevisionSave::Kept;
    }
    std::filesystem::create_directories(path.parent_path(), ec);
    if (const std::string error = WriteFileAtomically(path, RevisionFileText(revision));
        !error.empty()) {
        messages.show("Warning!", "The revision could not be saved: " + error,
                      MessageIcon::Exclamation);
        return RevisionSave::Failed;
    }
    return RevisionSave::Saved;
}

std::string RevisionSavedCaption(const std::filesystem::path& path) {
    return "Revise Interpretations - revision file saved = " + path.filename().string();
}

std::vector<std::string> MasterListLines() {
    std::vector<std::string> lines;
    const std::vector<NamedAspect> aspects = NamedAspects();
    for (std::size_t i = 0; i < InterpretationBodies.size(); ++i) {
        for (std::size_t j = 0; j < InterpretationBodies.size(); ++j) {
            const InterpretationBody& a = InterpretationBodies[i];
            const InterpretationBody& b = InterpretationBodies[j];
            if (a.slot == b.slot && a.key != b.key) continue;  // part of fortune and vertex
            for (bool helio : {false, true}) {
                if (!HasFrame(a, helio) || !HasFrame(b, helio)) continue;
                for (const NamedAspect& aspect : aspects) {
                    std::string key = RevisionKey(AspectKey(a.key, b.key, aspect.key), helio);
                    key.resize(std::max<std::size_t>(key.size() + 2, 18), ' ');
                    lines.push_back(key + std::string(InterpretationBodyNames[i]) + " " +
                                    std::string(aspect.name) + " " +
                                    std::string(InterpretationBodyNames[j]) +
                                    (helio ? " (heliocentric)" : " (geocentric)"));
                }
            }
        }
    }
    return lines;
}

std::filesystem::path MasterListPath(const std::filesystem::path& home) {
    return HomePath(home, "\\interp_revisions\\master_interp_list.txt");
}

bool WriteMasterList(const std::filesystem::path& home, Messages& messages) {
    std::string text;
    for (const std::string& line : MasterListLines()) text += line + "\r\n";
    const std::filesystem::path path = MasterListPath(home);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (const std::string error = WriteFileAtomically(path, text); !error.empty()) {
        messages.show("Warning!", "The master list could not be written: " + error,
                      MessageIcon::Exclamation);
        return false;
    }
    return true;
}

std::vector<MasterListEntry> ParseMasterList(std::string_view content) {
    std::vector<MasterListEntry> entries;
    for (std::string_view line : Lines(content)) {
        line = TrimmedRight(line);
        const std::string_view key = line.substr(0, line.find(' '));
        if (ParseRevisionKey(key)) entries.push_back({std::string(key), std::string(line)});
    }
    return entries;
}

}  // namespace quintaro
