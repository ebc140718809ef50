// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/atlas.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "core/atomic_file.h"

#include "places/atlas_cache.h"
#include "places/geonames_cities.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

GeoPlace City(const char* name, const char* region, const char* country, const char* code,
              long population) {
    return {name, region, country, code, 10, 20, "Etc/UTC", population, false};
}

std::vector<std::string> Names(const std::vector<const GeoPlace*>& places) {
    std::vector<std::string> names;
    for (const GeoPlace* p : places) names.push_back(p->name + "/" + p->countryCode);
    return names;
}

class SmallAtlas : public ::testing::Test {
  protected:
    Atlas atlas{std::vector<GeoPlace>{
                    City("Paris", "Île-de-France", "France", "FR", 2138551),
                    City("Paris", "Texas", "United States of America", "US", 24782),
                    City("Parma", "Emilia-Romagna", "Italy", "IT", 175895),
                    City("Paramaribo", "Paramaribo", "Suriname", "SR", 223757),
                    City("Zürich", "Zurich", "Switzerland", "CH", 341730),
                    City("New York", "New York", "United States of America", "US", 8804190),
                    City("York", "England", "United Kingdom", "GB", 153717),
                    City("Yorkton", "Saskatchewan", "Canada", "CA", 16343)},
                std::vector<GeoPlace>{{"Paris studio", "", "", "", 48.8, 2.3, "Europe/Paris", 0}}};
};

TEST_F(SmallAtlas, OwnPlacesFirstThenWholeNamesThenPopulation) {
    EXPECT_EQ(Names(atlas.search("par", 10)),
              (std::vector<std::string>{"Paris studio/", "Paris/FR", "Paramaribo/SR", "Parma/IT",
                                        "Paris/US"}));
    EXPECT_EQ(Names(atlas.search("paris", 10)),
              (std::vector<std::string>{"Paris studio/", "Paris/FR", "Paris/US"}));
    // A whole-name match beats a bigger city whose name only begins or has a word so.
    EXPECT_EQ(Names(atlas.search("york", 10)),
              (std::vector<std::string>{"York/GB", "Yorkton/CA", "New York/US"}));
    EXPECT_EQ(atlas.search("par", 2).size(), 2u);
}

TEST_F(SmallAtlas, QualifiersNarrowByRegionCountryOrCode) {
    for (const char* text :
         {"Paris, Texas", "paris, united states", "Paris,US", "paris, usa", "Paris, Tex"})
        EXPECT_EQ(Names(atlas.search(text, 10)), std::vector<std::string>{"Paris/US"}) << text;
    EXPECT_EQ(Names(atlas.search("paris, france", 10)), std::vector<std::string>{"Paris/FR"});
    EXPECT_EQ(Names(atlas.search("york, uk", 10)), std::vector<std::string>{"York/GB"});
    EXPECT_TRUE(atlas.search("paris, germany", 10).empty());
    EXPECT_TRUE(atlas.search("paris, texas, france", 10).empty());
}

TEST_F(SmallAtlas, CaseAndAccentsDoNotMatter) {
    for (const char* text : {"zurich", "ZÜRICH", "Zür", "zu\xcc\x88rich"})
        EXPECT_EQ(Names(atlas.search(text, 10)), std::vector<std::string>{"Zürich/CH"}) << text;
    EXPECT_TRUE(atlas.search("", 10).empty());
    EXPECT_TRUE(atlas.search(" , ", 10).empty());
}

TEST_F(SmallAtlas, ClosestNamesForAnUnknownPlace) {
    EXPECT_EQ(Names(atlas.closest("Nwe Yrok", 3)), std::vector<std::string>{"New York/US"});
    EXPECT_EQ(Names(atlas.closest("Pariss, Germany", 2)),
              (std::vector<std::string>{"Paris/FR", "Paris/US"}));
    EXPECT_TRUE(atlas.closest("Xqzwv", 3).empty());
}

TEST_F(SmallAtlas, NearestPlaceToAPoint) {
    Atlas two{std::vector<GeoPlace>{{"A", "", "", "", 40.7, -74.0, "America/New_York", 1},
                                    {"B", "", "", "", 41.9, -87.6, "America/Chicago", 1}},
              {}};
    EXPECT_EQ(two.nearest(40.77, -73.98)->name, "A");
    EXPECT_EQ(two.nearest(41.87, -87.63)->name, "B");
    EXPECT_EQ(Atlas().nearest(0, 0), nullptr);
}

// The cities of Debian's libgeonames, read once for the tests below.
const Atlas& RealAtlas() {
    static const Atlas atlas(LoadGeonamesCities(), {});
    return atlas;
}

