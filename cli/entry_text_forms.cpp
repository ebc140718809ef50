// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/entry_text_forms.h"

#include <fmt/format.h>

#include <cmath>

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

// Reads a normalised text from the front; the forms are read with it rather than with regular
// expressions, which cost more to build than a whole command takes otherwise.
struct Cursor {
    std::string_view rest;

    bool done() const { return rest.empty(); }
    char front() const { return rest.empty() ? '\0' : rest.front(); }
    bool take(char c) {
        if (rest.empty() || rest.front() != c) return false;
        rest.remove_prefix(1);
        return true;
    }
    bool take(std::string_view word) {
        if (!rest.starts_with(word)) return false;
        rest.remove_prefix(word.size());
        return true;
    }
    // The digits at the front (none: empty).
    std::string_view digits() {
        size_t n = 0;
        while (n < rest.size() && rest[n] >= '0' && rest[n] <= '9') ++n;
        std::string_view out = rest.substr(0, n);
        rest.remove_prefix(n);
        return out;
    }
};

// A number of the forms: 1 to `most` digits, then optionally "." and at least one digit.
struct Figure {
    std::string_view whole, fraction;
    bool point = false;
    bool valid = false;
    double value() const {
        return std::stod(std::string(whole) + "." + std::string(fraction) + "0");
    }
};

Figure ReadFigure(Cursor& c, size_t most) {
    Figure f;
    f.whole = c.digits();
    if (f.whole.empty() || f.whole.size() > most) return f;
    f.point = c.take('.');
    if (f.point) {
        f.fraction = c.digits();
        if (f.fraction.empty()) return f;
    }
    f.valid = true;
    return f;
}

