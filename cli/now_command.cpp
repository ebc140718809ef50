// SPDX-License-Identifier: AGPL-3.0-or-later
// now: the present moment and the body catalogue, as far as the workstation computes them.
#include <chrono>
#include <iostream>

#include "cli/cli_context.h"
#include "core/bodies.h"
#include "core/calendar.h"
#include "core/formatting.h"

namespace quintaro::cli {

namespace {

double JulianDayNow() {
    using namespace std::chrono;
    double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
    return 2440587.5 + seconds / 86400.0;  // the Unix epoch is JD 2440587.5
}

void PrintNow() {
    double jd = JulianDayNow();
    EntryMoment utc = JDToEntryFields(jd, 0.0);
    std::cout << "Now (UT): "
              << FormatDate({utc.date.year, utc.date.month, utc.date.day}, "dd mmm yyyy") << "  "
              << FormatNumber(utc.clock, "#0.00") << ' ' << MeridiemText(utc.meridiem) << '\n'
              << "ChartJD:  " << FormatNumber(jd, "0.00000") << "\n\n";
    BodyCatalogue catalogue = MakeBodyCatalogue();
    std::cout << "Slot  Name        Label       Code\n";
    for (int slot = 1; slot <= 20; ++slot) {
        std::string name = catalogue.BodyNames[slot];
        name.resize(12, ' ');
        std::cout << FormatNumber(slot, "00") << "    " << name << BodyLabel10(catalogue, slot)
                  << "  " << EphemerisCodeOfSlot(slot) << '\n';
    }
}

}  // namespace

void AddNowCommand(CLI::App& app, CliContext&) {
    auto* now = app.add_subcommand("now", "List the chart of the present moment");
    now->callback([] { PrintNow(); });
}

}  // namespace quintaro::cli
