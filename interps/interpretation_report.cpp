// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/interpretation_report.h"

#include <algorithm>
#include <cctype>

#include "aspects/aspect_catalogue.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

std::string ReportTitle(ReportMode mode, const ReportChart& first, const ReportChart& second) {
    const char* opening = "";
    switch (mode) {
        case ReportMode::RomanceCompatibility:
            opening = "Romance Compatibility Report for ";
            break;
        case ReportMode::FinancialCompatibility:
            opening = "Financial Compatibility Report for ";
            break;
        case ReportMode::RomanceTransits:
            opening = "Romance Transit Report for ";
            break;
        case ReportMode::FinancialTransits:
            opening = "Financial Transit Report for ";
            break;
        default:
            return "Natal Interpretations (" + std::string(ReportKindName(mode)) + ") for " +
                   second.name;
    }
    return opening + first.name + " and " + second.name;
}

std::string DateLine(const ReportChart& chart, const DateStyle& style) {
    DateTimeParts parts;
    parts.year = chart.year;
    parts.month = chart.month;
    parts.day = chart.day;
    return chart.name + ": " + FormatDate(parts, style.listingFormat());
}

std::string Introduction(ReportMode mode, const ReportChart& first, const ReportChart& second) {
    if (IsNatalMode(mode)) {
        return "This Velm Astrology report interprets the aspects that the planets of " +
               second.name + " form with one another. " +
               "When a planetary aspect says something like [SUN TRINE MERCURY], it means the "
               "SUN of " +
               second.name + " compared to the MERCURY of " + second.name + ".";
    }
    return "This Velm Astrology report compares the planets of " + first.name +
           " to the planets of " + second.name + ". " +
           "When a planetary aspect says something like [SUN TRINE YOUR MERCURY], it means the "
           "SUN of " +
           first.name + " compared to the MERCURY of " + second.name + ".";
}

std::string AspectName(int code) {
    const std::string_view name = AspectLongNameOfCode(code);
    return name.empty() ? AspectAngleText(code) : std::string(name);
}

// The row's heading and aspect key, without its text.
ReportRow RowOf(const AspectEntry& entry, CoordinateKind kind, bool natal,
                const BodyCatalogue& catalogue) {
    ReportRow row;
    row.body1 = entry.body1;
    row.body2 = entry.body2;
    row.code = entry.code;
    row.kind = kind;
    row.heading = "[" + ReportBodyName(catalogue, entry.body1) + " " + AspectName(entry.code) +
                  (natal ? " " : " YOUR ") + ReportBodyName(catalogue, entry.body2) + "]";
    const auto first = InterpretationIndexOfSlot(catalogue, entry.body1);
    const auto second = InterpretationIndexOfSlot(catalogue, entry.body2);
    const std::string_view aspect = AspectInterpretationKeyOfCode(entry.code);
    if (first && second && !aspect.empty())
        row.aspectKey =
            AspectKey(InterpretationBodies[*first].key, InterpretationBodies[*second].key, aspect);
    return row;
}

bool StoreLoaded(const ReportInputs& inputs) {
    return inputs.store && inputs.store->Count() > 0;
}

// Fills the row's text from its revision or from the store; a paragraph that cannot be found or
// read goes to `problems` (and its key to `missing`).
void FillText(ReportRow& row, const ReportInputs& inputs, std::vector<std::string>& missing,
              std::vector<std::string>& problems) {
    if (inputs.revisions) {
        if (auto revision = inputs.revisions(RevisionKey(row.aspectKey, IsHelioKind(row.kind)))) {
            row.text = revision->text;
            row.revised = true;
            row.revisionAuthor = revision->author;
            return;
        }
    }
    const auto storeKey = StoreKeyOfAspect(row.aspectKey, inputs.mode);
    try {
        if (storeKey && inputs.store->Lookup(*storeKey, &row.text) && !row.text.empty()) return;
        problems.push_back("No interpretation text for " + row.aspectKey + " in " +
                           inputs.store->FileName().string());
    } catch (const CorruptStoreError& error) {
        row.text.clear();
        problems.push_back(error.what());
    }
    missing.push_back(row.aspectKey);
}

