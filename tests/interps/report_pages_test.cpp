// SPDX-License-Identifier: AGPL-3.0-or-later
// The reports folder: closing pages installed once and kept as the user leaves them, the report
// files written in the format their names ask for.
#include "interps/report_pages.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "interps/report_render.h"
#include "recording_messages.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::TempFolder;

TEST(ReportPages, ClosingPagesAreInstalledWhenMissingAndThenLeftAlone) {
    TempFolder home;
    test::RecordingMessages messages;
    EXPECT_EQ(InstallReportPages(home.path(), messages), 2);
    const std::string compatibility =
        ReadClosingPage(home.path(), ReportMode::RomanceCompatibility);
    const std::string transits = ReadClosingPage(home.path(), ReportMode::FinancialTransits);
    EXPECT_FALSE(compatibility.empty());
    EXPECT_FALSE(transits.empty());
    EXPECT_NE(compatibility, transits);
    EXPECT_EQ(ReadClosingPage(home.path(), ReportMode::NatalFull), transits);

    // The user empties one page: it stays empty.
    ASSERT_EQ(WriteFileAtomically(home.path() / "reports/lastpage2.txt", ""), "");
    EXPECT_EQ(InstallReportPages(home.path(), messages), 0);
    EXPECT_EQ(ReadClosingPage(home.path(), ReportMode::FinancialCompatibility), "");
    std::filesystem::remove(home.path() / "reports/lastpage3.txt");
    EXPECT_EQ(ReadClosingPage(home.path(), ReportMode::RomanceTransits), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ReportPages, AReportFileIsWrittenInTheFormatItsNameAsksFor) {
    TempFolder folder;
    ReportDocument document;
    document.title = "T";
    document.add("Title", ParagraphAlign::Centre, true);
    document.add("Body & more");
    const std::pair<const char*, ReportFormat> cases[] = {{"r.rtf", ReportFormat::Rtf},
                                                          {"r.txt", ReportFormat::Text},
                                                          {"r.html", ReportFormat::Html},
                                                          {"r.report", ReportFormat::Text}};
    for (const auto& [name, format] : cases) {
        ASSERT_EQ(WriteReportFile(folder.path() / name, document), "") << name;
        std::string written;
        ASSERT_TRUE(ReadWholeFile(folder.path() / name, written));
        EXPECT_EQ(written, RenderReport(document, format)) << name;
    }
    EXPECT_NE(WriteReportFile(folder.path() / "no/such/folder/r.txt", document), "");
}

}  // namespace
}  // namespace quintaro
