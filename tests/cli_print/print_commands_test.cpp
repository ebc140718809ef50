// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli print aspects|single|natal-positions|transit-positions|midpoints --out FILE.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "pdf_text.h"
#include "temp_folder.h"
#include "wheels/utf8_text.h"

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

// A grid as the grid command lists it: per section with rows, its title and then each row's cells
// as a printed line reads them back (glyph characters at U+F000 + code).
std::vector<std::string> GridLines(const std::string& json) {
    std::vector<std::string> lines;
    const auto grid = nlohmann::json::parse(json);
    for (const auto& section : grid["sections"]) {
        if (section["rows"].empty()) continue;
        lines.push_back(section["title"].get<std::string>());
        for (const auto& row : section["rows"]) {
            std::string line;
            for (const auto& cell : row["window_cells"]) {
                for (char32_t c : DecodeUtf8(cell.get<std::string>()))
                    AppendUtf8(line, c >= 0x80 && c <= 0xFF ? 0xF000 + c : c);
                line += ' ';
            }
            lines.push_back(test::Squeezed(line));
        }
    }
    return lines;
}

// Printed line i carries row i of the longitude grid and row i of the declination grid, as the
// grid command shows them under the same choices, across every page.
TEST_F(PrintCommand, ListingLinesAreTheGridRowsUnderTheGridChoices) {
    struct Case {
        std::vector<std::string> print, grid;  // the same choices in each command's words
        std::string titles;
    };
    const Case cases[] = {
        {{"--pairing", "tn", "--exact"},
         {"--mode", "8", "--exact"},
         "# Tr Asp Nt Orb Exact Exact Time # Tr Asp Nt Orb Exact Exact Time"},
        {{"--pairing", "tn", "--filter", "3", "--applying-only"},
         {"--mode", "8", "--filter", "3", "--applying-only"},
         "# Tr Asp Nt Orb # Tr Asp Nt Orb"},
        {{"--pairing", "nn"}, {"--mode", "1"}, "# Nt Asp Nt Orb # Nt Asp Nt Orb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.print.back());
        const std::string pdf = Path("listing.pdf");
        std::vector<std::string> print = {"print", "aspects", "--opt", kStellium, "--out", pdf};
        print.insert(print.end(), c.print.begin(), c.print.end());
        auto r = Run(print);
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<std::string>> grids;
        for (const char* name : {"long", "decl"}) {
            std::vector<std::string> grid = {"grid", name, "--opt", kStellium, "--json"};
            grid.insert(grid.end(), c.grid.begin(), c.grid.end());
            auto g = Run(grid);
            ASSERT_EQ(g.status, 0) << g.err;
            grids.push_back(GridLines(g.out));
        }
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < std::max(grids[0].size(), grids[1].size()); ++i) {
            std::string line = i < grids[0].size() ? grids[0][i] : "";
            if (i < grids[1].size()) line += " " + grids[1][i];
            expected.push_back(test::Squeezed(line));
        }
        ASSERT_GT(expected.size(), 10u);
        const auto lines = PdfLines(pdf);
        std::string missing;
        EXPECT_TRUE(test::LinesInOrder(lines, expected, missing)) << "missing: " << missing;
        const int pages = test::PdfPageCount(pdf);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), c.titles), pages);
        for (int page = 1; page <= pages; ++page)
            EXPECT_TRUE(
                Holds(lines, "Page " + std::to_string(page) + " of " + std::to_string(pages)));
    }
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
