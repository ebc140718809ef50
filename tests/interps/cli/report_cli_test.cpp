// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli report: every report kind in every format for a real pair of charts, read back
// (the rich text through an independent reader), and the failures a user can run into.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "aspects/aspect_catalogue.h"
#include "cli_run.h"
#include "core/atomic_file.h"
#include "interps/interpretation_keys.h"
#include "temp_folder.h"
#include "unrtf_text.h"

namespace {

using quintaro::ReadWholeFile;
using quintaro::test::CliResult;
using quintaro::test::TempFolder;

const std::string PairFile = QUINTARO_SOURCE_DIR "/tests/interps/data/anna_ben.opt";
constexpr const char* LoadMessage = "Please load interpretation files 8/9 before click here.";

std::string Contents(const std::filesystem::path& path) {
    std::string content;
    ReadWholeFile(path, content);
    return content;
}

class ReportCommand : public ::testing::Test {
  protected:
    CliResult report(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home().string(), "report"});
        return quintaro::test::RunCli(folder.path(), args);
    }
    std::filesystem::path home() const { return folder.path() / "home"; }
    std::filesystem::path file(const std::string& name) const { return folder.path() / name; }

    TempFolder folder;
};

TEST_F(ReportCommand, EveryKindWritesRichTextThatReadsBackAsItsPlainText) {
    ASSERT_TRUE(quintaro::test::UnrtfInstalled()) << "unrtf is missing: run scripts/install-deps";
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"romance-comp", "Romance Compatibility Report for Ben and Anna"},
        {"financial-comp", "Financial Compatibility Report for Ben and Anna"},
        {"romance-transits", "Romance Transit Report for Ben and Anna"},
        {"financial-transits", "Financial Transit Report for Ben and Anna"},
        {"natal", "Natal Interpretations (Full) for Anna"}};
    for (const auto& [kind, title] : kinds) {
        for (const std::string scope : {"long", "decl"}) {
            const std::string name = kind + "-" + scope;
            CliResult rtf = report(
                {kind, "--opt", PairFile, "--kind", scope, "--out", file(name + ".rtf").string()});
            ASSERT_EQ(rtf.status, 0) << name << rtf.err;
            EXPECT_EQ(rtf.out.rfind("Wrote " + file(name + ".rtf").string() + ": ", 0), 0u)
                << rtf.out;
            CliResult txt = report(
                {kind, "--opt", PairFile, "--kind", scope, "--out", file(name + ".txt").string()});
            ASSERT_EQ(txt.status, 0) << name << txt.err;
            const std::string text = Contents(file(name + ".txt"));
            EXPECT_EQ(text.rfind(title + "\n", 0), 0u) << name;
            EXPECT_NE(text.find(scope == "long" ? "Geo Longitude " : "Geo Declination "),
                      std::string::npos)
                << name;
            const auto read = quintaro::test::ConvertWithUnrtf(file(name + ".rtf"), folder.path());
            EXPECT_EQ(read.status, 0) << name;
            EXPECT_EQ(read.warnings, "") << name;
            EXPECT_EQ(read.text, text) << name;
        }
    }
}

// The revision key of a report heading such as "[MARS TRINE YOUR SUN]" in the geocentric frame.
std::string RevisionKeyOfHeading(std::string heading) {
    heading = heading.substr(1, heading.size() - 2);
    const auto your = heading.find(" YOUR ");
    const std::string second = heading.substr(your + 6);
    std::string first = heading.substr(0, your);
    const std::string aspect = first.substr(first.rfind(' ') + 1);
    first.erase(first.rfind(' '));
    const auto bodyKey = [](const std::string& name) {
        for (std::size_t i = 0; i < quintaro::InterpretationBodyNames.size(); ++i)
            if (quintaro::InterpretationBodyNames[i] == name)
                return std::string(quintaro::InterpretationBodies[i].key);
        return std::string("?");
    };
    std::string aspectKey = "?";
    for (std::size_t i = 1; i < quintaro::AspectLongNames.size(); ++i)
        if (quintaro::AspectLongNames[i] == aspect)
            aspectKey = quintaro::AspectInterpretationKeys[i];
    return bodyKey(first) + "_" + bodyKey(second) + "_" + aspectKey + "_g";
}

