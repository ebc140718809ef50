// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-cli store import / get / dump / install, checked by exit code and output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "temp_folder.h"

namespace {

using quintaro::test::TempFolder;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

class StoreCommand : public ::testing::Test {
  protected:
    // Runs quintaro-cli with the arguments (already quoted for the shell).
    CliRun cli(const std::string& arguments, const std::string& environment = "") {
        const auto errFile = folder.path() / "stderr.txt";
        const std::string command = environment + " " + QUINTARO_BINARY_DIR +
                                    "/bin/quintaro-cli --home " + Quoted(folder.path() / "home") +
                                    " " + arguments + " 2>" + Quoted(errFile);
        CliRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            run.out.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = ReadFile(errFile);
        return run;
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
    CliRun run = cli("store import " + Quoted(file("texts.txt")) + " " + Quoted(file("s.dat")));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 2 entries into " + file("s.dat").string() +
                           " (1 skipped, 2 in the store)\n");
    EXPECT_EQ(ReadFile(file("s.dat")).substr(0, 4), std::string("\x01\x00SI", 4));

    run = cli("store get " + Quoted(file("s.dat")) + " SUN_VEN_FLOWING");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Warmth meets affection.\nA second line.\n");

    run = cli("store get " + Quoted(file("s.dat")) + " mar_sat_challenging");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no entry 'mar_sat_challenging'"), std::string::npos) << run.err;
}

TEST_F(StoreCommand, DumpPrintsImportTextThatImportsToTheSameStore) {
    WriteFile(file("texts.txt"), Texts);
    ASSERT_EQ(cli("store import --plain " + Quoted(file("texts.txt")) + " " + Quoted(file("a.dat")))
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(file("a.dat")).substr(0, 4), std::string("\x01\x00SM", 4));
    CliRun dump = cli("store dump " + Quoted(file("a.dat")));
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.out,
              "#jup_sat_minor\nGrowth and form.\n\n"
              "#sun_ven_flowing\nWarmth meets affection.\nA second line.\n\n");
    WriteFile(file("dump.txt"), dump.out);
    ASSERT_EQ(
        cli("store import " + Quoted(file("dump.txt")) + " " + Quoted(file("b.dat"))).exitCode, 0);
    EXPECT_EQ(cli("store dump " + Quoted(file("b.dat"))).out, dump.out);
}

TEST_F(StoreCommand, ADamagedImportStoresWhatItCanSaysWhereAndFails) {
    WriteFile(file("bad.txt"), std::string("#a\none\n#b\ntwo\n#c\nth") + '\0' + "ree\n#d\nfour\n");
    CliRun run = cli("store import " + Quoted(file("bad.txt")) + " " + Quoted(file("s.dat")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Stopped at line 6 of '" + file("bad.txt").string() + "'"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(cli("store get " + Quoted(file("s.dat")) + " b").out, "two\n");
    EXPECT_EQ(cli("store get " + Quoted(file("s.dat")) + " d").exitCode, 1);
}

TEST_F(StoreCommand, AFileThatIsNoStoreIsNeitherReadNorOverwritten) {
    WriteFile(file("texts.txt"), Texts);
    WriteFile(file("notes.dat"), "my own notes\n");
    CliRun run = cli("store import " + Quoted(file("texts.txt")) + " " + Quoted(file("notes.dat")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("wrong signature"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(file("notes.dat")), "my own notes\n");
    for (const std::string& command :
         {"dump " + Quoted(file("notes.dat")), "get " + Quoted(file("notes.dat")) + " key"}) {
        run = cli("store " + command);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_NE(run.err.find("wrong signature"), std::string::npos) << command << run.err;
    }
    EXPECT_NE(cli("store get " + Quoted(file("missing.dat")) + " key").exitCode, 0);
    EXPECT_NE(
        cli("store import " + Quoted(file("missing.txt")) + " " + Quoted(file("x.dat"))).exitCode,
        0);
    EXPECT_FALSE(std::filesystem::exists(file("x.dat")));
    EXPECT_NE(cli("store get").exitCode, 0);
}

TEST_F(StoreCommand, AnUnreadableTextIsReportedAsACorruptDataFile) {
    WriteFile(file("texts.txt"), Texts);
    ASSERT_EQ(
        cli("store import " + Quoted(file("texts.txt")) + " " + Quoted(file("s.dat"))).exitCode, 0);
    // Cut the file inside its data area's first text: the node table stays where it is, but the
    // first record's length now claims more than the area holds.
    std::string bytes = ReadFile(file("s.dat"));
    bytes[20] = '\x7f';
    WriteFile(file("s.dat"), bytes);
    CliRun run = cli("store dump " + Quoted(file("s.dat")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Corrupt data file '" + file("s.dat").string() + "'"), std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("#"), std::string::npos);  // the readable entry is still printed
}

TEST_F(StoreCommand, InstallImportsEveryStoreIntoTheInstallationFolder) {
    CliRun run = cli("store install");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "7 interpretation stores written to " +
                           (folder.path() / "home/interps").string() + "\n");
    run = cli("store get " + Quoted(folder.path() / "home/interps/romance_comp.dat") +
              " ven_sun_flowing");
    EXPECT_EQ(run.exitCode, 1);  // compatibility keys name the pair in body order
    run = cli("store get " + Quoted(folder.path() / "home/interps/romance_comp.dat") +
              " sun_ven_flowing");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GT(run.out.size(), 100u);
    EXPECT_EQ(cli("store install").out, "0 interpretation stores written to " +
                                            (folder.path() / "home/interps").string() + "\n");
}

TEST_F(StoreCommand, InstallWithoutTextsSaysSoAndFails) {
    std::filesystem::create_directories(file("empty"));
    CliRun run = cli("store install", "QUINTARO_INTERP_SOURCE=" + Quoted(file("empty")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("romance_comp.txt are missing"), std::string::npos) << run.err;
}

}  // namespace
