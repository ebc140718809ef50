// SPDX-License-Identifier: AGPL-3.0-or-later
// The report document and its three written forms: the rich text laid out as the reports need
// it, plain text, and the web page; an independent reader (unrtf) must read the rich text back
// to exactly the plain text.
#include "interps/report_render.h"

#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "temp_folder.h"
#include "unrtf_text.h"

namespace quintaro {
namespace {

// A document with every kind of paragraph the reports use.
ReportDocument SampleDocument() {
    ReportDocument document;
    document.title = "Romance Compatibility Report for Zoë & Ben";
    document.add("Romance Compatibility Report for Zoë & Ben", ParagraphAlign::Centre, true);
    document.addBlank();
    document.add("Zoë: 05/17/1980\r\nBen: 11/02/1978");
    document.addBlank();
    document.add("Geo Longitude Synastry Aspects", ParagraphAlign::Left, true);
    document.add("------------------------------");
    document.add("[SUN TRINE YOUR MERCURY]", ParagraphAlign::Left, true);
    document.add("Braces {like these}, a back\\slash, <tags> and \"quotes\" stay text.");
    document.add("About this report", ParagraphAlign::Left, false, true);
    document.add("Closing words.");
    return document;
}

TEST(ReportDocument, TextIsSplitIntoLinesAndMadeValidUtf8) {
    ReportDocument document;
    document.add("one\r\ntwo\nthree\rfour\n", ParagraphAlign::Centre, true, true);
    ASSERT_EQ(document.paragraphs.size(), 4u);
    EXPECT_EQ(document.paragraphs[0].text, "one");
    EXPECT_EQ(document.paragraphs[3].text, "four");
    EXPECT_TRUE(document.paragraphs[0].pageBreakBefore);
    EXPECT_FALSE(document.paragraphs[1].pageBreakBefore);
    for (const ReportParagraph& p : document.paragraphs) {
        EXPECT_EQ(p.align, ParagraphAlign::Centre);
        EXPECT_TRUE(p.bold);
    }
    document = {};
    document.add(
        "a\tb\x01"
        "c\n\n");
    ASSERT_EQ(document.paragraphs.size(), 2u);
    EXPECT_EQ(document.paragraphs[0].text, "a b c");
    EXPECT_EQ(document.paragraphs[1].text, "");
}

TEST(ReportDocument, BytesThatAreNotUtf8AreReadAsLatin1) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"caf\xe9", "caf\xc3\xa9"},                   // a lone Latin-1 letter
        {"caf\xc3\xa9", "caf\xc3\xa9"},               // already UTF-8
        {"\xe2\x82\xac", "\xe2\x82\xac"},             // the euro sign
        {"\xc0\xaf", "\xc3\x80\xc2\xaf"},             // an overlong "/" is two Latin-1 letters
        {"\xe2\x82", "\xc3\xa2\xc2\x82"},             // a sequence cut short
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"}  // a surrogate
    };
    for (const Case& c : cases) EXPECT_EQ(ValidUtf8(c.in), c.out) << c.in;
}

TEST(ReportRtf, StartsWithTheReportHeaderAndSetUp) {
    const std::string rtf = RenderRtf(SampleDocument());
    const std::string expected =
        R"({\rtf1\ansi\ansicpg1252\deff0\deftab720{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}})"
        "\n"
        R"({\colortbl\red0\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;})"
        "\n"
        R"(\margl864\margr864\margt864\margb864 \deflang1033\pard\plain\f0\cf0\fs20 \fi420 \ri420 )"
        "\n"
        R"(\qc {\b Romance Compatibility Report for Zo\'eb & Ben}\par)"
        "\n"
        R"(\ql \par)"
        "\n"
        R"(Zo\'eb: 05/17/1980\par)";
    EXPECT_EQ(rtf.substr(0, expected.size()), expected);
    EXPECT_NE(
        rtf.find(R"(Braces \{like these\}, a back\\slash, <tags> and "quotes" stay text.\par)"),
        std::string::npos);
    EXPECT_NE(rtf.find("\\page About this report\\par\nClosing words.\\par\n}\n"),
              std::string::npos);
    EXPECT_EQ(rtf.back(), '\n');
}

