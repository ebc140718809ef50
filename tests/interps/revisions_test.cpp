// SPDX-License-Identifier: AGPL-3.0-or-later
// Revision files: their folders, prefixes and names, what they hold, the overwrite question, and
// the master list of keys.
#include "interps/revisions.h"

#include <gtest/gtest.h>

#include <set>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

TEST(Revisions, EachReportKindHasItsFolderAndPrefix) {
    TempFolder home;
    const struct {
        ReportMode mode;
        const char* file;
    } cases[] = {
        {ReportMode::RomanceCompatibility, "revised_romance_comp/ri_sun_ven_120_g.txt"},
        {ReportMode::FinancialCompatibility, "revised_financial_comp/mi_sun_ven_120_g.txt"},
        {ReportMode::RomanceTransits, "revised_romance_trans/rt_sun_ven_120_g.txt"},
        {ReportMode::FinancialTransits, "revised_financial_trans/mt_sun_ven_120_g.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RevisionPath(home.path(), c.mode, "sun_ven_120_g"), home.path() / c.file);
    for (ReportMode natal :
         {ReportMode::NatalFull, ReportMode::NatalRomance, ReportMode::NatalMoney})
        EXPECT_FALSE(RevisionPath(home.path(), natal, "sun_ven_120_g"));
    EXPECT_EQ(RevisionKey("mar_sat_-011", true), "mar_sat_-011_h");
    EXPECT_EQ(RevisionPath(home.path(), ReportMode::RomanceTransits, "mc_asc_-011_h"),
              home.path() / "revised_romance_trans/rt_mc_asc_-011_h.txt");
}

TEST(Revisions, OnlyWellFormedKeysNameAFile) {
    const char* refused[] = {"sun_ven_120",      "sun_ven_120_x",  "sun_ven_121_g",
                             "SUN_ven_120_g",    "sun_xyz_120_g",  "../x_ven_120_g",
                             "sun_ven_120_g/..", "sun_ven_120_g_", "",
                             "sun_ven__120_g",   "sun ven 120 g"};
    for (const char* key : refused) {
        EXPECT_FALSE(ParseRevisionKey(key)) << key;
        EXPECT_FALSE(RevisionPath("/home", ReportMode::RomanceCompatibility, key)) << key;
    }
    const auto parts = ParseRevisionKey("ear_chi_150_h");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->aspectKey, "ear_chi_150");
    EXPECT_TRUE(parts->heliocentric);
}

TEST(Revisions, AFileHoldsTheAuthorAndTheText) {
    const Revision revision{"First line.\r\nSecond line.  \r\n\r\n", "Jo Bloggs"};
    const std::string file = RevisionFileText(revision);
    EXPECT_EQ(file, "Author: Jo Bloggs\r\n\r\nFirst line.\r\nSecond line.\r\n");
    const Revision read = ParseRevisionFile(file);
    EXPECT_EQ(read.author, "Jo Bloggs");
    EXPECT_EQ(read.text, "First line.\r\nSecond line.");

    // Written by hand with another editor: no author line, Unix line ends.
    const Revision plain = ParseRevisionFile("Just my text.\nMore.\n\n");
    EXPECT_EQ(plain.author, "");
    EXPECT_EQ(plain.text, "Just my text.\r\nMore.");
    EXPECT_EQ(RevisedByLine(plain.author), "(revised text written by an unknown author)");
    EXPECT_EQ(RevisedByLine("Jo Bloggs"), "(revised text written by Jo Bloggs)");

    // An unknown author's text that begins like an author line reads back as text.
    const Revision tricky{"Author: of this text, the Moon.", ""};
    EXPECT_EQ(ParseRevisionFile(RevisionFileText(tricky)).text, tricky.text);
    EXPECT_EQ(ParseRevisionFile(RevisionFileText(tricky)).author, "");
}

TEST(Revisions, SavingOverAnExistingFileAsksFirst) {
    TempFolder home;
    RecordingMessages messages;
    const auto path = *RevisionPath(home.path(), ReportMode::FinancialTransits, "jup_sun_000_g");
    EXPECT_EQ(SaveRevision(path, {"First.", "A"}, messages), RevisionSave::Saved);
    EXPECT_TRUE(messages.questions.empty());

    messages.answer = false;
    EXPECT_EQ(SaveRevision(path, {"Second.", "B"}, messages), RevisionSave::Kept);
    EXPECT_EQ(messages.questions,
              (std::vector<std::string>{
                  "File already exists: This file already exists. Do you wish to overwrite it?"}));
    EXPECT_EQ(ReadRevision(path)->text, "First.");

    messages.answer = true;
    EXPECT_EQ(SaveRevision(path, {"Third.", "C"}, messages), RevisionSave::Saved);
    EXPECT_EQ(ReadRevision(path)->text, "Third.");
    EXPECT_EQ(ReadRevision(path)->author, "C");
    EXPECT_EQ(RevisionSavedCaption(path),
              "Revise Interpretations - revision file saved = mt_jup_sun_000_g.txt");
    EXPECT_FALSE(ReadRevision(home.path() / "missing.txt"));
}

TEST(Revisions, ASaveThatCannotBeWrittenIsReported) {
    TempFolder home;
    RecordingMessages messages;
    // The folder the revision should go to is a file.
    ASSERT_EQ(WriteFileAtomically(home.path() / "revised_romance_comp", "x"), "");
    const auto path = *RevisionPath(home.path(), ReportMode::RomanceCompatibility, "sun_sun_000_g");
    EXPECT_EQ(SaveRevision(path, {"Text.", "A"}, messages), RevisionSave::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("could not be saved"), std::string::npos);
}

TEST(MasterList, ListsEveryOrderedPairInEachFrameWithEveryAspect) {
    const std::vector<std::string> lines = MasterListLines();
    // Geocentric: 20 bodies (all but the Earth), ordered pairs, less the part of fortune with the
    // vertex both ways; heliocentric: the 14 bodies with heliocentric positions. 13 aspects.
    EXPECT_EQ(lines.size(), static_cast<std::size_t>((20 * 20 - 2 + 14 * 14) * 13));
    std::set<std::string> keys;
    for (const std::string& line : lines) {
        const std::string key = line.substr(0, line.find(' '));
        EXPECT_TRUE(ParseRevisionKey(key)) << line;
        EXPECT_TRUE(keys.insert(key).second) << "twice: " << key;
    }
    const auto has = [&](const std::string& wanted) {
        return std::find(lines.begin(), lines.end(), wanted) != lines.end();
    };
    EXPECT_TRUE(has("sun_ven_120_g     SUN TRINE VENUS (geocentric)"));
    EXPECT_TRUE(has("ven_sun_120_g     VENUS TRINE SUN (geocentric)"));
    EXPECT_TRUE(
        has("ear_ear_000_h     EARTH/MOON COMPLEX CONJUNCT EARTH/MOON COMPLEX (heliocentric)"));
    EXPECT_TRUE(has("nod_mc_-011_g     NODE CONTRA-PARALLEL MIDHEAVEN (geocentric)"));
    EXPECT_TRUE(has("ver_asc_150_g     VERTEX QUINCUNX ASCENDANT (geocentric)"));
    EXPECT_FALSE(keys.count("sun_ven_120_h"));  // the Sun has no heliocentric position
    EXPECT_FALSE(keys.count("ear_sun_000_g"));
    EXPECT_FALSE(keys.count("par_ver_000_g"));
}

TEST(MasterList, WrittenToTheRevisionFolderAndReadBack) {
    TempFolder home;
    RecordingMessages messages;
    ASSERT_TRUE(WriteMasterList(home.path(), messages));
    EXPECT_EQ(MasterListPath(home.path()), home.path() / "interp_revisions/master_interp_list.txt");
    std::string content;
    ASSERT_TRUE(ReadWholeFile(MasterListPath(home.path()), content));
    const std::vector<MasterListEntry> entries = ParseMasterList(content);
    EXPECT_EQ(entries.size(), MasterListLines().size());
    EXPECT_EQ(entries.front().line, MasterListLines().front());

    const std::vector<MasterListEntry> edited = ParseMasterList(
        "a heading someone typed\r\n\r\nsun_ven_120_g  SUN TRINE VENUS\r\n../../x_y_z_g junk\r\n");
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].key, "sun_ven_120_g");
    EXPECT_EQ(edited[0].line, "sun_ven_120_g  SUN TRINE VENUS");
}

}  // namespace
}  // namespace quintaro
