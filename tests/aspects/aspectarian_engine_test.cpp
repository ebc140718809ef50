// SPDX-License-Identifier: AGPL-3.0-or-later
// The aspectarian engine on made-up skies whose events can be placed and timed by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "aspectarian_sky.h"
#include "aspects/aspectarian_engine.h"
#include "aspects/aspectarian_lines.h"
#include "core/bodies.h"
#include "day_parts.h"
#include "recording_messages.h"

namespace quintaro {
namespace {

using test::kHour;
using test::kSecond;

using test::Constant;
using test::HourSky;
using test::Linear;
using test::Turning;
using Kind = AspectarianEventKind;

constexpr CivilDate kJan1{2024, 1, 1};

struct Expected {
    double hour;  // hours after the start's local midnight
    Kind kind;
    int body1, body2, key;
};

struct Aspectarian : ::testing::Test {
    AspectarianInput input;
    HourSky sky;
    test::RecordingMessages messages;
    std::vector<std::string> progressTexts;

    void SetUp() override {
        input.from = input.to = kJan1;
        input.passes = AspectarianPasses::Geocentric;
        sky.origin = LocalMidnightJD(kJan1, 0);
    }
    AspectarianResult Run(Progress progress = {}) {
        if (!progress)
            progress = [this](std::string_view text, long, long) {
                progressTexts.emplace_back(text);
                return true;
            };
        return RunAspectarian(input, sky.Function(), messages, progress);
    }
    void Tick(std::initializer_list<int> keys) {
        for (int k : keys) input.aspects[static_cast<size_t>(k)] = true;
    }
    static void ExpectEvents(const std::vector<AspectarianEvent>& found, double origin,
                             std::vector<Expected> expected) {
        std::sort(expected.begin(), expected.end(),
                  [](const Expected& a, const Expected& b) { return a.hour < b.hour; });
        ASSERT_EQ(found.size(), expected.size());
        for (size_t i = 0; i < found.size(); ++i) {
            SCOPED_TRACE("event " + std::to_string(i));
            EXPECT_NEAR((found[i].jd - origin) * 24.0, expected[i].hour, 1e-6);
            EXPECT_EQ(found[i].kind, expected[i].kind);
            EXPECT_EQ(found[i].body1, expected[i].body1);
            EXPECT_EQ(found[i].body2, expected[i].body2);
            EXPECT_EQ(found[i].key, expected[i].key);
        }
    }
};

// Body 2 (mercury) runs ahead of body 1 (sun) by `rate` degrees an hour from a start difference;
// every moment the difference (sun − mercury) meets ±angle is worked out directly.
struct LinearCase {
    const char* name;
    double sunStart, mercuryStart, mercuryRate;  // degrees, degrees an hour
    std::vector<int> keys;
    int days;
};

// The angles of the keys "000" .. "051", the undecile and septile as 360/11 and 360/7.
constexpr double kAngleOfKey[] = {0,  0,   30, 60,  90, 120, 150,        180,
                                  72, 144, 45, 135, 36, 40,  360.0 / 11, 360.0 / 7};

std::vector<Expected> LinearCrossings(const LinearCase& c) {
    std::vector<Expected> out;
    const double d0 = c.sunStart - c.mercuryStart, v = -c.mercuryRate;
    for (int key : c.keys) {
        const double angle = kAngleOfKey[key];
        for (double side : {1.0, -1.0}) {
            if ((angle == 0 || angle == 180) && side < 0) continue;  // one target only
            const double target = side * angle;
            for (int turn = -4; turn <= 4; ++turn) {
                const double h = (target + 360.0 * turn - d0) / v;
                if (h >= 0 && h < 24.0 * c.days)
                    out.push_back({h, Kind::LongitudeAspect, 1, 2, key});
            }
        }
    }
    return out;
}

TEST_F(Aspectarian, LongitudeAspectsOfLinearMotions) {
    const LinearCase cases[] = {
        // 0.9 degrees an hour through the conjunction, then on to the semi-sextile.
        {"conjunction and semi-sextile", 100, 95, 0.9, {1, 2}, 2},
        // The whole circle in 60 hours: every angle twice, the opposition once.
        {"all angles", 10, 20, 6.0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 3},
        // Through 0/360 degrees: the mercury longitude wraps while the conjunction is made.
        {"wrap through 0", 2, 355, 0.5, {1}, 1},
        // Backward relative motion.
        {"backward", 50, 145, -1.3, {4, 7}, 2},
        // Only the undecile and the septile: 360/11 and 360/7, never 32 or 51 degrees.
        {"undecile and septile", 0, 20, 1.1, {14, 15}, 2},
        {"short of the undecile", 0, 31, 1.7 / 24, {14}, 1},
        {"short of the septile", 0, 51, 0.42 / 24, {15}, 1},
    };
    for (const LinearCase& c : cases) {
        SCOPED_TRACE(c.name);
        input = {};
        input.from = kJan1;
        input.to = {2024, 1, c.days};
        input.passes = AspectarianPasses::Geocentric;
        input.transitBodies = {1, 2};
        input.events.longitudeAspects = true;
        Tick({});
        for (int k : c.keys) input.aspects[static_cast<size_t>(k)] = true;
        sky.Set(1, Frame::Geocentric, Constant(c.sunStart));
        sky.Set(2, Frame::Geocentric, Linear(c.mercuryStart, c.mercuryRate));
        AspectarianResult r = Run();
        ASSERT_EQ(r.outcome, AspectarianOutcome::Complete);
        ExpectEvents(r.geocentric.events, sky.origin, LinearCrossings(c));
    }
}

// Values given by whole hours, met exactly on the samples: a crossing on a sample is reported
// once, at that sample.
struct SampleCase {
    const char* name;
    HourSky::Curve mercury;  // sun stays at 0; the square is at 90
    std::vector<double> hours;
};

TEST_F(Aspectarian, CrossingsExactlyOnASampleAreReportedOnce) {
    auto table = [](std::vector<double> byHour) {  // hour -1 first
        return [byHour](double h) {
            const int i = static_cast<int>(std::lround(h)) + 1;
            return byHour[static_cast<size_t>(std::clamp(i, 0, int(byHour.size()) - 1))];
        };
    };
    const SampleCase cases[] = {
        {"through at hour 5", Linear(85, 1), {5}},
        {"through backwards at hour 7", Linear(97, -1), {7}},
        {"at the start, coming from below", table({89, 90, 91}), {0}},
        {"on target already the hour before", table({90, 90, 91}), {}},
        {"touch at hour 1 and back", table({88, 89, 90, 89, 88}), {1}},
        {"resting on target from hour 1", table({88, 89, 90, 90, 90, 90}), {1}},
        {"at hour 24, the next day's", Linear(66, 1), {}},
        {"at hour 23", Linear(67, 1), {23}},
    };
    input.transitBodies = {1, 2};
    input.events.longitudeAspects = true;
    Tick({4});
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.name);
        sky.Set(1, Frame::Geocentric, Constant(0));
        sky.Set(2, Frame::Geocentric, c.mercury);
        std::vector<Expected> expected;
        for (double h : c.hours) expected.push_back({h, Kind::LongitudeAspect, 1, 2, 4});
        ExpectEvents(Run().geocentric.events, sky.origin, expected);
    }
}