TEST_F(ReportCommand, RevisedTextsAndThePreparerAppearWhenAsked) {
    ASSERT_EQ(report({"romance-comp", "--opt", PairFile, "--out", file("a.txt").string()}).status,
              0);
    const std::string prepared = Contents(file("a.txt"));
    const auto section = prepared.find("Geo Longitude Synastry Aspects");
    const auto open = prepared.find('[', section);
    const std::string heading = prepared.substr(open, prepared.find(']', open) - open + 1);
    const std::string key = RevisionKeyOfHeading(heading);
    const auto revision = home() / "revised_romance_comp" / ("ri_" + key + ".txt");
    ASSERT_EQ(quintaro::WriteFileAtomically(revision, "Author: Jo Bloggs\r\n\r\nMy words.\r\n"), "")
        << revision;

    ASSERT_EQ(report({"romance-comp", "--opt", PairFile, "--out", file("b.txt").string()}).status,
              0);
    EXPECT_EQ(Contents(file("b.txt")), prepared);  // revisions only when asked
    const CliResult run = report({"romance-comp", "--opt", PairFile, "--revised", "--preparer",
                                  "Jo Bloggs", "--out", file("c.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string revised = Contents(file("c.txt"));
    EXPECT_NE(revised.find(heading + "\nMy words.\n(revised text written by Jo Bloggs)\n"),
              std::string::npos)
        << key;
    EXPECT_NE(revised.find("Individually prepared by:\nJo Bloggs\n"), std::string::npos);
}

TEST_F(ReportCommand, AMissingStoreOrABadFileNameFails) {
    const TempFolder empty;
    ::setenv("QUINTARO_INTERP_SOURCE", empty.path().c_str(), 1);
    CliResult run = report({"romance-comp", "--opt", PairFile, "--out", file("r.txt").string()});
    ::unsetenv("QUINTARO_INTERP_SOURCE");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(LoadMessage), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("the report is incomplete"), std::string::npos) << run.err;

    run = report({"romance-comp", "--opt", PairFile, "--out", file("r.doc").string()});
    EXPECT_NE(run.status, 0);
    EXPECT_FALSE(std::filesystem::exists(file("r.doc")));
    EXPECT_NE(report({"lovers", "--out", file("r.txt").string()}).status, 0);
    EXPECT_NE(report({"natal", "--kind", "sideways", "--out", file("r.txt").string()}).status, 0);
    EXPECT_NE(
        report({"natal", "--opt", file("missing.opt").string(), "--out", file("r.txt").string()})
            .status,
        0);
    run = report({"natal", "--out", (folder.path() / "no/such/folder/r.txt").string()});
    EXPECT_EQ(run.status, 1);
}

TEST_F(ReportCommand, ADamagedStoreMakesTheReportIncomplete) {
    ASSERT_EQ(
        report({"financial-comp", "--opt", PairFile, "--out", file("ok.txt").string()}).status, 0);
    // Give the text record of the report's first paragraph a length that runs past the data area.
    const std::string text = Contents(file("ok.txt"));
    const auto heading = text.find("\n[", text.find("Geo Longitude Synastry Aspects"));
    const auto start = text.find('\n', heading + 1) + 1;
    const std::string paragraph = text.substr(start, text.find('\n', start) - start);
    const auto store = home() / "interps/financial_comp.dat";
    std::string bytes = Contents(store);
    const auto record = bytes.find(paragraph);
    ASSERT_NE(record, std::string::npos) << paragraph;
    ASSERT_GE(record, 4u);
    for (std::size_t at = record - 4; at < record; ++at) bytes[at] = '\x7f';
    ASSERT_EQ(quintaro::WriteFileAtomically(store, bytes), "");
    // Keep the store newer than its text, so that the start does not import it again.
    std::filesystem::last_write_time(
        store, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
    const CliResult run =
        report({"financial-comp", "--opt", PairFile, "--out", file("bad.txt").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Corrupt data file '" + store.string() + "'"), std::string::npos)
        << run.err;
}

}  // namespace
