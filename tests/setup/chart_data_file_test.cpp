// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/chart_data_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

EntrySection ChicagoSection() {
    // 3:18 PM on 6 December 2026 at 87°38' West, 41°52' North, zone 6.
    return {"Now", "Chicago", "12", "6",  "2026", "3",   "18",  "6",
            "41",  "52",      "87", "38", true,   false, false, {}};
}

EntryModel SampleModel() {
    EntryModel model;
    model.natal = ChicagoSection();
    model.transit = {"Transits", "New York", "1",  "2",  "2027", "12",  "05",  "5",
                     "40",       "46",       "73", "59", false,  false, false, {}};
    return model;
}

SelectionFlags SampleSelection() {
    SelectionFlags selection;
    selection.setNatal(13, true);  // node
    selection.setNatal(20, true);  // part of fortune
    selection.setNatal(4, true);   // Moon
    return selection;
}

// What the entry holds after loading a whole file into an empty one.
struct Loaded {
    EntryModel model;
    SelectionFlags selection;
    ChartFileMemory memory;
};

Loaded Load(const ChartFile& file) {
    Loaded l;
    ApplyChartFile(file, ChartFileTarget::Everything, l.model, l.selection, l.memory);
    return l;
}

// The seven lines, laid out by hand in zones of 14 columns.
const char* const kSampleFile =
    "\"Now\"         2026          12            6              15           18             0 "
    "           6              1             0 \n"
    "\"Chicago\"      87.63334      41.86667      0             0 \n"
    " 99            99            3             1             1             1            False\n"
    " 1             0             1             0             1 \n"
    "\"Transits\"    2027          1             2              0            05             0 "
    "           5\n"
    "\"New York\"     73.98334      40.76667 \n"
    " 1             1 \n";

TEST(ChartDataFile, WritesTheSevenLinesInPrintZones) {
    ChartFile file = ChartFileFromEntry(SampleModel(), SampleSelection(), ChartFileMemory{});
    EXPECT_EQ(FormatChartFile(file), kSampleFile);
}

TEST(ChartDataFile, HourOnTheTwentyFourHourClock) {
    struct Case {
        const char* hour;
        bool pm;
        double hour24;
    } cases[] = {{"12", false, 0}, {"1", false, 1}, {"11", false, 11},
                 {"12", true, 12}, {"1", true, 13}, {"11", true, 23}};
    for (const auto& c : cases) {
        EntryModel model = SampleModel();
        model.natal.hour = c.hour;
        model.natal.pm = c.pm;
        ChartFile file = ChartFileFromEntry(model, SampleSelection(), {});
        EXPECT_EQ(file.natal.hour24, c.hour24) << c.hour << (c.pm ? " PM" : " AM");
        // ... and back: the hour and the half come out as they went in.
        const EntrySection loaded = Load(ParseChartFile(FormatChartFile(file))).model.natal;
        EXPECT_EQ(loaded.hour, c.hour);
        EXPECT_EQ(loaded.pm, c.pm);
    }
}

TEST(ChartDataFile, CoordinatesAsDecimalDegrees) {
    struct Case {
        const char* degrees;
        const char* minutes;
        bool negative;
        const char* written;
    } cases[] = {
        {"87", "38", false, "87.63334"}, {"73", "59", false, "73.98334"},
        {"40", "00", false, "40.0"},     {"87", "38", true, "-87.63334"},
        {"0", "30", true, "-.5"},        {"151", "12", true, "-151.2"},
        {"0", "0", false, ".0"},
    };
    for (const auto& c : cases) {
        EntryModel model = SampleModel();
        model.natal.longDeg = c.degrees;
        model.natal.longMin = c.minutes;
        model.natal.east = c.negative;
        std::string text = FormatChartFile(ChartFileFromEntry(model, SampleSelection(), {}));
        std::string line2 = text.substr(text.find('\n') + 1);
        line2 = line2.substr(0, line2.find('\n'));
        EXPECT_EQ(line2.substr(14, line2.find(' ', 15) - 14),
                  std::string(c.negative ? "" : " ") + c.written)
            << c.degrees << "°" << c.minutes;
    }
}

