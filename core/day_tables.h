// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bodies.h"

namespace quintaro {

// Daily tables of the free-slot bodies: one value per day at 0h UT from 1750-01-01 on.
constexpr double DayTableBase = 2360234.5;  // JD of day 0, 1750-01-01 0h UT
constexpr int DayTableLength = 109574;      // days 0..109573, the last is 2050-01-01
constexpr int Start1900 = 54786;            // day of 1900-01-01
constexpr int Count1900 = 54788;            // records of a "1900" file: 1900-01-01 .. 2050-01-01
constexpr int Count1750 = Start1900;        // records of a "1750" file: 1750-01-01 .. 1899-12-31

// The four tables of a body, in the order of the arrays DayGeoLong, DayGeoDecl, DayHelioLong,
// DayHelioLat.
enum class DayKind : int { GeoLong = 0, GeoDecl = 1, HelioLong = 2, HelioLat = 3 };
constexpr int DayKindCount = 4;
constexpr std::array<DayKind, DayKindCount> AllDayKinds = {DayKind::GeoLong, DayKind::GeoDecl,
                                                           DayKind::HelioLong, DayKind::HelioLat};

// Which of the two file sets: "1900" (days Start1900 on) or "1750" (days 0..Start1900 - 1).
enum class DayPeriod { From1900, From1750 };

// File name of one table of a body: name + "1900" or "1750" + "l.eph", "d.eph", "h.eph" or
// "lat.eph".
std::string DayTableFileName(std::string_view body, DayKind kind, DayPeriod period);

// A midpoint ephemeris: its tables hold the midpoint of two bodies, whose longitudes jump to the
// other end of the midpoint axis when the two pass an opposition. The slots of the two bodies
// when its name tells them (0 when not).
struct MidpointPair {
    bool isMidpoint = false;
    int first = 0;
    int second = 0;
};

// The tables of all slots. A slot takes memory only once something is stored for it; days never
// loaded read 0.
struct DayTables {
    PerSlot<std::array<std::vector<float>, DayKindCount>> values;
    PerSlot<bool> has1900{};
    PerSlot<bool> has1750{};
    PerSlot<MidpointPair> midpoints{};  // set by the loader from the body names

    // The whole table of a slot and kind (DayTableLength values), or nullptr when nothing was
    // loaded for the slot.
    const float* Row(int slot, DayKind kind) const;
    // One day's value; 0 for slots or days without data.
    float At(int slot, DayKind kind, int day) const;
    bool Loaded(int slot) const {
        return slot >= 1 && slot <= BodyCount && (has1900[slot] || has1750[slot]);
    }

    // Copies values into days firstDay.. of a slot's table, allocating the slot on first use.
    void Store(int slot, DayKind kind, int firstDay, std::span<const float> days);
    // Forgets everything of a slot (its midpoint pair too) and frees its memory.
    void Clear(int slot);
    std::size_t MemoryBytes() const;
};

// Reads `count` numbers from the text of a day-table file into `out`. Numbers are separated by
// commas or line ends (blanks and tabs around them are ignored; a comma at the end of a line is
// allowed, an empty field between two commas is not). Numbers after the first `count` are
// ignored. Returns an empty string on success, else what is wrong ("holds only 17 of the 54788
// numbers", "line 3: \"abc\" is not a number").
std::string ParseDayTable(std::string_view text, std::size_t count, std::vector<float>& out);

// Reads and parses a whole day-table file; the error text names the file.
std::string ReadDayTableFile(const std::filesystem::path& path, std::size_t count,
                             std::vector<float>& out);

// The file `name` in `folder`; when no file has exactly that name, one whose name differs only in
// letter case (files copied from other systems). Empty when there is none.
std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& folder,
                                           std::string_view name);

// Loads the four tables of one period of a body from `folder` into `slot`: all four or none (a
// missing or damaged file leaves the slot as it was). Returns an empty string or the first error.
std::string LoadBodyDayTables(const std::filesystem::path& folder, std::string_view body, int slot,
                              DayPeriod period, DayTables& tables);

}  // namespace quintaro
