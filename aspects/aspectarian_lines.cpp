// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_lines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "aspects/aspect_catalogue.h"
#include "core/plain_text.h"
#include "core/signs.h"

namespace quintaro {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Layout of a line: where the date, the time and the event text begin.
constexpr size_t kDateAt = 2, kDateLength = 11;
constexpr size_t kTimeAt = kDateAt + kDateLength + 2, kTimeLength = 5;
constexpr size_t kTextAt = kTimeAt + kTimeLength + 2;
constexpr size_t kShortestText = 5 + 1 + 3;

std::optional<int> Digits(std::string_view s) {
    if (s.empty()) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view KeyText(int key) {
    return key >= FirstKey && key <= LastKey ? AspectarianKeys[static_cast<size_t>(key)] : "???";
}

bool IsAspectKey(std::string_view key) {
    return std::find(AspectarianKeys.begin() + 1, AspectarianKeys.end(), key) !=
           AspectarianKeys.end();
}

}  // namespace

std::string NameField5(std::string_view name) {
    if (name.size() >= 5) return std::string(name.substr(0, 5));
    return std::string(5 - name.size(), ' ') + std::string(name);
}

LocalStamp StampOf(double jd, double zone) {
    const double local = jd - zone / 24.0;
    const auto minutes = static_cast<long long>(std::llround((local + 0.5) * 1440.0));
    long long day = minutes / 1440, minuteOfDay = minutes % 1440;
    if (minuteOfDay < 0) {
        minuteOfDay += 1440;
        --day;
    }
    LocalStamp stamp;
    stamp.date = JDToCalendar(static_cast<double>(day));
    stamp.hour = static_cast<int>(minuteOfDay / 60);
    stamp.minute = static_cast<int>(minuteOfDay % 60);
    return stamp;
}

// Four-digit years always, so that every date has the same width and reads back.
std::string StampDate(const CivilDate& date) {
    const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
    char text[32];
    std::snprintf(text, sizeof text, "%02d %s %04d", date.day,
                  kMonths[static_cast<size_t>(month - 1)].data(), date.year);
    return text;
}

std::string StampTime(const LocalStamp& stamp) {
    const char digits[] = {
        static_cast<char>('0' + stamp.hour / 10), static_cast<char>('0' + stamp.hour % 10), ':',
        static_cast<char>('0' + stamp.minute / 10), static_cast<char>('0' + stamp.minute % 10)};
    return std::string(digits, sizeof digits);
}

std::string IsoDate(const CivilDate& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

bool StampBefore(const LocalStamp& a, const LocalStamp& b) {
    auto key = [](const LocalStamp& s) {
        return std::array<int, 5>{s.date.year, s.date.month, s.date.day, s.hour, s.minute};
    };
    return key(a) < key(b);
}

std::string EventText(const AspectarianEvent& event, const BodyCatalogue& catalogue, Frame frame) {
    auto name = [&](int slot) {
        return NameField5(slot >= 1 && slot <= BodyCount ? catalogue.BodyNames[slot] : "?");
    };
    std::string text = name(event.body1) + " ";
    switch (event.kind) {
        case AspectarianEventKind::LongitudeAspect:
        case AspectarianEventKind::SecondAspect:
            return text + std::string(KeyText(event.key)) + " " + name(event.body2);
        case AspectarianEventKind::SignChange:
            return text + std::string(SignAbbrev(event.sign)) + " ingress";
        case AspectarianEventKind::DirectionChange:
            return text + (event.retrograde ? "rx " : "dir");
        case AspectarianEventKind::SideChange:
            return text + std::string(KeyText(event.key)) +
                   (frame == Frame::Geocentric ? " declination change" : " latitude change");
    }
    return text;
}

std::string StampedLine(const LocalStamp& stamp, std::string_view eventText) {
    return "  " + StampDate(stamp.date) + "  " + StampTime(stamp) + "  " + std::string(eventText);
}

std::string EventLine(const AspectarianEvent& event, const BodyCatalogue& catalogue, Frame frame,
                      double zone) {
    return StampedLine(StampOf(event.jd, zone), EventText(event, catalogue, frame));
}

std::optional<CivilDate> ParseStampDate(std::string_view text) {
    if (text.size() != kDateLength || text[2] != ' ' || text[6] != ' ') return std::nullopt;
    auto day = Digits(text.substr(0, 2));
    auto year = Digits(text.substr(7, 4));
    auto month = std::find(kMonths.begin(), kMonths.end(), text.substr(3, 3));
    if (!day || !year || month == kMonths.end()) return std::nullopt;
    CivilDate date{*year, static_cast<int>(month - kMonths.begin()) + 1, *day};
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

std::optional<ParsedLine> ParseEventLine(std::string_view line) {
    if (line.size() < kTextAt + kShortestText) return std::nullopt;
    if (line.substr(0, kDateAt) != "  " || line.substr(kDateAt + kDateLength, 2) != "  " ||
        line.substr(kTimeAt + kTimeLength, 2) != "  ")
        return std::nullopt;
    auto date = ParseStampDate(line.substr(kDateAt, kDateLength));
    std::string_view time = line.substr(kTimeAt, kTimeLength);
    auto hour = Digits(time.substr(0, 2));
    auto minute = Digits(time.substr(3, 2));
    if (!date || time[2] != ':' || !hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    std::string_view text = line.substr(kTextAt);
    if (!SplitEventText(text)) return std::nullopt;
    return ParsedLine{{*date, *hour, *minute}, std::string(text)};
}

std::optional<EventParts> SplitEventText(std::string_view text) {
    if (text.size() < kShortestText || text[5] != ' ') return std::nullopt;
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        return std::nullopt;
    EventParts parts;
    parts.body1 = std::string(TrimWhitespace(text.substr(0, 5)));
    std::string_view rest = text.substr(6);
    if (rest.size() == 3 + 1 + 5 && rest[3] == ' ' && IsAspectKey(rest.substr(0, 3))) {
        parts.event = std::string(rest.substr(0, 3));
        parts.body2 = std::string(TrimWhitespace(rest.substr(4)));
    } else {
        parts.event = std::string(TrimWhitespace(rest));
    }
    if (parts.body1.empty() || parts.event.empty()) return std::nullopt;
    return parts;
}

}  // namespace quintaro
