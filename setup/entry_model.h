// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "core/chart_data.h"
#include "core/formatting.h"
#include "core/messages.h"

namespace quintaro {

// The two sections of the entry window.
enum class Section { Natal, Transit };

// One section of the entry window as the user typed it. A window binds its widgets to these
// texts and choices; every operation below works on them, so the window holds no logic.
struct EntrySection {
    std::string name;
    std::string place;
    std::string month, day, year;
    std::string hour, minute;  // 12-hour clock
    std::string zone;          // hours, positive west of Greenwich
    std::string latDeg, latMin;
    std::string longDeg, longMin;
    bool pm = false;     // optPM selected (else optAM)
    bool south = false;  // "S" chosen (else "N")
    bool east = false;   // "E" chosen (else "W")
};

// The option fields and display check boxes shared by both charts.
struct EntryOptions {
    std::string orbGeoLong = "3.00";
    std::string orbGeoDecl = "1.20";
    std::string orbHelioLong = "3.00";
    std::string orbHelioLat = "0.30";
    std::string timeOrb = "3.0";
    std::string natalHarmonic = "1";
    std::string transitHarmonic = "1";
    std::string lens = "12";
    std::string natTran = "n";  // which chart "+"/"-" step: "n" natal, "t" transit
    std::string delta = "1.0 d";
    bool helio = false;         // "Helio": the displayed set is heliocentric
    bool exact = false;         // "Exact": exact times of the aspects
    bool applyingOnly = false;  // "Applying only"
    bool aspectsOnly = false;   // "AspOnly"
    bool degrees = false;       // "Degrees": the grid shows decimal degrees
    bool showGrids = false;     // "Show grids"
    bool primaryOnly = true;    // "Primary only" (inactive)
};

struct EntryModel {
    EntrySection natal;
    EntrySection transit;
    EntryOptions options;

    EntrySection& section(Section s) { return s == Section::Natal ? natal : transit; }
    const EntrySection& section(Section s) const { return s == Section::Natal ? natal : transit; }
};

// The present instant as calendar parts in Universal Time, whatever zone the computer is set to.
// Injected so that "Now" can be tested on a fixed moment.
using UtcClock = std::function<DateTimeParts()>;
DateTimeParts SystemUtcTime();

// A moment in Universal Time as the clock of a zone shows it (zone in hours, positive west of
// Greenwich): UT − zone, with the date rolled over as needed. Every "Now" goes through here.
DateTimeParts CivilTimeInZone(const DateTimeParts& utc, double zoneWest);
// The present instant at the home location: the one place where the home zone is applied.
DateTimeParts HomeTime(const UtcClock& clock, const HomeLocation& home);

// A number as a field shows it: the shortest text that reads back as the same value ("5", "87",
// "5.5", "-1").
std::string NumberText(double value);

// Puts the home location and the present instant, as the home zone's clock shows it, into a
// section. FillNatalNow also sets the natal name to "Now"; FillTransitNow leaves the name alone.
void FillNatalNow(EntryModel& model, const UtcClock& clock, const HomeLocation& home);
void FillTransitNow(EntryModel& model, const UtcClock& clock, const HomeLocation& home);

// The "Now" buttons: name "Now" and the present instant as the clock of the section's own zone
// shows it; zone and coordinates are kept. The caller recomputes afterwards.
void NatalNowButton(EntryModel& model, const UtcClock& clock);
void TransitNowButton(EntryModel& model, const UtcClock& clock);

// The model as the entry window opens: both sections at "Now" and the home location, the transit
// name "Transits", the option fields at their initial texts.
EntryModel OpenEntryModel(const UtcClock& clock, const HomeLocation& home);

// Date-style codes of a chart section: the order in which the date text joins the fields.
enum DateStyleCode : int { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// Reads a section into its chart data record (the pipeline calls natal first, then transit).
ChartData ReadSection(const EntrySection& section, int dateStyleCode);
inline ChartData ReadNatalSection(const EntryModel& m, int dateStyleCode) {
    return ReadSection(m.natal, dateStyleCode);
}
inline ChartData ReadTransitSection(const EntryModel& m, int dateStyleCode) {
    return ReadSection(m.transit, dateStyleCode);
}

// Hour-field normalisation, run on every change of the hour text: 0 becomes 12, a value above 12
// selects PM and loses 12. A text that is not a number shows "Please fill in a value for birth
// hour." (natal) or "... transit hour." and stays as it is. An empty text is left alone.
void NormaliseHour(EntrySection& section, Section which, Messages& messages);
// Before a moment is read from a section whose hour must be a number: an empty or non-numeric
// hour shows the same warning as NormaliseHour and gives false.
bool CheckHourText(const EntrySection& section, Section which, Messages& messages);

// Transit hour, minute, AM/PM, zone, coordinates and directions take the natal values.
void CopyNatalToTransit(EntryModel& model);
// Exchanges every field of the two sections. The caller recomputes afterwards.
void SwapNatalTransit(EntryModel& model);

// The four location presets of the main window.
enum class LocationPreset { NyseEst, NyseEdt, CmeCst, CmeCdt };
// A preset's name and the field texts it writes.
struct LocationPresetPlace {
    LocationPreset preset;
    const char* name;  // the menu shows it
    const char* zone;
    const char* longDeg;
    const char* longMin;
    const char* latDeg;
    const char* latMin;
};
const LocationPresetPlace& PresetPlace(LocationPreset preset);
// Sets the natal zone and coordinates (West, North), then copies them with their directions into
// the transit section. Does not recompute.
void SetPresetLocation(EntryModel& model, LocationPreset preset);

// The step-chart field: "t" becomes "n", anything else "t".
void ToggleNatTran(EntryOptions& options);
// The chart that "+"/"-" steps: transit when the step-chart field is "t".
Section SteppedSection(const EntryOptions& options);

// The option fields as the pipeline and the aspect finders read them.
double OrbGeoLong(const EntryOptions& options);
double OrbGeoDecl(const EntryOptions& options);
double OrbHelioLong(const EntryOptions& options);
double OrbHelioLat(const EntryOptions& options);
double TimeOrb(const EntryOptions& options);
int NatalHarmonic(const EntryOptions& options);    // 0 or less reads as 1
int TransitHarmonic(const EntryOptions& options);  // 0 or less reads as 1
int Lens(const EntryOptions& options);             // below 1 reads as 12

// num(x) rounded to a 16-bit integer, halves to even, clamped to the 16-bit range.
int FieldInteger(const std::string& text);

}  // namespace quintaro
