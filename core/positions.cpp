// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/positions.h"

#include <array>
#include <optional>

#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris.h"
#include "core/midpoints.h"
#include "core/sidereal.h"
#include "core/table_interpolation.h"

namespace quintaro {

namespace {

// Columns of the per-code result table.
enum Column {
    ColGeoLong,
    ColDecl,
    ColDeclSpeed,
    ColGeoLongSpeed,
    ColHelioLong,
    ColHelioLongSpeed,
    ColHelioLat,
    ColHelioLatSpeed
};

constexpr int CodeEarth = 4;

bool IsHouseCode(int code) {
    return code >= 12 && code <= 14;
}
bool HasNoHelio(int code) {
    return code == 0 || code == 1 || IsHouseCode(code);
}

// A position the ephemeris could not give is kept as missing, never as a number.
void PutPosition(WorkingPositions& work, int slot, float longitude, float second) {
    const bool missing = longitude == NoValue || second == NoValue;
    work.Missing[slot] = missing;
    work.WorkLong[slot] = missing ? 0.0 : longitude;
    work.WorkSecond[slot] = missing ? 0.0 : second;
}

// A value as the per-code result table keeps it: single precision, and a longitude just below
// 360 that rounds up to it written as 0.
float Single(double value, bool longitude = false) {
    const auto single = static_cast<float>(value);
    return longitude && single >= 360.0f ? 0.0f : single;
}

void StoreRow(const EphemerisPoint& p, Frame frame, float (&row)[8]) {
    if (frame == Frame::Geocentric) {
        row[ColGeoLong] = Single(p.longitude, true);
        row[ColGeoLongSpeed] = Single(p.longitudeSpeed);
        row[ColDecl] = Single(p.second);
        row[ColDeclSpeed] = Single(p.secondSpeed);
    } else {
        row[ColHelioLong] = Single(p.longitude, true);
        row[ColHelioLongSpeed] = Single(p.longitudeSpeed);
        row[ColHelioLat] = Single(p.second);
        row[ColHelioLatSpeed] = Single(p.secondSpeed);
    }
}

// A body whose reading failed: quantity by quantity, so that each failure is reported once and
// what can still be given is.
void FetchRowByQuantity(Ephemeris& ephemeris, double jd, int code, Frame frame, float (&row)[8]) {
    if (frame == Frame::Geocentric) {
        row[ColGeoLong] = ephemeris.GetValue(jd, code, KindGeoLongitude);
        row[ColGeoLongSpeed] = ephemeris.GetValue(jd, code, KindGeoLongitude + SpeedKind);
        row[ColDecl] = ephemeris.GetValue(jd, code, KindDeclination);
        row[ColDeclSpeed] = ephemeris.GetValue(jd, code, KindDeclination + SpeedKind);
    } else {
        row[ColHelioLong] = ephemeris.GetValue(jd, code, KindHelioLongitude);
        row[ColHelioLongSpeed] = ephemeris.GetValue(jd, code, KindHelioLongitude + SpeedKind);
        row[ColHelioLat] = ephemeris.GetValue(jd, code, KindHelioLatitude);
        row[ColHelioLatSpeed] = ephemeris.GetValue(jd, code, KindHelioLatitude + SpeedKind);
    }
}

// Whether the files hold nothing of the body in the frame: its row is not read.
bool NothingToRead(int code, Frame frame) {
    return frame == Frame::Geocentric ? code == CodeEarth : HasNoHelio(code);
}

void GeoFromRow(int slot, const float (&row)[8], WorkingPositions& work) {
    const int code = EphemerisCodeOfSlot(slot);
    PutPosition(work, slot, row[ColGeoLong], row[ColDecl]);
    const float speed = row[ColGeoLongSpeed];
    work.RetroMarks.set(slot, speed < 0 && speed != NoValue ? 'R' : ' ');
    if (IsHouseCode(code) || work.Missing[slot]) {
        work.RetroMarks.set(slot, ' ');
        work.DirectionMarks.set(slot, ' ');
    } else {
        work.DirectionMarks.set(
            slot, DirectionMark(row[ColDecl], double(row[ColDecl]) + row[ColDeclSpeed]));
    }
}

void HelioFromRow(int slot, const float (&row)[8], WorkingPositions& work) {
    const int code = EphemerisCodeOfSlot(slot);
    PutPosition(work, slot, row[ColHelioLong], row[ColHelioLat]);
    work.RetroMarks.set(slot, ' ');
    work.DirectionMarks.set(slot, HasNoHelio(code) || work.Missing[slot]
                                      ? ' '
                                      : DirectionMark(row[ColHelioLat], double(row[ColHelioLat]) +
                                                                            row[ColHelioLatSpeed]));
}

bool TablesCover(const DayTables& tables, int slot, long day) {
    if (slot < 1 || slot > BodyCount) return false;
    return day >= Start1900 ? tables.has1900[slot] : tables.has1750[slot];
}

}  // namespace

std::string EphemerisRangeText(bool use1750) {
    return use1750 ? "1750-01-01 to 2050-01-01 (UT)" : "1900-01-01 to 2050-01-01 (UT)";
}

bool MomentInEphemerisRange(double jd, bool use1750) {
    return DayInRange(SplitDay(jd), use1750);
}

void ShowRangeMessage(Messages& messages, bool use1750) {
    messages.show("Error - Some Data Produced Is Inaccurate",
                  "You have entered a date outside the range of my ephemeris, which covers " +
                      EphemerisRangeText(use1750) + ". Please enter another date.",
                  MessageIcon::Critical);
}

Positions::Positions(Ephemeris& ephemeris, const DayTables& tables, Messages& messages)
    : ephemeris_(&ephemeris), tables_(&tables), messages_(&messages) {}

// The sidereal offsets of this moment, kept as those of the last moment computed.
SiderealOffsets Positions::CurrentOffsets(double jd) {
    if (!sidereal.on) return {};
    SiderealOffsets offsets = ComputeSiderealOffsets(jd);
    offsetA_ = offsets.a;
    offsetB_ = offsets.b;
    return offsets;
}

bool Positions::InRange(double jd) const {
    return MomentInEphemerisRange(jd, Use1750);
}

bool Positions::ComputeGeoPositions(double jd, int slot, WorkingPositions& work) {
    return ComputeRun(jd, slot, Frame::Geocentric, work);
}

bool Positions::ComputeHelioPositions(double jd, int slot, WorkingPositions& work) {
    return ComputeRun(jd, slot, Frame::Heliocentric, work);
}

// The per-code rows of the planetary slots first..last: all bodies read together. The geocentric
// Earth keeps what its row held; the heliocentric Sun and Moon read 0.
void Positions::ReadEphemerisRows(double jd, Frame frame, int first, int last) {
    std::array<int, SlotJuno> codes{};
    std::size_t count = 0;
    for (int s = first; s <= last; ++s) {
        const int code = EphemerisCodeOfSlot(s);
        if (!NothingToRead(code, frame)) {
            codes[count++] = code;
        } else if (frame == Frame::Heliocentric) {
            float(&row)[8] = codeResults_[code];
            row[ColHelioLong] = row[ColHelioLongSpeed] = row[ColHelioLat] = row[ColHelioLatSpeed] =
                0;
        }
    }
    std::array<std::optional<EphemerisPoint>, SlotJuno> points;
    ephemeris_->ReadBodies(jd, frame, {codes.data(), count}, {points.data(), count}, cursor_);
    for (std::size_t i = 0; i < count; ++i) {
        float(&row)[8] = codeResults_[codes[i]];
        if (points[i]) {
            StoreRow(*points[i], frame, row);
        } else {
            FetchRowByQuantity(*ephemeris_, jd, codes[i], frame, row);
        }
    }
}

// One run over a slot or all slots. Geocentrically, slots 18..20 come from the house computation;
// heliocentrically they take the (empty) table path and read 0.
bool Positions::ComputeRun(double jd, int slot, Frame frame, WorkingPositions& work) {
    const DaySplit split = SplitDay(jd);
    if (!DayInRange(split, Use1750)) {
        ShowRangeMessage(*messages_, Use1750);
        PositionsValid = false;
        return false;
    }
    const bool geo = frame == Frame::Geocentric;
    const SiderealOffsets offsets = CurrentOffsets(jd);
    const int first = slot <= 0 ? 1 : slot;
    const int last = std::min(slot <= 0 ? BodyCount : slot, BodyCount);
    if (first <= SlotJuno) ReadEphemerisRows(jd, frame, first, std::min<int>(last, SlotJuno));
    for (int s = first; s <= last; ++s) {
        if (geo && s >= SlotAscendant && s <= SlotPartOfFortune) continue;
        if (s <= SlotJuno) {
            const auto& row = codeResults_[EphemerisCodeOfSlot(s)];
            if (geo)
                GeoFromRow(s, row, work);
            else
                HelioFromRow(s, row, work);
        } else {
            FromTables(jd, split, s, frame, work);
        }
        if (sidereal.on && !work.Missing[s])
            work.WorkLong[s] = ApplySiderealOffset(work.WorkLong[s], sidereal.type, offsets);
    }
    return true;
}

BodyPoint Positions::PositionAt(double jd, int slot, Frame frame) {
    return PositionAt(jd, slot, frame, cursor_);
}

BodyPoint Positions::PositionAt(double jd, int slot, Frame frame, EphemerisCursor& cursor) const {
    const DaySplit split = SplitDay(jd);
    if (slot < 1 || slot > BodyCount || !DayInRange(split, Use1750)) return {};
    BodyPoint point = TropicalPositionAt(jd, split, slot, frame, cursor);
    if (point.valid && sidereal.on) {
        point.longitude =
            ApplySiderealOffset(point.longitude, sidereal.type, ComputeSiderealOffsets(jd));
    }
    return point;
}

struct Positions::TableBodyReading {
    BodyPoint point;
    bool retrograde = false;
};

// PositionAt before the sidereal correction, for a moment inside the range.
BodyPoint Positions::TropicalPositionAt(double jd, const DaySplit& split, int slot, Frame frame,
                                        EphemerisCursor& cursor) const {
    if (slot <= SlotPartOfFortune) {
        const int code = EphemerisCodeOfSlot(slot);
        if (IsHouseCode(code) || NothingToRead(code, frame)) return {};
        const auto read = ephemeris_->Read(jd, code, frame, cursor);
        if (!read) return {};
        return {read->longitude, read->second, read->longitudeSpeed, read->secondSpeed, true};
    }
    if (!TablesCover(*tables_, slot, split.day)) return {};
    return TableBodyAt(jd, split, slot, frame, cursor).point;
}

// A free-slot body. A midpoint ephemeris whose pair can be read at the moment is rebuilt from the
// pair: the planetary files follow the pair closely even where a daily table cannot (within a day
// of an opposition, or when light passing the Sun bends), and the nearer midpoint is what the
// tables hold. Otherwise its tables are interpolated; a slot without tables reads 0.
Positions::TableBodyReading Positions::TableBodyAt(double jd, const DaySplit& split, int slot,
                                                   Frame frame, EphemerisCursor& cursor) const {
    const bool covered = TablesCover(*tables_, slot, split.day);
    const MidpointPair& pair = tables_->midpoints[slot];
    if (covered && pair.isMidpoint) {
        if (auto p = PairMidpoint(jd, split, pair, frame, cursor))
            return {*p, p->longitudeSpeed < 0};
    }
    const bool geo = frame == Frame::Geocentric;
    const float* longitudes = tables_->Row(slot, geo ? DayKind::GeoLong : DayKind::HelioLong);
    const float* seconds = tables_->Row(slot, geo ? DayKind::GeoDecl : DayKind::HelioLat);
    const TableLongitude longitude =
        covered && pair.isMidpoint ? InterpolateMidpointLongitude(longitudes, split.day, split.frac)
                                   : InterpolateLongitude(longitudes, split.day, split.frac);
    const TableSecond second = InterpolateSecond(seconds, split.day, split.frac);
    return {{longitude.longitude, second.value, longitude.speed, second.speed, covered},
            longitude.retrograde};
}

// The nearer midpoint of the pair's longitudes at the moment and the means of their second
// coordinates, when both bodies can be read. The bodies of a pair are never midpoints themselves
// (the loader sees to that; checked again against a loop).
std::optional<BodyPoint> Positions::PairMidpoint(double jd, const DaySplit& split,
                                                 const MidpointPair& pair, Frame frame,
                                                 EphemerisCursor& cursor) const {
    for (int member : {pair.first, pair.second})
        if (member < 1 || member > BodyCount || tables_->midpoints[member].isMidpoint)
            return std::nullopt;
    const BodyPoint a = TropicalPositionAt(jd, split, pair.first, frame, cursor);
    const BodyPoint b = TropicalPositionAt(jd, split, pair.second, frame, cursor);
    if (!a.valid || !b.valid) return std::nullopt;
    return BodyPoint{LongitudeMidpoint(a.longitude, b.longitude), (a.second + b.second) / 2,
                     (a.longitudeSpeed + b.longitudeSpeed) / 2, (a.secondSpeed + b.secondSpeed) / 2,
                     true};
}

void Positions::FromTables(double jd, const DaySplit& split, int slot, Frame frame,
                           WorkingPositions& work) {
    const bool geo = frame == Frame::Geocentric;
    // A free slot whose tables were not loaded (missing or damaged files) has no position; slots
    // 18..20 have none of their own heliocentrically and read 0.
    if (slot >= FirstFreeSlot && !TablesCover(*tables_, slot, split.day)) {
        PutPosition(work, slot, NoValue, NoValue);
        work.RetroMarks.set(slot, ' ');
        work.DirectionMarks.set(slot, ' ');
        return;
    }
    const TableBodyReading r = TableBodyAt(jd, split, slot, frame, cursor_);
    work.Missing[slot] = false;
    work.WorkLong[slot] = r.point.longitude;
    work.RetroMarks.set(slot, geo && r.retrograde ? 'R' : ' ');
    work.WorkSecond[slot] = r.point.second;
    const float* seconds = tables_->Row(slot, geo ? DayKind::GeoDecl : DayKind::HelioLat);
    work.DirectionMarks.set(slot, TableDirection(seconds, split.day));
}

PositionAtMoment Positions::AsFunction() const {
    return [this, cursor = EphemerisCursor()](double jd, int slot, Frame frame) mutable {
        return PositionAt(jd, slot, frame, cursor);
    };
}

}  // namespace quintaro