TEST(ChartDataFile, MinutesRoundTripThroughTheDecimalDegrees) {
    for (int minutes = 0; minutes < 60; ++minutes) {
        EntryModel model = SampleModel();
        model.natal.latMin = std::to_string(minutes);
        model.natal.south = minutes % 2 == 1;
        const EntrySection loaded =
            Load(ParseChartFile(FormatChartFile(ChartFileFromEntry(model, {}, {})))).model.natal;
        EXPECT_EQ(loaded.latDeg, "41");
        EXPECT_EQ(loaded.latMin, std::to_string(minutes));
        EXPECT_EQ(loaded.south, minutes % 2 == 1);
    }
}

TEST(ChartDataFile, ReadsTheHandWrittenSampleIntoTheEntryFields) {
    EntryModel model;
    SelectionFlags selection = SelectionFlags::All();
    ChartFileMemory memory;
    ChartFile file = ParseChartFile(kSampleFile);
    EXPECT_TRUE(file.problems.empty());
    ApplyChartFile(file, ChartFileTarget::Everything, model, selection, memory);
    const EntrySection& n = model.natal;
    EXPECT_EQ(n.name, "Now");
    EXPECT_EQ(n.place, "Chicago");
    EXPECT_EQ(n.year, "2026");
    EXPECT_EQ(n.month, "12");
    EXPECT_EQ(n.day, "6");
    EXPECT_EQ(n.hour, "3");
    EXPECT_TRUE(n.pm);
    EXPECT_EQ(n.minute, "18");
    EXPECT_EQ(n.zone, "6");
    EXPECT_EQ(n.longDeg, "87");
    EXPECT_EQ(n.longMin, "38");
    EXPECT_FALSE(n.east);
    EXPECT_EQ(n.latDeg, "41");
    EXPECT_EQ(n.latMin, "52");
    const EntrySection& t = model.transit;
    EXPECT_EQ(t.name, "Transits");
    EXPECT_EQ(t.place, "New York");
    EXPECT_EQ(t.hour, "12");
    EXPECT_FALSE(t.pm);
    EXPECT_EQ(t.minute, "05");
    EXPECT_EQ(t.longDeg, "73");
    EXPECT_EQ(t.longMin, "59");
    EXPECT_EQ(t.latDeg, "40");
    EXPECT_EQ(t.latMin, "46");
    // Line 4 is 1 0 1 0 1: node, no angles, part of fortune, no Chiron, Moon.
    std::string expected(2 * BodyCount, '1');
    expected[18 - 1] = expected[19 - 1] = '0';
    expected[12 - 1] = '0';
    EXPECT_EQ(selection.text(), expected);
}

TEST(ChartDataFile, ValuesMaySitOnOneLineSeparatedByCommas) {
    const char* text =
        "\"Ann, Lee\",1985,7,4,0,5,0,-1,1,0,\"Paris\",-2.33334,48.86667,7,-2.5,"
        "99,99,3,1,1,1,False,0,1,0,1,0,\"Now\",2026,1,1,13,0,0,6,\"\",87.63334,-41.86667,1,1";
    ChartFile file = ParseChartFile(text);
    EXPECT_TRUE(file.problems.empty());
    EXPECT_EQ(file.valuesRead, ChartFileValueCount);
    EXPECT_EQ(file.natal.name, "Ann, Lee");
    EXPECT_EQ(file.natal.zone, "-1");
    EXPECT_DOUBLE_EQ(file.natal.longitude, -2.33334);
    EXPECT_DOUBLE_EQ(file.carriedA, 7);
    EXPECT_DOUBLE_EQ(file.carriedB, -2.5);
    EXPECT_EQ(file.transit.place, "");
    EXPECT_DOUBLE_EQ(file.transit.latitude, -41.86667);
    const auto [model, selection, memory] = Load(file);
    EXPECT_EQ(model.natal.hour, "12");  // hour 0 is 12 AM
    EXPECT_FALSE(model.natal.pm);
    EXPECT_TRUE(model.natal.east);
    EXPECT_EQ(model.natal.longMin, "20");
    EXPECT_EQ(model.transit.hour, "1");
    EXPECT_TRUE(model.transit.pm);
    EXPECT_TRUE(model.transit.south);
    EXPECT_EQ(memory.carriedA, 7);
    EXPECT_EQ(memory.carriedB, -2.5);
}

