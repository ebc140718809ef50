// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The compatibility, transit and natal interpretation reports: every aspect the finders found
// between the two charts (or within the natal chart), each with its paragraph from the report
// kind's store or, when asked, the user's revision. The report is built as data first
// (InterpretationReport) and then laid out as a ReportDocument for every output.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "aspects/aspect_kinds.h"
#include "aspects/aspect_lists.h"
#include "core/bodies.h"
#include "core/calendar.h"
#include "core/messages.h"
#include "interps/interpretation_keys.h"
#include "interps/report_document.h"
#include "interps/revisions.h"
#include "interps/string_map.h"

namespace quintaro {

// Which aspect lists a report covers: the longitude report ("temp_long.rtf"), the declination and
// latitude report ("temp_decl.rtf"), or both.
enum class ReportScope { Longitude, DeclinationLatitude, Both };

// "Romance Compatibility", "Financial Compatibility", "Romance Transits", "Financial Transits",
// "Full", "Romance only", "Money only".
std::string_view ReportKindName(ReportMode mode);

// The coordinate kinds of a scope in report order: heliocentric before geocentric.
std::vector<CoordinateKind> KindsOfScope(ReportScope scope);

// "Helio Longitude Synastry Aspects", "Geo Longitude Synastry Aspects", "Helio Latitude ...",
// "Geo Declination ..."; the natal reports say "Natal Aspects".
std::string SectionTitle(CoordinateKind kind, bool natal);

struct ReportChart {
    std::string name;
    int year = 2000, month = 1, day = 1;
};

// One found aspect of a report.
struct ReportRow {
    int body1 = 0, body2 = 0, code = 1;
    CoordinateKind kind = CoordinateKind::GeoLongitude;
    std::string heading;    // "[SUN TRINE YOUR MERCURY]" ("[SUN TRINE MERCURY]" in natal reports)
    std::string aspectKey;  // "sun_mer_120"; "" when a body or the aspect has no interpretation
    std::string text;       // the paragraph, or the revision; "" when there is none
    bool revised = false;
    std::string revisionAuthor;
};

struct ReportSection {
    CoordinateKind kind = CoordinateKind::GeoLongitude;
    std::string title;
    std::vector<ReportRow> rows;      // aspects of bodies that have interpretations, list order
    std::vector<ReportRow> overflow;  // the others (asteroids of free slots, ...): no text
};

struct InterpretationReport {
    ReportMode mode = ReportMode::RomanceCompatibility;
    ReportScope scope = ReportScope::Longitude;
    std::string title;
    std::vector<std::string> dates;  // "Anna: 05/17/1980", one per chart
    std::string introduction;
    std::vector<ReportSection> sections;
    std::string preparer;     // the name under "Individually prepared by:", may be ""
    std::string closingPage;  // the closing page's text, "" for none
    bool storeLoaded = true;  // false: the store is missing or empty, no row has a text
    // Aspect keys whose paragraph the store lacks or cannot read: the report is incomplete.
    std::vector<std::string> missing;
    std::vector<std::string> problems;  // why, for the user
};

// Looks a revision key up; nothing when there is no revision.
using RevisionSource = std::function<std::optional<Revision>(const std::string& revisionKey)>;

// The revisions of a report kind from the installation folder's revision files.
RevisionSource RevisionFiles(const std::filesystem::path& home, ReportMode mode);

struct ReportInputs {
    ReportMode mode = ReportMode::RomanceCompatibility;
    ReportScope scope = ReportScope::Longitude;
    const AspectLists* lists = nullptr;
    const BodyCatalogue* catalogue = nullptr;
    // Body 1's chart (the transit section) and body 2's (the natal section); the natal reports
    // use `second` only.
    ReportChart first, second;
    DateStyle dateStyle;
    const StringMap* store = nullptr;  // the mode's store
    RevisionSource revisions;          // empty: the prepared texts only
    std::string preparer;
    std::string closingPage;
};

// Builds a report. A store that is missing or empty tells the user "Please load interpretation
// files 8/9 before click here." (once) and leaves every row without text.
InterpretationReport BuildInterpretationReport(const ReportInputs& inputs, Messages& messages);

// One row's interpretation, as a click on a grid row asks for it: the row of the given pairing
// and kind with its text (or revision).
ReportRow InterpretRow(const AspectEntry& entry, CoordinateKind kind, bool natal,
                       const ReportInputs& inputs, Messages& messages);

// The report as paragraphs: the centred title, the dates, the introduction, each section under
// its line of dashes with every aspect's heading and text ("(revised text written by ...)" after
// a revision), the preparer line and the closing page on a page of its own.
ReportDocument LayoutReport(const InterpretationReport& report);

// One row alone: its heading and its text.
ReportDocument LayoutRow(const ReportRow& row);

// The report's overflow: the aspects of bodies that have no interpretations, by section, under
// the title "Overflow Planets".
ReportDocument LayoutOverflow(const InterpretationReport& report);

// The name a report gives a body: the interpretation name of slots 1..20 ("EARTH/MOON COMPLEX"),
// the catalogue name in capitals for the others.
std::string ReportBodyName(const BodyCatalogue& catalogue, int slot);

// Why a store did not open, as ": " + the reason; "" when there is nothing to say.
std::string StoreFailure(const StringMap* store);

// The interpretation index (InterpretationBodies) of a slot, nothing for slots without texts.
std::optional<std::size_t> InterpretationIndexOfSlot(const BodyCatalogue& catalogue, int slot);

}  // namespace quintaro