void AddRow(ReportDocument& document, const ReportRow& row) {
    document.add(row.heading, ParagraphAlign::Left, true);
    document.add(row.text.empty() ? std::string("(no interpretation text)") : row.text);
    if (row.revised) document.add(RevisedByLine(row.revisionAuthor));
    document.addBlank();
}

void AddSectionTitle(ReportDocument& document, const std::string& title) {
    document.add(title, ParagraphAlign::Left, true);
    document.add(std::string(title.size(), '-'));
    document.addBlank();
}

}  // namespace

std::string_view ReportKindName(ReportMode mode) {
    switch (mode) {
        case ReportMode::RomanceCompatibility:
            return "Romance Compatibility";
        case ReportMode::FinancialCompatibility:
            return "Financial Compatibility";
        case ReportMode::RomanceTransits:
            return "Romance Transits";
        case ReportMode::FinancialTransits:
            return "Financial Transits";
        case ReportMode::NatalFull:
            return "Full";
        case ReportMode::NatalRomance:
            return "Romance only";
        case ReportMode::NatalMoney:
            return "Money only";
    }
    return {};
}

std::vector<CoordinateKind> KindsOfScope(ReportScope scope) {
    const std::vector<CoordinateKind> longitudes = {CoordinateKind::HelioLongitude,
                                                    CoordinateKind::GeoLongitude};
    const std::vector<CoordinateKind> declinations = {CoordinateKind::HelioLatitude,
                                                      CoordinateKind::GeoDeclination};
    switch (scope) {
        case ReportScope::Longitude:
            return longitudes;
        case ReportScope::DeclinationLatitude:
            return declinations;
        case ReportScope::Both:
            break;
    }
    std::vector<CoordinateKind> both = longitudes;
    both.insert(both.end(), declinations.begin(), declinations.end());
    return both;
}

std::string SectionTitle(CoordinateKind kind, bool natal) {
    const char* coordinate = "";
    switch (kind) {
        case CoordinateKind::HelioLongitude:
            coordinate = "Helio Longitude";
            break;
        case CoordinateKind::GeoLongitude:
            coordinate = "Geo Longitude";
            break;
        case CoordinateKind::HelioLatitude:
            coordinate = "Helio Latitude";
            break;
        case CoordinateKind::GeoDeclination:
            coordinate = "Geo Declination";
            break;
    }
    return std::string(coordinate) + (natal ? " Natal Aspects" : " Synastry Aspects");
}

RevisionSource RevisionFiles(const std::filesystem::path& home, ReportMode mode) {
    if (!RevisionFolderOf(mode)) return {};
    return [home, mode](const std::string& key) -> std::optional<Revision> {
        const auto path = RevisionPath(home, mode, key);
        return path ? ReadRevision(*path) : std::nullopt;
    };
}

std::optional<std::size_t> InterpretationIndexOfSlot(const BodyCatalogue& catalogue, int slot) {
    if (slot < 1 || slot > SlotPartOfFortune) return std::nullopt;
    const auto index =
        BodyIndexOfKey(BodyKeyOfName(catalogue.BodyNames[static_cast<size_t>(slot)]));
    if (!index || InterpretationBodies[*index].slot != slot) return std::nullopt;
    return index;
}

std::string StoreFailure(const StringMap* store) {
    return store && !store->LastError().empty() ? ": " + store->LastError() : std::string();
}

