// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// How a report finds its paragraph (docs/interpretations.md tells the whole scheme).
//
// An aspect key names what a report or a grid row holds: the two bodies by the first three
// letters of their catalogue names and the aspect by its interpretation key, joined by "_":
// "sun_ven_120", "mar_sat_-011", "mc_asc_000" (the midheaven's name "mc " loses its blank).
//
// A store key names a paragraph: the two bodies and the aspect family, joined by "_":
// "sun_ven_flowing". One paragraph serves every aspect of a family. In the compatibility and
// natal stores a pair is written in body order (slot order, the order of the natal lists), so
// "ven_sun_120" and "sun_ven_120" share "sun_ven_flowing"; in the transit stores the transit
// body comes first and the order is kept. Synchronization paragraphs use the family "synch".

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

enum class ReportMode {
    RomanceCompatibility,
    FinancialCompatibility,
    RomanceTransits,
    FinancialTransits,
    NatalFull,
    NatalRomance,
    NatalMoney
};

inline constexpr std::array<ReportMode, 7> AllReportModes = {ReportMode::RomanceCompatibility,
                                                             ReportMode::FinancialCompatibility,
                                                             ReportMode::RomanceTransits,
                                                             ReportMode::FinancialTransits,
                                                             ReportMode::NatalFull,
                                                             ReportMode::NatalRomance,
                                                             ReportMode::NatalMoney};

// The store's name: "romance_comp", "financial_comp", "romance_trans", "financial_trans",
// "natal_full", "natal_romance", "natal_money". Its import text is name + ".txt" (in
// data/interps), its store name + ".dat" (in the installation folder's "interps").
std::string_view StoreName(ReportMode mode);
bool IsTransitMode(ReportMode mode);
bool IsNatalMode(ReportMode mode);

enum class AspectFamily { Conjunction, Flowing, Challenging, Minor, Parallel, Synchronization };

// "conjunction", "flowing", "challenging", "minor", "parallel", "synch".
std::string_view FamilyKey(AspectFamily family);

// The family of an interpretation key: "000" conjunction; "060", "120" flowing; "090", "180"
// challenging; "030", "045", "072", "135", "144", "150" minor; "011", "-011" parallel.
std::optional<AspectFamily> FamilyOfAspectKey(std::string_view aspectKey);

// A body that interpretations know, by its key.
struct InterpretationBody {
    std::string_view key;  // first three letters of the catalogue name, without blanks
    int slot;
    bool geocentric;    // has geocentric positions
    bool heliocentric;  // has heliocentric positions
};

// Slots 1..20, the part of fortune ("par") and the vertex ("ver") sharing slot 20.
inline constexpr std::array<InterpretationBody, 21> InterpretationBodies = {
    {{"sun", 1, true, false},  {"mer", 2, true, true},   {"ven", 3, true, true},
     {"moo", 4, true, false},  {"mar", 5, true, true},   {"jup", 6, true, true},
     {"sat", 7, true, true},   {"ura", 8, true, true},   {"nep", 9, true, true},
     {"plu", 10, true, true},  {"ear", 11, false, true}, {"chi", 12, true, true},
     {"nod", 13, true, false}, {"cer", 14, true, true},  {"pal", 15, true, true},
     {"ves", 16, true, true},  {"jun", 17, true, true},  {"asc", 18, true, false},
     {"mc", 19, true, false},  {"par", 20, true, false}, {"ver", 20, true, false}}};

// The names reports and the revision list give the bodies, by index into InterpretationBodies:
// "SUN", ... "EARTH/MOON COMPLEX", "CHIRON", "NODE", ... "MIDHEAVEN", "PART OF FORTUNE", "VERTEX".
// clang-format off
inline constexpr std::array<std::string_view, 21> InterpretationBodyNames = {
    "SUN", "MERCURY", "VENUS", "MOON", "MARS", "JUPITER", "SATURN", "URANUS", "NEPTUNE", "PLUTO",
    "EARTH/MOON COMPLEX", "CHIRON", "NODE", "CERES", "PALLAS", "VESTA", "JUNO", "ASCENDANT",
    "MIDHEAVEN", "PART OF FORTUNE", "VERTEX"};
// clang-format on

// Index into InterpretationBodies of a body key (any case, blanks around it ignored, so the
// grid's "mc " and "Sun" are found); nothing for an unknown key.
std::optional<std::size_t> BodyIndexOfKey(std::string_view key);

// The body key of a catalogue name: its first three letters, lower case, without blanks.
std::string BodyKeyOfName(std::string_view name);

// "sun_ven_120" from its parts (body keys normalised as by BodyIndexOfKey).
std::string AspectKey(std::string_view body1, std::string_view body2, std::string_view aspect);

// The store key of an aspect key in a report mode; nothing when a body or the aspect is unknown.
std::optional<std::string> StoreKeyOfAspect(std::string_view aspectKey, ReportMode mode);

// The store key of a synchronization paragraph for a transit (or second chart's) body and a
// natal body; nothing for the natal modes, which have none, or unknown bodies.
std::optional<std::string> SynchronizationKey(std::string_view body1, std::string_view body2,
                                              ReportMode mode);

// Whether two bodies can stand in one aspect list: both have positions of one kind, and they
// are not the part of fortune and the vertex, which share a slot.
bool BodiesCanMeet(const InterpretationBody& a, const InterpretationBody& b);

// Every store key a mode's reports can ask for, in body order, family by family.
std::vector<std::string> RequiredStoreKeys(ReportMode mode);

}  // namespace quintaro
