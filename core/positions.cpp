// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/positions.h"

#include "core/day_tables.h"
#include "core/degrees.h"
#include "core/ephemeris.h"
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

void GeoFromEphemeris(Ephemeris& ephemeris, double jd, int slot, float (&row)[8],
                      WorkingPositions& work) {
    const int code = EphemerisCodeOfSlot(slot);
    if (code != CodeEarth) {  // Earth has no geocentric position; its row keeps what it had
        row[ColGeoLong] = ephemeris.GetValue(jd, code, KindGeoLongitude);
        row[ColGeoLongSpeed] = ephemeris.GetValue(jd, code, KindGeoLongitude + SpeedKind);
        row[ColDecl] = ephemeris.GetValue(jd, code, KindDeclination);
        row[ColDeclSpeed] = ephemeris.GetValue(jd, code, KindDeclination + SpeedKind);
    }
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

void HelioFromEphemeris(Ephemeris& ephemeris, double jd, int slot, float (&row)[8],
                        WorkingPositions& work) {
    const int code = EphemerisCodeOfSlot(slot);
    if (HasNoHelio(code)) {
        row[ColHelioLong] = row[ColHelioLongSpeed] = row[ColHelioLat] = row[ColHelioLatSpeed] = 0;
    } else {
        row[ColHelioLong] = ephemeris.GetValue(jd, code, KindHelioLongitude);
        row[ColHelioLongSpeed] = ephemeris.GetValue(jd, code, KindHelioLongitude + SpeedKind);
        row[ColHelioLat] = ephemeris.GetValue(jd, code, KindHelioLatitude);
        row[ColHelioLatSpeed] = ephemeris.GetValue(jd, code, KindHelioLatitude + SpeedKind);
    }
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

void FromTables(const DayTables& tables, Frame frame, int slot, const DaySplit& split,
                WorkingPositions& work) {
    const bool geo = frame == Frame::Geocentric;
    // A free slot whose tables were not loaded (missing or damaged files) has no position; slots
    // 18..20 have none of their own heliocentrically and read 0.
    if (slot >= FirstFreeSlot && !TablesCover(tables, slot, split.day)) {
        PutPosition(work, slot, NoValue, NoValue);
        work.RetroMarks.set(slot, ' ');
        work.DirectionMarks.set(slot, ' ');
        return;
    }
    const float* longitudes = tables.Row(slot, geo ? DayKind::GeoLong : DayKind::HelioLong);
    const float* seconds = tables.Row(slot, geo ? DayKind::GeoDecl : DayKind::HelioLat);
    TableLongitude longitude = InterpolateLongitude(longitudes, split.day, split.frac);
    work.Missing[slot] = false;
    work.WorkLong[slot] = longitude.longitude;
    work.RetroMarks.set(slot, geo && longitude.retrograde ? 'R' : ' ');
    work.WorkSecond[slot] = InterpolateSecond(seconds, split.day, split.frac).value;
    work.DirectionMarks.set(slot, TableDirection(seconds, split.day));
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
    for (int s = first; s <= last; ++s) {
        if (geo && s >= SlotAscendant && s <= SlotPartOfFortune) continue;
        if (s <= SlotJuno) {
            auto& row = codeResults_[EphemerisCodeOfSlot(s)];
            if (geo)
                GeoFromEphemeris(*ephemeris_, jd, s, row, work);
            else
                HelioFromEphemeris(*ephemeris_, jd, s, row, work);
        } else {
            FromTables(*tables_, frame, s, split, work);
        }
        if (sidereal.on && !work.Missing[s])
            work.WorkLong[s] = ApplySiderealOffset(work.WorkLong[s], sidereal.type, offsets);
    }
    return true;
}

BodyPoint Positions::PositionAt(double jd, int slot, Frame frame) {
    BodyPoint point;
    const DaySplit split = SplitDay(jd);
    if (slot < 1 || slot > BodyCount || !DayInRange(split, Use1750)) return point;
    const bool geo = frame == Frame::Geocentric;
    if (slot <= SlotPartOfFortune) {
        const int code = EphemerisCodeOfSlot(slot);
        if (IsHouseCode(code) || (geo ? code == CodeEarth : HasNoHelio(code))) return point;
        const int longKind = geo ? KindGeoLongitude : KindHelioLongitude;
        const int secondKind = geo ? KindDeclination : KindHelioLatitude;
        point.longitude = ephemeris_->Value(jd, code, longKind);
        point.longitudeSpeed = ephemeris_->Value(jd, code, longKind + SpeedKind);
        point.second = ephemeris_->Value(jd, code, secondKind);
        point.secondSpeed = ephemeris_->Value(jd, code, secondKind + SpeedKind);
        point.valid = point.longitude != NoValue && point.longitudeSpeed != NoValue &&
                      point.second != NoValue && point.secondSpeed != NoValue;
    } else {
        if (!TablesCover(*tables_, slot, split.day)) return point;
        const float* longitudes = tables_->Row(slot, geo ? DayKind::GeoLong : DayKind::HelioLong);
        const float* seconds = tables_->Row(slot, geo ? DayKind::GeoDecl : DayKind::HelioLat);
        TableLongitude longitude = InterpolateLongitude(longitudes, split.day, split.frac);
        TableSecond second = InterpolateSecond(seconds, split.day, split.frac);
        point.longitude = longitude.longitude;
        point.longitudeSpeed = longitude.speed;
        point.second = second.value;
        point.secondSpeed = second.speed;
        point.valid = true;
    }
    if (point.valid && sidereal.on) {
        point.longitude =
            ApplySiderealOffset(point.longitude, sidereal.type, ComputeSiderealOffsets(jd));
    }
    return point;
}

PositionAtMoment Positions::AsFunction() {
    return [this](double jd, int slot, Frame frame) { return PositionAt(jd, slot, frame); };
}

}  // namespace quintaro