TEST_F(Aspectarian, ConsecutiveRunsJoinWithoutGapOrRepeat) {
    input.transitBodies = {1, 4};
    input.events.longitudeAspects = true;
    input.events.signChanges = true;
    Tick({1, 2, 3, 4, 5, 6, 7});
    sky.Set(1, Frame::Geocentric, Linear(10, 1.0 / 24));
    sky.Set(4, Frame::Geocentric, Linear(0, 1.25));  // a new sign at every midnight
    input.to = {2024, 1, 10};
    const auto whole = Run().geocentric.events;
    std::vector<AspectarianEvent> joined;
    for (int day = 1; day <= 10; ++day) {
        input.from = input.to = {2024, 1, day};
        for (const auto& e : Run().geocentric.events) joined.push_back(e);
    }
    ASSERT_EQ(joined.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        EXPECT_NEAR(joined[i].jd, whole[i].jd, kSecond);
        EXPECT_EQ(joined[i].key, whole[i].key);
    }
    // The moon enters a sign at each of the ten midnights of the range, the first included (it
    // stood in Pisces the hour before) and the one after the end left out; besides 10 aspects.
    std::vector<double> ingressHours;
    for (const auto& e : whole)
        if (e.kind == Kind::SignChange) ingressHours.push_back((e.jd - sky.origin) * 24);
    EXPECT_EQ(ingressHours, (std::vector<double>{0, 24, 48, 72, 96, 120, 144, 168, 192, 216}));
    EXPECT_EQ(whole.size(), 20u);
}

