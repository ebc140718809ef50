// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/entry_text_forms.h"

#include <fmt/format.h>

#include <cmath>
#include <regex>

#include "setup/entry_model.h"

namespace quintaro::cli {

namespace {

// Lower case, without blanks, with the typographic marks replaced by ASCII ones: "°" and "º"
// become "d", primes and apostrophes "'", double primes and quotes '"', the minus sign "-".
std::string Normalised(std::string_view text) {
    static const std::pair<std::string_view, char> kMarks[] = {
        {"\u00b0", 'd'}, {"\u00ba", 'd'}, {"\u2032", '\''}, {"\u2019", '\''},
        {"\u2033", '"'}, {"\u201d", '"'}, {"\u2212", '-'},
    };
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [mark, ascii] : kMarks) {
            if (text.substr(i, mark.size()) == mark) {
                out += ascii;
                i += mark.size();
                replaced = true;
                break;
            }
        }
        if (replaced) continue;
        const char c = text[i++];
        if (c == ' ' || c == '\t') continue;
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

double Number(const std::ssub_match& match) {
    return match.matched ? std::stod(match.str()) : 0.0;
}

std::string Refusal(std::string_view what, std::string_view text, const std::string& reason,
                    std::string_view forms) {
    return fmt::format("'{}' is not {}: {}. Accepted forms: {}", text, what, reason, forms);
}

// One geographic axis: its limit, its letters and which side the workstation counts positive.
struct Axis {
    const char* what;  // "a longitude"
    double limit;      // degrees
    char positive;     // letter of the side that is positive in degrees.minutes: 'w' or 'n'
    char negative;     // 'e' or 's'
    std::string_view forms;
    bool longitude;
};

const Axis kLongitudeAxis{"a longitude", 180.0, 'w', 'e', kLongitudeForms, true};
const Axis kLatitudeAxis{"a latitude", 90.0, 'n', 's', kLatitudeForms, false};

struct SidedAngle {
    UnitsAndMinutes angle;
    bool negativeSide = false;  // East or South
};

// Degrees, minutes and seconds into whole degrees and minutes; checks the ranges.
std::optional<SidedAngle> Compose(double degrees, double minutes, double seconds, bool negativeSide,
                                  const Axis& axis, std::string& reason) {
    const double total = degrees + minutes / 60.0 + seconds / 3600.0;
    if (minutes >= 60.0)
        reason = "the minutes go from 0 to 59";
    else if (seconds >= 60.0)
        reason = "the seconds go from 0 to 59";
    else if (total > axis.limit)
        reason = fmt::format("it lies beyond {}\u00b0", axis.limit);
    if (!reason.empty()) return std::nullopt;
    const double whole = std::floor(total);
    // Minutes kept to 1e-6 so that a decimal input does not carry float noise into the fields.
    const double rest = std::round((total - whole) * 60.0 * 1e6) / 1e6;
    SidedAngle out{{whole, rest}, negativeSide && total > 0.0};
    if (rest >= 60.0) out.angle = {whole + 1.0, 0.0};
    return out;
}

std::optional<SidedAngle> SideFromLetter(char letter, double degrees, double minutes,
                                         double seconds, const Axis& axis, std::string& reason) {
    if (letter != axis.positive && letter != axis.negative) {
        reason = axis.longitude ? "N and S mark a latitude; a longitude takes E or W"
                                : "E and W mark a longitude; a latitude takes N or S";
        return std::nullopt;
    }
    return Compose(degrees, minutes, seconds, letter == axis.negative, axis, reason);
}

std::optional<SidedAngle> ParseAngle(std::string_view text, const Axis& axis, std::string& error) {
    static const std::regex letterForm(R"(^(\d{1,3})([nsew])(\d{1,2}(?:\.\d+)?)?$)");
    static const std::regex degreeForm(
        R"re(^(\d{1,3}(?:\.\d+)?)d(?:(\d{1,2}(?:\.\d+)?)(?:'(?:(\d{1,2}(?:\.\d+)?)")?)?)?([nsew])$)re");
    static const std::regex numberForm(R"(^([+-]?)(\d{1,3})(?:\.(\d+))?$)");
    const std::string s = Normalised(text);
    std::smatch m;
    std::string reason;
    std::optional<SidedAngle> angle;
    if (std::regex_match(s, m, letterForm)) {
        angle = SideFromLetter(m[2].str()[0], Number(m[1]), Number(m[3]), 0, axis, reason);
    } else if (std::regex_match(s, m, degreeForm)) {
        if (m[1].str().find('.') != std::string::npos && m[2].matched)
            reason = "decimal degrees take no minutes";
        else
            angle = SideFromLetter(m[4].str()[0], Number(m[1]), Number(m[2]), Number(m[3]), axis,
                                   reason);
    } else if (std::regex_match(s, m, numberForm)) {
        const bool signedText = m[1].matched && m[1].length() > 0;
        const bool minus = m[1] == "-";
        const std::string fraction = m[3].matched ? m[3].str() : "";
        const bool zero = std::stod(s) == 0.0;
        if (fraction.size() == 2 && !zero) {
            // The workstation's degrees.minutes. Its longitudes count West positive, the usual
            // decimal convention East positive: a signed longitude in this form is ambiguous.
            if (axis.longitude && signedText)
                reason = fmt::format(
                    "a sign with two decimals could be degrees.minutes (negative East) or "
                    "decimal degrees (negative West); write {}{}{} or give three decimals",
                    m[2].str(), minus ? 'e' : 'w', fraction);
            else
                angle = Compose(Number(m[2]), std::stod(fraction), 0, minus, axis, reason);
        } else if (axis.longitude && !signedText && !zero) {
            reason = "decimal degrees of longitude need a sign (+ East, - West) or a letter";
        } else {
            const double value = std::fabs(std::stod(s));
            const bool negativeSide = axis.longitude ? !minus : minus;  // decimal: East positive
            angle = Compose(value, 0, 0, negativeSide && !zero, axis, reason);
        }
    } else {
        reason = "the form is not recognised";
    }
    if (!angle) error = Refusal(axis.what, text, reason, axis.forms);
    return angle;
}

