// SPDX-License-Identifier: AGPL-3.0-or-later
// The text forms of aspectarian events: name fields, stamps, splitting lines, the spreadsheet form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aspects/aspectarian_csv.h"
#include "aspects/aspectarian_lines.h"

namespace quintaro {
namespace {

TEST(AspectarianText, NameFields) {
    const struct {
        const char* name;
        const char* field;
    } cases[] = {{"sun", "  sun"},   {"mercury", "mercu"}, {"mc ", "  mc "},
                 {"pluto", "pluto"}, {"", "     "},        {"[pandora", "[pand"}};
    for (const auto& c : cases) EXPECT_EQ(NameField5(c.name), c.field) << c.name;
}

TEST(AspectarianText, StampsRoundToTheMinuteInTheZone) {
    constexpr double kJan1 = 2460310.5;  // 2024-01-01 0h UT
    const struct {
        double jd, zone;
        const char* date;
        const char* time;
    } cases[] = {
        {kJan1 + 0.5, 0, "01 Jan 2024", "12:00"},
        {kJan1 + 29.4 / 1440, 0, "01 Jan 2024", "00:29"},
        {kJan1 + 29.6 / 1440, 0, "01 Jan 2024", "00:30"},
        {kJan1 - 0.3 / 1440, 0, "01 Jan 2024", "00:00"},  // rounds up into the new year
        {kJan1 - 0.6 / 1440, 0, "31 Dec 2023", "23:59"},
        {kJan1 + 3.0 / 24, 5, "31 Dec 2023", "22:00"},      // five hours west
        {kJan1 + 22.0 / 24, -5.5, "02 Jan 2024", "03:30"},  // five and a half hours east
        {2451603.5, 0, "29 Feb 2000", "00:00"},
    };
    EXPECT_EQ(StampDate({301, 7, 4}), "04 Jul 0301");  // dates keep their width
    for (const auto& c : cases) {
        const LocalStamp s = StampOf(c.jd, c.zone);
        EXPECT_EQ(StampDate(s.date), c.date) << c.jd;
        EXPECT_EQ(StampTime(s), c.time) << c.jd;
    }
}

TEST(AspectarianText, EventTextsSplitIntoTheirParts) {
    const struct {
        const char* text;
        const char* body1;
        const char* event;
        const char* body2;
    } cases[] = {
        {"  sun 090  moon", "sun", "090", "moon"},
        {"mercu c.p pluto", "mercu", "c.p", "pluto"},
        {"  sun ARI ingress", "sun", "ARI ingress", ""},
        {"mercu rx ", "mercu", "rx", ""},
        {"venus dir", "venus", "dir", ""},
        {"  sun par declination change", "sun", "par declination change", ""},
        {" mars c.p latitude change", "mars", "c.p latitude change", ""},
        {"  mc  000   sun", "mc", "000", "sun"},
    };
    for (const auto& c : cases) {
        auto parts = SplitEventText(c.text);
        ASSERT_TRUE(parts) << c.text;
        EXPECT_EQ(parts->body1, c.body1);
        EXPECT_EQ(parts->event, c.event);
        EXPECT_EQ(parts->body2, c.body2);
    }
    for (const char* bad : {"", "sun", "  sun090  moon", "      090  moon", "  sun    "})
        EXPECT_FALSE(SplitEventText(bad)) << bad;
}

TEST(AspectarianText, CsvFieldsAreQuotedOnlyWhenNeeded) {
    const struct {
        const char* field;
        const char* written;
    } cases[] = {
        {"sun", "sun"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {" padded ", " padded "},
        {"par declination change", "par declination change"},
    };
    for (const auto& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;
}

// Reads RFC 4180 text back into rows of fields, independently of the writer.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                rows.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                rows.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            rows.back().back() += c;
        }
    }
    if (rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
    return rows;
}

TEST(AspectarianText, SpreadsheetFormOfAFile) {
    AttFile file;
    file.header = {
        {2024, 1, 1}, {2024, 1, 2}, {{AspectarianPairing::TransitNatal, Frame::Geocentric}}, 0};
    const AttSubject tn{AspectarianPairing::TransitNatal, Frame::Geocentric};
    const AttSubject tt{AspectarianPairing::TransitTransit, Frame::Heliocentric};
    file.lines = {
        {{{2024, 1, 1}, 3, 12}, "  sun 090  moon", tn},
        {{{2024, 1, 1}, 7, 5}, "  sun ARI ingress", tn},
        {{{2024, 1, 2}, 0, 0}, "mercu rx ", tn},
        {{{2024, 1, 2}, 23, 59}, " a,\"b 000   sun", tt},  // a body whose name holds a comma
    };
    const std::string csv = AttCsv(file);
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "Date,Time,Body 1,Event,Body 2,Run\r\n");
    const auto rows = ReadCsv(csv);
    const std::vector<std::vector<std::string>> expected = {
        {"Date", "Time", "Body 1", "Event", "Body 2", "Run"},
        {"2024-01-01", "03:12", "sun", "090", "moon", "tn_geo"},
        {"2024-01-01", "07:05", "sun", "ARI ingress", "", "tn_geo"},
        {"2024-01-02", "00:00", "mercu", "rx", "", "tn_geo"},
        {"2024-01-02", "23:59", "a,\"b", "000", "sun", "tt_helio"},
    };
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace quintaro