TEST_F(Aspectarian, TransitToNatalHoldsTheNatalPointFixed) {
    input.pairing = AspectarianPairing::TransitNatal;
    input.transitBodies = {4};
    input.natalBodies = {1, 18};  // the natal ascendant is a fixed point like any other
    input.natal.GeoLong[1] = 359.5;
    input.natal.GeoLong[18] = 20;
    input.to = {2024, 1, 3};
    input.events.longitudeAspects = true;
    Tick({1});
    sky.Set(4, Frame::Geocentric, Linear(350, 0.5));  // wraps through 360 at hour 20
    ExpectEvents(Run().geocentric.events, sky.origin,
                 {{19, Kind::LongitudeAspect, 4, 1, 1}, {60, Kind::LongitudeAspect, 4, 18, 1}});
}

TEST_F(Aspectarian, ParallelsAndContraParallels) {
    input.transitBodies = {1, 4};
    input.events.secondAspects = true;
    Tick({16, 17});
    sky.Set(1, Frame::Geocentric, Constant(0), Linear(-3, 0.25));  // -3 .. +3 over the day
    sky.Set(4, Frame::Geocentric, Constant(0), Constant(1.5));
    // Parallel where -3 + h/4 = 1.5, contra-parallel where it is -1.5.
    ExpectEvents(Run().geocentric.events, sky.origin,
                 {{6, Kind::SecondAspect, 1, 4, 17}, {18, Kind::SecondAspect, 1, 4, 16}});
    // Only "par" ticked: the contra-parallel is not looked for.
    input.aspects = {};
    Tick({16});
    ExpectEvents(Run().geocentric.events, sky.origin, {{18, Kind::SecondAspect, 1, 4, 16}});
}

TEST_F(Aspectarian, SignIngressesBothWaysAndThroughAries) {
    input.transitBodies = {2, 5};  // mars stays put
    input.events.signChanges = true;
    sky.Set(5, Frame::Geocentric, Constant(100));
    const struct {
        HourSky::Curve longitude;
        std::vector<std::pair<double, int>> hourAndSign;
    } cases[] = {
        {Linear(355, 0.5), {{10, 1}}},  // into Aries through 360
        {Linear(5, -0.5), {{10, 12}}},  // back into Pisces through 0
        {Linear(28, 0.25), {{8, 2}}},   // into Taurus at 30
        {Linear(61, -0.25), {{4, 2}}},  // back into Taurus at 60
        {Turning(31, 10, -0.1), {{10 - std::sqrt(20.0), 2}, {10 + std::sqrt(20.0), 1}}},
    };
    for (const auto& c : cases) {
        sky.Set(2, Frame::Geocentric, c.longitude);
        const auto events = Run().geocentric.events;
        ASSERT_EQ(events.size(), c.hourAndSign.size());
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i].kind, Kind::SignChange);
            EXPECT_EQ(events[i].sign, c.hourAndSign[i].second);
            // Linear interpolation between the hours on the curve: within a few minutes.
            EXPECT_NEAR((events[i].jd - sky.origin) * 24, c.hourAndSign[i].first, 0.05);
        }
    }
}

