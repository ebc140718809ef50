// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "places/posix_zone_rule.h"

namespace date {
class time_zone;
}

namespace quintaro {

// A civil date and clock time at a place, in the workstation's calendar (Julian before the
// Gregorian reform, as the entry fields are read).
struct LocalDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// How far a place's clocks are from Universal Time at one moment.
struct ZoneReading {
    int utcOffsetSeconds = 0;  // east of Greenwich positive, as the zone data give it
    std::string abbreviation;  // "EST", "BDST", "+0530"; "LMT" for local mean time
    bool daylightSaving = false;
    bool localMeanTime = false;  // no standard time yet: the mean time of the place's longitude
                                 // (of the zone's main city when no longitude was given)

    // The workstation's zone: hours to add to the clock time to get UT, positive west.
    double zoneHours() const { return -utcOffsetSeconds / 3600.0; }
    bool operator==(const ZoneReading&) const = default;
};

enum class LocalTimeKind {
    Unique,    // the clock showed this time once
    Skipped,   // the clocks jumped over it (spring): the time did not exist
    Repeated,  // the clocks went back over it (autumn): the time happened twice
};

// What a zone says of a local clock time. Unique: one reading. Repeated: the earlier reading,
// then the later one. Skipped: the reading before the jump, then the one after; neither shows
// the time asked for.
struct LocalTimeZone {
    std::string error;  // an unknown zone or a date outside the years 1 to 9999; empty if answered
    LocalTimeKind kind = LocalTimeKind::Unique;
    std::vector<ZoneReading> readings;
    bool ok() const { return error.empty(); }
};

// The reading in force at one moment of Universal Time.
struct InstantZone {
    std::string error;
    ZoneReading reading;
    bool ok() const { return error.empty(); }
};

// The years a lookup answers for.
inline constexpr int kFirstZoneYear = 1;
inline constexpr int kLastZoneYear = 9999;

// The zones of the system's zoneinfo with their history, read through the date/tz library.
// Where the data give local mean time ("LMT": the zone had no standard time yet) they give the
// mean time of the zone's main city; given the place's own longitude, a lookup answers with the
// place's mean time instead. After the last change listed in a zone file, the file's closing rule
// continues the zone (the compiled files list changes only up to 2037). Safe to use from several
// threads.
class ZoneDatabase {
  public:
    ZoneDatabase();
    ~ZoneDatabase();
    ZoneDatabase(const ZoneDatabase&) = delete;
    ZoneDatabase& operator=(const ZoneDatabase&) = delete;

    // The zone's name as the database spells it ("america/new_york" gives "America/New_York");
    // nothing for an unknown zone.
    std::optional<std::string> canonicalName(std::string_view name) const;
    // Up to `limit` zone names close to a mistyped one, best first.
    std::vector<std::string> similarNames(std::string_view name, size_t limit) const;
    std::vector<std::string> names() const;
    // The zoneinfo release ("2025b"), or "unknown".
    const std::string& version() const { return version_; }

    // The zone of a local civil date and time; `eastLongitude` (degrees, east positive) gives
    // local mean time before the zone had standard time.
    LocalTimeZone atLocalTime(std::string_view zone, const LocalDateTime& local,
                              std::optional<double> eastLongitude = std::nullopt) const;
    // The zone at a moment of UT, in seconds since 1970-01-01 00:00 UT.
    InstantZone atInstant(std::string_view zone, std::int64_t utSeconds,
                          std::optional<double> eastLongitude = std::nullopt) const;

  private:
    struct Period;
    const date::time_zone* find(std::string_view name) const;
    const PosixZoneRule* closingRule(const date::time_zone* zone) const;
    std::vector<Period> periodsBetween(const date::time_zone* zone, std::int64_t from,
                                       std::int64_t to, std::optional<double> eastLongitude) const;
    std::string unknownZone(std::string_view name) const;

    std::vector<std::pair<std::string, const date::time_zone*>> zones_;  // sorted by name
    std::string version_ = "unknown";
    mutable std::mutex mutex_;
    mutable std::map<const date::time_zone*, std::optional<PosixZoneRule>> closingRules_;
};

// Local mean time of a longitude (degrees, east positive), rounded to the second.
int LocalMeanTimeOffsetSeconds(double eastLongitude);

}  // namespace quintaro
