// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/time_orb_filter.h"

namespace quintaro {

void SetTimeOrbHour(TimeOrbFilter& filter, int hour) {
    if (hour >= 24) {
        hour = 0;
        ++filter.days;
    } else if (hour < 0) {
        hour = 23;
        --filter.days;
    }
    filter.hours = hour;
}

void SetTimeOrbMinute(TimeOrbFilter& filter, int minute) {
    if (minute >= 60) {
        filter.minutes = 0;
        SetTimeOrbHour(filter, filter.hours + 1);
    } else if (minute < 0) {
        filter.minutes = 59;
        SetTimeOrbHour(filter, filter.hours - 1);
    } else {
        filter.minutes = minute;
    }
}

}  // namespace quintaro
