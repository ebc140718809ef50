// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>

#include "aspects/aspect_catalogue.h"
#include "core/atomic_file.h"
#include "core/install_folder.h"

namespace quintaro {

namespace {

constexpr std::string_view kHeaderStart = "Aspectarian ";
constexpr std::string_view kTo = " to ";
constexpr std::string_view kFor = " for ";
constexpr std::string_view kAnd = " and ";
constexpr std::string_view kTimesIn = ", times in ";
constexpr std::string_view kMarkerGap = "  ";

const std::array<AttSubject, 4> kSubjects = {
    AttSubject{AspectarianPairing::TransitTransit, Frame::Geocentric},
    AttSubject{AspectarianPairing::TransitNatal, Frame::Geocentric},
    AttSubject{AspectarianPairing::TransitTransit, Frame::Heliocentric},
    AttSubject{AspectarianPairing::TransitNatal, Frame::Heliocentric}};

std::string SubjectText(const AttSubject& s) {
    std::string text = s.pairing == AspectarianPairing::TransitTransit ? "transits to transits"
                                                                       : "transits to natal";
    return text + (s.frame == Frame::Geocentric ? " (geocentric)" : " (heliocentric)");
}

std::optional<AttSubject> ParseSubject(std::string_view text) {
    for (const AttSubject& s : kSubjects)
        if (SubjectText(s) == text) return s;
    return std::nullopt;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + separator.size());
    }
}

// A line as a message may quote it: at most 60 characters, nothing unprintable.
std::string Quoted(std::string_view line) {
    std::string out;
    for (char c : line.substr(0, 60)) {
        const auto u = static_cast<unsigned char>(c);
        out += u < 0x20 || u >= 0x7f ? '?' : c;
    }
    return "\"" + out + (line.size() > 60 ? "...\"" : "\"");
}

AspectarianMessage Unreadable(const std::string& text) {
    return {"Unreadable aspectarian file", text};
}

bool SameLine(const AttLine& a, const AttLine& b) {
    return !StampBefore(a.stamp, b.stamp) && !StampBefore(b.stamp, a.stamp) &&
           a.eventText == b.eventText && a.subject == b.subject;
}

std::string Joined(const std::vector<std::string>& items) {
    if (items.empty()) return "none";
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::vector<std::string> BodyNamesOf(const std::vector<int>& slots,
                                     const BodyCatalogue& catalogue) {
    std::vector<std::string> names;
    for (int slot : slots)
        if (slot >= 1 && slot <= BodyCount) names.push_back(catalogue.BodyNames[slot]);
    return names;
}

std::vector<std::string> EventKindNames(const AspectarianEventKinds& e) {
    std::vector<std::string> names;
    if (e.longitudeAspects) names.push_back("Longitude Aspects");
    if (e.secondAspects) names.push_back("Decl./Latitude Aspects");
    if (e.signChanges) names.push_back("Change of sign");
    if (e.directionChanges) names.push_back("Change of direction");
    if (e.sideChanges) names.push_back("Change N to S or S to N");
    return names;
}

}  // namespace

std::string AttMarker(const AttSubject& subject) {
    return std::string(subject.pairing == AspectarianPairing::TransitTransit ? "tt_" : "tn_") +
           (subject.frame == Frame::Geocentric ? "geo" : "helio");
}

std::string ZoneText(double zone) {
    const long minutes = std::lround(zone * 60.0);
    if (minutes == 0) return "UT";
    const long size = std::labs(minutes);
    char text[48];
    std::snprintf(text, sizeof text, "UT%c%02ld:%02ld", minutes > 0 ? '-' : '+', size / 60,
                  size % 60);
    return text;
}

