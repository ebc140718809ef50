// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/settings_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <vector>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "setup/file_lines.h"
#include "setup/number_text.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

const CivilDate kToday{2026, 12, 6};

Settings Defaults() {
    return DefaultSettings("/home/q", kToday);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

Settings ReadOverDefaults(const std::string& text, RecordingMessages& messages) {
    Settings settings = Defaults();
    ReadSettingsText(text, settings, messages);
    return settings;
}

TEST(SettingsFile, DefaultFileHasTheHeaderAnd136LinesWithDefaults) {
    std::vector<std::string> lines = Lines(SettingsText(Defaults()));
    ASSERT_EQ(lines.size(), 137u);
    EXPECT_EQ(lines[0], "[Quintaro_Pro] - Do NOT change the order of these variables.");
    // Line numbers counted after the header.
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "FontSize= 8.5"},
        {2, "FontBold= 0"},
        {3, "FontItalic= 0"},
        {4, "StartScale= 287"},
        {5, "StartScale_sgl= 287"},
        {6, "StartScale_shl= 287"},
        {7, "DataGrdLongAspectsTop= 5985"},
        {10, "DataGrdLongAspectsWidth= 7215"},
        {27, "DataGrdMidpointAspectsTop= 8640"},
        {29, "DataGrdMidpointAspectsHeight= 7680"},
        {31, "display_db_gridTop= 5380"},
        {43, "Data0Top= 4640"},
        {58, "DataOutput2Width= 11355"},
        {75, "wheels_small_sym_helioTop= 620"},
        {78, "wheels_small_sym_helioWidth= 5760"},
        {79, "OutputNameFilePivotFile="},
        {80, "InterpsFileParsedPathName=/home/q/interps"},
        {83, "Blue_Opts=" + std::string(106, '0')},
        {84,
         "Geo_Opts=1110111111110000000000000000000000000000000000000000011101111111100000"
         "000000000000000000000000000000000000"},
        {85, "GeoGroup=1"},
        {86,
         "Synch_Opts=001000001101000000000000000000000000000000000000000000010000011010000"
         "0000000000000000000000000000000000000"},
        {87,
         "Crucial_Opts=0010000011010000000000000000000000000000000000000000000100000110"
         "100000000000000000000000000000000000000000"},
        {88, "CrucialGroup=1"},
        {89, "OutputNameFileOPT="},
        {90, "OutputNameFile_GeoOpt=/home/q/group1.sel"},
        {91, "OutputNameFile_Crucial=/home/q/group1.cru"},
        {92, "OutputNameFile_SynchOpt=/home/q/group1.syn"},
        {93, "OutputNameFile_SynchPP=/home/q/GeneralUse.ord"},
        {94, "StartMonth= 1"},
        {97, "EndMonth= 12"},
        {98, "EndDay= 6"},
        {99, "EndYear= 2026"},
        {103, "TimeOrbValue= 3"},
        {104, "wheels_small_geo_housesTop= 620"},
        {112, "wheels_small_helioTop= 620"},
        {116, "data_input_background_color= 12632256"},
        {117, "TimeOrbFilter_days= 3"},
        {119, "TimeOrbFilter_minutes= 0"},
        {120, "natal_interpsTop= 8640"},
        {121, "natal_interpsLeft= 1000"},
        {124, "FIXFileParsedPathName=/home/q"},
        {128, "BINARYFileParsedPathName=/home/q/binary_ephems"},
        {129, "MergedBINARYFileParsedPathName=/home/q/merged_binary_ephems"},
        {130, "OutputNameFileFIXFile="},
        {131, "FIXED_BINARYFileParsedPathName=/home/q/fixed_binary"},
        {132, "FIXED_ASCIIFileParsedPathName=/home/q/fixed_ascii"},
        {133, "width_of_aspect_lines= 2"},
        {134, "width_of_circle= 1"},
        {135, "width_of_hexagon= 2"},
        {136, "width_of_conjunction= 12"},
    };
    for (const auto& [number, line] : expected) EXPECT_EQ(lines[number], line) << "line " << number;
}

