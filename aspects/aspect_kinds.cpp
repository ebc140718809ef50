// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspect_kinds.h"

#include "core/bodies.h"
#include "core/formatting.h"

namespace quintaro {

bool LeftOutOfKind(int body, CoordinateKind kind) {
    if (!IsHelioKind(kind)) return body == SlotEarth;
    return body == SlotSun || body == SlotMoon || body == SlotNode || IsCalculatedPoint(body);
}

std::string_view OrbTextOf(const OrbTexts& orbs, CoordinateKind kind) {
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
    return {};
}

double OrbOf(const OrbTexts& orbs, CoordinateKind kind) {
    return LeadingNumber(OrbTextOf(orbs, kind));
}

}  // namespace quintaro
