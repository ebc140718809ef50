// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/report_pages.h"

#include "core/atomic_file.h"
#include "core/install_folder.h"
#include "interps/report_render.h"

namespace quintaro {

std::string_view ClosingPageName(ReportMode mode) {
    const bool compatibility =
        mode == ReportMode::RomanceCompatibility || mode == ReportMode::FinancialCompatibility;
    return compatibility ? "\\reports\\lastpage2.txt" : "\\reports\\lastpage3.txt";
}

std::string ReadClosingPage(const std::filesystem::path& home, ReportMode mode) {
    std::string text;
    if (!ReadWholeFile(HomePath(home, ClosingPageName(mode)), text)) return {};
    return text;
}

int InstallReportPages(const std::filesystem::path& home, Messages& messages) {
    int written = 0;
    std::error_code ec;
    std::filesystem::create_directories(HomePath(home, "\\reports"), ec);
    for (const EmbeddedFile& page : EmbeddedReportPages()) {
        const std::filesystem::path path = HomePath(home, "\\reports\\" + page.name);
        if (std::filesystem::exists(path, ec)) continue;
        if (const std::string error = WriteFileAtomically(path, page.content); !error.empty()) {
            messages.show("Warning!", "Could not install " + path.string() + ": " + error,
                          MessageIcon::Exclamation);
            continue;
        }
        ++written;
    }
    return written;
}

std::optional<std::filesystem::path> ReportTempPath(const std::filesystem::path& home,
                                                    ReportScope scope) {
    switch (scope) {
        case ReportScope::Longitude:
            return HomePath(home, "\\reports\\temp_long.rtf");
        case ReportScope::DeclinationLatitude:
            return HomePath(home, "\\reports\\temp_decl.rtf");
        case ReportScope::Both:
            break;
    }
    return std::nullopt;
}

std::string WriteReportFile(const std::filesystem::path& path, const ReportDocument& document) {
    const ReportFormat format = ReportFormatOfPath(path).value_or(ReportFormat::Text);
    return WriteFileAtomically(path, RenderReport(document, format));
}

}  // namespace quintaro
