// SPDX-License-Identifier: AGPL-3.0-or-later
// Aspectarian files: names, header, event lines, reading damaged files, merging, the summary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "aspects/aspectarian_files.h"
#include "core/atomic_file.h"
#include "day_parts.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::kMinute;

using Kind = AspectarianEventKind;
using namespace std::string_literals;

constexpr AttSubject kTtGeo{AspectarianPairing::TransitTransit, Frame::Geocentric};
constexpr AttSubject kTnGeo{AspectarianPairing::TransitNatal, Frame::Geocentric};
constexpr AttSubject kTtHelio{AspectarianPairing::TransitTransit, Frame::Heliocentric};
constexpr AttSubject kTnHelio{AspectarianPairing::TransitNatal, Frame::Heliocentric};

// 2024-01-01 0h UT.
constexpr double kJan1Jd = 2460310.5;

AspectarianEvent Event(double minutes, Kind kind, int body1, int body2 = 0, int key = 0) {
    AspectarianEvent e;
    e.jd = kJan1Jd + minutes * kMinute;
    e.kind = kind;
    e.body1 = body1;
    e.body2 = body2;
    e.key = key;
    return e;
}

std::string Read(const std::filesystem::path& path) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text)) << path;
    return text;
}

TEST(AspectarianFiles, ZoneTexts) {
    const struct {
        double zone;
        const char* text;
    } cases[] = {{0, "UT"},          {5, "UT-05:00"},   {-5.5, "UT+05:30"},
                 {0.75, "UT-00:45"}, {-12, "UT+12:00"}, {3.5, "UT-03:30"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ZoneText(c.zone), c.text);
        EXPECT_EQ(ParseZoneText(c.text), c.zone) << c.text;
    }
    for (const char* bad : {"GMT", "UT+5", "UT-16:00", "UT-05:60", "UT 05:00", "ut", ""})
        EXPECT_FALSE(ParseZoneText(bad)) << bad;
}

TEST(AspectarianFiles, HeaderLines) {
    AttHeader single{{2024, 1, 1}, {2024, 1, 31}, {kTtGeo}, 0};
    EXPECT_EQ(HeaderLine(single),
              "Aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to transits (geocentric), "
              "times in UT");
    AttHeader combined{{2023, 12, 25}, {2024, 2, 3}, {kTnGeo, kTtHelio}, -1};
    EXPECT_EQ(HeaderLine(combined),
              "Aspectarian 25 Dec 2023 to 03 Feb 2024 for transits to natal (geocentric) and "
              "transits to transits (heliocentric), times in UT+01:00");
    for (const AttHeader& h : {single, combined}) {
        auto back = ParseHeaderLine(HeaderLine(h));
        ASSERT_TRUE(back);
        EXPECT_EQ(HeaderLine(*back), HeaderLine(h));
        EXPECT_EQ(back->subjects, h.subjects);
        EXPECT_EQ(back->zone, h.zone);
    }
    const char* bad[] = {
        "",
        "aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to transits (geocentric), times in UT",
        "Aspectarian 01 Jan 2024 - 31 Jan 2024 for transits to transits (geocentric), times in UT",
        "Aspectarian 01 Jan 2024 to 31 Feb 2024 for transits to transits (geocentric), times in UT",
        "Aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to planets (geocentric), times in UT",
        "Aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to transits (geocentric)",
        "Aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to transits (geocentric) and transits "
        "to transits (geocentric), times in UT",
        "Aspectarian 01 Jan 2024 to 31 Jan 2024 for , times in UT",
    };
    for (const char* line : bad) EXPECT_FALSE(ParseHeaderLine(line)) << line;
}

