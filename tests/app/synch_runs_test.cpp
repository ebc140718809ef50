// SPDX-License-Identifier: AGPL-3.0-or-later
// The synchronization and symmetry commands on a started session: the members, the one-day
// search with its listing files, the day-by-day run and its file, the symmetrical patterns.
#include "app/synch_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/interpretations.h"
#include "core/atomic_file.h"
#include "core/ephemeris_loader.h"
#include "recording_messages.h"
#include "synch/synch_month.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

class SynchRuns : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        session.workstation.clock = [] { return DateTimeParts{2001, 2, 10, 9, 30, 0}; };
        ASSERT_TRUE(StartSession(session));
        messages.shown.clear();
    }
    std::filesystem::path write(const std::string& name, const std::string& text) {
        auto path = home.path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string read(const std::filesystem::path& path) {
        std::string text;
        ReadWholeFile(path, text);
        return text;
    }
    // The default synchronization group: sixteen bodies less the Moon, natal and transit.
    std::filesystem::path defaultGroup() { return home.path() / "group1.syn"; }

    test::TempFolder home;
    test::RecordingMessages messages;
    Session session{home.path(), messages};
    const SynchOrbs orbs{2.0, 1.0, 2.0, 0.5};
};

TEST_F(SynchRuns, NoFileChosenComputesNothing) {
    EXPECT_FALSE(CalculateSynchOneDay(session, orbs));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "No file found");
    EXPECT_EQ(messages.shown[0].text, "You have not specified a synch file to use - please do so.");
    EXPECT_FALSE(session.synch.synchComputed);
    EXPECT_FALSE(CalculateSymmetricalPatterns(session));
    EXPECT_FALSE(session.synch.symmetryComputed);
}

TEST_F(SynchRuns, LoadingMakesTheFirstFilesMembersTheSelectionWindows) {
    auto file = write("mine.syn", "sun-n\nMARS-t\nplato-n\n");
    ASSERT_TRUE(LoadSynchFiles(session, {file, defaultGroup()}));
    const Workstation& ws = session.workstation;
    SelectionFlags expected;
    expected.setNatal(SlotSun, true);
    expected.setTransit(SlotMars, true);
    EXPECT_EQ(ws.groups.synch.live, expected);
    EXPECT_EQ(ws.groups.synch.current, 10);
    EXPECT_EQ(session.synch.memberWindowCaption, "Wizard/synchronization from " + file.string());
    EXPECT_EQ(read(home.path() / "temp2g.txt"), "sun-n\nMARS-t\nplato-n\n");
    EXPECT_TRUE(messages.shown.empty());

    // A damaged file changes nothing.
    auto damaged = write("bad.syn", std::string("sun-n\0", 6));
    EXPECT_FALSE(LoadSynchFiles(session, {damaged}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("is damaged"), std::string::npos);
    EXPECT_EQ(session.synch.files.size(), 2u);
    EXPECT_EQ(ws.groups.synch.live, expected);
}

TEST_F(SynchRuns, AFileThatVanishedIsReportedAndNothingIsComputed) {
    auto gone = write("gone.syn", "sun-n\nmars-t\n");
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup(), gone}));
    std::filesystem::remove(gone);
    EXPECT_FALSE(CalculateSynchOneDay(session, orbs));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "No file found");
    EXPECT_EQ(messages.shown[0].text,
              "The file you tried to use no longer exists. Please select another file.");
    EXPECT_FALSE(session.synch.synchComputed);
    EXPECT_FALSE(std::filesystem::exists(home.path() / "reports" / "synch_gl.txt"));
}

