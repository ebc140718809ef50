// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include "places/zone_database.h"

namespace quintaro::test {

// The system's zone database, read once for the whole test program.
inline const ZoneDatabase& Zones() {
    static const ZoneDatabase zones;
    return zones;
}

}  // namespace quintaro::test
