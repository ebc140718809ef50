// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/timed_aspects.h"

#include <cmath>

#include "aspects/aspect_catalogue.h"
#include "aspects/exact_time.h"
#include "core/formatting.h"

namespace quintaro {

namespace {

constexpr double kDaysPerYear = 365.2422;
constexpr double kProgressedDaysLimit = 50;

// Dates a calendar text can hold.
bool IsValidDateYear(int year) {
    return year >= 100 && year <= 9999;
}

std::string LocalDateText(double localJD, const DateStyle& style) {
    EntryMoment local = JDToEntryFields(localJD, 0);
    DateTimeParts parts;
    parts.year = local.date.year;
    parts.month = local.date.month;
    parts.day = local.date.day;
    int hour12 = static_cast<int>(std::floor(local.clock));
    parts.minute = static_cast<int>(std::lround((local.clock - hour12) * 100));
    parts.hour = hour12 % 12 + (local.meridiem == Meridiem::PM ? 12 : 0);
    return FormatDate(parts, style.listingFormat()) + "   " + FormatDate(parts, "hh:nn");
}

int OtherDeclinationCode(int code) {
    return code == AspectParallel ? AspectContraParallel : AspectParallel;
}

}  // namespace

std::string TimedListTitle(Pairing pairing, CoordinateKind kind) {
    struct Title {
        int blanks;
        const char* text;
    };
    static constexpr Title kNatal[4] = {
        {21, "NATAL PLANET ASPECTS TO NATAL PLANETS - WITHIN TIME"},
        {19, "NATAL PLANET DECLINATIONS TO NATAL PLANETS - WITHIN TIME"},
        {15, "HELIO NATAL PLANET ASPECTS TO HELIO NATAL PLANETS - WITHIN TIME"},
        {14, "HELIO NATAL PLANET LATITUDES TO HELIO NATAL PLANETS - WITHIN TIME"}};
    static constexpr Title kTransit[4] = {
        {20, "TRANSIT PLANET ASPECTS TO NATAL PLANETS - WITHIN TIME"},
        {18, "TRANSIT PLANET DECLINATIONS TO NATAL PLANETS - WITHIN TIME"},
        {14, "HELIO TRANSIT PLANET ASPECTS TO HELIO NATAL PLANETS - WITHIN TIME"},
        {13, "HELIO TRANSIT PLANET LATITUDES TO HELIO NATAL PLANETS - WITHIN TIME"}};
    if (pairing == Pairing::TransitTransit) return {};
    const Title& t = (pairing == Pairing::NatalNatal ? kNatal : kTransit)[static_cast<int>(kind)];
    return std::string(static_cast<size_t>(t.blanks), ' ') + t.text;
}

std::string ExactDateText(double exactJD, double chartJD, double zone, const DateStyle& style,
                          const ProgressionMode& progression) {
    if (!progression.on) return LocalDateText(exactJD - zone / 24.0, style);
    double days = exactJD - chartJD;
    if (std::fabs(days) > kProgressedDaysLimit) return "***";
    double local = progression.baseJD + days * kDaysPerYear;
    if (!std::isfinite(local) || !IsValidDateYear(JDToCalendar(local).year)) return "***";
    return LocalDateText(local, style);
}

TimedAspectList BuildTimedAspectList(const AspectInputs& inputs, const AspectList& source,
                                     Pairing pairing, CoordinateKind kind) {
    TimedAspectList timed;
    timed.title = TimedListTitle(pairing, kind);
    if (pairing == Pairing::TransitTransit) return timed;
    const bool natalNatal = pairing == Pairing::NatalNatal;
    const double zone = natalNatal ? inputs.natalZone : inputs.transitZone;
    const bool longitude = IsLongitudeKind(kind);
    const TimeOrbFilter& filter = inputs.timeOrbFilter;
    const bool filtering = filter.active && filter.on && inputs.exactOn;
    ExactTimeSearch search(inputs, natalNatal);
    for (const AspectEntry& entry : source.entries) {
        if (entry.body1 == 0) break;
        if (entry.code <= AspectNone) continue;
        auto direction = entry.orb >= 0 ? SearchDirection::Forward : SearchDirection::Backward;
        int target = longitude ? AspectAngle(entry.code) : entry.code;
        if (longitude && target < 0) continue;
        ExactTime exact = search.Find(entry.body1, entry.body2, target, kind, direction);
        if (!exact.found && !longitude)
            exact = search.Find(entry.body1, entry.body2, OtherDeclinationCode(entry.code), kind,
                                direction);
        double time = NotFoundTime;
        if (exact.found)
            time = LeadingNumber(FormatNumber(exact.jd - search.ChartMoment(), "0.00"));
        if (filtering && std::fabs(time) > filter.TimeOrbDays()) continue;
        TimedAspectEntry out{entry.body1, entry.body2, entry.code, entry.orb, time, "***"};
        if (exact.found)
            out.exactDate = ExactDateText(exact.jd, search.ChartMoment(), zone, inputs.dateStyle,
                                          inputs.progression);
        timed.entries.push_back(std::move(out));
    }
    return timed;
}

TimedAspectLists BuildTimedAspectLists(const AspectInputs& inputs, const AspectLists& lists,
                                       const Progress& progress) {
    TimedAspectLists timed;
    long done = 0;
    for (Pairing pairing : {Pairing::NatalNatal, Pairing::TransitNatal}) {
        for (int k = 0; k < 4; ++k) {
            auto kind = static_cast<CoordinateKind>(k);
            timed.lists[static_cast<size_t>(ListIndex(pairing, kind))] =
                BuildTimedAspectList(inputs, lists.at(pairing, kind), pairing, kind);
            if (!ReportProgress(progress, "Exact aspect times", ++done, 8)) return timed;
        }
    }
    timed.current = true;
    return timed;
}

void RefreshTimedAspectLists(const AspectInputs& inputs, const AspectLists& lists,
                             TimedAspectLists& timed, const Progress& progress) {
    if (timed.current) return;
    timed = BuildTimedAspectLists(inputs, lists, progress);
}

}  // namespace quintaro
