// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_grid.h"

#include <algorithm>

#include "aspects/aspect_catalogue.h"
#include "core/formatting.h"
#include "core/glyph_text.h"

namespace quintaro {

namespace {

constexpr std::string_view kTransitNatalFormat =
    "^* |^#  |^Tr    |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ";
constexpr std::string_view kNatalNatalFormat =
    "^* |^#  |^natal |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ";
constexpr std::string_view kSingleNatalFormat =
    "^* |^#  |^Nt |^Asp   |^natal  |^Deg Sep    |^Time Sep    |^Date    ";

std::string SectionFormat(GridWindow window, Pairing pairing, CoordinateKind kind) {
    std::string format(pairing == Pairing::TransitNatal ? kTransitNatalFormat
                       : window == GridWindow::Aspects  ? kSingleNatalFormat
                                                        : kNatalNatalFormat);
    if (!IsLongitudeKind(kind)) format.erase(0, 1);  // "* |" instead of "^* |"
    return format;
}

struct SectionPlan {
    const char* title;
    CoordinateKind kind;
};

std::vector<SectionPlan> PlanSections(GridWindow window, const GridOptions& options,
                                      std::string& caption) {
    using K = CoordinateKind;
    switch (window) {
        case GridWindow::Aspects: {
            K kind = options.declinationKind
                         ? (options.helio ? K::HelioLatitude : K::GeoDeclination)
                         : (options.helio ? K::HelioLongitude : K::GeoLongitude);
            static constexpr const char* kTitles[4] = {"Geo Longitudes", "Geo Declinations",
                                                       "Helio Longitudes", "Helio Latitudes"};
            caption = kTitles[static_cast<int>(kind)];
            return {{kTitles[static_cast<int>(kind)], kind}};
        }
        case GridWindow::LongAspects:
            caption = "Combined Longitudes - geo + helio";
            return {{"Longitudes", K::GeoLongitude}, {"Helio Longitudes", K::HelioLongitude}};
        case GridWindow::DeclAspects:
            caption = "Combined Declination/Latitudes";
            return {{"Declinations", K::GeoDeclination}, {"Helio Latitudes", K::HelioLatitude}};
        case GridWindow::LongAspectsCrucial:
            caption = "Crucial Combined Longitudes - geo + helio";
            return {{"Crucial Longitudes", K::GeoLongitude},
                    {"Crucial Helio Longitudes", K::HelioLongitude}};
        case GridWindow::DeclAspectsCrucial:
            caption = "Crucial Combined Declination/Latitudes";
            return {{"Crucial Declinations", K::GeoDeclination},
                    {"Crucial Helio Latitudes", K::HelioLatitude}};
    }
    return {};
}

bool IsCrucialWindow(GridWindow window) {
    return window == GridWindow::LongAspectsCrucial || window == GridWindow::DeclAspectsCrucial;
}

std::string NameCell(const BodyCatalogue& catalogue, int body) {
    if (body < 1 || body > BodyCount) return {};
    return catalogue.BodyNames[static_cast<size_t>(body)].substr(0, 5);
}

std::string AspectCell(int code, CoordinateKind kind) {
    return IsLongitudeKind(kind) ? AspectAngleText(code) : GlyphChar(AspectGlyphCode(code));
}

// One row source for both the plain and the timed lists.
struct RowSource {
    int body1, body2, code;
    double orb;
    const TimedAspectEntry* timed;
};

std::vector<RowSource> SourceRows(const AspectList& plain, const TimedAspectList* timed) {
    std::vector<RowSource> rows;
    if (timed) {
        for (const auto& e : timed->entries) rows.push_back({e.body1, e.body2, e.code, e.orb, &e});
    } else {
        for (const auto& e : plain.entries)
            rows.push_back({e.body1, e.body2, e.code, e.orb, nullptr});
    }
    return rows;
}

bool CrucialKeeps(const GridOptions& options, Pairing pairing, int body1, int body2) {
    const ChartSide side1 =
        pairing == Pairing::TransitNatal ? ChartSide::Transit : ChartSide::Natal;
    return options.crucialSelection.of(side1, body1) && options.crucialSelection.natal(body2);
}

bool IsCalculatedPointName(std::string_view name) {
    for (std::string_view prefix : {"ascen", "mc ", "partf", "verte"})
        if (name.substr(0, prefix.size()) == prefix) return true;
    return false;
}

}  // namespace

const char* AspectClassCaption(int filter) {
    static constexpr const char* kCaptions[] = {"&All 30 Degree Aspects",
                                                "&Quincunxes",
                                                "&Linkages and Semi-Linkages",
                                                "&Clashes",
                                                "Quintiles and &Bi-Quintiles",
                                                "&No Aspect Lines",
                                                "Pure Linkages",
                                                "All Linkages",
                                                "Saturn Clashes"};
    return filter >= 0 && filter <= 8 ? kCaptions[filter] : "";
}

const char* DisplayModeCaption(int mode) {
    switch (mode) {
        case 1:
            return "Natal Aspects (Longs)";
        case 2:
            return "Natal Aspects (Dek/Lat)";
        case 8:
            return "Longitudes";
        case 9:
            return "Deks/Lat";
        default:
            return "";
    }
}

Pairing PairingOfDisplayMode(int mode) {
    return mode == 8 || mode == 9 ? Pairing::TransitNatal : Pairing::NatalNatal;
}

bool AspectClassKeeps(int filter, CoordinateKind kind, int code, int body1, int body2) {
    const bool saturn = body1 == SlotSaturn || body2 == SlotSaturn;
    auto any = [code](std::initializer_list<int> codes) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    if (IsLongitudeKind(kind)) {
        switch (filter) {
            case ClassAllThirtyDegree:
                return !any({AspectQuintile, AspectBiquintile});
            case ClassQuincunxes:
                return code == AspectQuincunx;
            case ClassLinkages:
                return any({AspectConjunction, AspectSextile, AspectTrine});
            case ClassClashes:
                return any({AspectSquare, AspectOpposition});
            case ClassQuintiles:
                return any({AspectQuintile, AspectBiquintile});
            case ClassNoLines:
                return false;
            case ClassPureLinkages:
                return any({AspectConjunction, AspectTrine});
            case ClassAllLinkages:
                return any({AspectConjunction, AspectTrine}) || (code == AspectQuincunx && !saturn);
            case ClassSaturnClashes:
                return saturn && any({AspectSquare, AspectOpposition, AspectQuincunx});
            default:
                return true;
        }
    }
    switch (filter) {
        case ClassClashes:
            return code == AspectContraParallel && saturn;
        case ClassPureLinkages:
            return code == AspectParallel;
        case ClassAllLinkages:
            return code == AspectParallel || (code == AspectContraParallel && !saturn);
        case ClassSaturnClashes:
            return code == AspectContraParallel && saturn;
        default:
            return true;
    }
}

std::string DegSepText(double orb) {
    return orb >= 0 ? "a " + FormatNumber(orb, "0.00") : "s " + FormatNumber(-orb, "0.00");
}

void FilterAppsepCalcAngles(GridSection& section, bool timedInUse) {
    const bool natalNatal = section.pairing != Pairing::TransitNatal;
    for (GridRow& row : section.rows) {
        bool first = IsCalculatedPointName(row.cells[ColumnBody1]);
        bool second = IsCalculatedPointName(row.cells[ColumnBody2]);
        if (!(natalNatal ? first && second : first)) continue;
        std::string& degSep = row.cells[ColumnDegSep];
        if (!degSep.empty()) degSep[0] = 'x';
        row.cells[ColumnTimeSep] = timedInUse ? "nnn" : "";
        row.cells[ColumnDate] = timedInUse ? "***" : "";
    }
}

GridModel BuildAspectGrid(GridWindow window, const GridOptions& options, const AspectLists& lists,
                          const TimedAspectLists& timed, const BodyCatalogue& catalogue) {
    GridModel model;
    model.window = window;
    model.timedInUse = timed.current && options.exactOn;
    const Pairing pairing = PairingOfDisplayMode(options.displayMode);
    for (const SectionPlan& plan : PlanSections(window, options, model.caption)) {
        GridSection section;
        section.title = plan.title;
        section.pairing = pairing;
        section.kind = plan.kind;
        section.format = SectionFormat(window, pairing, plan.kind);
        const TimedAspectList* timedList =
            model.timedInUse ? &timed.at(pairing, plan.kind) : nullptr;
        for (const RowSource& source : SourceRows(lists.at(pairing, plan.kind), timedList)) {
            if (source.body1 == 0) break;
            if (options.applyingOnly && source.orb < 0) continue;
            if (!AspectClassKeeps(options.aspectClassFilter, plan.kind, source.code, source.body1,
                                  source.body2))
                continue;
            if (IsCrucialWindow(window) &&
                !CrucialKeeps(options, pairing, source.body1, source.body2))
                continue;
            GridRow row;
            row.body1 = source.body1;
            row.body2 = source.body2;
            row.code = source.code;
            row.orb = source.orb;
            row.cells[ColumnNumber] = std::to_string(section.rows.size() + 1);
            row.cells[ColumnBody1] = NameCell(catalogue, source.body1);
            row.cells[ColumnAspect] = AspectCell(source.code, plan.kind);
            row.cells[ColumnBody2] = NameCell(catalogue, source.body2);
            row.cells[ColumnDegSep] = DegSepText(source.orb);
            if (source.timed) {
                // An exact moment that was not found has no time: the cell stays blank.
                if (source.timed->timeToExact != NotFoundTime)
                    row.cells[ColumnTimeSep] = FormatNumber(source.timed->timeToExact, "0.00") +
                                               (options.progressionMode ? "y" : "d");
                row.cells[ColumnDate] = source.timed->exactDate;
            }
            section.rows.push_back(std::move(row));
        }
        FilterAppsepCalcAngles(section, model.timedInUse);
        model.sections.push_back(std::move(section));
    }
    return model;
}

std::vector<std::string> FormatColumnTitles(std::string_view format) {
    std::vector<std::string> titles;
    size_t start = 0;
    while (start <= format.size()) {
        size_t bar = format.find('|', start);
        std::string_view part =
            format.substr(start, bar == std::string_view::npos ? bar : bar - start);
        if (!part.empty() && (part[0] == '^' || part[0] == '<' || part[0] == '>'))
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        titles.emplace_back(part);
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return titles;
}

std::optional<InterpretationLookup> InterpretationOfRow(const GridSection& section,
                                                        const GridRow& row,
                                                        const BodyCatalogue& catalogue,
                                                        int interpretationSet) {
    if (row.body1 < 1 || row.body1 > BodyCount || row.body2 < 1 || row.body2 > BodyCount)
        return std::nullopt;
    InterpretationLookup lookup;
    const std::string& aspect = row.cells[ColumnAspect];
    const bool longitude = IsLongitudeKind(section.kind);
    if (longitude) {
        if (aspect.empty()) return std::nullopt;
        lookup.aspectKey = aspect;
    } else if (aspect == GlyphChar(AspectGlyphCode(AspectParallel))) {
        lookup.aspectKey = "011";
    } else if (aspect == GlyphChar(AspectGlyphCode(AspectContraParallel))) {
        lookup.aspectKey = "-011";
    } else {
        return std::nullopt;
    }
    lookup.body1 = catalogue.BodyNames[static_cast<size_t>(row.body1)].substr(0, 3);
    lookup.body2 = catalogue.BodyNames[static_cast<size_t>(row.body2)].substr(0, 3);
    std::string set = std::to_string(interpretationSet) + ".dat";
    lookup.file = (longitude ? "coded_interp6" : "coded_interp7") + set;
    lookup.companions = {"coded_interp4" + set, "coded_interp5" + set};
    lookup.midheaven = row.body1 == SlotMidheaven || row.body2 == SlotMidheaven;
    return lookup;
}

}  // namespace quintaro