std::optional<double> ParseZoneText(std::string_view text) {
    if (text == "UT") return 0.0;
    if (text.size() != 8 || text.substr(0, 2) != "UT" || (text[2] != '+' && text[2] != '-') ||
        text[5] != ':')
        return std::nullopt;
    auto number = [](std::string_view digits) -> std::optional<int> {
        if (digits.size() != 2 || digits[0] < '0' || digits[0] > '9' || digits[1] < '0' ||
            digits[1] > '9')
            return std::nullopt;
        return (digits[0] - '0') * 10 + (digits[1] - '0');
    };
    auto hours = number(text.substr(3, 2));
    auto minutes = number(text.substr(6, 2));
    if (!hours || !minutes || *hours > 15 || *minutes > 59) return std::nullopt;
    const double size = *hours + *minutes / 60.0;
    return text[2] == '-' ? size : -size;  // behind UT is west, a positive zone
}

std::string HeaderLine(const AttHeader& header) {
    std::string subjects;
    for (const AttSubject& s : header.subjects)
        subjects += (subjects.empty() ? "" : std::string(kAnd)) + SubjectText(s);
    return std::string(kHeaderStart) + StampDate(header.from) + std::string(kTo) +
           StampDate(header.to) + std::string(kFor) + subjects + std::string(kTimesIn) +
           ZoneText(header.zone);
}

std::optional<AttHeader> ParseHeaderLine(std::string_view line) {
    constexpr size_t kDate = 11;
    if (line.substr(0, kHeaderStart.size()) != kHeaderStart) return std::nullopt;
    line.remove_prefix(kHeaderStart.size());
    if (line.size() < 2 * kDate + kTo.size() + kFor.size()) return std::nullopt;
    AttHeader header;
    auto from = ParseStampDate(line.substr(0, kDate));
    auto to = ParseStampDate(line.substr(kDate + kTo.size(), kDate));
    if (!from || !to || line.substr(kDate, kTo.size()) != kTo ||
        line.substr(2 * kDate + kTo.size(), kFor.size()) != kFor)
        return std::nullopt;
    header.from = *from;
    header.to = *to;
    line.remove_prefix(2 * kDate + kTo.size() + kFor.size());
    const size_t times = line.rfind(kTimesIn);
    if (times == std::string_view::npos) return std::nullopt;
    auto zone = ParseZoneText(line.substr(times + kTimesIn.size()));
    if (!zone) return std::nullopt;
    header.zone = *zone;
    for (std::string_view part : Split(line.substr(0, times), kAnd)) {
        auto subject = ParseSubject(part);
        if (!subject || std::count(header.subjects.begin(), header.subjects.end(), *subject))
            return std::nullopt;
        header.subjects.push_back(*subject);
    }
    return header;
}

AttFile AttFileOfPass(const AspectarianResult& result, Frame frame, const AspectarianInput& input,
                      const BodyCatalogue& catalogue) {
    AttFile file;
    const AttSubject subject{input.pairing, frame};
    const AspectarianPassResult& pass = result.pass(frame);
    // A pass that ended early covers the days it finished.
    const CivilDate to = pass.daysDone > 0 && pass.daysDone < result.days
                             ? DaysAfter(result.from, pass.daysDone - 1)
                             : result.to;
    file.header = {result.from, to, {subject}, input.zone};
    for (const AspectarianEvent& e : pass.events)
        file.lines.push_back({StampOf(e.jd, input.zone), EventText(e, catalogue, frame), subject});
    return file;
}

std::vector<std::string> AttLineTexts(const AttFile& file) {
    const bool marked = file.header.subjects.size() > 1;
    std::vector<std::string> lines;
    lines.reserve(file.lines.size());
    for (const AttLine& line : file.lines) {
        std::string text = StampedLine(line.stamp, line.eventText);
        if (marked) text += std::string(kMarkerGap) + AttMarker(line.subject);
        lines.push_back(std::move(text));
    }
    return lines;
}

std::string AttFileText(const AttFile& file) {
    std::string text = HeaderLine(file.header) + "\n";
    for (const std::string& line : AttLineTexts(file)) text += line + "\n";
    return text;
}