TEST(SettingsFile, RectangleKeysFollowTheWindowOrder) {
    const std::vector<std::string> windows = {"DataGrdLongAspects",
                                              "DataGrdDeclAspects",
                                              "CrucialDataGrdLongAspects",
                                              "CrucialDataGrdDeclAspects",
                                              "DataGrdAspects",
                                              "DataGrdMidpointAspects",
                                              "display_db_grid",
                                              "frmDisplayArabicParts",
                                              "frmDisplayVOC",
                                              "Data0",
                                              "frmDisplaySynchInterps",
                                              "Data1",
                                              "DataOutput2",
                                              "DataOutput3",
                                              "frmResearchNotes",
                                              "frmLessonDisplay",
                                              "wheels_small_sym_geo",
                                              "wheels_small_sym_helio",
                                              "wheels_small_geo_houses",
                                              "wheels_small_geo",
                                              "wheels_small_helio",
                                              "natal_interps"};
    // Lines 7..78 hold the first 18 windows, 104..115 the next three, 120..123 the last.
    auto firstLine = [](int w) { return w < 18 ? 7 + 4 * w : w < 21 ? 104 + 4 * (w - 18) : 120; };
    std::vector<std::string> lines = Lines(SettingsText(Defaults()));
    const char* sides[] = {"Top=", "Left=", "Height=", "Width="};
    for (int w = 0; w < 22; ++w)
        for (int side = 0; side < 4; ++side)
            EXPECT_TRUE(lines[firstLine(w) + side].starts_with(windows[w] + sides[side]))
                << lines[firstLine(w) + side];
}

// Every value moved away from its default, so a field the writer or reader drops shows.
Settings Unusual() {
    Settings s = DefaultSettings("/other", {1999, 2, 3});
    s.fontSize = 10.25;
    s.fontBold = 1;
    s.fontItalic = -1;
    s.startScale = 300;
    s.startScaleSgl = -301;
    s.startScaleShl = 302;
    for (int w = 0; w < SettingsWindowCount; ++w)
        s.windows[w] = {static_cast<int16_t>(w), static_cast<int16_t>(-w - 1),
                        static_cast<int16_t>(1000 + w), static_cast<int16_t>(32767 - w)};
    s.outputNameFilePivotFile = "C:\\pivots\\a b.prn";
    s.interpsFileParsedPathName = "/i";
    s.outputNameFileLongitudeReport = "long.txt";
    s.outputNameFileDeclinationReport = "decl.txt";
    s.blueOpts = "1";
    s.geoOpts = std::string(53, '1') + std::string(53, '0');
    s.synchOpts = "not a selection text";
    s.crucialOpts = std::string(106, '1');
    s.outputNameFileOPT = "chart=1.opt";
    s.outputNameFileGeoOpt = "g.sel";
    s.outputNameFileCrucial = "g.cru";
    s.outputNameFileSynchOpt = "g.syn";
    s.outputNameFileSynchPP = "g.ord";
    s.startMonth = 4;
    s.startDay = 5;
    s.startYear = -44;
    s.endMonth = 7;
    s.endDay = 8;
    s.endYear = 2100;
    s.outputNameFileAspectarianFile = "asp.txt";
    s.outputNameFileResearch = "res.txt";
    s.outputNameFileDbaseLessons = "les.txt";
    s.timeOrbValue = 0.1f;
    s.dataInputBackgroundColor = -16777216;
    s.timeOrbFilterDays = 0;
    s.timeOrbFilterHours = 23;
    s.timeOrbFilterMinutes = -59;
    s.fixFileParsedPathName = "/fix";
    s.unvFileParsedPathName = "/unv";
    s.velmsoftEphemsParsedPathName = "/eph";
    s.dataDirectory = "/data";
    s.binaryFileParsedPathName = "/bin";
    s.mergedBinaryFileParsedPathName = "/merged";
    s.outputNameFileFIXFile = "x.fix";
    s.fixedBinaryFileParsedPathName = "/fb";
    s.fixedAsciiFileParsedPathName = "/fa";
    s.widthOfAspectLines = 3;
    s.widthOfCircle = 4;
    s.widthOfHexagon = 5;
    s.widthOfConjunction = 6;
    return s;
}