TEST(ReportRtf, CharactersBeyondAsciiUseTheCodePageOrUnicode) {
    struct Case {
        std::string text, rtf;
    };
    const Case cases[] = {
        {"\xc3\xa9", "\\'e9"},                        // é: Latin-1 part of the code page
        {"\xe2\x82\xac", "\\'80"},                    // €: the code page's own letters
        {"\xe2\x80\x94", "\\'97"},                    // em dash
        {"\xe3\x81\x82", "\\u12354?"},                // あ: outside the code page
        {"\xf0\x9f\x98\x80", "\\u-10179?\\u-8704?"},  // an emoji: two UTF-16 units
    };
    for (const Case& c : cases) {
        ReportDocument document;
        document.add(c.text);
        const std::string rtf = RenderRtf(document);
        EXPECT_NE(rtf.find("\\ql " + c.rtf + "\\par"), std::string::npos) << rtf;
    }
}

TEST(ReportPlainText, OneLinePerParagraphAndAnEmptyLineForANewPage) {
    EXPECT_EQ(RenderPlainText(SampleDocument()),
              "Romance Compatibility Report for Zoë & Ben\n"
              "\n"
              "Zoë: 05/17/1980\n"
              "Ben: 11/02/1978\n"
              "\n"
              "Geo Longitude Synastry Aspects\n"
              "------------------------------\n"
              "[SUN TRINE YOUR MERCURY]\n"
              "Braces {like these}, a back\\slash, <tags> and \"quotes\" stay text.\n"
              "\n"
              "About this report\n"
              "Closing words.\n");
}

TEST(ReportHtml, ParagraphsKeepTheirStyleAndTextIsEscaped) {
    const std::string html = RenderHtml(SampleDocument());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<title>Romance Compatibility Report for Zoë &amp; Ben</title>"),
              std::string::npos);
    EXPECT_NE(html.find("<p align=\"center\""), std::string::npos);
    EXPECT_NE(html.find("<b>Romance Compatibility Report for Zoë &amp; Ben</b></p>"),
              std::string::npos);
    EXPECT_NE(html.find("&lt;tags&gt; and &quot;quotes&quot;"), std::string::npos);
    EXPECT_NE(html.find("page-break-before: always;\">About this report</p>"), std::string::npos);
    EXPECT_EQ(html.find("<tags>"), std::string::npos);
}

TEST(ReportFormats, TheFileNameChoosesTheFormat) {
    EXPECT_EQ(ReportFormatOfPath("a/report.RTF"), ReportFormat::Rtf);
    EXPECT_EQ(ReportFormatOfPath("report.txt"), ReportFormat::Text);
    EXPECT_EQ(ReportFormatOfPath("report.html"), ReportFormat::Html);
    EXPECT_EQ(ReportFormatOfPath("report.htm"), ReportFormat::Html);
    EXPECT_FALSE(ReportFormatOfPath("report.doc"));
    EXPECT_FALSE(ReportFormatOfPath("report"));
}

TEST(ReportRtf, AnIndependentReaderReadsItBackToThePlainText) {
    ASSERT_TRUE(test::UnrtfInstalled()) << "unrtf is missing: run scripts/install-deps";
    test::TempFolder folder;
    const ReportDocument document = SampleDocument();
    ASSERT_EQ(WriteFileAtomically(folder.path() / "sample.rtf", RenderRtf(document)), "");
    const test::UnrtfResult read =
        test::ConvertWithUnrtf(folder.path() / "sample.rtf", folder.path());
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.warnings, "");
    EXPECT_EQ(read.text, RenderPlainText(document));
}

}  // namespace
}  // namespace quintaro
