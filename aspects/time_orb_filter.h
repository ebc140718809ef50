// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

namespace quintaro {

// The time-orb filter window: while it is open (active) with "On" selected, the timed lists
// leave out aspects whose exact moment lies further than the time orb from the chart moment.
// Days, hours and minutes are kept with the settings.
struct TimeOrbFilter {
    bool active = false;  // the filter window is open
    bool on = false;      // "On" chosen in it (else "Off")
    int days = 3;
    int hours = 0;
    int minutes = 0;
    double TimeOrbDays() const { return days + hours / 24.0 + minutes / 1440.0; }
};

// The spinners of the window: an hour of 24 becomes 0 with a day more, −1 becomes 23 with a day
// less; a minute of 60 becomes 0 with an hour more, −1 becomes 59 with an hour less (the hour
// then rolls over in its turn).
void SetTimeOrbHour(TimeOrbFilter& filter, int hour);
void SetTimeOrbMinute(TimeOrbFilter& filter, int minute);

}  // namespace quintaro
