// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cmath>
#include <fstream>
#include <vector>

#include "core/day_tables.h"
#include "core/ephemeris.h"
#include "core/ephemeris_file_format.h"
#include "core/midpoints.h"
#include "core/positions.h"
#include "recording_messages.h"
#include "sampled_entries.h"
#include "temp_folder.h"

namespace quintaro::test {

// A small sky written by the test itself, from 2000-01-01 0h for 800 days: the Sun, Mars in both
// frames, Jupiter and Saturn geocentrically (each a chain of entries, so that the reader's
// lookups by moment are used), a single body in free slot 21 and the midpoint of Saturn and
// Jupiter in slot 22. Saturn and Jupiter pass an exact opposition 71.43 days after the start.
struct SyntheticSky {
    static constexpr double First = 2451544.5;  // 2000-01-01 0h UT
    static constexpr long FirstDay = 91310;     // its day in the tables
    static constexpr int Days = 800;
    static constexpr int SingleSlot = 21, MidpointSlot = 22;

    static double Sun(double jd) { return std::fmod(280 + 0.9856 * (jd - First), 360.0); }
    static double Mars(double jd) {
        return std::fmod(300 + 0.5 * (jd - First) + 8 * std::sin((jd - First) / 90), 360.0);
    }
    static double MarsLatitude(double jd) { return 1.5 * std::sin((jd - First) / 150); }
    static double Jupiter(double jd) { return std::fmod(95 + 0.1 * (jd - First), 360.0); }
    static double Saturn(double jd) { return 280 + 0.03 * (jd - First); }
    static double Single(double jd) { return std::fmod(350 + 0.2 * (jd - First), 360.0); }
    static double Zero(double) { return 0; }

    TempFolder folder;
    RecordingMessages messages;
    Ephemeris ephemeris{messages};
    DayTables tables;
    Positions positions{ephemeris, tables, messages};

    SyntheticSky() {
        std::vector<EphemerisEntryData> entries = {
            SampledEntry("SUN", 0, First, 1.0, Days + 1, Sun),
            SampledEntry("SUN", 1, First, 1.0, Days + 1, Zero),
            SampledEntry("MAR", 4, First, 2.0, Days / 2 + 1, Mars),
            SampledEntry("MAR", 5, First, 2.0, Days / 2 + 1, MarsLatitude)};
        auto chain = [&](const char* name, int component, double step, int count, int pieces,
                         double (*f)(double)) {
            for (auto& e : SampledChain(name, component, First, step, count, pieces, f))
                entries.push_back(std::move(e));
        };
        chain("MAR", 0, 0.5, 210, 8, Mars);
        chain("MAR", 1, 0.5, 210, 8, MarsLatitude);
        chain("JUP", 0, 1.0, 110, 8, Jupiter);
        chain("JUP", 1, 1.0, 110, 8, Zero);
        chain("SAT", 0, 2.0, 60, 8, Saturn);
        chain("SAT", 1, 2.0, 60, 8, Zero);
        const auto path = folder.path() / "ephem000.dat";
        const std::string bytes = SerializeEphemerisFile(First, First + Days, "sky", entries);
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ephemeris.OpenFile(path, 0);

        std::vector<float> single, midpoint, zeros(Days, 0.0f);
        for (int d = 0; d < Days; ++d) {
            single.push_back(static_cast<float>(Single(First + d)));
            midpoint.push_back(
                static_cast<float>(LongitudeMidpoint(Saturn(First + d), Jupiter(First + d))));
        }
        for (DayKind kind : AllDayKinds) {
            const bool longitude = kind == DayKind::GeoLong || kind == DayKind::HelioLong;
            tables.Store(SingleSlot, kind, FirstDay, longitude ? single : zeros);
            tables.Store(MidpointSlot, kind, FirstDay, longitude ? midpoint : zeros);
        }
        tables.has1900[SingleSlot] = tables.has1900[MidpointSlot] = true;
        tables.midpoints[MidpointSlot] = {true, SlotSaturn, SlotJupiter};
    }
};

}  // namespace quintaro::test
