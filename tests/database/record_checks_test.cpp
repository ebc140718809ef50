// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/record_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace quintaro {
namespace {

TEST(RecordChecks, EachImplausibleFieldIsNamed) {
    struct Case {
        std::function<void(PersonRecord&)> damage;
        const char* problem;
    };
    const Case cases[] = {
        {[](PersonRecord& r) { r.birthHour = 13; }, "the birth hour 13 is not 1 to 12"},
        {[](PersonRecord& r) { r.birthMinute = 60; }, "the birth minute 60 is not 0 to 59"},
        {[](PersonRecord& r) { r.amPm = "XY"; }, "AM/PM reads \"XY\""},
        {[](PersonRecord& r) { r.timeZone = NAN; },
         "the time zone is not a number of hours from -24 to 24"},
        {[](PersonRecord& r) { r.timeZone = 25; },
         "the time zone is not a number of hours from -24 to 24"},
        {[](PersonRecord& r) { r.birthDate = 1e10; }, "the birth date is not a date"},
        {[](PersonRecord& r) { r.birthDateForSorting = "1990-02-30"; },
         "the birth date for sorting \"1990-02-30\" is not a yyyy-mm-dd date"},
        {[](PersonRecord& r) { r.birthDateForSorting = "2/3/1990"; },
         "the birth date for sorting \"2/3/1990\" is not a yyyy-mm-dd date"},
        {[](PersonRecord& r) { r.addresses[2].city = std::string("A\0B", 3); },
         "the address 3 city holds control characters"},
        {[](PersonRecord& r) { r.emails[1].date = INFINITY; },
         "the date of e-mail 2 is not a date"},
        {[](PersonRecord& r) { r.addresses[3].effectiveDate = -1e7; },
         "the effective date of address 4 is not a date"},
    };
    for (const Case& c : cases) {
        PersonRecord r;
        c.damage(r);
        auto problems = CheckRecord(r);
        ASSERT_EQ(problems.size(), 1u) << c.problem;
        EXPECT_EQ(problems[0], c.problem);
    }
}

TEST(RecordChecks, SoundRecordsPass) {
    PersonRecord r;
    EXPECT_TRUE(CheckRecord(r).empty());
    r.birthHour = 12;
    r.birthMinute = 59;
    r.amPm = "PM";
    r.timeZone = -13.5f;
    r.birthDate = 0;
    r.birthDateForSorting = "1899-12-30";
    r.primaryName = "Castonguet, R\u00e9mi";
    EXPECT_TRUE(CheckRecord(r).empty());
}

}  // namespace
}  // namespace quintaro