TEST(SettingsFile, WriteReadWriteGivesIdenticalBytesAndValues) {
    TempFolder folder;
    RecordingMessages messages;
    Settings original = Unusual();
    ASSERT_TRUE(WriteSettings(folder.path(), original, messages));
    std::string first;
    ASSERT_TRUE(ReadWholeFile(folder.path() / "Quintaro_Pro.INI", first));

    Settings read = ReadSettings(folder.path(), kToday, messages);
    EXPECT_EQ(SettingsText(read), first);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(read.fontSize, 10.25);
    EXPECT_EQ(read.timeOrbValue, 0.1f);
    EXPECT_EQ(read.dataInputBackgroundColor, -16777216);
    EXPECT_EQ(read.synchOpts, "not a selection text");
    EXPECT_EQ(read.geoOpts, original.geoOpts);
    EXPECT_EQ(read.rect(SettingsWindow::NatalInterpretations).width, 32767 - 21);
    EXPECT_EQ(read.outputNameFileOPT, "chart=1.opt");
}

TEST(SettingsFile, MissingFileKeepsEveryDefaultSilently) {
    TempFolder folder;
    RecordingMessages messages;
    Settings read = ReadSettings(folder.path(), kToday, messages);
    EXPECT_EQ(SettingsText(read), SettingsText(DefaultSettings(folder.path(), kToday)));
    EXPECT_TRUE(messages.shown.empty());
}

// One line of a file read over the defaults, and the setting it should change.
struct PrefixCase {
    std::string line;
    std::function<double(const Settings&)> setting;
    double expected;
};

TEST(SettingsFile, PrefixRulesDecideWhichSettingsALineSets) {
    auto scale = [](const Settings& s) { return s.startScale; };
    auto sgl = [](const Settings& s) { return s.startScaleSgl; };
    auto sglSym = [](const Settings& s) { return s.startScaleSglSym; };
    auto fontSize = [](const Settings& s) { return s.fontSize; };
    auto circle = [](const Settings& s) { return s.widthOfCircle; };
    auto days = [](const Settings& s) { return s.timeOrbFilterDays; };
    const std::vector<PrefixCase> cases = {
        {"FontSize= 10", fontSize, 10},
        {"FontSize=abc", fontSize, 0},   // not a number: 0, not the default
        {"FontSize 12", fontSize, 0},    // no "=": the value is the whole line
        {"fontsize=10", fontSize, 8.5},  // keys are case-sensitive
        {"FontSize=  7.5 points", fontSize, 7.5},
        {"StartScale=300", scale, 300},
        {"StartScale=300", sgl, 287},
        {"StartScale 300", scale, 287},  // compared with its "="
        {"StartScale_sgl=300", scale, 287},
        {"StartScale_sgl=300", sgl, 300},
        {"StartScale_sgl_sym=300", sgl, 300},  // "StartScale_sgl" is its prefix
        {"StartScale_sgl_sym=300", sglSym, 300},
        {"StartScale_sgl=300", sglSym, 287},
        {"width_of_circle=5", circle, 5},
        {"width_of_circle5", circle, 1},  // compared with its "="
        {"width_of_circle_x=5", circle, 1},
        {"TimeOrbFilter_days=-4", days, -4},
        {"TimeOrbFilter_days==4", days, 0},
        {"StartDay=2.5", [](const Settings& s) { return s.startDay; }, 2},  // halves to even
        {"StartDay=3.5", [](const Settings& s) { return s.startDay; }, 4},
        {"StartYear=1999.7x", [](const Settings& s) { return s.startYear; }, 2000},
        {"SynchGroup=3", [](const Settings& s) { return s.synchGroup; }, 3},
        {"GeoGroup=4", [](const Settings& s) { return s.geoGroup; }, 4},
        {"CrucialGroup=x", [](const Settings& s) { return s.crucialGroup; }, 0},
        {"StartScale_shl_sym=290", [](const Settings& s) { return s.startScaleShlSym; }, 290},
        {"StartScale_shl_sym=290", [](const Settings& s) { return s.startScaleShl; }, 290},
        {"Data0Top=-100", [](const Settings& s) { return s.rect(SettingsWindow::DataWindow0).top; },
         -100},
        {"Data0Top=-100", [](const Settings& s) { return s.rect(SettingsWindow::DataWindow1).top; },
         4640},
        {"wheels_small_geoLeft=7",
         [](const Settings& s) { return s.rect(SettingsWindow::SmallWheelGeo).left; }, 7},
        {"wheels_small_geoLeft=7",
         [](const Settings& s) { return s.rect(SettingsWindow::SmallHouseWheel).left; }, 0},
        {"data_input_background_color=255",
         [](const Settings& s) { return s.dataInputBackgroundColor; }, 255},
        {"TimeOrbValue=2.5", [](const Settings& s) { return s.timeOrbValue; }, 2.5},
    };
    for (const PrefixCase& c : cases) {
        RecordingMessages messages;
        Settings s = ReadOverDefaults(c.line + "\n", messages);
        EXPECT_EQ(c.setting(s), c.expected) << c.line;
        EXPECT_TRUE(messages.shown.empty()) << c.line;
    }
}