std::string ReportBodyName(const BodyCatalogue& catalogue, int slot) {
    if (const auto index = InterpretationIndexOfSlot(catalogue, slot))
        return std::string(InterpretationBodyNames[*index]);
    if (slot < 1 || slot > BodyCount) return "?";
    std::string name = catalogue.BodyNames[static_cast<size_t>(slot)];
    name.erase(name.find_last_not_of(' ') + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

ReportRow InterpretRow(const AspectEntry& entry, CoordinateKind kind, bool natal,
                       const ReportInputs& inputs, Messages& messages) {
    ReportRow row = RowOf(entry, kind, natal, *inputs.catalogue);
    if (row.aspectKey.empty()) return row;
    if (!StoreLoaded(inputs)) {
        TellInterpretationFilesMissing(messages);
        return row;
    }
    std::vector<std::string> missing, problems;
    FillText(row, inputs, missing, problems);
    for (const std::string& problem : problems)
        messages.show("Warning!", problem, MessageIcon::Exclamation);
    return row;
}

InterpretationReport BuildInterpretationReport(const ReportInputs& inputs, Messages& messages) {
    InterpretationReport report;
    report.mode = inputs.mode;
    report.scope = inputs.scope;
    const bool natal = IsNatalMode(inputs.mode);
    report.title = ReportTitle(inputs.mode, inputs.first, inputs.second);
    if (!natal) report.dates.push_back(DateLine(inputs.first, inputs.dateStyle));
    report.dates.push_back(DateLine(inputs.second, inputs.dateStyle));
    report.introduction = Introduction(inputs.mode, inputs.first, inputs.second);
    report.preparer = inputs.preparer;
    report.closingPage = inputs.closingPage;
    report.storeLoaded = StoreLoaded(inputs);
    if (!report.storeLoaded) {
        TellInterpretationFilesMissing(messages);
        report.problems.push_back("The interpretation store " +
                                  std::string(StoreName(inputs.mode)) + " is not loaded" +
                                  StoreFailure(inputs.store));
    }
    const Pairing pairing = natal ? Pairing::NatalNatal : Pairing::TransitNatal;
    for (CoordinateKind kind : KindsOfScope(inputs.scope)) {
        ReportSection section;
        section.kind = kind;
        section.title = SectionTitle(kind, natal);
        if (inputs.lists) {
            for (const AspectEntry& entry : inputs.lists->at(pairing, kind).entries) {
                ReportRow row = RowOf(entry, kind, natal, *inputs.catalogue);
                if (row.aspectKey.empty()) {
                    section.overflow.push_back(std::move(row));
                    continue;
                }
                if (report.storeLoaded) FillText(row, inputs, report.missing, report.problems);
                section.rows.push_back(std::move(row));
            }
        }
        report.sections.push_back(std::move(section));
    }
    return report;
}

ReportDocument LayoutReport(const InterpretationReport& report) {
    ReportDocument document;
    document.title = report.title;
    document.add(report.title, ParagraphAlign::Centre, true);
    document.addBlank();
    for (const std::string& date : report.dates) document.add(date);
    document.addBlank();
    document.add(report.introduction);
    document.addBlank();
    for (const ReportSection& section : report.sections) {
        AddSectionTitle(document, section.title);
        if (section.rows.empty()) {
            document.add("No aspects found.");
            document.addBlank();
        }
        for (const ReportRow& row : section.rows) AddRow(document, row);
    }
    document.add("Individually prepared by:");
    if (!report.preparer.empty()) document.add(report.preparer);
    if (!report.closingPage.empty())
        document.add(report.closingPage, ParagraphAlign::Left, false, true);
    return document;
}

ReportDocument LayoutRow(const ReportRow& row) {
    ReportDocument document;
    document.title = row.heading;
    AddRow(document, row);
    document.paragraphs.pop_back();  // no blank line after the only row
    return document;
}

ReportDocument LayoutOverflow(const InterpretationReport& report) {
    ReportDocument document;
    document.title = "Overflow Planets";
    document.add(document.title, ParagraphAlign::Centre, true);
    document.addBlank();
    bool any = false;
    for (const ReportSection& section : report.sections) {
        if (section.overflow.empty()) continue;
        any = true;
        AddSectionTitle(document, section.title);
        for (const ReportRow& row : section.overflow) document.add(row.heading);
        document.addBlank();
    }
    if (!any) document.add("Every aspect of the report has its interpretation.");
    return document;
}

}  // namespace quintaro