TEST(ChartDataFile, RoundTripGivesIdenticalBytes) {
    std::vector<EntryModel> models;
    models.push_back(SampleModel());
    EntryModel odd = SampleModel();
    odd.natal.name = "O\"Brien, \"Jr\"";
    odd.natal.place = "";
    odd.natal.year = "";
    odd.natal.zone = "-5.5";
    odd.natal.minute = "7 a";
    odd.natal.east = true;
    odd.natal.south = true;
    odd.transit.name = "line\nbreak";
    odd.transit.day = "0";
    models.push_back(odd);
    EntryModel empty;
    models.push_back(empty);
    for (const EntryModel& model : models) {
        ChartFileMemory memory{{}, 3.25, -17};
        std::string first = FormatChartFile(ChartFileFromEntry(model, SampleSelection(), memory));
        const Loaded loaded = Load(ParseChartFile(first));
        EXPECT_EQ(
            FormatChartFile(ChartFileFromEntry(loaded.model, loaded.selection, loaded.memory)),
            first);
    }
}

TEST(ChartDataFile, TextsThatWouldSplitAreQuoted) {
    EntryModel model = SampleModel();
    model.natal.year = "";
    model.natal.minute = "1 2";
    std::string text = FormatChartFile(ChartFileFromEntry(model, SampleSelection(), {}));
    EXPECT_EQ(text.substr(14, 2), "\"\"");
    ChartFile file = ParseChartFile(text);
    EXPECT_EQ(file.natal.year, "");
    EXPECT_EQ(file.natal.hour24, 15);
    EXPECT_EQ(file.valuesRead, ChartFileValueCount);
}

TEST(ChartDataFile, TargetsTakeTheirPartOfTheFile) {
    const ChartFile file = ParseChartFile(kSampleFile);
    auto before = [] {
        EntryModel model;
        model.natal = {"A", "B", "3",  "4",  "1950", "5",  "6",  "7",
                       "8", "9", "10", "11", true,   true, true, {}};
        model.transit = model.natal;
        model.transit.name = "T";
        return model;
    };
    {
        EntryModel model = before();
        SelectionFlags selection;
        ChartFileMemory memory;
        ApplyChartFile(file, ChartFileTarget::NatalOnly, model, selection, memory);
        EXPECT_EQ(model.natal.name, "Now");
        EXPECT_EQ(model.transit.name, "T");
        EXPECT_EQ(model.transit.year, "1950");
        EXPECT_TRUE(selection.natal(13));
    }
    {
        EntryModel model = before();
        SelectionFlags selection;
        ChartFileMemory memory;
        ApplyChartFile(file, ChartFileTarget::NatalAndTransitDate, model, selection, memory);
        EXPECT_EQ(model.transit.name, "T");
        EXPECT_EQ(model.transit.year, "2027");
        EXPECT_EQ(model.transit.month, "1");
        EXPECT_EQ(model.transit.day, "2");
        EXPECT_EQ(model.transit.hour, "5");
        EXPECT_EQ(model.transit.place, "B");
    }
    {
        EntryModel model = before();
        SelectionFlags selection;
        ChartFileMemory memory{"/keep.opt", 4, 5};
        ApplyChartFile(file, ChartFileTarget::NatalIntoTransit, model, selection, memory);
        EXPECT_EQ(model.natal.name, "A");
        EXPECT_EQ(model.transit.name, "Now");
        EXPECT_EQ(model.transit.place, "Chicago");
        EXPECT_EQ(model.transit.year, "2026");
        EXPECT_EQ(model.transit.hour, "3");
        EXPECT_TRUE(model.transit.pm);
        EXPECT_EQ(model.transit.longMin, "38");
        EXPECT_FALSE(model.transit.east);
        EXPECT_EQ(selection, SelectionFlags());  // flags untouched
        EXPECT_EQ(memory.carriedA, 4);
    }
}

TEST(ChartDataFile, CarriedValuesAreWrittenBackUnchanged) {
    std::string text = kSampleFile;
    const std::string zeros = " 0             0 \n";
    text.replace(text.find(zeros), zeros.size(), " 12.5         -3 \n");
    const auto [model, selection, memory] = Load(ParseChartFile(text));
    EXPECT_EQ(memory.carriedA, 12.5);
    EXPECT_EQ(memory.carriedB, -3);
    std::string written = FormatChartFile(ChartFileFromEntry(model, selection, memory));
    EXPECT_NE(written.find("      12.5         -3 \n"), std::string::npos) << written;
}

