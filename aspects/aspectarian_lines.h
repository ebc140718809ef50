// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "aspects/aspectarian_engine.h"
#include "core/bodies.h"

namespace quintaro {

// The text form of aspectarian events. A line is two blanks, the date "dd mmm yyyy", two blanks,
// the local clock time "hh:mm", two blanks and the event text; the event text starts with the
// first body's 5-character name field, a blank and a 3-character key, so every line can be split
// again by position:
//   "  sun 090 moon"               aspect (longitude, or "par"/"c.p" in declination/latitude)
//   "  sun ARI ingress"            sign entered
//   "mercu rx " / "mercu dir"      turning retrograde / direct
//   "  sun par declination change" moving north ("par") or south ("c.p"); " latitude change"
//                                  heliocentrically

// The 5-character field of a name: its first five characters, or the name right-aligned.
std::string NameField5(std::string_view name);

// A moment in local clock time, rounded to the whole minute.
struct LocalStamp {
    CivilDate date;
    int hour = 0;
    int minute = 0;
};

// The local stamp of a UT moment in a zone (hours, west positive).
LocalStamp StampOf(double jd, double zone);

// "dd mmm yyyy" and "hh:mm".
std::string StampDate(const CivilDate& date);
std::string StampTime(const LocalStamp& stamp);

// "yyyy-mm-dd".
std::string IsoDate(const CivilDate& date);

// Orders two stamps in time.
bool StampBefore(const LocalStamp& a, const LocalStamp& b);

// The event text (everything after the stamp) of an event found in a pass.
std::string EventText(const AspectarianEvent& event, const BodyCatalogue& catalogue, Frame frame);

// The whole line: "  " date "  " time "  " event text.
std::string EventLine(const AspectarianEvent& event, const BodyCatalogue& catalogue, Frame frame,
                      double zone);
std::string StampedLine(const LocalStamp& stamp, std::string_view eventText);

// A line read back: its stamp and event text. Nothing when the line does not have the layout.
struct ParsedLine {
    LocalStamp stamp;
    std::string eventText;
};
std::optional<ParsedLine> ParseEventLine(std::string_view line);

// "dd mmm yyyy" read back; nothing unless it is a calendar date in that form.
std::optional<CivilDate> ParseStampDate(std::string_view text);

// The parts of an event text: the first body's name, the aspect key or event ("090", "ARI
// ingress", "rx", "dir", "par declination change") and the second body's name ("" when none);
// names without their padding.
struct EventParts {
    std::string body1;
    std::string event;
    std::string body2;
};
std::optional<EventParts> SplitEventText(std::string_view text);

}  // namespace quintaro
