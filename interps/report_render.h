// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "interps/report_document.h"

namespace quintaro {

// The rich-text form of a report: the header with its font table ("Arial", "Courier New"), the
// colour table (black, yellow, white), the page and paragraph set-up (margins of 864 twips, 10
// point text, first-line and right indents of 420 twips), then every paragraph with "\qc " or
// "\ql " where the alignment changes, bold text in "{\b ...}" and "\page " before a new page.
// Text is written in the Windows-1252 code page ("\'hh"); characters outside it as "\uN?".
std::string RenderRtf(const ReportDocument& document);

// Plain text, one line per paragraph, UTF-8. A new page shows as an empty line, as rich-text
// readers that convert to text write it.
std::string RenderPlainText(const ReportDocument& document);

// A web page (HTML, UTF-8) laid out like the rich text: centred and bold paragraphs, the same
// indents, page breaks for printing. The window shows this form.
std::string RenderHtml(const ReportDocument& document);

enum class ReportFormat { Rtf, Text, Html };

// The format a file name asks for: ".rtf", ".txt" or ".html"/".htm" (any case); nothing else.
std::optional<ReportFormat> ReportFormatOfPath(const std::filesystem::path& path);

std::string RenderReport(const ReportDocument& document, ReportFormat format);

}  // namespace quintaro
