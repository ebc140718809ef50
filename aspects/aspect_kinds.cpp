// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_kinds.h"

#include "core/bodies.h"

namespace quintaro {

bool LeftOutOfKind(int body, CoordinateKind kind) {
    if (!IsHelioKind(kind)) return body == SlotEarth;
    return body == SlotSun || body == SlotMoon || body == SlotNode || IsCalculatedPoint(body);
}

double OrbOf(const Orbs& orbs, CoordinateKind kind) {
    switch (kind) {
        case CoordinateKind::GeoLongitude:
            return orbs.geoLongitude;
        case CoordinateKind::GeoDeclination:
            return orbs.geoDeclination;
        case CoordinateKind::HelioLongitude:
            return orbs.helioLongitude;
        case CoordinateKind::HelioLatitude:
            return orbs.helioLatitude;
    }
    return 0;
}

}  // namespace quintaro
