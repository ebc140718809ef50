// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/zone_database.h"

#include <date/tz.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "core/calendar.h"
#include "core/plain_text.h"
#include "places/search_text.h"

namespace quintaro {

namespace {

using Seconds = std::chrono::seconds;

constexpr const char* kZoneFolder = "/usr/share/zoneinfo";
// Entries of the zoneinfo folder that are not zones of their own.
constexpr std::string_view kNotZones[] = {"localtime", "posixrules", "Factory"};

// Clock offsets stay well inside a day; a local time is looked for among the periods of UT that
// lie this far around it.
constexpr std::int64_t kReach = 26 * 3600;

// 1970-01-01 is Julian Day 2440588 at noon.
constexpr std::int64_t kUnixEpochDayNumber = 2440588;

std::int64_t Count(date::sys_seconds t) {
    return t.time_since_epoch().count();
}

// The date library marks the period after a zone's last change with the end of its year range.
const std::int64_t kLastEnd = Count(date::sys_days{date::year::max() / 12 / 31});

int YearOf(std::int64_t utSeconds) {
    const auto day = date::floor<date::days>(date::sys_seconds{Seconds{utSeconds}});
    return static_cast<int>(date::year_month_day{day}.year());
}

std::string ZoneInfoVersion() {
    std::ifstream in(std::string(kZoneFolder) + "/tzdata.zi");
    std::string line;
    if (std::getline(in, line) && line.rfind("# version ", 0) == 0) return line.substr(10);
    return "unknown";
}

// The place's own mean time in a period the zone data give as the mean time of the zone's main
// city. Kept within 12 hours of the zone's figure: a zone may keep the date of the far side of
// the date line (Alaska kept Russia's until 1867).
int PlaceMeanTimeOffset(double eastLongitude, int zoneOffset) {
    int offset = LocalMeanTimeOffsetSeconds(eastLongitude);
    while (offset - zoneOffset > 12 * 3600) offset -= 24 * 3600;
    while (zoneOffset - offset > 12 * 3600) offset += 24 * 3600;
    return offset;
}

ZoneReading ReadingOf(const date::sys_info& info) {
    return {static_cast<int>(info.offset.count()), info.abbrev, info.save.count() != 0, false};
}

ZoneReading ReadingOf(const ZoneClockState& state) {
    return {state.utcOffsetSeconds, state.abbreviation, state.daylightSaving, false};
}

bool ValidLocal(const LocalDateTime& t) {
    return t.year >= kFirstZoneYear && t.year <= kLastZoneYear && t.month >= 1 && t.month <= 12 &&
           t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 &&
           t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

// Local seconds since 1970-01-01 00:00 of the same clock, through the workstation's calendar.
std::int64_t LocalSeconds(const LocalDateTime& t) {
    const auto day = static_cast<std::int64_t>(std::llround(DayNumber(t.year, t.month, t.day)));
    return (day - kUnixEpochDayNumber) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

// A stretch of UT, [begin, end), over which a zone's clocks kept one reading.
struct ZoneDatabase::Period {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    ZoneReading reading;
};

int LocalMeanTimeOffsetSeconds(double eastLongitude) {
    return static_cast<int>(std::lround(eastLongitude * 240.0));  // 4 minutes of time a degree
}

ZoneDatabase::ZoneDatabase() : version_(ZoneInfoVersion()) {
    for (const date::time_zone& zone : date::get_tzdb().zones) {
        const std::string& name = zone.name();
        if (std::find(std::begin(kNotZones), std::end(kNotZones), name) != std::end(kNotZones))
            continue;
        zones_.emplace_back(name, &zone);
    }
    std::sort(zones_.begin(), zones_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

ZoneDatabase::~ZoneDatabase() = default;

const date::time_zone* ZoneDatabase::find(std::string_view name) const {
    auto at =
        std::lower_bound(zones_.begin(), zones_.end(), name,
                         [](const auto& entry, std::string_view n) { return entry.first < n; });
    if (at != zones_.end() && at->first == name) return at->second;
    const std::string lower = AsciiLower(name);
    for (const auto& [zoneName, zone] : zones_)
        if (AsciiLower(zoneName) == lower) return zone;
    return nullptr;
}

std::optional<std::string> ZoneDatabase::canonicalName(std::string_view name) const {
    const date::time_zone* zone = find(name);
    if (!zone) return std::nullopt;
    return zone->name();
}

std::vector<std::string> ZoneDatabase::names() const {
    std::vector<std::string> all;
    all.reserve(zones_.size());
    for (const auto& entry : zones_) all.push_back(entry.first);
    return all;
}

std::vector<std::string> ZoneDatabase::similarNames(std::string_view name, size_t limit) const {
    // Compared without case, blanks as underscores; the city part alone counts as well, so that
    // "new york" finds "America/New_York".
    std::string wanted = AsciiLower(name);
    std::replace(wanted.begin(), wanted.end(), ' ', '_');
    std::vector<std::pair<int, std::string>> scored;
    for (const auto& [zoneName, zone] : zones_) {
        const std::string lower = AsciiLower(zoneName);
        const size_t slash = lower.rfind('/');
        int distance = EditDistance(wanted, lower);
        if (slash != std::string::npos)
            distance = std::min(distance, EditDistance(wanted, lower.substr(slash + 1)));
        scored.emplace_back(distance, zoneName);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> best;
    const int tolerance = std::max(2, static_cast<int>(wanted.size()) / 3);
    for (const auto& [distance, zoneName] : scored) {
        if (best.size() >= limit || distance > tolerance) break;
        best.push_back(zoneName);
    }
    return best;
}

std::string ZoneDatabase::unknownZone(std::string_view name) const {
    std::string text = "unknown zone \"" + std::string(name) + "\"";
    const std::vector<std::string> similar = similarNames(name, 5);
    if (similar.empty()) return text + " (zone names look like America/New_York or Asia/Kolkata)";
    text += "; did you mean ";
    for (size_t k = 0; k < similar.size(); ++k)
        text += (k ? (k + 1 == similar.size() ? " or " : ", ") : "") + similar[k];
    return text + "?";
}

const PosixZoneRule* ZoneDatabase::closingRule(const date::time_zone* zone) const {
    std::lock_guard lock(mutex_);
    auto at = closingRules_.find(zone);
    if (at == closingRules_.end()) {
        std::optional<PosixZoneRule> rule;
        if (auto text = ReadZoneFileRule(std::string(kZoneFolder) + "/" + zone->name()))
            rule = ParsePosixZoneRule(*text);
        at = closingRules_.emplace(zone, std::move(rule)).first;
    }
    return at->second ? &*at->second : nullptr;
}

std::vector<ZoneDatabase::Period> ZoneDatabase::periodsBetween(
    const date::time_zone* zone, std::int64_t from, std::int64_t to,
    std::optional<double> eastLongitude) const {
    std::vector<Period> periods;
    std::int64_t t = from;
    for (;;) {
        const date::sys_info info = zone->get_info(date::sys_seconds{Seconds{t}});
        Period period{Count(info.begin), Count(info.end), ReadingOf(info)};
        if (info.abbrev == "LMT") {
            period.reading.localMeanTime = true;
            if (eastLongitude)
                period.reading.utcOffsetSeconds =
                    PlaceMeanTimeOffset(*eastLongitude, period.reading.utcOffsetSeconds);
        }
        const PosixZoneRule* rule = period.end == kLastEnd ? closingRule(zone) : nullptr;
        if (rule && rule->daylight) {
            // The listed changes are over: the closing rule's changes of the years around
            // [from, to] continue from the last listed one.
            std::vector<ZoneClockChange> changes;
            for (int year = YearOf(std::max(from, period.begin)) - 1; year <= YearOf(to) + 1;
                 ++year)
                for (const ZoneClockChange& change : RuleChangesInYear(*rule, year))
                    if (change.utSeconds > period.begin) changes.push_back(change);
            for (const ZoneClockChange& change : changes) {
                period.end = change.utSeconds;
                periods.push_back(period);
                period = {change.utSeconds, kLastEnd, ReadingOf(change.after)};
            }
            periods.push_back(period);
            return periods;
        }
        periods.push_back(period);
        if (period.end > to) return periods;
        t = period.end;
    }
}

LocalTimeZone ZoneDatabase::atLocalTime(std::string_view zoneName, const LocalDateTime& local,
                                        std::optional<double> eastLongitude) const {
    LocalTimeZone result;
    const date::time_zone* zone = find(zoneName);
    if (!zone) {
        result.error = unknownZone(zoneName);
        return result;
    }
    if (!ValidLocal(local)) {
        result.error = "the date or time lies outside the zone data (years " +
                       std::to_string(kFirstZoneYear) + " to " + std::to_string(kLastZoneYear) +
                       ", hours 0 to 23, minutes and seconds 0 to 59)";
        return result;
    }
    const std::int64_t clock = LocalSeconds(local);
    const std::vector<Period> periods =
        periodsBetween(zone, clock - kReach, clock + kReach, eastLongitude);
    // Each period whose offset takes the clock time back into the period is one reading.
    for (const Period& p : periods) {
        const std::int64_t ut = clock - p.reading.utcOffsetSeconds;
        if (ut >= p.begin && ut < p.end) result.readings.push_back(p.reading);
    }
    if (result.readings.size() > 1) {
        result.kind = LocalTimeKind::Repeated;
        return result;
    }
    if (result.readings.size() == 1) return result;
    // No period holds it: the clocks jumped from the end of one period over the time.
    result.kind = LocalTimeKind::Skipped;
    for (size_t k = 0; k + 1 < periods.size(); ++k) {
        if (clock - periods[k].reading.utcOffsetSeconds >= periods[k].end &&
            clock - periods[k + 1].reading.utcOffsetSeconds < periods[k + 1].begin) {
            result.readings = {periods[k].reading, periods[k + 1].reading};
            break;
        }
    }
    return result;
}

InstantZone ZoneDatabase::atInstant(std::string_view zoneName, std::int64_t utSeconds,
                                    std::optional<double> eastLongitude) const {
    InstantZone result;
    const date::time_zone* zone = find(zoneName);
    if (!zone) {
        result.error = unknownZone(zoneName);
        return result;
    }
    const int year = YearOf(utSeconds);
    if (year < kFirstZoneYear || year > kLastZoneYear) {
        result.error = "the moment lies outside the zone data (years " +
                       std::to_string(kFirstZoneYear) + " to " + std::to_string(kLastZoneYear) +
                       ")";
        return result;
    }
    for (const Period& p : periodsBetween(zone, utSeconds, utSeconds, eastLongitude))
        if (utSeconds >= p.begin && utSeconds < p.end) result.reading = p.reading;
    return result;
}

}  // namespace quintaro
