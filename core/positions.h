// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/chart_positions.h"
#include "core/ephemeris.h"
#include "core/messages.h"

namespace quintaro {

struct DayTables;
struct DaySplit;
struct MidpointPair;
struct SiderealOffsets;

// One body at one moment: longitude and declination (geocentric) or longitude and latitude
// (heliocentric), with their daily speeds.
struct BodyPoint {
    double longitude = 0;
    double second = 0;
    double longitudeSpeed = 0;
    double secondSpeed = 0;
    bool valid = false;
};

// Positions of any body at any moment without touching the chart record: what the applying
// test, the exact-time search, the aspectarian and the returns call. A function keeps the cursor
// of its scan: one function per scan and thread.
using PositionAtMoment = std::function<BodyPoint(double jd, int slot, Frame frame)>;

// The moments the day tables and planetary files cover, as the range message names them.
std::string EphemerisRangeText(bool use1750);
// Whether positions can be computed for a moment: 1900-01-01 .. 2050-01-01, from 1750-01-01
// with the 1750 tables.
bool MomentInEphemerisRange(double jd, bool use1750);
// "You have entered a date outside the range of my ephemeris, which covers ..." (critical).
void ShowRangeMessage(Messages& messages, bool use1750);

struct SiderealSettings {
    bool on = false;  // while the sidereal chart window is open
    int type = 0;     // 0 "SVP (Sidereal Vernal Point)", 1 "True Ayanamsa"
};

// Positions at a moment from the planetary files (slots 1..17) and the day tables (21..53).
class Positions {
  public:
    Positions(Ephemeris& ephemeris, const DayTables& tables, Messages& messages);

    bool Use1750 = false;
    SiderealSettings sidereal;
    // Set to true by the caller before a series of runs; a run outside the range clears it.
    bool PositionsValid = true;

    // Fill `work` for one slot 1..53, or every slot when slot <= 0. Outside the ephemeris range
    // they show the range message, clear PositionsValid and return false without touching `work`.
    // Each run writes both marks of every slot it computes.
    bool ComputeGeoPositions(double jd, int slot, WorkingPositions& work);
    bool ComputeHelioPositions(double jd, int slot, WorkingPositions& work);

    // Whether jd lies inside the range of the loaded data (1900 or 1750 tables).
    bool InRange(double jd) const;

    // One body at one moment; shows no message and leaves the chart record alone. Invalid outside
    // the range, for a failed ephemeris value, for a free slot without tables for that day, and
    // where the body has no position of its own in the frame (geocentric Earth and slots 18..20,
    // heliocentric Sun and Moon, which read 0). This form reads through the object's own cursor.
    BodyPoint PositionAt(double jd, int slot, Frame frame);
    // The same through the caller's cursor: changes nothing shared, so scans on several threads
    // can read at once, each with its own cursor (and the settings left alone meanwhile).
    BodyPoint PositionAt(double jd, int slot, Frame frame, EphemerisCursor& cursor) const;
    // PositionAt as a function with a cursor of its own.
    PositionAtMoment AsFunction() const;

    double SiderealOffsetA() const { return offsetA_; }
    double SiderealOffsetB() const { return offsetB_; }

  private:
    SiderealOffsets CurrentOffsets(double jd);
    bool ComputeRun(double jd, int slot, Frame frame, WorkingPositions& work);
    void ReadEphemerisRows(double jd, Frame frame, int first, int last);
    void FromTables(double jd, const DaySplit& split, int slot, Frame frame,
                    WorkingPositions& work);
    BodyPoint TropicalPositionAt(double jd, const DaySplit& split, int slot, Frame frame,
                                 EphemerisCursor& cursor) const;
    struct TableBodyReading;
    TableBodyReading TableBodyAt(double jd, const DaySplit& split, int slot, Frame frame,
                                 EphemerisCursor& cursor) const;
    std::optional<BodyPoint> PairMidpoint(double jd, const DaySplit& split,
                                          const MidpointPair& pair, Frame frame,
                                          EphemerisCursor& cursor) const;

    Ephemeris* ephemeris_;
    const DayTables* tables_;
    Messages* messages_;
    double offsetA_ = 0, offsetB_ = 0;
    float codeResults_[EphemerisCodeCount][8] = {};
    EphemerisCursor cursor_;
};

}  // namespace quintaro