TEST_F(Aspectarian, ChangesOfSideCarryParNorthwardAndCpSouthward) {
    input.transitBodies = {3, 5};  // mars stays north
    input.events.sideChanges = true;
    for (Frame f : {Frame::Geocentric, Frame::Heliocentric})
        sky.Set(5, f, Constant(0), Constant(1));
    // Declination -2 rising 0.5 an hour: north at hour 4; then a second body falling.
    sky.Set(3, Frame::Geocentric, Constant(0), Linear(-2, 0.5));
    ExpectEvents(Run().geocentric.events, sky.origin, {{4, Kind::SideChange, 3, 0, 16}});
    sky.Set(3, Frame::Geocentric, Constant(0), Linear(1.25, -0.1));
    ExpectEvents(Run().geocentric.events, sky.origin, {{12.5, Kind::SideChange, 3, 0, 17}});
    // The same in latitude on the heliocentric pass.
    input.passes = AspectarianPasses::Heliocentric;
    sky.Set(3, Frame::Heliocentric, Constant(0), Linear(0.3, -0.05));
    ExpectEvents(Run().heliocentric.events, sky.origin, {{6, Kind::SideChange, 3, 0, 17}});
}

TEST_F(Aspectarian, StationsAreTimedToTheMinute) {
    input.transitBodies = {2, 5};  // mars stays put
    input.events.directionChanges = true;
    sky.Set(5, Frame::Geocentric, Constant(100));
    input.to = {2024, 1, 3};
    const struct {
        const char* name;
        HourSky::Curve longitude;
        std::vector<std::pair<double, bool>> turns;  // hour, retrograde
    } cases[] = {
        {"turns retrograde at 10:17",
         Turning(200, 10 + 17 / 60.0, -0.002),
         {{10 + 17 / 60.0, true}}},
        {"turns direct at 23:41", Turning(200, 23 + 41 / 60.0, 0.004), {{23 + 41 / 60.0, false}}},
        {"turns at 00:20 of the second day",
         Turning(5, 24 + 20 / 60.0, -0.01),
         {{24 + 20 / 60.0, true}}},
        // Standing still from 10:00 to 10:20: the middle of the standstill.
        {"flat top",
         [](double h) {
             return 200 - 0.01 * std::pow(std::max(0.0, std::abs(h - 10 - 1 / 6.0) - 1 / 6.0), 2);
         },
         {{10 + 1 / 6.0, true}}},
        // Near 0 degrees: the turn is found through the wrap.
        {"turns direct at 359.8 degrees", Turning(-0.2, 40.5, 0.003), {{40.5, false}}},
        // Retrograde from before the start: the state is seeded so, and only the turn direct shows.
        {"retrograde at the start", Turning(300, 30, 0.001), {{30, false}}},
        // The turn lies before the start: no event, but the state follows.
        {"turned an hour before the start", Turning(300, -0.5, -0.003), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sky.Set(2, Frame::Geocentric, c.longitude);
        const auto events = Run().geocentric.events;
        ASSERT_EQ(events.size(), c.turns.size());
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i].kind, Kind::DirectionChange);
            EXPECT_EQ(events[i].retrograde, c.turns[i].second);
            EXPECT_NEAR((events[i].jd - sky.origin) * 24 * 60, c.turns[i].first * 60, 1.0);
        }
    }
}

TEST_F(Aspectarian, TheDaysLinesComeInTimeOrder) {
    input.transitBodies = {1, 2, 4};
    input.events = {true, true, true, true, true};
    Tick({1, 4, 7, 16, 17});
    sky.Set(1, Frame::Geocentric, Linear(29.5, 0.04), Linear(-0.1, 0.01));
    sky.Set(2, Frame::Geocentric, Turning(40, 12, -0.01), Linear(1, -0.1));
    sky.Set(4, Frame::Geocentric, Linear(20, 0.55), Linear(-5, 0.5));
    input.to = {2024, 1, 2};
    const auto events = Run().geocentric.events;
    ASSERT_GT(events.size(), 8u);
    EXPECT_TRUE(std::is_sorted(events.begin(), events.end(),
                               [](const auto& a, const auto& b) { return a.jd < b.jd; }));
    std::set<Kind> kinds;
    for (const auto& e : events) kinds.insert(e.kind);
    EXPECT_EQ(kinds.size(), 5u);
}