TEST(AspectarianFiles, ProposedNames) {
    const CivilDate from{2024, 1, 1}, to{2024, 12, 31};
    EXPECT_EQ(ProposedAttFileName(from, to, kTtGeo), "2024-01-01_to_2024-12-31_tt_geo.att");
    EXPECT_EQ(ProposedAttFileName(from, to, kTnGeo), "2024-01-01_to_2024-12-31_tn_geo.att");
    EXPECT_EQ(ProposedAttFileName(from, to, kTtHelio), "2024-01-01_to_2024-12-31_tt_helio.att");
    EXPECT_EQ(ProposedAttFileName(from, to, kTnHelio), "2024-01-01_to_2024-12-31_tn_helio.att");
    EXPECT_EQ(ProposedCombinedFileName({"/x/2024-01-01_to_2024-12-31_tt_helio.att", "/x/b.att"}),
              "2024-01-01_to_2024-12-31_combined.att");
    EXPECT_EQ(ProposedCombinedFileName({"/x/mine.att"}), "mine_combined.att");
    const struct {
        const char* chosen;
        const char* saved;
    } combined[] = {{"/a/b.att", "/a/b_combined.att"},
                    {"/a/b_combined.att", "/a/b_combined.att"},
                    {"/a/allcombined.att", "/a/allcombined.att"},
                    {"/a/b", "/a/b_combined.att"},
                    {"/a/b.txt", "/a/b.txt_combined.att"}};
    for (const auto& c : combined) EXPECT_EQ(CombinedFilePath(c.chosen).string(), c.saved);
}

struct AttFixture : ::testing::Test {
    BodyCatalogue catalogue = MakeBodyCatalogue();
    AspectarianInput input;
    AspectarianResult result;
    test::TempFolder folder;

    void SetUp() override {
        input.from = {2024, 1, 1};
        input.to = {2024, 1, 2};
        input.pairing = AspectarianPairing::TransitTransit;
        result.from = input.from;
        result.to = input.to;
        AspectarianEvent ingress = Event(7 * 60 + 30, Kind::SignChange, 1);
        ingress.sign = 1;
        AspectarianEvent station = Event(5 * 60 + 0.4, Kind::DirectionChange, 2);
        station.retrograde = true;
        AspectarianEvent direct = Event(1439.6, Kind::DirectionChange, 7);  // rounds to 2 Jan 0:00
        result.geocentric.events = {
            Event(3 * 60 + 12.2, Kind::LongitudeAspect, 1, 4, 4),       station, ingress, direct,
            Event(1440 + 23 * 60 + 59.4, Kind::SecondAspect, 1, 4, 17),
        };
        result.heliocentric.events = {
            Event(6 * 60, Kind::SideChange, 5, 0, 17),
            Event(1440 + 60, Kind::LongitudeAspect, 11, 5, 15),
        };
    }
    std::filesystem::path Write(const std::string& name, const std::string& text) {
        const auto path = folder.path() / name;
        EXPECT_EQ(WriteFileAtomically(path, text), "");
        return path;
    }
};

TEST_F(AttFixture, OnePassFile) {
    const AttFile geo = AttFileOfPass(result, Frame::Geocentric, input, catalogue);
    EXPECT_EQ(AttFileText(geo),
              "Aspectarian 01 Jan 2024 to 02 Jan 2024 for transits to transits (geocentric), times "
              "in UT\n"
              "  01 Jan 2024  03:12    sun 090  moon\n"
              "  01 Jan 2024  05:00  mercu rx \n"
              "  01 Jan 2024  07:30    sun ARI ingress\n"
              "  02 Jan 2024  00:00  satur dir\n"
              "  02 Jan 2024  23:59    sun c.p  moon\n");
    const AttFile helio = AttFileOfPass(result, Frame::Heliocentric, input, catalogue);
    EXPECT_EQ(AttLineTexts(helio),
              (std::vector<std::string>{"  01 Jan 2024  06:00   mars c.p latitude change",
                                        "  02 Jan 2024  01:00  earth 051  mars"}));
}

TEST_F(AttFixture, SavedFilesReadBack) {
    const AttFile geo = AttFileOfPass(result, Frame::Geocentric, input, catalogue);
    const auto path = folder.path() / "geo.att";
    ASSERT_FALSE(SaveAttFile(path, geo));
    AttRead read = ReadAttFile(path);
    ASSERT_TRUE(read.file) << read.problem.text;
    EXPECT_EQ(AttFileText(*read.file), AttFileText(geo));
    // Windows line ends and a missing last line end read the same.
    std::string text = AttFileText(geo), crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    crlf.resize(crlf.size() - 2);
    read = ParseAttText(crlf, "crlf.att");
    ASSERT_TRUE(read.file) << read.problem.text;
    EXPECT_EQ(AttFileText(*read.file), text);
}

