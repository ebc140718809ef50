// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/posix_zone_rule.h"

#include <date/date.h>

#include <cctype>
#include <fstream>

namespace quintaro {

namespace {

// Reads the rule text from left to right; every step fails softly with nothing.
class RuleReader {
  public:
    explicit RuleReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return at_ >= text_.size(); }
    bool take(char c) {
        if (atEnd() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool nextIsOffset() const {
        return !atEnd() && (std::isdigit(static_cast<unsigned char>(text_[at_])) ||
                            text_[at_] == '+' || text_[at_] == '-');
    }

    // "EST" or "<+0330>" (without its brackets).
    std::optional<std::string> name() {
        if (take('<')) {
            const size_t close = text_.find('>', at_);
            if (close == std::string_view::npos || close == at_) return std::nullopt;
            std::string quoted(text_.substr(at_, close - at_));
            at_ = close + 1;
            return quoted;
        }
        const size_t start = at_;
        while (!atEnd() && std::isalpha(static_cast<unsigned char>(text_[at_]))) ++at_;
        if (at_ - start < 3) return std::nullopt;
        return std::string(text_.substr(start, at_ - start));
    }

    // [+|-]hh[:mm[:ss]] in seconds; hours up to `maxHours`.
    std::optional<int> signedTime(int maxHours) {
        int sign = 1;
        if (take('-')) {
            sign = -1;
        } else {
            take('+');
        }
        std::optional<int> hours = number(maxHours);
        if (!hours) return std::nullopt;
        int seconds = *hours * 3600;
        if (take(':')) {
            std::optional<int> minutes = number(59);
            if (!minutes) return std::nullopt;
            seconds += *minutes * 60;
            if (take(':')) {
                std::optional<int> secs = number(59);
                if (!secs) return std::nullopt;
                seconds += *secs;
            }
        }
        return sign * seconds;
    }

    std::optional<int> number(int max) {
        const size_t start = at_;
        int value = 0;
        while (!atEnd() && std::isdigit(static_cast<unsigned char>(text_[at_]))) {
            value = value * 10 + (text_[at_] - '0');
            if (value > max) return std::nullopt;
            ++at_;
        }
        if (at_ == start) return std::nullopt;
        return value;
    }

    std::optional<RuleDay> day() {
        RuleDay rule;
        if (take('M')) {
            rule.kind = RuleDay::Kind::MonthWeekDay;
            auto month = number(12);
            if (!month || *month < 1 || !take('.')) return std::nullopt;
            auto week = number(5);
            if (!week || *week < 1 || !take('.')) return std::nullopt;
            auto weekday = number(6);
            if (!weekday) return std::nullopt;
            rule.month = *month;
            rule.week = *week;
            rule.weekday = *weekday;
        } else if (take('J')) {
            rule.kind = RuleDay::Kind::JulianNoLeap;
            auto day = number(365);
            if (!day || *day < 1) return std::nullopt;
            rule.day = *day;
        } else {
            rule.kind = RuleDay::Kind::ZeroBased;
            auto day = number(365);
            if (!day) return std::nullopt;
            rule.day = *day;
        }
        if (take('/')) {
            auto time = signedTime(167);
            if (!time) return std::nullopt;
            rule.timeSeconds = *time;
        }
        return rule;
    }

  private:
    std::string_view text_;
    size_t at_ = 0;
};

// The civil day a rule names in a year, as days since 1970-01-01.
std::int64_t RuleDayNumber(const RuleDay& rule, int year) {
    using namespace date;
    const date::year y{year};
    switch (rule.kind) {
        case RuleDay::Kind::JulianNoLeap: {
            // Day 60 is always 1 March: 29 February is never counted.
            int zeroBased = rule.day - 1;
            if (y.is_leap() && rule.day >= 60) ++zeroBased;
            return (sys_days{y / January / 1} + days{zeroBased}).time_since_epoch().count();
        }
        case RuleDay::Kind::ZeroBased:
            return (sys_days{y / January / 1} + days{rule.day}).time_since_epoch().count();
        case RuleDay::Kind::MonthWeekDay:
            break;
    }
    const date::month m{static_cast<unsigned>(rule.month)};
    const date::weekday wd{static_cast<unsigned>(rule.weekday)};
    const sys_days day = rule.week == 5 ? sys_days{y / m / wd[last]}
                                        : sys_days{y / m / wd[static_cast<unsigned>(rule.week)]};
    return day.time_since_epoch().count();
}

}  // namespace

std::optional<PosixZoneRule> ParsePosixZoneRule(std::string_view text) {
    RuleReader in(text);
    PosixZoneRule rule;
    auto standardName = in.name();
    if (!standardName) return std::nullopt;
    auto standardWest = in.signedTime(24);
    if (!standardWest) return std::nullopt;
    rule.standard = {-*standardWest, *standardName, false};
    if (in.atEnd()) return rule;

    auto daylightName = in.name();
    if (!daylightName) return std::nullopt;
    int daylightOffset = rule.standard.utcOffsetSeconds + 3600;
    if (in.nextIsOffset()) {
        auto daylightWest = in.signedTime(24);
        if (!daylightWest) return std::nullopt;
        daylightOffset = -*daylightWest;
    }
    rule.daylight = ZoneClockState{daylightOffset, *daylightName, true};
    if (!in.take(',')) return std::nullopt;  // zone files always state the days
    auto start = in.day();
    if (!start || !in.take(',')) return std::nullopt;
    auto end = in.day();
    if (!end || !in.atEnd()) return std::nullopt;
    rule.start = *start;
    rule.end = *end;
    return rule;
}

std::vector<ZoneClockChange> RuleChangesInYear(const PosixZoneRule& rule, int year) {
    if (!rule.daylight) return {};
    // The start is given in standard time, the end in daylight time: UT = local - offset.
    const std::int64_t start = RuleDayNumber(rule.start, year) * 86400 + rule.start.timeSeconds -
                               rule.standard.utcOffsetSeconds;
    const std::int64_t end = RuleDayNumber(rule.end, year) * 86400 + rule.end.timeSeconds -
                             rule.daylight->utcOffsetSeconds;
    ZoneClockChange begins{start, *rule.daylight};
    ZoneClockChange ends{end, rule.standard};
    if (start < end) return {begins, ends};
    return {ends, begins};  // southern hemisphere: daylight time spans the new year
}

std::optional<std::string> ReadZoneFileRule(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (content.size() < 5 || content.compare(0, 4, "TZif") != 0 || content[4] < '2')
        return std::nullopt;
    // The rule is the last line, between two line breaks at the very end of the file.
    if (content.back() != '\n') return std::nullopt;
    const size_t open = content.rfind('\n', content.size() - 2);
    if (open == std::string::npos) return std::nullopt;
    return content.substr(open + 1, content.size() - open - 2);
}

}  // namespace quintaro