bool IsLetter(char c) {
    return c == 'n' || c == 's' || c == 'e' || c == 'w';
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
    std::string problem;
    if (minutes >= 60.0)
        problem = "the minutes go from 0 to 59";
    else if (seconds >= 60.0)
        problem = "the seconds go from 0 to 59";
    else if (total > axis.limit)
        problem = fmt::format("it lies beyond {}\u00b0", axis.limit);
    if (!problem.empty()) {
        reason = problem;
        return std::nullopt;
    }
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

// "73w59", "73w59.5", "73w": degrees, the side, minutes.
std::optional<SidedAngle> LetterForm(const Figure& degrees, Cursor& c, const Axis& axis,
                                     std::string& reason) {
    const char letter = c.rest.front();
    c.take(letter);
    Figure minutes;
    if (!c.done()) minutes = ReadFigure(c, 2);
    if (!c.done() || (minutes.whole.size() && !minutes.valid)) {
        reason = "the form is not recognised";
        return std::nullopt;
    }
    return SideFromLetter(letter, std::stod(std::string(degrees.whole)),
                          minutes.valid ? minutes.value() : 0, 0, axis, reason);
}

// "73°59'30\"W", "73°59W", "73.9833°W" (after normalising: "73d59'30\"w").
std::optional<SidedAngle> DegreeForm(const Figure& degrees, Cursor& c, const Axis& axis,
                                     std::string& reason) {
    Figure minutes, seconds;
    if (c.front() >= '0' && c.front() <= '9') {
        minutes = ReadFigure(c, 2);
        if (minutes.valid && c.take('\'') && c.front() >= '0' && c.front() <= '9') {
            seconds = ReadFigure(c, 2);
            if (seconds.valid && !c.take('"')) seconds.valid = false;
        }
    }
    const bool broken =
        (minutes.whole.size() && !minutes.valid) || (seconds.whole.size() && !seconds.valid);
    const char letter = c.front();
    const bool complete = IsLetter(letter) && c.take(letter) && c.done();
    if (broken || !complete) {
        reason = "the form is not recognised";
        return std::nullopt;
    }
    if (degrees.point && minutes.valid) {
        reason = "decimal degrees take no minutes";
        return std::nullopt;
    }
    return SideFromLetter(letter, degrees.value(), minutes.valid ? minutes.value() : 0,
                          seconds.valid ? seconds.value() : 0, axis, reason);
}

// "73.59", "-73.9833", "40": degrees.minutes with two decimals, else decimal degrees.
std::optional<SidedAngle> NumberForm(char sign, const Figure& figure, const Axis& axis,
                                     std::string& reason) {
    const bool signedText = sign != 0;
    const bool minus = sign == '-';
    const bool zero = figure.value() == 0.0;
    if (figure.fraction.size() == 2 && !zero) {
        // The workstation's degrees.minutes. Its longitudes count West positive, the usual
        // decimal convention East positive: a signed longitude in this form is ambiguous.
        if (axis.longitude && signedText) {
            reason = fmt::format(
                "a sign with two decimals could be degrees.minutes (negative East) or "
                "decimal degrees (negative West); write {}{}{} or give three decimals",
                figure.whole, minus ? 'e' : 'w', figure.fraction);
            return std::nullopt;
        }
        return Compose(std::stod(std::string(figure.whole)),
                       std::stod(std::string(figure.fraction)), 0, minus, axis, reason);
    }
    if (axis.longitude && !signedText && !zero) {
        reason = "decimal degrees of longitude need a sign (+ East, - West) or a letter";
        return std::nullopt;
    }
    const bool negativeSide = axis.longitude ? !minus : minus;  // decimal: East positive
    return Compose(figure.value(), 0, 0, negativeSide && !zero, axis, reason);
}

std::optional<SidedAngle> ParseAngle(std::string_view text, const Axis& axis, std::string& error) {
    const std::string s = Normalised(text);
    Cursor c{s};
    const char sign = c.take('+') ? '+' : c.take('-') ? '-' : 0;
    const Figure degrees = ReadFigure(c, 3);
    std::string reason = "the form is not recognised";
    std::optional<SidedAngle> angle;
    if (degrees.valid && c.done())
        angle = NumberForm(sign, degrees, axis, reason);
    else if (degrees.valid && !sign && !degrees.point && IsLetter(c.front()))
        angle = LetterForm(degrees, c, axis, reason);
    else if (degrees.valid && !sign && c.take('d'))
        angle = DegreeForm(degrees, c, axis, reason);
    if (!angle) error = Refusal(axis.what, text, reason, axis.forms);
    return angle;
}

// "am", "a.m.", "pm", "p.m." at the end of a clock time; false when something else is there.
bool ReadMeridiem(Cursor& c, std::optional<Meridiem>& half) {
    if (c.done()) return true;
    if (c.take('a'))
        half = Meridiem::AM;
    else if (c.take('p'))
        half = Meridiem::PM;
    else
        return false;
    c.take('.');
    if (!c.take('m')) return false;
    c.take('.');
    return c.done();
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
    const std::string s = Normalised(text);
    auto refuse = [&](const std::string& reason) {
        error = Refusal("a clock time", text, reason, kTimeForms);
        return std::nullopt;
    };
    Cursor c{s};
    const std::string_view hourText = c.digits();
    const char separator = c.take(':') ? ':' : c.take('.') ? '.' : 0;
    const std::string_view minuteText = separator ? c.digits() : std::string_view();
    std::optional<Meridiem> suffix;
    if (hourText.empty() || hourText.size() > 2 || (separator && minuteText.empty()) ||
        minuteText.size() > 2 || !ReadMeridiem(c, suffix))
        return refuse("the form is not recognised");
    const int hours = std::stoi(std::string(hourText));
    const int minutes = minuteText.empty() ? 0 : std::stoi(std::string(minuteText));
    if (minuteText.size() == 1)
        return refuse(fmt::format("the minutes take two digits ({0}{1}0{2} or {0}{1}{2}0)",
                                  hourText, separator, minuteText));
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
    if (!separator) return refuse("an hour alone needs am or pm (10pm)");
    if (separator == '.' && hours >= 1 && hours <= 12)
        return refuse(fmt::format(
            "{0}.{1} on the workstation's 12-hour clock needs am or pm ({0}.{1}pm), or write it "
            "on the 24-hour clock ({0}:{1})",
            hourText, minuteText));
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
    const std::string s = Normalised(text);
    auto refuse = [&](const std::string& reason) {
        error = Refusal("a time zone", text, reason, kZoneForms);
        return std::nullopt;
    };
    Cursor c{s};
    const bool utc = c.take("utc") || c.take("gmt") || c.take("ut");
    if (utc && c.done()) return 0.0;
    const char sign = c.take('+') ? '+' : c.take('-') ? '-' : 0;
    if (utc && !sign) return refuse("the form is not recognised");
    std::string_view hourText = c.digits();
    std::string_view minuteText, fraction;
    if (utc && (hourText.size() == 3 || hourText.size() == 4)) {  // UTC+0530, UTC+530
        minuteText = hourText.substr(hourText.size() - 2);
        hourText = hourText.substr(0, hourText.size() - 2);
    } else if (c.take(':')) {
        minuteText = c.digits();
        if (minuteText.size() != 2) return refuse("the form is not recognised");
    } else if (c.take('.')) {
        fraction = c.digits();
        if (fraction.empty()) return refuse("the form is not recognised");
    }
    if (hourText.empty() || hourText.size() > 2 || !c.done())
        return refuse("the form is not recognised");
    const double minutes = minuteText.empty() ? 0 : std::stod(std::string(minuteText));
    if (minutes > 59) return refuse("the minutes go from 00 to 59");
    if (!utc && fraction.size() == 2 && fraction != "00" && fraction != "25" && fraction != "50" &&
        fraction != "75")
        return refuse(fmt::format(
            "zones are decimal hours, and {0}.{1} could be meant as {0}h{1}; write {0}:{1} for "
            "that, or give the hours with one or three decimals",
            hourText, fraction));
    double hours = std::stod(std::string(hourText)) + minutes / 60.0 +
                   (fraction.empty() ? 0.0 : std::stod("0." + std::string(fraction)));
    if (sign == '-') hours = -hours;
    const double zone = utc ? -hours : hours;  // UTC+1 is one hour east: zone -1
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
