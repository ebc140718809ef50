// SPDX-License-Identifier: AGPL-3.0-or-later
// The part of fortune of the chart header and of "chart --json": ascendant + Moon − Sun, as
// slot 20 holds it, in every chart.
#include <cmath>

#include "cli_home.h"
#include "core/degrees.h"

namespace quintaro::test {
namespace {

using nlohmann::json;

class ChartHeader : public CliHome {};

double Body(const json& chart, int slot) {
    for (const json& body : chart["bodies"])
        if (body["slot"] == slot) return body["geo_long"];
    ADD_FAILURE() << "no body " << slot;
    return 0;
}

TEST_F(ChartHeader, PartOfFortuneIsAscendantPlusMoonMinusSun) {
    // The natal chart selects slot 20 (the part of fortune) so that its value can be compared.
    const std::string file = path("pf.opt");
    ASSERT_EQ(run({"opt",
                   "write",
                   file,
                   "--natal-date",
                   "1987-04-10",
                   "--natal-time",
                   "7.21",
                   "--natal-pm",
                   "--natal-zone",
                   "0",
                   "--natal-long",
                   "0.00",
                   "--natal-lat",
                   "51.30",
                   "--select",
                   "pf,moon,angles",
                   "--transit-date",
                   "2024-11-05",
                   "--transit-time",
                   "12:00"})
                  .status,
              0);
    CliResult r = run({"chart", "--opt", file, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    json parsed = Parse(r.out);
    for (const char* which : {"natal", "transit"}) {
        const json& chart = parsed[which];
        const double asc = chart["asc"];
        const double expected = Norm360(asc + Body(chart, SlotMoon) - Body(chart, SlotSun));
        EXPECT_NEAR(chart["part_of_fortune"].get<double>(), expected, 1e-6) << which;
        EXPECT_GT(std::fabs(chart["part_of_fortune"].get<double>() - asc), 1.0) << which;
    }
    EXPECT_NEAR(Body(parsed["natal"], SlotPartOfFortune),
                parsed["natal"]["part_of_fortune"].get<double>(), 1e-9);

    CliResult text = run({"chart", "--opt", file, "--decimal"});
    ASSERT_EQ(text.status, 0);
    char expected[48];
    std::snprintf(expected, sizeof expected, "Part of fortune  %.4f",
                  parsed["natal"]["part_of_fortune"].get<double>());
    EXPECT_TRUE(Has(text.out, expected)) << expected << "\n" << text.out;
}

}  // namespace
}  // namespace quintaro::test