TEST_F(SynchRuns, OneDayWritesTheListingsOfItsResults) {
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup()}));
    ASSERT_TRUE(CalculateSynchOneDay(session, orbs));
    const SynchSession& synch = session.synch;
    ASSERT_TRUE(synch.synchComputed);
    size_t found = 0;
    for (SynchKind kind : AllSynchKinds) {
        const auto listing =
            home.path() / "reports" / ("synch_" + std::string(SynchKindCode(kind)) + ".txt");
        const std::string text = read(listing);
        EXPECT_EQ(text,
                  SynchListingText(synch.day.of(kind).listing, session.workstation.catalogue));
        // 30 members less the bodies a frame leaves out: the Earth geocentrically, the Sun
        // heliocentrically (natal and transit).
        const size_t lines = std::count(text.begin(), text.end(), '\n');
        EXPECT_EQ(lines, 28u) << SynchKindCode(kind);
        found += synch.day.of(kind).records.size();
    }
    EXPECT_GT(found, 0u);
    // Arranged: priorities never increase down a kind's list.
    for (const SynchKindResult& kind : synch.day.kinds)
        for (size_t i = 1; i < kind.records.size(); ++i)
            EXPECT_GE(kind.records[i - 1].priority, kind.records[i].priority);
    EXPECT_NE(synch.day.foundPane.find("end of synch file used - " + defaultGroup().string()),
              std::string::npos);
}

// The synchronization interpretations list the last search's longitude synchronizations in
// priority order, each as the synchronization window shows it, with a paragraph for every pair
// of a transit and a natal member.
TEST_F(SynchRuns, TheSynchronizationInterpretationsShowTheLastSearch) {
    EXPECT_TRUE(SessionSynchronizations(session).empty());
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup()}));
    ASSERT_TRUE(CalculateSynchOneDay(session, orbs));
    const SynchReport report = SessionSynchReport(session, ReportMode::RomanceTransits, false);
    ASSERT_EQ(report.sections.size(), 2u);
    const std::pair<size_t, SynchKind> sections[] = {{0, SynchKind::GeoLongitude},
                                                     {1, SynchKind::HelioLongitude}};
    size_t shown = 0;
    for (const auto& [section, kind] : sections) {
        SCOPED_TRACE(section);
        const auto& records = session.synch.day.of(kind).records;
        const auto& groups = report.sections[section].groups;
        ASSERT_EQ(groups.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(groups[i].line, records[i].line);
            const auto transits =
                std::count_if(records[i].members.begin(), records[i].members.end(),
                              [](const SynchMember& m) { return m.side == ChartSide::Transit; });
            const auto natals = static_cast<long>(records[i].members.size()) - transits;
            EXPECT_EQ(static_cast<long>(groups[i].pairs.size()), transits * natals);
        }
        shown += groups.size();
    }
    EXPECT_GT(shown, 0u);
}

TEST_F(SynchRuns, TheSelectionWindowsMembersServeWithoutAFile) {
    SelectionFlags marked;
    for (int slot : {SlotSun, SlotVenus, SlotMars, SlotJupiter, SlotSaturn})
        marked.setBoth(slot, true);
    session.workstation.groups.synch.live = marked;
    UseSelectionWindowMembers(session);
    ASSERT_TRUE(CalculateSynchOneDay(session, orbs));
    EXPECT_NE(
        session.synch.day.foundPane.find("end of synch file used from Select Synch Planets form"),
        std::string::npos);
    ASSERT_TRUE(CalculateSymmetricalPatterns(session));
    EXPECT_EQ(session.synch.symmetryHeading,
              "Symmetrical patterns using planets marked on Select Synch Planets form");
    session.workstation.groups.synch.live = {};
    EXPECT_FALSE(CalculateSynchOneDay(session, orbs));
    EXPECT_EQ(messages.shown.back().text, "No body is marked on the Select Synch Planets form.");
}