TEST(ChartDataFile, ShortFileWritesOnlyTheFieldsItHolds) {
    // Cut after the natal day: four values.
    EntryModel model = SampleModel();
    model.natal.name = "Old";
    SelectionFlags selection = SampleSelection();
    ChartFileMemory memory{{}, 8, 9};
    ChartFile file = ParseChartFile("\"Kim\"  1977   3   30");
    EXPECT_EQ(file.valuesRead, 4);
    ASSERT_FALSE(file.problems.empty());
    // What is missing is named, the constants that carry nothing left out.
    EXPECT_EQ(file.problems[0],
              "it ends after 4 of its 40 values (missing: natal hour, natal minute, natal zone, "
              "natal place, natal longitude, natal latitude, carried value A, carried value B, "
              "node flag, angles flag, part of fortune flag, Chiron flag, Moon flag, transit "
              "name, transit year, transit month, transit day, transit hour, transit minute, "
              "transit zone, transit place, transit longitude, transit latitude)");
    std::string whole = FormatChartFile(ChartFileFromEntry(SampleModel(), selection, memory));
    whole.erase(whole.rfind('\n', whole.size() - 2) + 1);  // without line 7, its constants
    ChartFile withoutConstants = ParseChartFile(whole);
    ASSERT_EQ(withoutConstants.problems.size(), 1u);
    EXPECT_EQ(withoutConstants.problems[0], "it ends after 38 of its 40 values");
    ApplyChartFile(file, ChartFileTarget::Everything, model, selection, memory);
    EXPECT_EQ(model.natal.name, "Kim");
    EXPECT_EQ(model.natal.day, "30");
    EXPECT_EQ(model.natal.hour, "3");  // not read: kept
    EXPECT_TRUE(model.natal.pm);
    EXPECT_EQ(model.natal.longDeg, "87");
    EXPECT_EQ(model.transit.name, "Transits");
    EXPECT_EQ(selection, SampleSelection());
    EXPECT_EQ(memory.carriedA, 8);
}

TEST(ChartDataFile, JunkInNumbersReadsAsTheLeadingNumberAndIsReported) {
    std::string text = kSampleFile;
    text.replace(text.find("2026"), 4, "20x6");
    text.replace(text.find(" 87.63334"), 9, " 87.6abc ");
    ChartFile file = ParseChartFile(text);
    EXPECT_EQ(file.natal.year, "20x6");  // kept; the entry reads it as 20
    EXPECT_DOUBLE_EQ(file.natal.longitude, 87.6);
    ASSERT_EQ(file.problems.size(), 2u);
    EXPECT_EQ(file.problems[0], "the natal year \"20x6\" is not a number");
    EXPECT_EQ(file.problems[1], "the natal longitude \"87.6abc\" is not a number");
}

TEST(ChartDataFile, DamagedTextsNeverBreakTheReader) {
    std::vector<std::string> texts = {
        "",
        "\"unterminated name 1990 1 1",
        std::string(200000, 'x'),
        std::string(100000, ',') + "\"a\"",
        std::string("\0\0\0\xff\xfe\"\x01", 7),
        "\"\"\"\"\"\"",
        std::string(kSampleFile) + std::string(kSampleFile),
        "1e999 -1e999 nan inf 99999999999999999999999 -0 .",
    };
    std::mt19937 random(7);
    for (int k = 0; k < 50; ++k) {
        std::string garbage(static_cast<size_t>(random() % 3000), '\0');
        for (char& c : garbage) c = static_cast<char>(random() % 256);
        texts.push_back(garbage);
    }
    for (const std::string& text : texts) {
        ChartFile file = ParseChartFile(text);
        EXPECT_LE(file.valuesRead, ChartFileValueCount);
        EntryModel model = SampleModel();
        SelectionFlags selection = SampleSelection();
        ChartFileMemory memory;
        ApplyChartFile(file, ChartFileTarget::Everything, model, selection, memory);
        EXPECT_EQ(selection.text().size(), 2u * BodyCount);
        // Whatever was read, writing it again gives a file that reads back to the same bytes.
        std::string first = FormatChartFile(ChartFileFromEntry(model, selection, memory));
        ChartFile again = ParseChartFile(first);
        EXPECT_EQ(again.valuesRead, ChartFileValueCount);
        const Loaded reloaded = Load(again);
        EXPECT_TRUE(FormatChartFile(ChartFileFromEntry(reloaded.model, reloaded.selection,
                                                       reloaded.memory)) == first)
            << "text " << (&text - texts.data());
    }
}

