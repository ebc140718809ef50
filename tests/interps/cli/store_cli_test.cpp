// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli store import / get / dump / install, checked by exit code and output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "temp_folder.h"

namespace {

using quintaro::test::CliResult;
using quintaro::test::TempFolder;

std::string ReadFile(const std::filesystem::path& path) {
    std::string content;
    quintaro::ReadWholeFile(path, content);
    return content;
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// A path as one word of a command line (the tests' paths have no blanks).
std::string Arg(const std::filesystem::path& path) {
    return path.string();
}

class StoreCommand : public ::testing::Test {
  protected:
    // Runs quintaro-cli in the test's own installation folder; the arguments are split at blanks.
    CliResult cli(const std::string& arguments) {
        std::vector<std::string> args = {"--home", (folder.path() / "home").string()};
        std::istringstream words(arguments);
        for (std::string word; words >> word;) args.push_back(word);
        return quintaro::test::RunCli(folder.path(), args);
    }
    std::filesystem::path file(const std::string& name) const { return folder.path() / name; }

    TempFolder folder;
};

const std::string Texts =
    "Test texts\n"
    "#sun_ven_flowing:\n"
    "Warmth meets affection.\n"
    "A second line.\n"
    "#!mar_sat_challenging\n"
    "Not ready.\n"
    "#jup_sat_minor\n"
    "Growth and form.\n";

TEST_F(StoreCommand, ImportThenGetFindsTheTextUnderAnyCase) {
    WriteFile(file("texts.txt"), Texts);
    CliResult run = cli("store import " + Arg(file("texts.txt")) + " " + Arg(file("s.dat")));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 2 entries into " + file("s.dat").string() +
                           " (1 skipped, 2 in the store)\n");
    EXPECT_EQ(ReadFile(file("s.dat")).substr(0, 4), std::string("\x01\x00SI", 4));

    run = cli("store get " + Arg(file("s.dat")) + " SUN_VEN_FLOWING");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Warmth meets affection.\nA second line.\n");

    run = cli("store get " + Arg(file("s.dat")) + " mar_sat_challenging");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no entry 'mar_sat_challenging'"), std::string::npos) << run.err;
}

TEST_F(StoreCommand, DumpPrintsImportTextThatImportsToTheSameStore) {
    WriteFile(file("texts.txt"), Texts);
    ASSERT_EQ(
        cli("store import --plain " + Arg(file("texts.txt")) + " " + Arg(file("a.dat"))).status, 0);
    EXPECT_EQ(ReadFile(file("a.dat")).substr(0, 4), std::string("\x01\x00SM", 4));
    CliResult dump = cli("store dump " + Arg(file("a.dat")));
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out,
              "#jup_sat_minor\nGrowth and form.\n\n"
              "#sun_ven_flowing\nWarmth meets affection.\nA second line.\n\n");
    WriteFile(file("dump.txt"), dump.out);
    ASSERT_EQ(cli("store import " + Arg(file("dump.txt")) + " " + Arg(file("b.dat"))).status, 0);
    EXPECT_EQ(cli("store dump " + Arg(file("b.dat"))).out, dump.out);
}

TEST_F(StoreCommand, ADamagedImportStoresWhatItCanSaysWhereAndFails) {
    WriteFile(file("bad.txt"), std::string("#a\none\n#b\ntwo\n#c\nth") + '\0' + "ree\n#d\nfour\n");
    CliResult run = cli("store import " + Arg(file("bad.txt")) + " " + Arg(file("s.dat")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Stopped at line 6 of '" + file("bad.txt").string() + "'"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(cli("store get " + Arg(file("s.dat")) + " b").out, "two\n");
    EXPECT_EQ(cli("store get " + Arg(file("s.dat")) + " d").status, 1);
}

TEST_F(StoreCommand, AFileThatIsNoStoreIsNeitherReadNorOverwritten) {
    WriteFile(file("texts.txt"), Texts);
    WriteFile(file("notes.dat"), "my own notes\n");
    CliResult run = cli("store import " + Arg(file("texts.txt")) + " " + Arg(file("notes.dat")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("wrong signature"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(file("notes.dat")), "my own notes\n");
    for (const std::string& command :
         {"dump " + Arg(file("notes.dat")), "get " + Arg(file("notes.dat")) + " key"}) {
        run = cli("store " + command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_NE(run.err.find("wrong signature"), std::string::npos) << command << run.err;
    }
    EXPECT_NE(cli("store get " + Arg(file("missing.dat")) + " key").status, 0);
    EXPECT_NE(cli("store import " + Arg(file("missing.txt")) + " " + Arg(file("x.dat"))).status, 0);
    EXPECT_FALSE(std::filesystem::exists(file("x.dat")));
    EXPECT_NE(cli("store get").status, 0);
}

TEST_F(StoreCommand, AnUnreadableTextIsReportedAsACorruptDataFile) {
    WriteFile(file("texts.txt"), Texts);
    ASSERT_EQ(cli("store import " + Arg(file("texts.txt")) + " " + Arg(file("s.dat"))).status, 0);
    // Cut the file inside its data area's first text: the node table stays where it is, but the
    // first record's length now claims more than the area holds.
    std::string bytes = ReadFile(file("s.dat"));
    bytes[20] = '\x7f';
    WriteFile(file("s.dat"), bytes);
    CliResult run = cli("store dump " + Arg(file("s.dat")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Corrupt data file '" + file("s.dat").string() + "'"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("#"), std::string::npos);  // the readable entry is still printed
}

TEST_F(StoreCommand, InstallImportsEveryStoreIntoTheInstallationFolder) {
    CliResult run = cli("store install");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "7 interpretation stores written to " +
                           (folder.path() / "home/interps").string() + "\n");
    run = cli("store get " + Arg(folder.path() / "home/interps/romance_comp.dat") +
              " ven_sun_flowing");
    EXPECT_EQ(run.status, 1);  // compatibility keys name the pair in body order
    run = cli("store get " + Arg(folder.path() / "home/interps/romance_comp.dat") +
              " sun_ven_flowing");
    EXPECT_EQ(run.status, 0);
    EXPECT_GT(run.out.size(), 100u);
    EXPECT_EQ(cli("store install").out, "0 interpretation stores written to " +
                                            (folder.path() / "home/interps").string() + "\n");
}

TEST_F(StoreCommand, InstallWithoutTextsSaysSoAndFails) {
    std::filesystem::create_directories(file("empty"));
    ::setenv("QUINTARO_INTERP_SOURCE", file("empty").c_str(), 1);
    CliResult run = cli("store install");
    ::unsetenv("QUINTARO_INTERP_SOURCE");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("romance_comp.txt are missing"), std::string::npos) << run.err;
}

}  // namespace
