// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/ephemeris.h"
#include "day_table_files.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

const SelectionFlags AllSelected = SelectionFlags::All();

void Touch(const std::filesystem::path& path, const std::string& content = "0\n") {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> FreeSlotNames(const BodyCatalogue& catalogue) {
    return {catalogue.BodyNames.begin() + FirstFreeSlot,
            catalogue.BodyNames.begin() + catalogue.NextFreeSlot};
}

TEST(SelectLoadFiles, ThirtyThreeFilesFitAndAThirtyFourthIsLeftOutWithAWarning) {
    for (int files : {33, 34}) {
        TempFolder home;
        const auto folder = LoadFolderPath(home.path());
        for (int k = 0; k < files; ++k) {
            char name[32];
            std::snprintf(name, sizeof name, "ast%02d1900l.eph", k);
            Touch(folder / name);
        }
        BodyCatalogue catalogue = MakeBodyCatalogue();
        RecordingMessages messages;
        EXPECT_EQ(SelectLoadFiles(home.path(), catalogue, messages).size(), 33u);
        EXPECT_EQ(catalogue.NextFreeSlot, 54);
        EXPECT_EQ(catalogue.BodyNames[21], "ast00");
        EXPECT_EQ(catalogue.BodyNames[53], "ast32");  // the last in order is the one left out
        if (files == 33) {
            EXPECT_TRUE(messages.shown.empty());
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "WARNING!");
        EXPECT_EQ(messages.shown[0].text,
                  "You have too many midpoint ephemeris files loaded in your " + folder.string() +
                      " directory. I am ignoring the extra files. You may only have a maximum of "
                      "33 midpoints.");
    }
}

TEST(SelectLoadFiles, OrdersBodiesThenStandardThenOtherMidpoints) {
    TempFolder home;
    const auto folder = LoadFolderPath(home.path());
    for (const char* name : {"saturn_jupiter", "jki", "pholus", "mpsatura", "hki", "Eros",
                             "venus+MARS", "hjp", "chiron-pholus", "1992-qb", "sedna"}) {
        Touch(folder / (std::string(name) + "1900l.eph"));
    }
    // Files that are no selection: other tables, planetary files, early tables only.
    Touch(folder / "pholus1900d.eph");
    Touch(folder / "ephem000.dat");
    Touch(folder / "vesta1750l.eph");
    Touch(folder / "1900l.eph");
    BodyCatalogue catalogue = MakeBodyCatalogue();
    RecordingMessages messages;
    SelectLoadFiles(home.path(), catalogue, messages);
    EXPECT_EQ(
        FreeSlotNames(catalogue),
        (std::vector<std::string>{"1992-qb", "Eros", "pholus", "sedna", "hjp", "hki", "jki",
                                  "chiron-pholus", "mpsatura", "saturn_jupiter", "venus+MARS"}));
    EXPECT_EQ(catalogue.BodyNames[32], "unused");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SelectLoadFiles, SelectingAgainStartsFromSlot21) {
    TempFolder home;
    Touch(LoadFolderPath(home.path()) / "pholus1900l.eph");
    BodyCatalogue catalogue = MakeBodyCatalogue();
    RecordingMessages messages;
    SelectLoadFiles(home.path(), catalogue, messages);
    SelectLoadFiles(home.path(), catalogue, messages);
    EXPECT_EQ(catalogue.NextFreeSlot, 22);
    EXPECT_EQ(catalogue.BodyNames[21], "pholus");
}

TEST(SelectLoadFiles, MissingFolderLeavesAllSlotsUnused) {
    TempFolder home;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    RecordingMessages messages;
    EXPECT_TRUE(SelectLoadFiles(home.path(), catalogue, messages).empty());
    EXPECT_EQ(catalogue.NextFreeSlot, FirstFreeSlot);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(IsMidpointEphemeris, RecognisesTheNamingRules) {
    const std::vector<std::string> folder = {"pholus", "eros"};
    struct Case {
        const char* name;
        bool midpoint;
    } cases[] = {{"hjp", true},        {"HKI", true},           {"jki", true},
                 {"mpanything", true}, {"MPx", true},           {"saturn_jupiter", true},
                 {"Sat-Jup", true},    {"pholus+eros", true},   {"moon_node", true},
                 {"pholus", false},    {"1992-qb", false},      {"saturn_", false},
                 {"-saturn", false},   {"saturn_plato", false}, {"ampersand", false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsMidpointEphemeris(c.name, folder), c.midpoint) << c.name;
}

struct LoadFixture : ::testing::Test {
    TempFolder home;
    BodyCatalogue catalogue = MakeBodyCatalogue();
    RecordingMessages messages;
    DayTables tables;
    std::vector<std::string> progressTexts;
    Progress progress = [this](std::string_view text, long, long) {
        progressTexts.emplace_back(text);
        return true;
    };

    void Write(const std::string& body, DayPeriod period) {
        test::WriteBodyTables(LoadFolderPath(home.path()), body, period, test::DistinctValue);
    }
};

TEST_F(LoadFixture, LoadsOnlySelectedFreeSlots) {
    Write("eros", DayPeriod::From1900);
    Write("pholus", DayPeriod::From1900);
    SelectLoadFiles(home.path(), catalogue, messages);  // 21 eros, 22 pholus
    SelectionFlags flags;
    flags.setTransit(22, true);  // pholus in the transit chart only
    EXPECT_TRUE(LoadDayTables(home.path(), catalogue, flags, tables, messages, progress));
    EXPECT_FALSE(tables.Loaded(21));
    EXPECT_TRUE(tables.has1900[22]);
    EXPECT_EQ(tables.At(22, DayKind::GeoLong, Start1900), test::DistinctValue(DayKind::GeoLong, 1));
    EXPECT_EQ(progressTexts, std::vector<std::string>{"Loading pholus ephemerides"});
    EXPECT_TRUE(messages.shown.empty());

    // Eros selected later: only it is loaded, with the "1900" caption.
    progressTexts.clear();
    EXPECT_TRUE(LoadNewlySelectedTables(home.path(), catalogue, AllSelected, tables, messages,
                                        progress, false));
    EXPECT_TRUE(tables.has1900[21]);
    EXPECT_EQ(progressTexts, std::vector<std::string>{"Loading 1900 eros ephemerides"});
}

TEST_F(LoadFixture, BadFileIsReportedAndOthersStillLoad) {
    Write("eros", DayPeriod::From1900);
    Write("pholus", DayPeriod::From1900);
    const auto bad = LoadFolderPath(home.path()) / "eros1900d.eph";
    std::ofstream(bad, std::ios::binary) << "1\n2\nthree\n";
    SelectLoadFiles(home.path(), catalogue, messages);
    LoadDayTables(home.path(), catalogue, AllSelected, tables, messages, progress);
    EXPECT_FALSE(tables.Loaded(21));
    EXPECT_TRUE(tables.Loaded(22));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to load ephemeris file " + bad.string() +
                                          ": line 3: \"three\" is not a number");
}

TEST_F(LoadFixture, CancelStopsBeforeTheNextBody) {
    Write("eros", DayPeriod::From1900);
    Write("pholus", DayPeriod::From1900);
    SelectLoadFiles(home.path(), catalogue, messages);
    int calls = 0;
    Progress cancelSecond = [&](std::string_view, long, long) { return ++calls < 2; };
    EXPECT_FALSE(
        LoadDayTables(home.path(), catalogue, AllSelected, tables, messages, cancelSecond));
    EXPECT_TRUE(tables.Loaded(21));
    EXPECT_FALSE(tables.Loaded(22));
}

TEST_F(LoadFixture, Load1750TablesSkipsApolloAndBodiesNotLoaded) {
    for (const char* body : {"apollo", "eros", "pholus"}) {
        Write(body, DayPeriod::From1900);
        Write(body, DayPeriod::From1750);
    }
    SelectLoadFiles(home.path(), catalogue, messages);  // 21 apollo, 22 eros, 23 pholus
    SelectionFlags flags;
    flags.setNatal(21, true);
    flags.setNatal(22, true);
    LoadDayTables(home.path(), catalogue, flags, tables, messages, progress);
    progressTexts.clear();
    EXPECT_TRUE(Load1750Tables(home.path(), catalogue, tables, messages, progress));
    EXPECT_FALSE(tables.has1750[21]);  // apollo
    EXPECT_TRUE(tables.has1750[22]);
    EXPECT_FALSE(tables.has1750[23]);  // never selected, nothing loaded
    EXPECT_EQ(tables.At(22, DayKind::GeoDecl, 0), test::DistinctValue(DayKind::GeoDecl, 1));
    ASSERT_FALSE(progressTexts.empty());
    EXPECT_EQ(progressTexts[0], "Initializing Ephemerides");

    // Pholus selected afterwards, with the early tables in use: both periods are loaded.
    EXPECT_TRUE(LoadNewlySelectedTables(home.path(), catalogue, AllSelected, tables, messages,
                                        progress, true));
    EXPECT_TRUE(tables.has1900[23]);
    EXPECT_TRUE(tables.has1750[23]);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(OpenPlanetFiles, SkipsMissingFilesAndReportsBadOnes) {
    TempFolder home;
    RecordingMessages messages;
    Ephemeris ephemeris(messages);
    EXPECT_EQ(OpenPlanetFiles(home.path(), ephemeris), 0);
    EXPECT_TRUE(messages.shown.empty());

    const auto bad = LoadFolderPath(home.path()) / "ephem002.dat";
    Touch(bad, std::string(400, 'x'));
    EXPECT_EQ(OpenPlanetFiles(home.path(), ephemeris), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("Unable to load ephemeris file " + bad.string()),
              std::string::npos);
}

TEST(InstallEphemeris, CopiesMissingGeneratedFilesOnly) {
    TempFolder source, home;
    Touch(source.path() / "ephem000.dat", "planets");
    Touch(source.path() / "pholus1900l.eph", "1\n");
    Touch(source.path() / "hjp1750lat.eph", "2\n");
    Touch(source.path() / "notes.txt", "not an ephemeris");
    Touch(source.path() / "ephem000.dat.tmp", "half");
    const auto target = LoadFolderPath(home.path());
    Touch(target / "pholus1900l.eph", "mine\n");  // the user's own file stays

    RecordingMessages messages;
    EXPECT_EQ(InstallEphemerisFrom(source.path(), home.path(), messages), 2);
    EXPECT_TRUE(std::filesystem::is_directory(home.path() / "ephems"));
    std::string content;
    std::ifstream(target / "ephem000.dat") >> content;
    EXPECT_EQ(content, "planets");
    std::ifstream(target / "pholus1900l.eph") >> content;
    EXPECT_EQ(content, "mine");
    EXPECT_TRUE(std::filesystem::exists(target / "hjp1750lat.eph"));
    EXPECT_FALSE(std::filesystem::exists(target / "notes.txt"));
    EXPECT_FALSE(std::filesystem::exists(target / "ephem000.dat.tmp"));
    EXPECT_EQ(InstallEphemerisFrom(source.path(), home.path(), messages), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(InstallEphemeris, WithoutASourceOnlyCreatesTheFolders) {
    TempFolder home;
    RecordingMessages messages;
    EXPECT_EQ(InstallEphemerisFrom(home.path() / "nowhere", home.path(), messages), 0);
    EXPECT_TRUE(std::filesystem::is_directory(LoadFolderPath(home.path())));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(InstallEphemeris, EnvironmentVariableNamesTheSource) {
    TempFolder source, home;
    Touch(source.path() / "ceres1900l.eph", "3\n");
    const char* before = std::getenv("QUINTARO_EPHEMERIS_SOURCE");
    std::string saved = before ? before : "";
    ::setenv("QUINTARO_EPHEMERIS_SOURCE", source.path().c_str(), 1);
    EXPECT_EQ(GeneratedEphemerisSource(), source.path());
    RecordingMessages messages;
    EXPECT_EQ(InstallGeneratedEphemeris(home.path(), messages), 1);
    if (before) {
        ::setenv("QUINTARO_EPHEMERIS_SOURCE", saved.c_str(), 1);
    } else {
        ::unsetenv("QUINTARO_EPHEMERIS_SOURCE");
    }
    EXPECT_TRUE(std::filesystem::exists(LoadFolderPath(home.path()) / "ceres1900l.eph"));
}

}  // namespace
}  // namespace quintaro