TEST(SettingsFile, NamesReplaceOnlyWhenGivenSelectionTextsAlways) {
    RecordingMessages messages;
    Settings s = Defaults();
    s.outputNameFileOPT = "last.opt";
    ReadSettingsText(
        "OutputNameFileOPT=\nGeo_Opts=\nDataDirectory=\nBlue_Opts=10\n"
        "OutputNameFile_BlueOpt=blue.sel\nOutputNameFileRESEARCH= a=b \n",
        s, messages);
    EXPECT_EQ(s.outputNameFileOPT, "last.opt");
    EXPECT_EQ(s.dataDirectory, "/home/q");
    EXPECT_EQ(s.geoOpts, "");
    EXPECT_EQ(s.blueOpts, "10");
    EXPECT_EQ(s.outputNameFileBlueOpt, "blue.sel");
    EXPECT_EQ(s.outputNameFileResearch, " a=b ");
}

TEST(SettingsFile, OnlyFontSizeChangesOnlyTheFirstLine) {
    RecordingMessages messages;
    std::vector<std::string> got = Lines(SettingsText(ReadOverDefaults("FontSize= 10", messages)));
    std::vector<std::string> want = Lines(SettingsText(Defaults()));
    want[1] = "FontSize= 10";
    EXPECT_EQ(got, want);
}

TEST(SettingsFile, KeysNeverWrittenStayOutOfTheFile) {
    RecordingMessages messages;
    Settings s = ReadOverDefaults(
        "SynchGroup=2\nStartScale_sgl_sym=1\nStartScale_shl_sym=2\nOutputNameFile_BlueOpt=b\n"
        "GeoGroup=5\nCrucialGroup=6\n",
        messages);
    std::string text = SettingsText(s);
    for (const char* key : {"SynchGroup", "_sgl_sym", "_shl_sym", "BlueOpt"})
        EXPECT_EQ(text.find(key), std::string::npos) << key;
    EXPECT_NE(text.find("\nGeoGroup=1\n"), std::string::npos);
    EXPECT_NE(text.find("\nCrucialGroup=1\n"), std::string::npos);
}

