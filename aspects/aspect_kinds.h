// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/positions.h"

namespace quintaro {

// The three pairings of the aspect lists, in list order. In a transit–natal pair body 1 is the
// transit body and body 2 the natal one.
enum class Pairing { NatalNatal = 0, TransitNatal = 1, TransitTransit = 2 };

// The four coordinate kinds, in list order within a pairing.
enum class CoordinateKind {
    GeoLongitude = 0,
    GeoDeclination = 1,
    HelioLongitude = 2,
    HelioLatitude = 3
};

constexpr bool IsLongitudeKind(CoordinateKind kind) {
    return kind == CoordinateKind::GeoLongitude || kind == CoordinateKind::HelioLongitude;
}
constexpr bool IsHelioKind(CoordinateKind kind) {
    return kind == CoordinateKind::HelioLongitude || kind == CoordinateKind::HelioLatitude;
}
constexpr Frame FrameOf(CoordinateKind kind) {
    return IsHelioKind(kind) ? Frame::Heliocentric : Frame::Geocentric;
}

// Bodies without a position in a kind: the Earth in the geocentric kinds; the Sun, Moon, node,
// ascendant, midheaven and slot 20 in the heliocentric kinds.
bool LeftOutOfKind(int body, CoordinateKind kind);

// The ascendant, midheaven and part of fortune or vertex: their motion is not followed by the
// hour-ahead test or the exact-time search.
constexpr bool IsCalculatedPoint(int slot) {
    return slot >= 18 && slot <= 20;
}

// The orb fields of the entry window as typed; each test reads its number afresh.
struct OrbTexts {
    std::string geoLongitude = "3.00";    // txtOrb_gl
    std::string geoDeclination = "1.20";  // txtOrb_gd
    std::string helioLongitude = "3.00";  // txtOrb_hl
    std::string helioLatitude = "0.30";   // txtOrb_hlat
};

std::string_view OrbTextOf(const OrbTexts& orbs, CoordinateKind kind);

// The orb of a kind: the leading number of its field, 0 when there is none.
double OrbOf(const OrbTexts& orbs, CoordinateKind kind);

}  // namespace quintaro