AttRead ParseAttText(std::string_view text, const std::string& name) {
    AttRead read;
    if (text.find('\0') != std::string_view::npos) {
        read.problem = Unreadable(name + " is damaged: it holds binary data, not text.");
        return read;
    }
    std::vector<std::string_view> rows = Split(text, "\n");
    for (std::string_view& row : rows)
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    if (rows.empty()) {
        read.problem = Unreadable(name + " is empty: it holds no aspectarian.");
        return read;
    }
    auto header = ParseHeaderLine(rows.front());
    if (!header) {
        read.problem = Unreadable(name + " is not an aspectarian file: its first line " +
                                  Quoted(rows.front()) + " is not an aspectarian header.");
        return read;
    }
    AttFile file{*header, {}};
    const bool marked = header->subjects.size() > 1;
    for (size_t n = 1; n < rows.size(); ++n) {
        std::string_view row = rows[n];
        if (row.empty()) continue;
        AttSubject subject = header->subjects.front();
        bool ok = true;
        if (marked) {
            ok = false;
            for (const AttSubject& s : header->subjects) {
                const std::string tail = std::string(kMarkerGap) + AttMarker(s);
                if (row.size() > tail.size() && row.substr(row.size() - tail.size()) == tail) {
                    subject = s;
                    row.remove_suffix(tail.size());
                    ok = true;
                    break;
                }
            }
        }
        auto parsed = ok ? ParseEventLine(row) : std::nullopt;
        if (!parsed) {
            read.problem = Unreadable(name + " is damaged: line " + std::to_string(n + 1) + " " +
                                      Quoted(rows[n]) + " is not an aspectarian event line.");
            return read;
        }
        file.lines.push_back({parsed->stamp, parsed->eventText, subject});
    }
    read.file = std::move(file);
    return read;
}

AttRead ReadAttFile(const std::filesystem::path& path) {
    std::string content;
    if (!ReadWholeFile(path, content)) {
        AttRead read;
        read.problem = Unreadable("Could not open " + path.string() + ".");
        return read;
    }
    return ParseAttText(content, path.filename().string());
}

std::optional<AspectarianMessage> SaveAttFile(const std::filesystem::path& path,
                                              const AttFile& file) {
    const std::string error = WriteFileAtomically(path, AttFileText(file));
    if (error.empty()) return std::nullopt;
    return AspectarianMessage{"Could not save the aspectarian file",
                              "Could not write " + path.string() + ": " + error};
}

std::filesystem::path AttFolder(const std::filesystem::path& home) {
    return HomePath(home, "/aspectarian");
}

std::string ProposedAttFileName(const CivilDate& from, const CivilDate& to,
                                const AttSubject& subject) {
    return IsoDate(from) + "_to_" + IsoDate(to) + "_" + AttMarker(subject) + ".att";
}

AttMerge MergeAttFiles(const std::vector<AttFile>& files) {
    AttMerge merge;
    if (files.empty()) {
        merge.problem = {"Nothing to merge", "Choose one or more aspectarian files to merge."};
        return merge;
    }
    AttFile out;
    out.header = files.front().header;
    out.header.subjects.clear();
    for (const AttFile& f : files) {
        if (std::lround(f.header.zone * 60) != std::lround(out.header.zone * 60)) {
            merge.problem = {"Cannot merge", "The files give their times in different zones (" +
                                                 ZoneText(out.header.zone) + " and " +
                                                 ZoneText(f.header.zone) +
                                                 "): merge only files of one zone."};
            return merge;
        }
        if (DaysBetween(f.header.from, out.header.from) > 0) out.header.from = f.header.from;
        if (DaysBetween(out.header.to, f.header.to) > 0) out.header.to = f.header.to;
        for (const AttSubject& s : f.header.subjects)
            if (!std::count(out.header.subjects.begin(), out.header.subjects.end(), s))
                out.header.subjects.push_back(s);
        out.lines.insert(out.lines.end(), f.lines.begin(), f.lines.end());
    }
    std::stable_sort(out.lines.begin(), out.lines.end(), [](const AttLine& a, const AttLine& b) {
        return StampBefore(a.stamp, b.stamp);
    });
    // The same line from two files (overlapping ranges, a file chosen twice) is kept once; lines of
    // one minute lie together after the sort.
    std::vector<AttLine> kept;
    for (AttLine& line : out.lines) {
        auto sameMinute = kept.end();
        while (sameMinute != kept.begin() && !StampBefore((sameMinute - 1)->stamp, line.stamp))
            --sameMinute;
        if (std::none_of(sameMinute, kept.end(),
                         [&](const AttLine& k) { return SameLine(k, line); }))
            kept.push_back(std::move(line));
    }
    out.lines = std::move(kept);
    merge.file = std::move(out);
    return merge;
}

