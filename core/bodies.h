// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace quintaro {

// Slots are numbered 1..53; every per-body array is indexed by slot (index 0 unused).
constexpr int BodyCount = 53;
constexpr int FirstFreeSlot = 21;
constexpr int FreeSlotCount = BodyCount - FirstFreeSlot + 1;  // 33

enum Slot : int {
    SlotSun = 1, SlotMercury, SlotVenus, SlotMoon, SlotMars, SlotJupiter, SlotSaturn, SlotUranus,
    SlotNeptune, SlotPluto, SlotEarth, SlotChiron, SlotNode, SlotCeres, SlotPallas, SlotVesta,
    SlotJuno, SlotAscendant, SlotMidheaven, SlotPartOfFortune
};

template <typename T>
using PerSlot = std::array<T, BodyCount + 1>;

// Ephemeris body codes by slot 1..20 (free slots have none: -1).
constexpr std::array<int, 21> SlotToEphemerisCode = {
    -1, 0, 2, 3, 1, 5, 6, 7, 8, 9, 10, 4, 11, 15, 16, 17, 19, 18, 12, 13, 14};

inline int EphemerisCodeOfSlot(int slot) {
    return slot >= 1 && slot <= 20 ? SlotToEphemerisCode[slot] : -1;
}

// Three-letter names of the planetary ephemeris file directory, by body code 0..19.
constexpr std::array<std::string_view, 20> EphemerisCodeNames = {
    "SUN", "MOO", "MER", "VEN", "EAR", "MAR", "JUP", "SAT", "URA", "NEP",
    "PLU", "CHI", "ASC", "MID", "VTX", "NOD", "CER", "PAL", "JUN", "VES"};

// Body code of a three-letter directory name, -1 when none matches.
int EphemerisCodeByName(std::string_view name3);

constexpr std::array<std::string_view, 18> BodyAbbrev3 = {
    "", "Sun", "Mer", "Ven", "Moo", "Mar", "Jup", "Sat", "Ura", "Nep",
    "Plu", "Ear", "Chi", "Nod", "Cer", "Pal", "Ves", "Jun"};

// Asteroids with a glyph of their own in the symbol font: entry j is drawn as character 215 + j.
constexpr int FirstAsteroidGlyph = 215;
constexpr std::array<std::string_view, 23> GlyphAsteroids = {
    "aphrodite", "apollo",     "artemis",  "athene",  "bacchus", "demeter",  "diana",
    "dionysus",  "epimetheus", "eros",     "hebe",    "hera",    "heracles", "hestia",
    "leda",      "minerva",    "minos",    "pan",     "pandora", "persephone", "poseidon",
    "prometheus", "zeus"};
constexpr std::array<std::string_view, 23> GlyphAsteroidCodes = {
    "AP", "AO", "AR", "AT", "BA", "DE", "DI", "DS", "EP", "ER", "HE", "HA",
    "HS", "HT", "LE", "MI", "MS", "PN", "PD", "PE", "PO", "PR", "ZE"};

// Index into GlyphAsteroids of a name (case ignored), -1 when it has no glyph.
int GlyphAsteroidIndex(std::string_view name);

// The body catalogue: fixed for slots 1..19, slot 20 toggles between the part of fortune and
// the vertex, the free slots 21..53 are named by the ephemeris loader.
struct BodyCatalogue {
    PerSlot<std::string> BodyNames;
    std::string BodyLabels10;  // 20 labels of 10 characters, slots 1..20
    PerSlot<std::string> SlotAbbrev2;
    int NextFreeSlot = FirstFreeSlot;
    bool VertexOn = false;  // slot 20 is the vertex instead of the part of fortune
};

BodyCatalogue MakeBodyCatalogue();

// The 10-character label of slot 1..20.
std::string_view BodyLabel10(const BodyCatalogue& catalogue, int slot);

// Names the next free slot; returns its number, or 0 when all 33 are taken.
int AddFreeSlotBody(BodyCatalogue& catalogue, const std::string& name);

// Looks a body up by the first five characters of its name (case-sensitive). "mc" gives 0 without searching;
// an unknown name is reported and gives BodyCount.
int FindBody(const BodyCatalogue& catalogue, std::string_view name, Messages& messages);

// First five characters of a name, blank-padded when shorter.
std::string PadName5(std::string_view name);

// The part of a name before its first "-" ("venus-n" gives "venus").
std::string BaseName(std::string_view name);

// Fills SlotAbbrev2 for the free slots in use (two letters, repeats numbered).
void BuildSlotAbbrevs(BodyCatalogue& catalogue);

// What DrawBodyGlyph draws for a slot: a glyph character of the symbol font, or two letters
// drawn one after the other.
struct BodyGlyph {
    bool isGlyph = false;
    int glyphCode = 0;
    std::string letters;
};
BodyGlyph ChooseBodyGlyph(const BodyCatalogue& catalogue, int slot);

// Switches slot 20 between the part of fortune and the vertex, rewriting its name and label.
void TogglePartOfFortuneVertex(BodyCatalogue& catalogue);
std::string PartOfFortuneVertexMenuCaption(const BodyCatalogue& catalogue);
std::string Slot20CheckCaption(const BodyCatalogue& catalogue);  // "PF" or "VT"

}  // namespace quintaro
