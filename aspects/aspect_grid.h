// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/aspect_lists.h"
#include "aspects/timed_aspects.h"
#include "core/bodies.h"

namespace quintaro {

// The aspect grid windows.
enum class GridWindow {
    Aspects,             // one kind, chosen by the wheels and the displayed set's frame
    LongAspects,         // longitudes, geocentric and heliocentric
    DeclAspects,         // declinations and latitudes
    LongAspectsCrucial,  // longitudes of the crucial selection
    DeclAspectsCrucial   // declinations and latitudes of the crucial selection
};

// Columns of an aspect row.
enum GridColumn : int {
    ColumnMark = 0,
    ColumnNumber,
    ColumnBody1,
    ColumnAspect,
    ColumnBody2,
    ColumnDegSep,
    ColumnTimeSep,
    ColumnDate,
    GridColumnCount
};

// Aspect class filter values of the main menu.
enum AspectClassFilter : int {
    ClassAllThirtyDegree = 0,
    ClassQuincunxes = 1,
    ClassLinkages = 2,
    ClassClashes = 3,
    ClassQuintiles = 4,
    ClassNoLines = 5,
    ClassPureLinkages = 6,
    ClassAllLinkages = 7,
    ClassSaturnClashes = 8
};

// Captions of the aspect class menu items ("&All 30 Degree Aspects" ... "Saturn Clashes"); the
// wheels print them too. "" outside 0..8.
const char* AspectClassCaption(int filter);

// Captions of the display-mode menu items of modes 1, 2, 8 and 9 ("" for other modes); the same
// for the crucial menu.
const char* DisplayModeCaption(int mode);

struct GridOptions {
    int displayMode = 1;  // 1, 2: natal–natal; 8, 9: transit–natal (crucial windows: their mode)
    int aspectClassFilter = 0;  // 0..8; other values keep every row
    bool applyingOnly = false;  // applying aspects only
    bool exactOn = false;       // exact times on
    bool progressionMode = false;
    SelectionFlags crucialSelection;
    // The single-kind grid only: the kind the wheels asked for, and whether the displayed set is
    // heliocentric.
    bool declinationKind = false;
    bool helio = false;
};

struct GridRow {
    std::array<std::string, GridColumnCount> cells;
    int body1 = 0;
    int body2 = 0;
    int code = 1;
    double orb = 0;
};

struct GridSection {
    std::string title;
    std::string format;  // the grid's format string: "^" centres, "|" separates
    Pairing pairing = Pairing::NatalNatal;
    CoordinateKind kind = CoordinateKind::GeoLongitude;
    std::vector<GridRow> rows;
};

struct GridModel {
    GridWindow window = GridWindow::Aspects;
    std::string caption;
    bool timedInUse = false;  // the Time Sep and Date columns are filled
    std::vector<GridSection> sections;
};

Pairing PairingOfDisplayMode(int mode);

// Builds a grid window's sections from the current lists.
GridModel BuildAspectGrid(GridWindow window, const GridOptions& options, const AspectLists& lists,
                          const TimedAspectLists& timed, const BodyCatalogue& catalogue);

// Whether the aspect class filter keeps a row of the given kind.
bool AspectClassKeeps(int filter, CoordinateKind kind, int code, int body1, int body2);

// "a 0.50" for an applying orb, "s 1.23" for a separating one.
std::string DegSepText(double orb);

// Marks the rows of calculated points, whose motion is not followed: "x" in the Deg Sep cell;
// Time Sep "nnn" and Date "***" when exact times are in use, otherwise both blank. Natal–natal
// rows when both bodies are such points, transit–natal rows when body 1 is.
void FilterAppsepCalcAngles(GridSection& section, bool timedInUse);

// The column titles of a format string ("^Deg Sep    " gives "Deg Sep").
std::vector<std::string> FormatColumnTitles(std::string_view format);

// What a click on an aspect row looks up.
struct InterpretationLookup {
    std::string body1;  // first three letters of each body's name
    std::string body2;
    std::string aspectKey;  // "120", or "011" / "-011" for a parallel / contra-parallel
    std::string file;       // "coded_interp6" (longitude) or "coded_interp7" + set + ".dat"
    std::array<std::string, 2> companions;  // "coded_interp4", "coded_interp5" + set + ".dat"
    bool midheaven = false;                 // rows of the midheaven take their own path
};

std::optional<InterpretationLookup> InterpretationOfRow(const GridSection& section,
                                                        const GridRow& row,
                                                        const BodyCatalogue& catalogue,
                                                        int interpretationSet);

}  // namespace quintaro