TEST(ChartDataFile, LoadAndSaveThroughFiles) {
    test::TempFolder folder;
    test::RecordingMessages messages;
    EntryModel model = SampleModel();
    SelectionFlags selection = SampleSelection();
    ChartFileMemory memory;
    const auto path = folder.path() / "chart.opt";
    ASSERT_TRUE(SaveChartFile(path, model, selection, memory, messages));
    EXPECT_EQ(memory.currentFile, path);
    std::string content;
    ASSERT_TRUE(ReadWholeFile(path, content));
    EXPECT_EQ(content, kSampleFile);

    EntryModel loaded;
    SelectionFlags loadedSelection;
    ChartFileMemory loadedMemory;
    EXPECT_TRUE(LoadChartFile(path, ChartFileTarget::Everything, loaded, loadedSelection,
                              loadedMemory, messages));
    EXPECT_EQ(loadedMemory.currentFile, path);
    EXPECT_EQ(loaded.natal.place, "Chicago");
    EXPECT_TRUE(messages.shown.empty());

    // A missing file reads nothing and says nothing.
    EXPECT_FALSE(LoadChartFile(folder.path() / "none.opt", ChartFileTarget::Everything, loaded,
                               loadedSelection, loadedMemory, messages));
    EXPECT_EQ(loadedMemory.currentFile, path);
    EXPECT_TRUE(messages.shown.empty());

    // A damaged file loads what it has and says what is wrong, once.
    ASSERT_EQ(WriteFileAtomically(folder.path() / "short.opt", "\"X\" 1999 2"), "");
    EXPECT_TRUE(LoadChartFile(folder.path() / "short.opt", ChartFileTarget::NatalIntoTransit,
                              loaded, loadedSelection, loadedMemory, messages));
    EXPECT_EQ(loaded.transit.name, "X");
    EXPECT_EQ(loaded.transit.month, "2");
    EXPECT_EQ(loadedMemory.currentFile, path);  // "Load As Transit" does not change it
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("ends after 3 of its 40 values"), std::string::npos);

    // Saving into a folder that does not exist fails with a message and keeps the current file.
    EXPECT_FALSE(SaveChartFile(folder.path() / "no" / "x.opt", model, selection, memory, messages));
    EXPECT_EQ(memory.currentFile, path);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST(ChartDataFile, ProposedNamesAndSaveTargets) {
    struct Case {
        const char* natal;
        const char* transit;
        const char* proposed;
    } cases[] = {{"Ann", "Now", "Ann.opt"},
                 {"Ann", "NOW", "Ann.opt"},
                 {"Ann", "Transits", "AnnTransits.opt"},
                 {"Ann", "now ", "Annnow .opt"},
                 {"A/B", "Now", "A_B.opt"}};
    for (const auto& c : cases) {
        EntryModel model;
        model.natal.name = c.natal;
        model.transit.name = c.transit;
        EXPECT_EQ(ProposedChartFileName(model), c.proposed);
    }
    ChartFileMemory memory;
    EXPECT_FALSE(SaveWithoutAsking(false, memory));
    memory.currentFile = "/x/a.opt";
    EXPECT_EQ(SaveWithoutAsking(false, memory), std::filesystem::path("/x/a.opt"));
    EXPECT_FALSE(SaveWithoutAsking(true, memory));
}

TEST(ChartDataFile, LoadAsTransitRemovesTheScratchFile) {
    test::TempFolder folder;
    ASSERT_EQ(WriteFileAtomically(folder.path() / "temp3.txt", "x"), "");
    RemoveNatalIntoTransitScratch(folder.path());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "temp3.txt"));
    RemoveNatalIntoTransitScratch(folder.path());  // absent: nothing happens
}

}  // namespace
}  // namespace quintaro
