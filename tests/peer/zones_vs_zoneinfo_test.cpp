// SPDX-License-Identifier: AGPL-3.0-or-later
// The zone lookup against Python's zoneinfo on the same system zoneinfo files: 10 000 random
// (city, local time) pairs of 1900 to 2050, one in six inside a gap or a fold of the city's
// zone. The script states the rules on its own; see zoneinfo_peer.py.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "places/geonames_cities.h"
#include "places/zone_database.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

constexpr int kCases = 10000;
constexpr int kSeed = 20240614;

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

const char* KindName(LocalTimeKind kind) {
    switch (kind) {
        case LocalTimeKind::Unique:
            return "unique";
        case LocalTimeKind::Skipped:
            return "skipped";
        case LocalTimeKind::Repeated:
            return "repeated";
    }
    return "?";
}

std::string ReadingsText(const std::vector<ZoneReading>& readings) {
    std::string text;
    for (const ZoneReading& r : readings)
        text += " " + std::to_string(r.utcOffsetSeconds) + " " + r.abbreviation + " dst " +
                std::to_string(r.daylightSaving) + " lmt " + std::to_string(r.localMeanTime);
    return text;
}

TEST(ZonesVsZoneinfo, RandomCitiesAndMomentsAgree) {
    const std::vector<GeoPlace> cities = LoadGeonamesCities();
    ASSERT_GT(cities.size(), 20000u);
    test::TempFolder folder;
    const auto citiesFile = folder.path() / "cities.tsv";
    const auto casesFile = folder.path() / "cases.tsv";
    {
        std::ofstream out(citiesFile);
        for (size_t k = 0; k < cities.size(); ++k)
            out << k << '\t' << cities[k].zoneName << '\t' << cities[k].longitude << '\n';
    }
    const std::string command = std::string("/usr/bin/python3 '") + QUINTARO_SOURCE_DIR +
                                "/tests/peer/zoneinfo_peer.py' '" + citiesFile.string() + "' " +
                                std::to_string(kCases) + " " + std::to_string(kSeed) + " > '" +
                                casesFile.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const ZoneDatabase zones;
    std::ifstream in(casesFile);
    std::map<std::string, int> counts;
    int compared = 0, disagreements = 0;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = SplitTabs(line);
        ASSERT_GE(f.size(), 11u) << line;
        const GeoPlace& city = cities.at(std::stoul(f[0]));
        const LocalDateTime local{std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3]),
                                  std::stoi(f[4]), std::stoi(f[5]), 0};
        std::vector<ZoneReading> expected;
        for (size_t k = 7; k + 3 < f.size(); k += 4)
            expected.push_back({std::stoi(f[k]), f[k + 1], f[k + 2] == "1", f[k + 3] == "1"});
        const LocalTimeZone got = zones.atLocalTime(city.zoneName, local, city.longitude);
        ++compared;
        ++counts[f[6]];
        if (expected[0].localMeanTime || (expected.size() > 1 && expected[1].localMeanTime))
            ++counts["local mean time"];
        const bool agree = got.ok() && KindName(got.kind) == f[6] && got.readings == expected;
        if (!agree && ++disagreements <= 20)
            ADD_FAILURE() << city.name << " (" << city.zoneName << ") " << f[1] << "-" << f[2]
                          << "-" << f[3] << " " << f[4] << ":" << f[5] << "\n  zoneinfo: " << f[6]
                          << ReadingsText(expected) << "\n  ours:     " << KindName(got.kind)
                          << ReadingsText(got.readings) << " " << got.error;
    }
    EXPECT_EQ(compared, kCases);
    EXPECT_EQ(disagreements, 0);
    // Gaps and folds must be among the cases, or the comparison says little about them.
    EXPECT_GT(counts["skipped"], 100);
    EXPECT_GT(counts["repeated"], 100);
    std::cout << "[ zones    ] " << compared << " cases compared, " << disagreements
              << " disagreements; unique " << counts["unique"] << ", skipped " << counts["skipped"]
              << ", repeated " << counts["repeated"] << ", with local mean time "
              << counts["local mean time"] << "\n";
}

}  // namespace
}  // namespace quintaro
