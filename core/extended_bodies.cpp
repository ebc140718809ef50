// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/extended_bodies.h"

namespace quintaro {

const std::array<ExtendedBody, 35> ExtendedBodies = {{
    {"Saturn", "Sat", "h", "hh", "--"},  {"Jupiter", "Jup", "j", "jp", "++"},
    {"Sun", "Sun", "s", "su", "++"},     {"Earth", "Ear", "e", "ea", "++"},
    {"Mercury", "Mer", "y", "me", "++"}, {"Venus", "Ven", "v", "ve", "++"},
    {"Moon", "Moo", "l", "mo", "++"},    {"Node", "Nod", "d", "nn", "__"},
    {"Mars", "Mar", "m", "ma", "++"},    {"Ceres", "Cer", "c", "cs", "+-"},
    {"Pallas", "Pal", "x", "pa", "__"},  {"Vesta", "Ves", "a", "vt", "__"},
    {"Juno", "Jun", "o", "jo", "+-"},    {"Chiron", "Chi", "k", "ki", "++"},
    {"Uranus", "Ura", "u", "ur", "++"},  {"Neptune", "Nep", "n", "ne", "++"},
    {"Pluto", "Plu", "p", "pl", "++"},   {"Sedna", "Sed", "z", "sd", "__"},
    {"Ixion", "Ixi", "i", "ix", "__"},   {"Orcus", "Orc", "r", "or", "__"},
    {"Peleus", "Pel", "g", "pe", "__"},  {"Quaoar", "Qua", "q", "qu", "__"},
    {"UB313", "UB3", "b", "ub", "__"},   {"Varuna", "Var", "w", "va", "__"},
    {"Amor", "Amo", "1", "am", "__"},    {"Diana", "Dia", "2", "di", "__"},
    {"Eros", "Ero", "3", "er", "__"},    {"Hidalgo", "Hid", "4", "hi", "__"},
    {"Icarus", "Ica", "f", "ic", "__"},  {"Lilith", "Lil", "5", "li", "__"},
    {"Pandora", "Pan", "6", "pn", "__"}, {"Psyche", "Psy", "7", "ps", "__"},
    {"Sappho", "Sap", "8", "fo", "__"},  {"Toro", "Tor", "9", "to", "__"},
    {"Urania", "Uia", "t", "ua", "__"},
}};

std::span<const ExtendedBody> ClassicalBodies() { return {ExtendedBodies.data(), 17}; }
std::span<const ExtendedBody> DistantBodies() { return {ExtendedBodies.data() + 17, 7}; }
std::span<const ExtendedBody> ExtraAsteroids() { return {ExtendedBodies.data() + 24, 11}; }

}  // namespace quintaro
