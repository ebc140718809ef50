// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The report files of the installation folder's "reports" folder: the closing pages that end a
// printed report, and the rich-text files the report windows show.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "interps/interpretation_keys.h"
#include "interps/interpretation_report.h"
#include "setup/default_files.h"

namespace quintaro {

// "\reports\lastpage2.txt" for the compatibility reports, "\reports\lastpage3.txt" for the
// transit and natal reports.
std::string_view ClosingPageName(ReportMode mode);

// The closing page's text; "" when the file is missing or cannot be read.
std::string ReadClosingPage(const std::filesystem::path& home, ReportMode mode);

// Our closing pages (data/reports), compiled in.
const std::vector<EmbeddedFile>& EmbeddedReportPages();

// Writes the closing pages that are missing from the installation folder's "reports" folder (an
// emptied page stays as the user left it). Returns how many it wrote; failures are reported.
int InstallReportPages(const std::filesystem::path& home, Messages& messages);

// The rich-text file a report window loads: "\reports\temp_long.rtf" (longitudes) or
// "\reports\temp_decl.rtf" (declinations and latitudes); nothing for a report of both.
std::optional<std::filesystem::path> ReportTempPath(const std::filesystem::path& home,
                                                    ReportScope scope);

// Writes a report file in the format its extension names (".rtf", ".txt", ".html"; any other as
// plain text), whole or not at all. "" on success, else the reason.
std::string WriteReportFile(const std::filesystem::path& path, const ReportDocument& document);

}  // namespace quintaro
