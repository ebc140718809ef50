// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quintaro {

// Aspect codes. 1 marks "no aspect"; there is no 17; 18 (contra-parallel) has no angle, so every
// lookup by code treats it apart.
enum AspectCode : int {
    AspectNone = 1,
    AspectConjunction = 2,
    AspectSextile = 3,
    AspectSquare = 4,
    AspectTrine = 5,
    AspectOpposition = 6,
    AspectParallel = 7,
    AspectSemiSextile = 8,
    AspectSemiSquare = 9,
    AspectSesquiquadrate = 10,
    AspectQuincunx = 11,
    AspectSemiQuintile = 12,
    AspectNonagen = 13,
    AspectQuintile = 14,
    AspectTrecile = 15,
    AspectBiquintile = 16,
    AspectContraParallel = 18
};

// Whole-degree angles by code 0..16 (0 and 1 unused; the parallel's 0 is in declination).
constexpr std::array<int, 17> AspectAngles = {0,  0,   0,   60, 90, 120, 180, 0,  30,
                                              45, 135, 150, 36, 40, 72,  108, 144};

// Long names and interpretation keys, indexed 1..13 by their own position (increasing angle,
// then the two declination aspects), not by code.
constexpr std::array<std::string_view, 14> AspectLongNames = {
    "",      "CONJUNCT", "SEMI-SEXTILE", "SEMI-SQ",  "SEXTILE",    "QUINTILE", "SQUARE",
    "TRINE", "SESQ",     "BI-QUINTILE",  "QUINCUNX", "OPPOSITION", "PARALLEL", "CONTRA-PARALLEL"};
constexpr std::array<std::string_view, 14> AspectInterpretationKeys = {
    "", "000", "030", "045", "060", "072", "090", "120", "135", "144", "150", "180", "011", "-011"};

// Keys of the day-by-day event lists, indexed 1..17.
constexpr std::array<std::string_view, 18> AspectarianKeys = {
    "",    "000", "030", "060", "090", "120", "150", "180", "072",
    "144", "045", "135", "036", "040", "032", "051", "par", "c.p"};

// Angle of a code 0..16; -1 for 18 and for codes outside the table.
int AspectAngle(int code);

// Position 1..13 of a code in the long-name and interpretation-key tables; 0 when it has none
// (codes 1, 12, 13, 15 and anything unknown).
int AspectLongNameIndex(int code);

// Long name and interpretation key of a code ("" when it has none).
std::string_view AspectLongNameOfCode(int code);
std::string_view AspectInterpretationKeyOfCode(int code);

// Character code of the aspect's glyph in the symbol font: code + 159 (166 parallel, 177
// contra-parallel); 0 for a code without one (1 "no aspect" has the blank 160).
constexpr int AspectGlyphBase = 159;
constexpr int AspectGlyphCode(int code) {
    return (code >= 1 && code <= 16) || code == 18 ? AspectGlyphBase + code : 0;
}

// The angle as the displays write it, "000"; "" for codes without an angle.
std::string AspectAngleText(int code);

// Whether a code is one of the longitude classifier's results (2..16 less 7).
bool IsLongitudeAspectCode(int code);

}  // namespace quintaro