TEST_F(Aspectarian, EachPassLeavesOutTheBodiesWithoutAPositionInIt) {
    std::vector<std::pair<int, Frame>> asked;
    sky.log = &asked;
    input.transitBodies = {1, 4, 5, 11, 13, 18, 19, 20};
    input.events.signChanges = true;
    input.passes = AspectarianPasses::Both;
    for (int slot : {1, 4, 5, 11, 13})
        for (Frame f : {Frame::Geocentric, Frame::Heliocentric}) sky.Set(slot, f, Constant(1));
    ASSERT_EQ(Run().outcome, AspectarianOutcome::Complete);
    std::set<std::pair<int, Frame>> distinct(asked.begin(), asked.end());
    const std::set<std::pair<int, Frame>> expected = {
        {1, Frame::Geocentric},  {4, Frame::Geocentric},   {5, Frame::Geocentric},
        {13, Frame::Geocentric}, {5, Frame::Heliocentric}, {11, Frame::Heliocentric}};
    EXPECT_EQ(distinct, expected);
}

TEST_F(Aspectarian, ASingleDayTakesTwentyFiveSamplesAndTheHourBefore) {
    std::vector<std::pair<int, Frame>> asked;
    sky.log = &asked;
    input.transitBodies = {1, 2};
    input.events.signChanges = true;
    sky.Set(1, Frame::Geocentric, Constant(1));
    sky.Set(2, Frame::Geocentric, Constant(2));
    Run();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), std::pair{1, Frame::Geocentric}), 26);
    EXPECT_EQ(progressTexts, std::vector<std::string>{"Processing day 1 out of 1 days"});
    // Each further day takes 24 new samples: its hour 0 is the day before's hour 24.
    asked.clear();
    input.to = {2024, 1, 3};
    Run();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), std::pair{1, Frame::Geocentric}), 26 + 2 * 24);
}

TEST_F(Aspectarian, AnEndBeforeTheStartIsExchanged) {
    input.transitBodies = {1, 4};
    input.events.longitudeAspects = true;
    Tick({1, 4, 7});
    sky.Set(1, Frame::Geocentric, Linear(0, 0.04));
    sky.Set(4, Frame::Geocentric, Linear(0, 0.55));
    input.to = {2024, 1, 20};
    const AspectarianResult forward = Run();
    std::swap(input.from, input.to);
    const AspectarianResult backward = Run();
    EXPECT_EQ(backward.from.day, 1);
    EXPECT_EQ(backward.to.day, 20);
    ASSERT_EQ(backward.geocentric.events.size(), forward.geocentric.events.size());
    for (size_t i = 0; i < forward.geocentric.events.size(); ++i)
        EXPECT_EQ(backward.geocentric.events[i].jd, forward.geocentric.events[i].jd);
    EXPECT_EQ(forward.geocentric.events.size(), 3u);  // at 0, 90 and 180 degrees apart
}

// A run that ends early, by a moment outside the ephemeris or by Cancel, keeps the days done.
TEST_F(Aspectarian, ARunEndedEarlyKeepsTheDaysDone) {
    input.transitBodies = {1, 4};
    input.events.longitudeAspects = true;
    input.passes = AspectarianPasses::Both;
    Tick({1});
    sky.Set(1, Frame::Geocentric, Constant(0));
    sky.Set(4, Frame::Geocentric, Linear(-5, 1));  // conjunct at hour 5 and then every 360 hours
    input.to = {2024, 1, 31};
    const struct {
        double lastValidHour;
        long cancelAtCall;
        AspectarianOutcome outcome;
        const char* title;
        const char* text;
    } cases[] = {
        {24 * 20 + 3, 0, AspectarianOutcome::OutOfRange, "Error - Some Data Produced Is Inaccurate",
         "You have entered a date outside the range of my ephemeris. Please enter another date."},
        {1e9, 21, AspectarianOutcome::Stopped, "Operation stopped by user",
         "Stopped by user - operation only partially completed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        sky.lastValidHour = c.lastValidHour;
        messages.shown.clear();
        std::vector<std::string> texts;
        const AspectarianResult r = Run([&](std::string_view text, long done, long total) {
            EXPECT_EQ(total, 62);
            EXPECT_EQ(done, long(texts.size()));
            texts.emplace_back(text);
            return long(texts.size()) != c.cancelAtCall;
        });
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(texts.back(), "Processing day 21 out of 31 days");
        ExpectEvents(r.geocentric.events, sky.origin,
                     {{5, Kind::LongitudeAspect, 1, 4, 1}, {365, Kind::LongitudeAspect, 1, 4, 1}});
        EXPECT_EQ(r.geocentric.daysDone, 20);  // day 21 added nothing
        EXPECT_FALSE(r.heliocentric.ran);
        EXPECT_EQ(r.heliocentric.daysDone, 0);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, c.title);
        EXPECT_EQ(messages.shown[0].text, c.text);
    }
}

