// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli print aspects|single|natal-positions|transit-positions|midpoints --out FILE.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "pdf_text.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RunCli;

const std::string kJ2000 = std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/j2000.opt";
// Natal and transit sections at the same moment of a stellium: many aspects.
const std::string kStellium =
    std::string(QUINTARO_SOURCE_DIR) + "/tests/cli_wheels/data/stellium_1962.opt";
const std::string kNotice = "Quintaro astrology workstation";  // data/infoforprintout.txt

class PrintCommand : public ::testing::Test {
  protected:
    test::CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", (folder.path() / "home").string()});
        return RunCli(folder.path(), args);
    }
    std::string Path(const std::string& name) const { return (folder.path() / name).string(); }
    std::string Bytes(const std::string& path) const {
        std::string bytes;
        ReadWholeFile(path, bytes);
        return bytes;
    }
    // The squeezed lines of a PDF's text, as pdftotext reads it.
    std::vector<std::string> PdfLines(const std::string& path) const {
        return test::SqueezedLines(test::PdfText(path));
    }
    test::TempFolder folder;
};

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(PrintCommand, EveryPrintoutAsPdfAndText) {
    struct Case {
        std::string kind;
        std::vector<std::string> header;  // lines each printout starts with
        std::string titles;               // its column titles, squeezed
    };
    const Case cases[] = {
        {"aspects",
         {kNotice, "Geocentric Aspects", "natal = J2000", "01 Jan 2000 12.00 P.M. (0)",
          "0.00 West 51.29 North"},
         "# Nt Asp Nt Orb # Nt Asp Nt Orb"},
        {"single", {kNotice, "Geocentric Aspects"}, "# Nt Asp Nt Orb"},
        {"natal-positions",
         {kNotice, "Natal Positions", "natal = J2000"},
         "# Body Longitude Decl House Helio Long Helio Lat Point Longitude Decl"},
        {"transit-positions",
         {kNotice, "Transit Positions", "transit = Transits", "02 Jan 2000 12.00 P.M. (0)"},
         "# Body Longitude Decl House Helio Long Helio Lat Point Longitude Decl"},
        {"midpoints",
         {kNotice, "Midpoints", "natal = J2000", "01 Jan 2000 12.00 P.M. (0)",
          "0.00 West 51.29 North", "transit = Transits"},
         "# Pair Midpoint # Pair Midpoint"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string pdf = Path(c.kind + ".pdf"), txt = Path(c.kind + ".txt");
        auto r = Run({"print", c.kind, "--opt", kJ2000, "--out", pdf});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, pdf + "\n");
        EXPECT_EQ(Bytes(pdf).rfind("%PDF-1.", 0), 0u);
        EXPECT_GE(test::PdfPageCount(pdf), 1);
        std::vector<std::string> expected = c.header;
        expected.push_back(c.titles);
        const auto lines = PdfLines(pdf);
        std::string missing;
        EXPECT_TRUE(test::LinesInOrder(lines, expected, missing)) << "missing: " << missing;
        EXPECT_TRUE(Holds(lines, "Page 1 of " + std::to_string(test::PdfPageCount(pdf))));

        r = Run({"print", c.kind, "--opt", kJ2000, "--out", txt});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto text = test::SqueezedLines(Bytes(txt));
        EXPECT_TRUE(test::LinesInOrder(text, expected, missing)) << "missing: " << missing;
    }
}

// Every row of the longitude grid, as the grid command lists it, stands in order at the start of
// a printed line; line i of the listing carries row i of both grids.
TEST_F(PrintCommand, TransitListingHoldsEveryGridRowAcrossItsPages) {
    const std::string pdf = Path("transits.pdf");
    auto r =
        Run({"print", "aspects", "--opt", kStellium, "--pairing", "tn", "--exact", "--out", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    auto grid = Run({"grid", "long", "--opt", kStellium, "--mode", "8", "--exact", "--json"});
    ASSERT_EQ(grid.status, 0) << grid.err;
    const auto model = nlohmann::json::parse(grid.out);
    std::vector<std::string> rows;
    for (const auto& section : model["sections"]) {
        if (section["rows"].empty()) continue;
        rows.push_back(section["title"].get<std::string>());
        for (const auto& cells : section["rows"]) {
            std::string line;
            for (const auto& cell : cells) line += cell.get<std::string>() + " ";
            rows.push_back(test::Squeezed(line));
        }
    }
    ASSERT_GT(rows.size(), 60u);
    const auto lines = PdfLines(pdf);
    std::size_t at = 0;
    for (const std::string& row : rows) {
        while (at < lines.size() && lines[at].rfind(row, 0) != 0) ++at;
        ASSERT_LT(at, lines.size()) << "row missing: " << row;
        ++at;
    }
    const int pages = test::PdfPageCount(pdf);
    ASSERT_GE(pages, 2);
    const std::string titles = "# Tr Asp Nt Orb Exact Exact Time # Tr Asp Nt Orb Exact Exact Time";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), titles), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(Holds(lines, "Page " + std::to_string(page) + " of " + std::to_string(pages)));
    EXPECT_TRUE(Holds(lines, "transit = Stellium"));
}

TEST_F(PrintCommand, BadRequestsWriteNothingAndLeaveFilesAlone) {
    std::ofstream(Path("kept.pdf")) << "keep";
    std::ofstream(Path("plain")) << "a file, not a folder";
    std::string year1600 = Bytes(kJ2000);  // before the ephemeris begins
    year1600.replace(year1600.find(" 2000 ") + 1, 4, "1600");
    std::ofstream(Path("1600.opt")) << year1600;
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"print", "aspects", "--out", Path("out.gif")}, "--out must end in .pdf or .txt"},
        {{"print", "aspects", "--opt", Path("missing.opt"), "--out", Path("kept.pdf")},
         "cannot read chart data file"},
        {{"print", "midpoints", "--opt", Path("1600.opt"), "--out", Path("kept.pdf")},
         "the charts could not be computed"},
        {{"print", "aspects", "--out", Path("plain") + "/out.pdf"}, "cannot write"},
        {{"print", "aspects", "--out", Path("plain") + "/out.txt"}, "cannot write"},
        {{"print", "everything", "--out", Path("out.pdf")}, "everything"},
        {{"print", "aspects", "--pairing", "tt", "--out", Path("out.pdf")}, "tt"},
        {{"print", "aspects", "--filter", "9", "--out", Path("out.pdf")}, "9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        auto r = Run(c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_TRUE(Bytes(Path("kept.pdf")) == "keep");
    EXPECT_FALSE(std::filesystem::exists(Path("out.gif")));
    EXPECT_FALSE(std::filesystem::exists(Path("out.pdf")));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace quintaro