TEST(SettingsFile, NumbersTooLargeForTheirSettingKeepTheOldValueAndWarnOnce) {
    RecordingMessages messages;
    Settings s = ReadOverDefaults(
        "StartScale=99999\ndata_input_background_color=4294967296\nTimeOrbValue=1e39\n"
        "width_of_hexagon=-32769\nFontSize=1e300\n",
        messages);
    EXPECT_EQ(s.startScale, 287);
    EXPECT_EQ(s.dataInputBackgroundColor, 12632256);
    EXPECT_EQ(s.timeOrbValue, 3.0f);
    EXPECT_EQ(s.widthOfHexagon, 2);
    EXPECT_EQ(s.fontSize, 1e300);  // a double holds it
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Warning!");
    EXPECT_NE(messages.shown[0].text.find("StartScale=99999"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find("width_of_hexagon=-32769"), std::string::npos);
}

TEST(SettingsFile, DamagedFilesLeaveTheRestAtDefaults) {
    const std::string full = SettingsText(Unusual());
    // Cut in the middle of "StartScale_shl= 302".
    const std::string cut = full.substr(0, full.find("StartScale_shl= 3") + 17);
    RecordingMessages messages;
    Settings truncated = ReadOverDefaults(cut, messages);
    EXPECT_EQ(truncated.startScaleSgl, -301);
    EXPECT_EQ(truncated.startScaleShl, 3);
    EXPECT_EQ(truncated.rect(SettingsWindow::LongitudeAspectGrid).top, 5985);
    EXPECT_EQ(truncated.widthOfConjunction, 12);

    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 32);
    Settings afterGarbage = ReadOverDefaults(garbage, messages);
    EXPECT_EQ(SettingsText(afterGarbage), SettingsText(Defaults()));

    Settings longLine = ReadOverDefaults(
        "OutputNameFileOPT=" + std::string(100000, 'x') + "\nFontSize= 9\n", messages);
    EXPECT_EQ(longLine.outputNameFileOPT.size(), MaxFileLineLength - 18);
    EXPECT_EQ(longLine.fontSize, 9);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SettingsFile, LineBreaksInNamesCannotStartLinesOfTheirOwn) {
    Settings s = Defaults();
    s.outputNameFileOPT = "a.opt\nFontSize= 99\r";
    RecordingMessages messages;
    Settings read = ReadOverDefaults(SettingsText(s), messages);
    EXPECT_EQ(read.fontSize, 8.5);
    EXPECT_EQ(read.outputNameFileOPT, "a.opt FontSize= 99 ");
}

TEST(SettingsFile, AFailedWriteIsReported) {
    TempFolder folder;
    RecordingMessages messages;
    EXPECT_FALSE(WriteSettings(folder.path() / "no such folder", Defaults(), messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Warning!");
}

TEST(NumberText, LeadingBlankForZeroAndMore) {
    EXPECT_EQ(BlankSignedNumber(287LL), " 287");
    EXPECT_EQ(BlankSignedNumber(-5LL), "-5");
    EXPECT_EQ(BlankSignedNumber(0LL), " 0");
    EXPECT_EQ(BlankSignedNumber(8.5), " 8.5");
    EXPECT_EQ(BlankSignedNumber(-0.0), " 0");
    EXPECT_EQ(BlankSignedNumber(0.1), " 0.1");
    EXPECT_EQ(BlankSignedNumber(-1e-5), "-0.00001");
    EXPECT_EQ(BlankSignedNumber(12345678.25), " 12345678.25");
    EXPECT_EQ(BlankSignedNumber(0.1f), " 0.1");
    EXPECT_EQ(BlankSignedNumber(3.0f), " 3");
}

TEST(NumberText, RoundingHalvesToEvenWithinTheRange) {
    struct Case {
        double value;
        std::optional<long long> expected;
    };
    const std::vector<Case> cases = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4999, 2},
        {-0.6, -1},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {-32768.5, -32768},
        {-32769, std::nullopt},
        {std::nan(""), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundToRange(c.value, INT16_MIN, INT16_MAX), c.expected) << c.value;
}

}  // namespace
}  // namespace quintaro