std::filesystem::path CombinedFilePath(const std::filesystem::path& chosen) {
    const std::string name = chosen.filename().string();
    constexpr std::string_view kEnding = "combined.att";
    if (name.size() >= kEnding.size() && name.substr(name.size() - kEnding.size()) == kEnding)
        return chosen;
    std::string stem = name;
    if (stem.size() >= 4 && stem.substr(stem.size() - 4) == ".att") stem.resize(stem.size() - 4);
    return chosen.parent_path() / (stem + "_combined.att");
}

std::string ProposedCombinedFileName(const std::vector<std::filesystem::path>& sources) {
    if (sources.empty()) return "aspectarian_combined.att";
    std::string stem = sources.front().stem().string();
    for (const AttSubject& s : kSubjects) {
        const std::string marker = "_" + AttMarker(s);
        if (stem.size() > marker.size() && stem.substr(stem.size() - marker.size()) == marker) {
            stem.resize(stem.size() - marker.size());
            break;
        }
    }
    return CombinedFilePath(stem + ".att").string();
}

MergeWritten MergeAttFilesOnDisk(const std::vector<std::filesystem::path>& sources,
                                 const std::filesystem::path& target) {
    MergeWritten result;
    std::vector<AttFile> files;
    for (const auto& source : sources) {
        AttRead read = ReadAttFile(source);
        if (!read.file) {
            result.problem = read.problem;
            return result;
        }
        files.push_back(std::move(*read.file));
    }
    AttMerge merge = MergeAttFiles(files);
    if (!merge.file) {
        result.problem = merge.problem;
        return result;
    }
    const std::filesystem::path path = CombinedFilePath(target);
    if (auto problem = SaveAttFile(path, *merge.file)) {
        result.problem = problem;
        return result;
    }
    result.written = path;
    return result;
}

std::vector<std::string> RunSummary(const AspectarianInput& input, const BodyCatalogue& catalogue) {
    const DateRange range = OrderedRange(input.from, input.to);
    std::vector<std::string> keys;
    for (int key = FirstKey; key <= LastKey; ++key)
        if (input.aspects[static_cast<size_t>(key)])
            keys.emplace_back(AspectarianKeys[static_cast<size_t>(key)]);
    const bool natal = input.pairing == AspectarianPairing::TransitNatal;
    return {"Start month = " + std::to_string(range.from.month),
            "Start day = " + std::to_string(range.from.day),
            "Start year = " + std::to_string(range.from.year),
            "End month = " + std::to_string(range.to.month),
            "End day = " + std::to_string(range.to.day),
            "End year = " + std::to_string(range.to.year),
            "Transit planets used: " + Joined(BodyNamesOf(input.transitBodies, catalogue)),
            "Progressed planets used: none",
            "Natal planets used: " + Joined(natal ? BodyNamesOf(input.natalBodies, catalogue)
                                                  : std::vector<std::string>{}),
            "Aspects selected: " + Joined(keys),
            "Events selected: " + Joined(EventKindNames(input.events)),
            "Times in " + ZoneText(input.zone)};
}

}  // namespace quintaro
