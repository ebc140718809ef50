// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/aspectarian_run.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/ephemeris_loader.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

struct AspectarianSession : ::testing::Test {
    test::TempFolder home;
    test::RecordingMessages messages;
    Session session{home.path(), messages};

    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        session.workstation.clock = [] { return DateTimeParts{2000, 1, 1, 12, 0, 0}; };
        ASSERT_TRUE(StartSession(session));
        messages.shown.clear();
    }
    int Slot(const std::string& name) const {
        for (int slot = 1; slot <= BodyCount; ++slot)
            if (session.workstation.catalogue.BodyNames[slot] == name) return slot;
        return 0;
    }
    static AspectarianInput January2020(std::vector<int> transit) {
        AspectarianInput input;
        input.from = {2020, 1, 1};
        input.to = {2020, 1, 10};
        input.transitBodies = std::move(transit);
        input.aspects.fill(true);
        input.events = {true, true, true, true, true};
        return input;
    }
};

// The window's texts become the input; a zone that is not a number fails the zone check.
TEST_F(AspectarianSession, FormInputAndItsChecks) {
    AspectarianForm form = OpenAspectarianForm(session.workstation);
    form.start.month = "1", form.start.day = "1", form.start.year = "2024";
    form.end = form.start;
    form.end.day = "31";
    form.transitBodies = {1, 4};
    const struct {
        const char *zone, *endMonth;
        const char* title;  // "" when the input is good
    } cases[] = {{"-5.5", "1", ""},
                 {"5x", "1", "Invalid time zone"},
                 {"16", "1", "Invalid time zone"},
                 {"5", "2", "Invalid date"}};  // 31 February
    for (const auto& c : cases) {
        form.zone = c.zone;
        form.end.month = c.endMonth;
        const FormInput made = AspectarianInputOf(form);
        EXPECT_EQ(made.problem.title, c.title) << c.zone;
        EXPECT_EQ(made.input.has_value(), *c.title == 0) << c.zone;
    }
    form.zone = "-5.5";
    form.end.month = "1";
    const AspectarianInput input = *AspectarianInputOf(form).input;
    EXPECT_EQ(input.to.day, 31);
    EXPECT_EQ(input.zone, -5.5);
    EXPECT_EQ(input.passes, AspectarianPasses::Both);
}

// The run's own reader gives what the session's positions give: the same events.
TEST_F(AspectarianSession, OwnReaderFindsWhatTheSessionsPositionsFind) {
    Workstation& ws = session.workstation;
    const int pholus = Slot("pholus");
    ASSERT_NE(pholus, 0);
    ASSERT_TRUE(
        LoadBodyDayTables(LoadFolderPath(ws.home), "pholus", pholus, DayPeriod::From1900, ws.tables)
            .empty());
    const AspectarianInput input = January2020({1, 4, 5, 6, pholus});
    const AspectarianResult direct = RunAspectarian(input, ws.positions.AsFunction(), messages, {});
    ASSERT_EQ(direct.outcome, AspectarianOutcome::Complete);

    // Once with the tables copied from the session, once read by the reader itself.
    for (bool sessionHasTables : {true, false}) {
        if (!sessionHasTables) ws.tables.Clear(pholus);
        AspectarianJob job = PrepareAspectarianJob(session, input);
        const AspectarianResult r = RunAspectarianJob(job, messages);
        ASSERT_EQ(r.outcome, AspectarianOutcome::Complete) << sessionHasTables;
        for (Frame frame : {Frame::Geocentric, Frame::Heliocentric}) {
            const auto& a = direct.pass(frame).events;
            const auto& b = r.pass(frame).events;
            ASSERT_EQ(a.size(), b.size());
            for (size_t k = 0; k < a.size(); ++k) {
                EXPECT_EQ(a[k].jd, b[k].jd);
                EXPECT_EQ(a[k].body1, b[k].body1);
                EXPECT_EQ(a[k].body2, b[k].body2);
                EXPECT_EQ(a[k].key, b[k].key);
            }
        }
        EXPECT_FALSE(ws.tables.Loaded(pholus) && !sessionHasTables);  // the session untouched
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AspectarianSession, NatalPointsComeFromTheNatalChart) {
    const Workstation& ws = session.workstation;
    AspectarianInput input = January2020({1});
    input.pairing = AspectarianPairing::TransitNatal;
    input.natalBodies = {1, 4, SlotAscendant, SlotMidheaven};
    AspectarianJob job = PrepareAspectarianJob(session, input);
    ASSERT_EQ(RunAspectarianJob(job, messages).outcome, AspectarianOutcome::Complete);
    const ChartKinds& natal = job.input.natal;
    const ChartKinds& chart = ws.record.Natal;  // the chart computation's own values
    for (int slot : {1, 4}) {
        EXPECT_NEAR(natal.GeoLong[slot], chart.GeoLong[slot], 1e-4) << slot;
        EXPECT_NEAR(natal.GeoDecl[slot], chart.GeoDecl[slot], 1e-4) << slot;
    }
    EXPECT_NEAR(natal.GeoLong[SlotAscendant], ws.natal.houses.Ascendant, 1e-9);
    EXPECT_NEAR(natal.GeoDecl[SlotMidheaven], ws.natal.houses.MidheavenDecl, 1e-9);

    // A natal chart outside the ephemeris: refused, nothing taken at 0°.
    session.workstation.entry.natal.year = "1850";
    ComputeCharts(session);
    messages.shown.clear();
    AspectarianJob outside = PrepareAspectarianJob(session, input);
    const AspectarianResult r = RunAspectarianJob(outside, messages);
    EXPECT_EQ(r.outcome, AspectarianOutcome::Invalid);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Natal position not available");
    EXPECT_NE(messages.shown[0].text.find("geocentric position of sun"), std::string::npos);
}

}  // namespace
}  // namespace quintaro
