// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_zone.h"

#include <cmath>

#include "core/calendar.h"
#include "core/formatting.h"
#include "places/zone_text.h"
#include "setup/entry_stepping.h"

namespace quintaro {

namespace {

constexpr double kUnixEpochJD = 2440587.5;

// A number field that holds a whole number, as the fields are typed.
std::optional<int> WholeField(const std::string& text) {
    const double value = LeadingNumber(text);
    if (value != std::floor(value) || std::fabs(value) > 100000) return std::nullopt;
    return static_cast<int>(value);
}

void SetCoordinate(double value, std::string& degrees, std::string& minutes, bool& otherSide) {
    otherSide = value < 0;
    double whole = std::floor(std::fabs(value));
    double minute = std::round((std::fabs(value) - whole) * 60);
    if (minute >= 60) {
        whole += 1;
        minute = 0;
    }
    degrees = FormatNumber(whole, "0");
    minutes = FormatNumber(minute, "0");
}

std::string ClockText(const EntrySection& s) {
    std::string minute = s.minute.size() < 2 ? "0" + s.minute : s.minute;
    return s.hour + ":" + minute + (s.pm ? " PM" : " AM");
}

std::string DateText(const LocalDateTime& t) {
    return FormatNumber(t.year, "0000") + "-" + FormatNumber(t.month, "00") + "-" +
           FormatNumber(t.day, "00");
}

std::string Choice(const ZoneReading& r) {
    return r.abbreviation + " (zone " + ZoneFieldText(r.utcOffsetSeconds) + ")";
}

// What the zone field shows and says for the answer of the zone data.
void ShowZone(EntrySection& s, const LocalDateTime& local, const LocalTimeZone& answer) {
    SectionZone& z = s.zoneSource;
    z.unresolved = true;
    s.zone.clear();
    if (!answer.ok()) {
        z.note = answer.error;
        return;
    }
    const std::string when = ClockText(s) + " on " + DateText(local) + " in " + z.name;
    if (answer.kind == LocalTimeKind::Skipped) {
        z.note = when.substr(0, when.find(" on ")) + " did not exist" +
                 when.substr(when.find(" on ")) + ": the clocks went from " +
                 Choice(answer.readings.at(0)) + " to " + Choice(answer.readings.at(1)) +
                 ". Type the zone you mean.";
        return;
    }
    if (answer.kind == LocalTimeKind::Repeated) {
        z.note = when.substr(0, when.find(" on ")) + " happened twice" +
                 when.substr(when.find(" on ")) + ": first " + Choice(answer.readings.at(0)) +
                 ", then " + Choice(answer.readings.at(1)) + ". Type the zone you mean.";
        return;
    }
    const ZoneReading& r = answer.readings.at(0);
    z.unresolved = false;
    s.zone = ZoneFieldText(r.utcOffsetSeconds);
    z.note = r.localMeanTime
                 ? "LMT, local mean time of the longitude: " + z.name + " had no standard time yet"
                 : ReadingText(r) + " (" + z.name + ")";
}

}  // namespace

std::optional<LocalDateTime> SectionLocalTime(const EntrySection& s) {
    auto year = WholeField(s.year), month = WholeField(s.month), day = WholeField(s.day);
    auto hour = WholeField(s.hour), minute = WholeField(s.minute);
    if (!year || !month || !day || !hour || !minute) return std::nullopt;
    if (*hour < 1 || *hour > 12) return std::nullopt;
    const int hour24 = *hour % 12 + (s.pm ? 12 : 0);
    return LocalDateTime{*year, *month, *day, hour24, *minute, 0};
}

double SectionEastLongitude(const EntrySection& s) {
    const double degrees = LeadingNumber(s.longDeg) + LeadingNumber(s.longMin) / 60.0;
    return s.east ? degrees : -degrees;
}

void ChoosePlace(EntrySection& s, const GeoPlace& place, const ZoneDatabase& zones) {
    s.place = PlaceLabel(place);
    SetCoordinate(place.latitude, s.latDeg, s.latMin, s.south);
    SetCoordinate(-place.longitude, s.longDeg, s.longMin, s.east);  // the fields count west
    s.zoneSource = {place.zoneName, true, {}, false};
    UpdateZoneFromPlace(s, zones);
}

void UpdateZoneFromPlace(EntrySection& s, const ZoneDatabase& zones) {
    SectionZone& z = s.zoneSource;
    if (!z.fromPlace || z.name.empty()) return;
    const std::optional<LocalDateTime> local = SectionLocalTime(s);
    if (!local) {
        s.zone.clear();
        z.unresolved = true;
        z.note = "the date and time fields do not give a date and a time";
        return;
    }
    ShowZone(s, *local, zones.atLocalTime(z.name, *local, SectionEastLongitude(s)));
}

void SetZoneFromPlace(EntrySection& s, bool on, const ZoneDatabase& zones) {
    s.zoneSource.fromPlace = on && !s.zoneSource.name.empty();
    if (s.zoneSource.fromPlace) {
        UpdateZoneFromPlace(s, zones);
    } else {
        s.zoneSource.unresolved = false;
        s.zoneSource.note.clear();
    }
}

void ZoneTypedByHand(EntrySection& s) {
    s.zoneSource.fromPlace = false;
    s.zoneSource.unresolved = false;
    s.zoneSource.note.clear();
}

void FollowZoneAfterStep(EntryModel& model, Section stepped, const ZoneDatabase& zones) {
    EntrySection& s = model.section(stepped);
    const SectionZone& z = s.zoneSource;
    if (!z.fromPlace || z.name.empty()) return;
    if (ParseStep(model.options.delta).kind != StepAmount::Kind::Days || z.unresolved) {
        UpdateZoneFromPlace(s, zones);
        return;
    }
    // The step moved the moment with the zone shown before it; that moment, in the zone in force
    // then, gives the clock.
    const ChartData data = ReadSection(s, MonthDayYear);
    const double jd = MomentToJD(data.year, data.month, data.day, data.time.clock.hhmm(),
                                 data.time.meridiem, data.zone)
                          .ChartJD;
    const auto ut = static_cast<std::int64_t>(std::llround((jd - kUnixEpochJD) * 86400.0));
    const InstantZone now = zones.atInstant(z.name, ut, SectionEastLongitude(s));
    if (!now.ok()) {
        UpdateZoneFromPlace(s, zones);
        return;
    }
    const double zone = now.reading.zoneHours();
    const EntryMoment moment = JDToEntryFields(jd, zone);
    s.year = FormatNumber(moment.date.year, "0");
    s.month = FormatNumber(moment.date.month, "0");
    s.day = FormatNumber(moment.date.day, "0");
    const UnitsAndMinutes clock = SplitHhmm(moment.clock);
    s.hour = FormatNumber(clock.units, "0");
    s.minute = FormatNumber(clock.minutes, "0");
    s.pm = moment.meridiem == Meridiem::PM;
    // The moment decides between the two readings of a clock time shown twice.
    SectionZone& shown = s.zoneSource;
    s.zone = ZoneFieldText(now.reading.utcOffsetSeconds);
    shown.unresolved = false;
    shown.note = ReadingText(now.reading) + " (" + shown.name + ")";
    const std::optional<LocalDateTime> local = SectionLocalTime(s);
    if (!local) return;
    const LocalTimeZone answer = zones.atLocalTime(shown.name, *local, SectionEastLongitude(s));
    if (answer.ok() && answer.kind == LocalTimeKind::Repeated)
        shown.note += ": the " +
                      std::string(answer.readings.at(0) == now.reading ? "first" : "second") +
                      " of the two times the clocks showed " + ClockText(s);
}

}  // namespace quintaro