std::optional<Meridiem> MeridiemOfSuffix(const std::string& suffix) {
    if (suffix.empty()) return std::nullopt;
    return suffix[0] == 'p' ? Meridiem::PM : Meridiem::AM;
}

std::string TwoDigits(long value) {
    return fmt::format("{:02d}", value);
}

}  // namespace

ClockTime ClockReading::clockTime() const {
    const int hour12 = hour24 % 12 == 0 ? 12 : hour24 % 12;
    return {{static_cast<double>(hour12), static_cast<double>(minute)},
            hour24 >= 12 ? Meridiem::PM : Meridiem::AM};
}

std::optional<ClockReading> ParseClockTime(std::string_view text, std::optional<Meridiem> meridiem,
                                           std::string& error) {
    static const std::regex form(R"(^(\d{1,2})(?:([:.])(\d{1,2}))?(a\.?m\.?|p\.?m\.?)?$)");
    const std::string s = Normalised(text);
    auto refuse = [&](const std::string& reason) {
        error = Refusal("a clock time", text, reason, kTimeForms);
        return std::nullopt;
    };
    std::smatch m;
    if (!std::regex_match(s, m, form)) return refuse("the form is not recognised");
    const int hours = std::stoi(m[1]);
    const int minutes = m[3].matched ? std::stoi(m[3]) : 0;
    const bool dotForm = m[2] == ".";
    const std::optional<Meridiem> suffix = MeridiemOfSuffix(m[4]);
    if (m[3].matched && m[3].length() != 2)
        return refuse(fmt::format("the minutes take two digits ({0}{1}0{2} or {0}{1}{2}0)",
                                  m[1].str(), m[2].str(), m[3].str()));
    if (suffix && meridiem && *suffix != *meridiem)
        return refuse("the text and the A.M./P.M. option disagree");
    if (minutes > 59) return refuse("the minutes go from 00 to 59");
    const std::optional<Meridiem> half = suffix ? suffix : meridiem;
    if (half) {
        if (hours < 1 || hours > 12)
            return refuse("with A.M. or P.M. the hours go from 1 to 12 (12 A.M. is midnight)");
        return ClockReading{hours % 12 + (*half == Meridiem::PM ? 12 : 0), minutes};
    }
    if (hours > 23) return refuse("the hours go from 0 to 23");
    if (!m[2].matched) return refuse("an hour alone needs am or pm (10pm)");
    if (dotForm && hours >= 1 && hours <= 12)
        return refuse(fmt::format(
            "{}.{} on the workstation's 12-hour clock needs am or pm ({}.{}pm), or write it on "
            "the 24-hour clock ({}:{})",
            m[1].str(), m[3].str(), m[1].str(), m[3].str(), m[1].str(), m[3].str()));
    return ClockReading{hours, minutes};
}

