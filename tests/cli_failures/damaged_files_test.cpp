// SPDX-License-Identifier: AGPL-3.0-or-later
// Damaged chart data and settings files, files that every run would rewrite, and a read-only
// installation folder.
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "cli_home.h"
#include "core/atomic_file.h"
#include "setup/settings_file.h"

namespace quintaro::test {
namespace {

// Takes the write permission away from a folder and everything in it, and gives it back.
class ReadOnlyTree {
  public:
    explicit ReadOnlyTree(std::filesystem::path root) : root_(std::move(root)) {
        set(std::filesystem::perm_options::remove);
    }
    ~ReadOnlyTree() { set(std::filesystem::perm_options::add); }
    ReadOnlyTree(const ReadOnlyTree&) = delete;
    ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;

  private:
    void set(std::filesystem::perm_options how) const {
        using std::filesystem::perms;
        const perms write = how == std::filesystem::perm_options::remove
                                ? perms::owner_write | perms::group_write | perms::others_write
                                : perms::owner_write;
        std::error_code ec;
        std::filesystem::permissions(root_, write, how, ec);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ec))
            std::filesystem::permissions(entry.path(), write, how, ec);
    }
    std::filesystem::path root_;
};

class DamagedFiles : public CliHome {
  protected:
    std::filesystem::path settingsFile() const { return home() / "Quintaro_Pro.INI"; }
    std::string bytes(const std::filesystem::path& file) const {
        std::string text;
        EXPECT_TRUE(ReadWholeFile(file, text)) << file;
        return text;
    }
};

// A chart data file that ends early would take the rest from "Now": no chart, and the message
// says what the file lacked.
TEST_F(DamagedFiles, ATruncatedChartFileGivesNoChart) {
    const std::string truncated =
        std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/truncated.opt";
    for (const char* command : {"chart", "aspects", "wheel"}) {
        std::vector<std::string> args = {command, "--opt", truncated};
        if (std::string(command) == "wheel") args.insert(args.end(), {"--out", path("w.svg")});
        CliResult r = run(args);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_TRUE(Has(r.err,
                        "it ends after 4 of its 40 values (missing: natal hour, natal "
                        "minute, natal zone"))
            << r.err;
        EXPECT_TRUE(Has(r.err, "no chart is made from it")) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(path("w.svg")));
}

// A damaged settings file is read as far as it goes, kept as ".bad" and replaced by a whole one.
TEST_F(DamagedFiles, ADamagedSettingsFileIsKeptAsBadAndWrittenWhole) {
    prepare();
    const std::string whole = bytes(settingsFile());
    struct Case {
        const char* name;
        std::string text;
        const char* why;
    } cases[] = {
        {"cut", whole.substr(0, whole.find("OutputNameFileOPT=")),
         "settings are missing (the first is \"OutputNameFileOPT=\")"},
        {"binary",
         std::string("\x7f"
                     "ELF\x02\x01\x01\x00garbage",
                     15),
         "bytes that are not text"},
        {"no header", "FontSize= 10\n", "its first line is not the settings header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileAtomically(settingsFile(), c.text).empty());
        std::filesystem::remove(home() / "Quintaro_Pro.INI.bad");
        CliResult r = run({"chart", "--opt", kJ2000Opt});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(Has(r.err, "warning: Warning!: The settings file " + settingsFile().string() +
                                   " is damaged"))
            << r.err;
        EXPECT_TRUE(Has(r.err, c.why)) << r.err;
        EXPECT_TRUE(Has(r.err, "kept as " + settingsFile().string() + ".bad")) << r.err;
        EXPECT_EQ(bytes(home() / "Quintaro_Pro.INI.bad"), c.text);
        EXPECT_EQ(SettingsFileDamage(bytes(settingsFile())), "");
        // The next run finds a sound file and says nothing.
        CliResult again = run({"chart", "--opt", kJ2000Opt});
        EXPECT_EQ(again.status, 0);
        EXPECT_EQ(again.err, "");
    }
}

// A run that changes nothing writes nothing: the settings and group files keep their inode
// (a file replaced by the atomic writer gets a new one).
TEST_F(DamagedFiles, UnchangedSettingsAndGroupFilesAreNotRewritten) {
    const char* files[] = {"Quintaro_Pro.INI", "group1.sel", "group1.cru", "group1.syn",
                           "GeneralUse.ord"};
    auto inodes = [&] {
        std::map<std::string, ino_t> found;
        for (const char* file : files) {
            struct stat info {};
            EXPECT_EQ(::stat((home() / file).c_str(), &info), 0) << file;
            found[file] = info.st_ino;
        }
        return found;
    };
    using Commands = std::vector<std::vector<std::string>>;
    // Loading a chart file changes the selection the settings keep; starting without one takes
    // group 1 again. Within each series nothing changes.
    const Commands withoutFile = {
        {"now"}, {"aspects"}, {"grid", "long"}, {"wheel", "--out", path("w.svg")}};
    const Commands withFile = {{"chart", "--opt", kJ2000Opt},
                               {"aspects", "--opt", kJ2000Opt, "--pairing", "tn"},
                               {"wheel", "--opt", kJ2000Opt, "--out", path("w.png")}};
    for (const Commands& series : {withoutFile, withFile}) {
        ASSERT_EQ(run(series.front()).status, 0);
        const auto before = inodes();
        for (const auto& command : series) {
            CliResult r = run(command);
            EXPECT_EQ(r.status, 0) << command[0] << r.err;
        }
        EXPECT_EQ(inodes(), before) << series.front()[0];
    }
}

// A read-only installation folder: the results are right and the command succeeds; a settings
// file that cannot be saved is one warning.
TEST_F(DamagedFiles, AReadOnlyHomeGivesTheResultWithOneWarning) {
    prepare();
    // Root may write anywhere: the program runs as an ordinary user then.
    std::string as;
    if (::geteuid() == 0) {
        if (std::system("setpriv --version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "running as root without setpriv";
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    CliResult expected = run({"chart", "--opt", kJ2000Opt, "--json"});
    ASSERT_EQ(expected.status, 0);
    // A value the reader accepts but the writer spells otherwise: saving the settings must write.
    std::string settings = bytes(settingsFile());
    settings.replace(settings.find("FontSize= 8.5"), 13, "FontSize=8.50");
    ASSERT_TRUE(WriteFileAtomically(settingsFile(), settings).empty());
    ReadOnlyTree readOnly(home());

    CliResult r = run({"chart", "--opt", kJ2000Opt, "--json"}, as);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected.out);
    std::istringstream lines(r.err);
    std::vector<std::string> warnings;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) warnings.push_back(line);
    ASSERT_EQ(warnings.size(), 1u) << r.err;
    EXPECT_TRUE(Has(warnings[0], "warning: Warning!: The settings could not be saved")) << r.err;
    EXPECT_EQ(bytes(settingsFile()), settings);  // left as it was
}

}  // namespace
}  // namespace quintaro::test
