// SPDX-License-Identifier: AGPL-3.0-or-later
// Installing the interpretation stores into an installation folder.
#include "interps/interpretation_install.h"

#include <gtest/gtest.h>

#include <fstream>

#include "interps/interpretation_keys.h"
#include "interps/string_map.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::TempFolder;

void WriteText(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// A source folder with two entries for every store, the store's name in their texts.
std::filesystem::path SmallSource(const TempFolder& folder) {
    const auto source = folder.path() / "source";
    std::filesystem::create_directories(source);
    for (ReportMode mode : AllReportModes) {
        const std::string name(StoreName(mode));
        WriteText(source / (name + ".txt"),
                  "#sun_ven_flowing\nEasy, from " + name + ".\n#mar_sat_challenging\nHard.\n");
    }
    return source;
}

std::string StoreText(const std::filesystem::path& home, ReportMode mode, const std::string& key) {
    StringMap store;
    if (!store.OpenFile(InterpretationStorePath(home, StoreName(mode)))) return "(no store)";
    return store.GetAt(key);
}

TEST(InterpretationInstall, TheFirstStartFillsTheFolderAndLaterStartsKeepIt) {
    TempFolder folder;
    const auto home = folder.path() / "home";
    const auto source = SmallSource(folder);
    RecordingMessages messages;
    EXPECT_EQ(InstallInterpretationStores(home, messages, {}, source), 7);
    EXPECT_TRUE(messages.shown.empty());
    for (ReportMode mode : AllReportModes) {
        StringMap store;
        ASSERT_TRUE(store.OpenFile(home / "interps" / (std::string(StoreName(mode)) + ".dat")));
        EXPECT_TRUE(store.Indexed());
        EXPECT_EQ(store.GetAt("SUN_VEN_FLOWING"),
                  "Easy, from " + std::string(StoreName(mode)) + ".");
    }
    EXPECT_EQ(InstallInterpretationStores(home, messages, {}, source), 0);

    // A newer text replaces its store; a store whose text is gone stays.
    const auto text = source / "natal_money.txt";
    WriteText(text, "#sun_ven_flowing\nRevised.\n");
    std::filesystem::last_write_time(
        text, std::filesystem::last_write_time(InterpretationStorePath(home, "natal_money")) +
                  std::chrono::hours(1));
    std::filesystem::remove(source / "natal_full.txt");
    EXPECT_EQ(InstallInterpretationStores(home, messages, {}, source), 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(StoreText(home, ReportMode::NatalMoney, "sun_ven_flowing"), "Revised.");
    EXPECT_EQ(StoreText(home, ReportMode::NatalMoney, "mar_sat_challenging"), "");
    EXPECT_EQ(StoreText(home, ReportMode::NatalFull, "mar_sat_challenging"), "Hard.");
}

TEST(InterpretationInstall, MissingAndDamagedTextsAreReportedAndTheRestInstalled) {
    TempFolder folder;
    const auto home = folder.path() / "home";
    const auto source = SmallSource(folder);
    std::filesystem::remove(source / "romance_trans.txt");
    WriteText(source / "financial_comp.txt",
              std::string("#sun_ven_flowing\nFine.\n#mar_sat_challenging\nBro") + '\0' + "ken\n");
    RecordingMessages messages;
    EXPECT_EQ(InstallInterpretationStores(home, messages, {}, source), 6);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].text.find("Stopped at line 4 of"), std::string::npos)
        << messages.shown[0].text;
    EXPECT_NE(messages.shown[1].text.find("romance_trans.txt are missing"), std::string::npos);
    EXPECT_EQ(StoreText(home, ReportMode::FinancialCompatibility, "sun_ven_flowing"), "Fine.");
    EXPECT_EQ(StoreText(home, ReportMode::RomanceTransits, "sun_ven_flowing"), "(no store)");
}

TEST(InterpretationInstall, ProgressCountsTheStoresAndCancelStopsBetweenThem) {
    TempFolder folder;
    const auto source = SmallSource(folder);
    RecordingMessages messages;
    std::vector<long> steps;
    auto progress = [&steps](std::string_view, long done, long total) {
        EXPECT_EQ(total, 7);
        steps.push_back(done);
        return done < 2;
    };
    EXPECT_EQ(InstallInterpretationStores(folder.path() / "home", messages, progress, source), 2);
    EXPECT_EQ(steps, (std::vector<long>{0, 1, 2}));
}

TEST(InterpretationInstall, TheProgramsOwnTextsGiveAParagraphForAGridRow) {
    TempFolder folder;
    RecordingMessages messages;
    ASSERT_EQ(InstallInterpretationStores(folder.path(), messages), 7);
    StringMap store;
    ASSERT_TRUE(
        store.OpenFile(InterpretationStorePath(folder.path(), StoreName(ReportMode::NatalFull))));
    store.SetIndexed(true);
    const std::string text =
        store.Interpretation_Decrypt("ven_mc_090", ReportMode::NatalFull, messages);
    EXPECT_NE(text.find("Venus and the Midheaven meet in a challenging aspect"), std::string::npos)
        << text;
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quintaro