std::optional<Longitude> ParseLongitude(std::string_view text, std::string& error) {
    auto angle = ParseAngle(text, kLongitudeAxis, error);
    if (!angle) return std::nullopt;
    return Longitude{angle->angle, angle->negativeSide ? EastWest::East : EastWest::West};
}

std::optional<Latitude> ParseLatitude(std::string_view text, std::string& error) {
    auto angle = ParseAngle(text, kLatitudeAxis, error);
    if (!angle) return std::nullopt;
    return Latitude{angle->angle, angle->negativeSide ? NorthSouth::South : NorthSouth::North};
}

std::optional<double> ParseZone(std::string_view text, std::string& error) {
    static const std::regex utcForm(
        R"(^(?:utc|gmt|ut)(?:([+-])(\d{1,2})(?::?(\d{2})|\.(\d+))?)?$)");
    static const std::regex clockForm(R"(^([+-]?)(\d{1,2}):(\d{2})$)");
    static const std::regex decimalForm(R"(^([+-]?)(\d{1,2})(?:\.(\d+))?$)");
    const std::string s = Normalised(text);
    auto refuse = [&](const std::string& reason) {
        error = Refusal("a time zone", text, reason, kZoneForms);
        return std::nullopt;
    };
    std::smatch m;
    double zone = 0;
    if (std::regex_match(s, m, utcForm)) {
        const double minutes = Number(m[3]);
        if (minutes > 59) return refuse("the minutes go from 00 to 59");
        const double hours =
            Number(m[2]) + minutes / 60.0 + (m[4].matched ? std::stod("0." + m[4].str()) : 0.0);
        zone = m[1] == "+" ? -hours : hours;  // UTC+1 is one hour east: zone -1
    } else if (std::regex_match(s, m, clockForm)) {
        const double minutes = Number(m[3]);
        if (minutes > 59) return refuse("the minutes go from 00 to 59");
        zone = (Number(m[2]) + minutes / 60.0) * (m[1] == "-" ? -1 : 1);
    } else if (std::regex_match(s, m, decimalForm)) {
        const std::string fraction = m[3].matched ? m[3].str() : "";
        if (fraction.size() == 2 && fraction != "00" && fraction != "25" && fraction != "50" &&
            fraction != "75")
            return refuse(fmt::format(
                "zones are decimal hours, and {0}.{1} could be meant as {0}h{1}; write {0}:{1} "
                "for that, or give the hours with one or three decimals",
                m[2].str(), fraction));
        zone = std::stod(s);
    } else {
        return refuse("the form is not recognised");
    }
    if (std::fabs(zone) > 15.0) return refuse("zones lie within 15 hours of Greenwich");
    return zone == 0.0 ? 0.0 : zone;  // no "-0"
}

std::string ClockEcho(const ClockTime& time) {
    const long hour12 = std::lround(time.clock.units);
    const long minute = std::lround(time.clock.minutes);
    const long hour24 = hour12 % 12 + (time.meridiem == Meridiem::PM ? 12 : 0);
    return fmt::format("{}:{} {} ({}:{})", hour12, TwoDigits(minute), MeridiemText(time.meridiem),
                       TwoDigits(hour24), TwoDigits(minute));
}

namespace {

std::string AngleEcho(const UnitsAndMinutes& angle, char side) {
    if (angle.minutes == std::floor(angle.minutes))
        return fmt::format("{}\u00b0{}\u2032 {}", std::lround(angle.units),
                           TwoDigits(std::lround(angle.minutes)), side);
    const long seconds = std::lround((angle.units * 60.0 + angle.minutes) * 60.0);
    return fmt::format("{}\u00b0{}\u2032{}\u2033 {}", seconds / 3600, TwoDigits(seconds / 60 % 60),
                       TwoDigits(seconds % 60), side);
}

}  // namespace

std::string LongitudeEcho(const Longitude& longitude) {
    return AngleEcho(longitude.angle, longitude.side == EastWest::East ? 'E' : 'W');
}

std::string LatitudeEcho(const Latitude& latitude) {
    return AngleEcho(latitude.angle, latitude.side == NorthSouth::South ? 'S' : 'N');
}

std::string ZoneEcho(double zone) {
    const long minutes = std::lround(std::fabs(zone) * 60.0);
    if (minutes == 0) return "0 (UTC)";
    return fmt::format("{} (UTC{}{}:{})", NumberText(zone), zone > 0 ? '-' : '+', minutes / 60,
                       TwoDigits(minutes % 60));
}

std::string DateEcho(int year, int month, int day) {
    return fmt::format("{:04d}-{:02d}-{:02d}", year, month, day);
}

}  // namespace quintaro::cli