// Each day of the file is the one-day search of the charts with the transit moved to that day.
TEST_F(SynchRuns, DayByDayMovesTheTransitChartAndWritesTheMonth) {
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup()}));
    const EntrySection before = session.workstation.entry.transit;
    const auto sbd = home.path() / "reports" / "february.sbd";
    std::vector<long> progress;
    const Progress record = [&](std::string_view, long done, long) {
        progress.push_back(done);
        return true;
    };
    ASSERT_EQ(CalculateSynchForDays(session, 2001, 2, orbs, sbd, record),
              SynchMonthOutcome::Written);
    const std::string text = read(sbd);
    const std::string group = read(defaultGroup());
    EXPECT_EQ(text.rfind("Synchronization Files Used\n{" + defaultGroup().string() + "}\n" + group +
                             "\n\nSTART OF NEW DAY\n-----\n01 Feb 2001\n",
                         0),
              0u)
        << text.substr(0, 400);
    size_t days = 0;
    for (size_t at = text.find("START OF NEW DAY"); at != std::string::npos;
         at = text.find("START OF NEW DAY", at + 1))
        ++days;
    EXPECT_EQ(days, 28u);
    EXPECT_EQ(progress.size(), 29u);  // before each day, and once at the end

    // The entry is as it was, and day 15 is what a one-day search on the 15th gives.
    const EntrySection& after = session.workstation.entry.transit;
    EXPECT_EQ(after.day, before.day);
    EXPECT_EQ(after.month, before.month);
    EXPECT_EQ(after.year, before.year);
    session.workstation.entry.transit.day = "15";
    session.workstation.entry.transit.month = "2";
    session.workstation.entry.transit.year = "2001";
    ComputeCharts(session);
    ASSERT_TRUE(CalculateSynchOneDay(session, orbs));
    const std::string day15 = SynchDayText({2001, 2, 15}, session.synch.day.synchPane);
    EXPECT_NE(text.find("\n\n" + day15 + "\n\nSTART OF NEW DAY\n-----\n16 Feb 2001\n"),
              std::string::npos);
}

TEST_F(SynchRuns, ACancelledMonthWritesNothing) {
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup()}));
    const auto sbd = write("kept.sbd", "an earlier month\n");
    const Progress cancelAfterTwo = [](std::string_view, long done, long) { return done < 2; };
    EXPECT_EQ(CalculateSynchForDays(session, 2001, 3, orbs, sbd, cancelAfterTwo),
              SynchMonthOutcome::Cancelled);
    EXPECT_EQ(read(sbd), "an earlier month\n");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, "Operation stopped by user");
    EXPECT_EQ(session.workstation.entry.transit.month, "2");
}

// The ephemeris ends before 2060: the first day stops the run and nothing is written.
TEST_F(SynchRuns, AMonthOutsideTheEphemerisWritesNothing) {
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup()}));
    const auto sbd = home.path() / "late.sbd";
    EXPECT_EQ(CalculateSynchForDays(session, 2060, 1, orbs, sbd, {}), SynchMonthOutcome::Failed);
    EXPECT_FALSE(std::filesystem::exists(sbd));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text,
              "The charts of 01 Jan 2060 could not be computed. Nothing was written.");
    EXPECT_EQ(session.workstation.entry.transit.year, "2001");
}

TEST_F(SynchRuns, SymmetryUsesTheOrbsAndTheCapacity) {
    ASSERT_TRUE(LoadSynchFiles(session, {defaultGroup()}));
    session.synch.symmetryOrbs = {0.5, 0.5};
    ASSERT_TRUE(CalculateSymmetricalPatterns(session));
    EXPECT_EQ(session.synch.symmetryHeading,
              "Symmetrical patterns using planets in " + defaultGroup().string());
    const size_t narrow = session.synch.symmetry.of(SymmetryKind::Geocentric).patterns.size();
    session.synch.symmetryOrbs = {3.0, 3.0};
    ASSERT_TRUE(CalculateSymmetricalPatterns(session));
    const size_t wide = session.synch.symmetry.of(SymmetryKind::Geocentric).patterns.size();
    EXPECT_LT(narrow, wide);
    EXPECT_TRUE(messages.shown.empty());
    session.workstation.capacities.numSynchsSymsAllowedInArray = 3;
    ASSERT_TRUE(CalculateSymmetricalPatterns(session));
    EXPECT_EQ(session.synch.symmetry.of(SymmetryKind::Geocentric).patterns.size(), 3u);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().title, "Limit reached");
}

}  // namespace
}  // namespace quintaro
