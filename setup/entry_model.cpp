// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_model.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

namespace quintaro {

namespace {

// True when the whole text (blanks around it aside) is one decimal number.
bool IsNumberText(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return digits && text.find_first_not_of(" \t", i) == std::string::npos;
}

// The hour rule without the message: 0 becomes 12, above 12 selects PM and loses 12.
void NormaliseNumericHour(EntrySection& section) {
    double hour = LeadingNumber(section.hour);
    if (hour == 0) {
        section.hour = "12";
        return;
    }
    if (hour > 12) {
        section.pm = true;
        // A typed 25 turns into 13 and then, by the same rule, into 1.
        while (hour > 12) hour -= 12;
        section.hour = FormatNumber(hour, "0.#####");
    }
}

void FillDateTime(EntrySection& section, const DateTimeParts& now) {
    section.pm = now.hour >= 12;
    section.month = FormatDate(now, "m");
    section.day = FormatDate(now, "d");
    section.year = FormatDate(now, "yyyy");
    section.hour = FormatDate(now, "h");
    section.minute = FormatDate(now, "n");
    NormaliseNumericHour(section);
}

void FillHomeLocation(EntrySection& section, const HomeLocation& home) {
    section.zone = NumberText(home.zone);
    section.longDeg = NumberText(home.longitude.angle.units);
    section.longMin = NumberText(home.longitude.angle.minutes);
    section.east = home.longitude.side == EastWest::East;
    section.latDeg = NumberText(home.latitude.angle.units);
    section.latMin = NumberText(home.latitude.angle.minutes);
    section.south = home.latitude.side == NorthSouth::South;
}

// Degrees and minutes of two fields and whether the other side (East, South) is chosen. A reading
// of 0°00' is on the first side (West, North); a negative reading counts on the other side.
struct SidedAngle {
    UnitsAndMinutes angle;
    bool otherSide = false;
};
SidedAngle ReadAngle(const std::string& degrees, const std::string& minutes, bool otherSide) {
    SidedAngle read{{LeadingNumber(degrees), LeadingNumber(minutes)}, otherSide};
    if (read.angle.isZero()) read.otherSide = false;
    if (read.angle.hhmm() < 0) {
        read.angle = {-read.angle.units, -read.angle.minutes};
        read.otherSide = !read.otherSide;
    }
    return read;
}

constexpr std::array<LocationPresetPlace, 4> kPresets = {{
    {LocationPreset::NyseEst, "NYSE - EST", "5", "73", "59", "40", "46"},
    {LocationPreset::NyseEdt, "NYSE - EDT", "4", "73", "59", "40", "46"},
    {LocationPreset::CmeCst, "CME/CBOE - CST", "6", "87", "38", "41", "52"},
    {LocationPreset::CmeCdt, "CME/CBOE - CDT", "5", "87", "38", "41", "52"},
}};

}  // namespace

DateTimeParts SystemUtcTime() {
    std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

DateTimeParts CivilTimeInZone(const DateTimeParts& utc, double zoneWest) {
    using namespace std::chrono;
    const sys_days date = year_month_day{year{utc.year}, month{static_cast<unsigned>(utc.month)},
                                         day{static_cast<unsigned>(utc.day)}};
    const long offset = std::isfinite(zoneWest) ? std::lround(zoneWest * 3600.0) : 0;
    const sys_seconds local =
        date + hours{utc.hour} + minutes{utc.minute} + seconds{utc.second} - seconds{offset};
    const sys_days localDate = floor<days>(local);
    const year_month_day ymd{localDate};
    const hh_mm_ss time{local - localDate};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(unsigned(ymd.month())),
            static_cast<int>(unsigned(ymd.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

DateTimeParts HomeTime(const UtcClock& clock, const HomeLocation& home) {
    return CivilTimeInZone(clock(), home.zone);
}

std::string NumberText(double value) {
    if (value == 0.0 || !std::isfinite(value)) return "0";  // also a negative zero
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer.data(), result.ptr);
}

void FillNatalNow(EntryModel& model, const UtcClock& clock, const HomeLocation& home) {
    model.natal.name = "Now";
    FillDateTime(model.natal, HomeTime(clock, home));
    FillHomeLocation(model.natal, home);
}

void FillTransitNow(EntryModel& model, const UtcClock& clock, const HomeLocation& home) {
    FillDateTime(model.transit, HomeTime(clock, home));
    FillHomeLocation(model.transit, home);
}

void NatalNowButton(EntryModel& model, const UtcClock& clock) {
    model.natal.name = "Now";
    FillDateTime(model.natal, CivilTimeInZone(clock(), LeadingNumber(model.natal.zone)));
}

void TransitNowButton(EntryModel& model, const UtcClock& clock) {
    model.transit.name = "Now";
    FillDateTime(model.transit, CivilTimeInZone(clock(), LeadingNumber(model.transit.zone)));
}

EntryModel OpenEntryModel(const UtcClock& clock, const HomeLocation& home) {
    EntryModel model;
    FillNatalNow(model, clock, home);
    FillTransitNow(model, clock, home);
    model.transit.name = "Transits";
    return model;
}

int FieldInteger(const std::string& text) {
    double value = std::nearbyint(LeadingNumber(text));
    if (value > 32767) return 32767;
    if (value < -32768) return -32768;
    return static_cast<int>(value);
}

ChartData ReadSection(const EntrySection& s, int dateStyleCode) {
    ChartData data;
    data.day = FieldInteger(s.day);
    data.year = FieldInteger(s.year);
    data.month = FieldInteger(s.month);
    switch (dateStyleCode) {
        case DayMonthYear:
            data.dateText = s.day + "/" + s.month + "/" + s.year;
            break;
        case YearMonthDay:
            data.dateText = s.year + "/" + s.month + "/" + s.day;
            break;
        default:
            data.dateText = s.month + "/" + s.day + "/" + s.year;
            break;
    }
    data.time = {{LeadingNumber(s.hour), LeadingNumber(s.minute)},
                 s.pm ? Meridiem::PM : Meridiem::AM};
    data.zone = LeadingNumber(s.zone);
    const SidedAngle longitude = ReadAngle(s.longDeg, s.longMin, s.east);
    data.longitude = {longitude.angle, longitude.otherSide ? EastWest::East : EastWest::West};
    const SidedAngle latitude = ReadAngle(s.latDeg, s.latMin, s.south);
    data.latitude = {latitude.angle, latitude.otherSide ? NorthSouth::South : NorthSouth::North};
    return data;
}

namespace {
void ShowHourWarning(Section which, Messages& messages) {
    messages.show("Warning!",
                  which == Section::Natal ? "Please fill in a value for birth hour."
                                          : "Please fill in a value for transit hour.",
                  MessageIcon::Information);
}
}  // namespace

void NormaliseHour(EntrySection& section, Section which, Messages& messages) {
    if (section.hour.empty()) return;
    if (!IsNumberText(section.hour)) {
        ShowHourWarning(which, messages);
        return;
    }
    NormaliseNumericHour(section);
}

bool CheckHourText(const EntrySection& section, Section which, Messages& messages) {
    if (IsNumberText(section.hour)) return true;
    ShowHourWarning(which, messages);
    return false;
}

namespace {
// Zone and coordinates with their directions.
void CopyLocation(const EntrySection& from, EntrySection& to) {
    to.zone = from.zone;
    to.longDeg = from.longDeg;
    to.longMin = from.longMin;
    to.east = from.east;
    to.latDeg = from.latDeg;
    to.latMin = from.latMin;
    to.south = from.south;
}
}  // namespace

void CopyNatalToTransit(EntryModel& model) {
    const EntrySection& n = model.natal;
    EntrySection& t = model.transit;
    t.hour = n.hour;
    t.minute = n.minute;
    t.pm = n.pm;
    CopyLocation(n, t);
}

void SwapNatalTransit(EntryModel& model) {
    std::swap(model.natal, model.transit);
}

const LocationPresetPlace& PresetPlace(LocationPreset preset) {
    return kPresets[static_cast<size_t>(preset)];
}

void SetPresetLocation(EntryModel& model, LocationPreset preset) {
    const LocationPresetPlace& location = PresetPlace(preset);
    EntrySection& n = model.natal;
    n.zone = location.zone;
    n.longDeg = location.longDeg;
    n.longMin = location.longMin;
    n.latDeg = location.latDeg;
    n.latMin = location.latMin;
    n.east = false;
    n.south = false;
    CopyLocation(n, model.transit);
}

void ToggleNatTran(EntryOptions& options) {
    options.natTran = options.natTran == "t" ? "n" : "t";
}

Section SteppedSection(const EntryOptions& options) {
    return options.natTran == "t" ? Section::Transit : Section::Natal;
}

double OrbGeoLong(const EntryOptions& o) {
    return LeadingNumber(o.orbGeoLong);
}
double OrbGeoDecl(const EntryOptions& o) {
    return LeadingNumber(o.orbGeoDecl);
}
double OrbHelioLong(const EntryOptions& o) {
    return LeadingNumber(o.orbHelioLong);
}
double OrbHelioLat(const EntryOptions& o) {
    return LeadingNumber(o.orbHelioLat);
}
double TimeOrb(const EntryOptions& o) {
    return LeadingNumber(o.timeOrb);
}

int NatalHarmonic(const EntryOptions& o) {
    int h = FieldInteger(o.natalHarmonic);
    return h <= 0 ? 1 : h;
}

int TransitHarmonic(const EntryOptions& o) {
    int h = FieldInteger(o.transitHarmonic);
    return h <= 0 ? 1 : h;
}

int Lens(const EntryOptions& o) {
    int lens = FieldInteger(o.lens);
    return lens < 1 ? 12 : lens;
}

}  // namespace quintaro