TEST_F(AttFixture, DamagedFilesAreRefusedWithTheReason) {
    const std::string header =
        "Aspectarian 01 Jan 2024 to 02 Jan 2024 for transits to transits (geocentric), times in "
        "UT\n";
    const std::string combinedHeader =
        "Aspectarian 01 Jan 2024 to 02 Jan 2024 for transits to transits (geocentric) and "
        "transits to transits (heliocentric), times in UT\n";
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"", "d.att is empty: it holds no aspectarian."},
        {"\n\n", "d.att is empty: it holds no aspectarian."},
        {header + "  01 Jan 2024  03:12    sun 090 \0moon\n"s,
         "d.att is damaged: it holds binary data, not text."},
        {"Date,Time\n",
         "d.att is not an aspectarian file: its first line \"Date,Time\" is not an "
         "aspectarian header."},
        {header + "  01 Jax 2024  03:12    sun 090  moon\n",
         "d.att is damaged: line 2 \"  01 Jax 2024  03:12    sun 090  moon\" is not an "
         "aspectarian event line."},
        {header + "  30 Feb 2024  03:12    sun 090  moon\n", "line 2"},
        {header + "  01 Jan 2024  24:00    sun 090  moon\n", "line 2"},
        {header + "  01 Jan 2024  03:12  sun\n", "line 2"},
        {header + "  01 Jan 2024  03:12    sun 090  mo\ton\n",
         "line 2 \"  01 Jan 2024  03:12    sun 090  mo?on\""},
        {header + "\n  01 Jan 2024  03:12    sun 090  moon\ngarbage\n", "line 4"},
        {combinedHeader + "  01 Jan 2024  03:12    sun 090  moon\n", "line 2"},
        {combinedHeader + "  01 Jan 2024  03:12    sun 090  moon  tn_geo\n", "line 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        AttRead read = ParseAttText(c.text, "d.att");
        EXPECT_FALSE(read.file);
        EXPECT_EQ(read.problem.title, "Unreadable aspectarian file");
        EXPECT_NE(read.problem.text.find(c.message), std::string::npos) << read.problem.text;
    }
    AttRead missing = ReadAttFile(folder.path() / "none.att");
    EXPECT_FALSE(missing.file);
    EXPECT_EQ(missing.problem.text,
              "Could not open " + (folder.path() / "none.att").string() + ".");
}

TEST_F(AttFixture, MergeJoinsRunsInTimeOrderWithTheirMarkers) {
    const AttFile geo = AttFileOfPass(result, Frame::Geocentric, input, catalogue);
    AttFile helio = AttFileOfPass(result, Frame::Heliocentric, input, catalogue);
    helio.header.from = {2023, 12, 31};
    AttMerge merge = MergeAttFiles({geo, helio, geo});  // geo twice: its lines kept once
    ASSERT_TRUE(merge.file);
    EXPECT_EQ(AttFileText(*merge.file),
              "Aspectarian 31 Dec 2023 to 02 Jan 2024 for transits to transits (geocentric) and "
              "transits to transits (heliocentric), times in UT\n"
              "  01 Jan 2024  03:12    sun 090  moon  tt_geo\n"
              "  01 Jan 2024  05:00  mercu rx   tt_geo\n"
              "  01 Jan 2024  06:00   mars c.p latitude change  tt_helio\n"
              "  01 Jan 2024  07:30    sun ARI ingress  tt_geo\n"
              "  02 Jan 2024  00:00  satur dir  tt_geo\n"
              "  02 Jan 2024  01:00  earth 051  mars  tt_helio\n"
              "  02 Jan 2024  23:59    sun c.p  moon  tt_geo\n");
    // A combined file reads back with its markers and merges again.
    AttRead back = ParseAttText(AttFileText(*merge.file), "c.att");
    ASSERT_TRUE(back.file) << back.problem.text;
    AttMerge again = MergeAttFiles({*back.file, helio});
    ASSERT_TRUE(again.file);
    EXPECT_EQ(AttFileText(*again.file), AttFileText(*merge.file));
    // Files of one run and consecutive ranges give a file of that run alone, without markers.
    AttFile later = geo;
    later.header.from = later.header.to = {2024, 1, 3};
    for (AttLine& line : later.lines) line.stamp.date.day += 2;
    AttMerge months = MergeAttFiles({later, geo});
    ASSERT_TRUE(months.file);
    EXPECT_EQ(months.file->header.subjects.size(), 1u);
    EXPECT_EQ(months.file->lines.size(), 10u);
    EXPECT_EQ(AttLineTexts(*months.file)[5], "  03 Jan 2024  03:12    sun 090  moon");
}

