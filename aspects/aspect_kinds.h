// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

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

// The orb of each coordinate kind, in degrees.
struct Orbs {
    double geoLongitude = 3.0;
    double geoDeclination = 1.2;
    double helioLongitude = 3.0;
    double helioLatitude = 0.3;
};

double OrbOf(const Orbs& orbs, CoordinateKind kind);

}  // namespace quintaro