TEST_F(Aspectarian, ValidationMessagesInOrder) {
    const struct {
        AspectarianPairing pairing;
        std::vector<int> transits, natals;
        CivilDate from;
        bool anyEvent;
        const char* title;
        const char* text;
    } cases[] = {
        {AspectarianPairing::TransitTransit,
         {1},
         {2, 3},
         kJan1,
         true,
         "Transit planet(s) not selected",
         "You have not chosen two or more transit planets - please do so."},
        {AspectarianPairing::TransitNatal,
         {},
         {2},
         kJan1,
         true,
         "Transit planet(s) not selected",
         "You have not chosen one or more transit planets - please do so."},
        {AspectarianPairing::TransitNatal,
         {1},
         {},
         kJan1,
         true,
         "Natal planet not selected",
         "You have not chosen a natal planet - please do so."},
        {AspectarianPairing::TransitTransit,
         {1, 2},
         {},
         {2023, 2, 29},
         true,
         "Invalid date",
         "The start date 2023-02-29 is not a calendar date - please correct it."},
        {AspectarianPairing::TransitTransit,
         {1, 2},
         {},
         kJan1,
         false,
         "Nothing to look for",
         "You have not chosen an event kind, or no aspect for the aspect kinds you ticked - please "
         "do so."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        input.pairing = c.pairing;
        input.transitBodies = c.transits;
        input.natalBodies = c.natals;
        input.from = c.from;
        input.events = {};
        input.events.signChanges = c.anyEvent;
        messages.shown.clear();
        progressTexts.clear();
        EXPECT_EQ(Run().outcome, AspectarianOutcome::Invalid);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, c.title);
        EXPECT_EQ(messages.shown[0].text, c.text);
        EXPECT_TRUE(progressTexts.empty());
    }
    // Aspect kinds ticked with no aspect of their kind: nothing to look for either.
    input = {};
    input.from = input.to = kJan1;
    input.transitBodies = {1, 2};
    input.events.longitudeAspects = true;
    Tick({16});
    EXPECT_EQ(ValidateAspectarian(input)->title, "Nothing to look for");
    input.events.secondAspects = true;
    EXPECT_FALSE(ValidateAspectarian(input));
}

TEST_F(Aspectarian, StampsAreLocalTimeInTheRunsZone) {
    // Zone 5 (west): the day starts at 05:00 UT and the stamps read local time.
    input.zone = 5;
    input.transitBodies = {1, 2};
    input.events.longitudeAspects = true;
    Tick({4});
    sky.origin = LocalMidnightJD(kJan1, 5);
    EXPECT_DOUBLE_EQ(sky.origin, 2460310.5 + 5.0 / 24);
    sky.Set(1, Frame::Geocentric, Constant(0));
    sky.Set(2, Frame::Geocentric, Linear(80, 1.0));  // square at local 10:00 = 15:00 UT
    const auto events = Run().geocentric.events;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NEAR(events[0].jd, 2460310.5 + 15.0 / 24, kSecond);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    EXPECT_EQ(EventLine(events[0], catalogue, Frame::Geocentric, input.zone),
              "  01 Jan 2024  10:00    sun 090 mercu");
}

}  // namespace
}  // namespace quintaro