TEST(GeonamesAtlas, FindsTheBigCitiesFirst) {
    const auto london = RealAtlas().search("London", 3);
    ASSERT_GE(london.size(), 2u);
    EXPECT_EQ(london[0]->countryCode, "GB");
    EXPECT_EQ(london[0]->zoneName, "Europe/London");
    EXPECT_EQ(london[1]->region, "Ontario");
    EXPECT_EQ(RealAtlas().search("london, ca", 1).at(0)->zoneName, "America/Toronto");
    const auto saoPaulo = RealAtlas().search("sao paulo", 1);
    ASSERT_EQ(saoPaulo.size(), 1u);
    EXPECT_EQ(saoPaulo[0]->name, "São Paulo");
    EXPECT_NEAR(saoPaulo[0]->latitude, -23.55, 0.01);
    const auto kolkata = RealAtlas().search("Kolkata, India", 1);
    ASSERT_EQ(kolkata.size(), 1u);
    EXPECT_EQ(kolkata[0]->zoneName, "Asia/Kolkata");
    EXPECT_GT(kolkata[0]->population, 4000000);
    EXPECT_NEAR(kolkata[0]->longitude, 88.36, 0.01);
}

TEST(GeonamesAtlas, NamesAreEnglishWhateverTheLanguage) {
    // The library translates into the program's language (a window program sets it from the
    // environment); the atlas asks for English all the same.
    const std::string previous = setlocale(LC_ALL, nullptr);
    setenv("LANGUAGE", "de", 1);
    ASSERT_TRUE(setlocale(LC_ALL, "C.UTF-8"));
    const std::vector<GeoPlace> cities = LoadGeonamesCities();
    unsetenv("LANGUAGE");
    setlocale(LC_ALL, previous.c_str());
    const Atlas atlas(cities, {});
    const auto munich = atlas.search("Munich", 1);
    ASSERT_EQ(munich.size(), 1u);
    EXPECT_EQ(munich[0]->country, "Germany");
    EXPECT_TRUE(atlas.search("München", 1).empty() ||
                atlas.search("München", 1)[0]->name != "München");
}

TEST(AtlasCache, KeepsEveryFieldAndItsSource) {
    std::vector<AtlasEntry> cities = {
        FoldedEntry({"São Paulo", "São Paulo", "Brazil", "BR", -23.5475, -46.63611,
                     "America/Sao_Paulo", 10021295, false}),
        FoldedEntry({"Tab\tCity", "", "", "XX", 0.1, -0.2, "Etc/UTC", 0, false})};
    const std::string text = AtlasCacheText(cities, "libgeonames x 1");
    auto read = ParseAtlasCache(text, "libgeonames x 1");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 2u);
    const AtlasEntry& first = (*read)[0];
    EXPECT_EQ(first.place.name, "São Paulo");
    EXPECT_EQ(first.place.latitude, -23.5475);
    EXPECT_EQ(first.place.longitude, -46.63611);
    EXPECT_EQ(first.place.population, 10021295);
    EXPECT_EQ(first.name, "sao paulo");
    EXPECT_EQ(first.code, "br");
    EXPECT_EQ((*read)[1].place.name, "Tab City");
    // Another source, a line cut short or a damaged number: the cache is not used.
    EXPECT_FALSE(ParseAtlasCache(text, "libgeonames y 1"));
    EXPECT_FALSE(ParseAtlasCache(text.substr(0, text.size() - 3), "libgeonames x 1"));
    std::string damaged = text;
    damaged.replace(damaged.find("-23.5475"), 8, "-23.5x75");
    EXPECT_FALSE(ParseAtlasCache(damaged, "libgeonames x 1"));
}

TEST(AtlasCache, IsWrittenOnceAndThenRead) {
    test::TempFolder folder;
    const auto file = folder.path() / "atlas.cache";
    const std::vector<AtlasEntry> made = LoadAtlasCities(file);
    ASSERT_TRUE(std::filesystem::exists(file));
    ASSERT_EQ(made.size(), LoadGeonamesCities().size());
    // A cache that says it was made from this library is believed: the file is what is read.
    const std::string text = AtlasCacheText({made[0]}, GeonamesSource());
    ASSERT_TRUE(WriteFileAtomically(file, text).empty());
    EXPECT_EQ(LoadAtlasCities(file).size(), 1u);
    // A damaged one is made anew.
    ASSERT_TRUE(WriteFileAtomically(file, text + "garbage").empty());
    EXPECT_EQ(LoadAtlasCities(file).size(), made.size());
}

}  // namespace
}  // namespace quintaro