TEST_F(AttFixture, MergeRefusesMixedZones) {
    const AttFile geo = AttFileOfPass(result, Frame::Geocentric, input, catalogue);
    input.zone = 5;
    const AttFile helio = AttFileOfPass(result, Frame::Heliocentric, input, catalogue);
    AttMerge merge = MergeAttFiles({geo, helio});
    EXPECT_FALSE(merge.file);
    EXPECT_EQ(merge.problem.text,
              "The files give their times in different zones (UT and UT-05:00): merge only files "
              "of one zone.");
    EXPECT_FALSE(MergeAttFiles({}).file);
}

TEST_F(AttFixture, MergeOnDiskWritesACombinedFileOrNothing) {
    const auto geo = folder.path() / "geo.att";
    const auto helio = folder.path() / "helio.att";
    ASSERT_FALSE(SaveAttFile(geo, AttFileOfPass(result, Frame::Geocentric, input, catalogue)));
    ASSERT_FALSE(SaveAttFile(helio, AttFileOfPass(result, Frame::Heliocentric, input, catalogue)));
    MergeWritten written = MergeAttFilesOnDisk({geo, helio}, folder.path() / "both.att");
    ASSERT_FALSE(written.problem) << written.problem->text;
    EXPECT_EQ(written.written, folder.path() / "both_combined.att");
    AttRead read = ReadAttFile(written.written);
    ASSERT_TRUE(read.file);
    EXPECT_EQ(read.file->lines.size(), 7u);

    // A damaged source: the message, and the existing target is left as it was.
    const auto damaged = Write("damaged.att", "Aspectarian\n");
    const auto target = Write("old_combined.att", "keep me");
    written = MergeAttFilesOnDisk({geo, damaged}, target);
    ASSERT_TRUE(written.problem);
    EXPECT_EQ(written.problem->title, "Unreadable aspectarian file");
    EXPECT_EQ(Read(target), "keep me");
    // A missing source: nothing written at all.
    written = MergeAttFilesOnDisk({geo, folder.path() / "gone.att"}, folder.path() / "new.att");
    ASSERT_TRUE(written.problem);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "new_combined.att"));
    // A folder that does not exist: the save message.
    written = MergeAttFilesOnDisk({geo}, folder.path() / "no" / "such.att");
    ASSERT_TRUE(written.problem);
    EXPECT_EQ(written.problem->title, "Could not save the aspectarian file");
}

// A pass that ended early names the days it finished; a complete one the whole range.
TEST_F(AttFixture, PartialPassHeaderNamesTheDaysDone) {
    input.to = result.to = {2024, 3, 5};
    result.days = 65;
    const struct {
        long daysDone;
        const char* to;
    } cases[] = {{1, "01 Jan 2024"}, {31, "31 Jan 2024"}, {60, "29 Feb 2024"}, {65, "05 Mar 2024"}};
    for (const auto& c : cases) {
        result.geocentric.daysDone = c.daysDone;
        const AttFile geo = AttFileOfPass(result, Frame::Geocentric, input, catalogue);
        EXPECT_EQ(StampDate(geo.header.to), c.to) << c.daysDone;
        EXPECT_EQ(StampDate(geo.header.from), "01 Jan 2024");
    }
}

TEST_F(AttFixture, RunSummary) {
    input.transitBodies = {1, 2, 4};
    input.natalBodies = {10};
    input.aspects = PresetAspects(AspectarianPreset::PureLinkages);
    input.events.longitudeAspects = input.events.sideChanges = true;
    input.from = {2024, 3, 5};
    input.to = {2023, 12, 24};
    EXPECT_EQ(RunSummary(input, catalogue),
              (std::vector<std::string>{
                  "Start month = 12", "Start day = 24", "Start year = 2023", "End month = 3",
                  "End day = 5", "End year = 2024", "Transit planets used: sun, mercury, moon",
                  "Progressed planets used: none", "Natal planets used: none",
                  "Aspects selected: 000, 120, par",
                  "Events selected: Longitude Aspects, Change N to S or S to N", "Times in UT"}));
    input.pairing = AspectarianPairing::TransitNatal;
    EXPECT_EQ(RunSummary(input, catalogue)[8], "Natal planets used: pluto");
}

}  // namespace
}  // namespace quintaro
