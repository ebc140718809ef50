// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/bodies.h"

#include <algorithm>
#include <cctype>

#include "core/plain_text.h"

namespace quintaro {

namespace {

constexpr std::array<std::string_view, 21> kFixedNames = {
    "",       "sun",    "mercury", "venus", "moon",      "mars",   "jupiter",
    "saturn", "uranus", "neptune", "pluto", "earth",     "chiron", "node",
    "ceres",  "pallas", "vesta",   "juno",  "ascendant", "mc ",    "partf"};

constexpr std::string_view kLabelsFirstHalf =
    "SUN       MERCURY   VENUS     MOON      MARS      JUPITER   SATURN    URANUS    NEPTUNE   "
    "PLUTO     ";
constexpr std::string_view kLabelsSecondHalf =
    "EARTH     CHIRON    N. NODE   CERES     PALLAS    VESTA     JUNO      ASC       MC        ";

void ApplySlot20(BodyCatalogue& catalogue) {
    catalogue.BodyNames[SlotPartOfFortune] = catalogue.VertexOn ? "vertex" : "partf";
    catalogue.BodyLabels10 = std::string(kLabelsFirstHalf) + std::string(kLabelsSecondHalf) +
                             (catalogue.VertexOn ? "VERTEX    " : "PartF     ");
}

}  // namespace

int EphemerisCodeByName(std::string_view name3) {
    auto it = std::find(EphemerisCodeNames.begin(), EphemerisCodeNames.end(), name3);
    return it == EphemerisCodeNames.end() ? -1 : static_cast<int>(it - EphemerisCodeNames.begin());
}

int GlyphAsteroidIndex(std::string_view name) {
    std::string lower = AsciiLower(name);
    auto it = std::find(GlyphAsteroids.begin(), GlyphAsteroids.end(), lower);
    return it == GlyphAsteroids.end() ? -1 : static_cast<int>(it - GlyphAsteroids.begin());
}

BodyCatalogue MakeBodyCatalogue() {
    BodyCatalogue catalogue;
    for (int slot = 1; slot <= BodyCount; ++slot)
        catalogue.BodyNames[slot] = slot <= 20 ? std::string(kFixedNames[slot]) : "unused";
    ApplySlot20(catalogue);
    return catalogue;
}

std::string_view BodyLabel10(const BodyCatalogue& catalogue, int slot) {
    if (slot < 1 || slot > 20) return {};
    return std::string_view(catalogue.BodyLabels10).substr(10 * (slot - 1), 10);
}

int AddFreeSlotBody(BodyCatalogue& catalogue, const std::string& name) {
    if (catalogue.NextFreeSlot > BodyCount) return 0;
    int slot = catalogue.NextFreeSlot++;
    catalogue.BodyNames[slot] = name;
    return slot;
}

int FindBody(const BodyCatalogue& catalogue, std::string_view name, Messages& messages) {
    if (name == "mc") return 0;
    // Both sides are cut to five characters, so "jupiter" and "jupit" both find slot 6.
    std::string_view wanted = name.substr(0, 5);
    for (int slot = 1; slot <= BodyCount; ++slot) {
        std::string_view key = std::string_view(catalogue.BodyNames[slot]).substr(0, 5);
        if (wanted == key) return slot;
    }
    messages.show("Could not find proper planet name",
                  "I was looking for the planet named " + std::string(name) +
                      " - I could not find it. I have assigned a planet number of " +
                      std::to_string(BodyCount) + ".",
                  MessageIcon::Information);
    return BodyCount;
}

std::string PadName5(std::string_view name) {
    std::string out(name.substr(0, 5));
    out.resize(5, ' ');
    return out;
}

std::string BaseName(std::string_view name) {
    return std::string(name.substr(0, name.find('-')));
}

void BuildSlotAbbrevs(BodyCatalogue& catalogue) {
    auto& abbrev = catalogue.SlotAbbrev2;
    std::fill(abbrev.begin(), abbrev.end(), std::string());
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        const std::string& name = catalogue.BodyNames[slot];
        if (GlyphAsteroidIndex(name) < 0) abbrev[slot] = AsciiLower(name.substr(0, 2));
    }
    std::array<int, 26> counters;
    counters.fill(1);
    for (int k = 1; k <= BodyCount; ++k) {
        if (abbrev[k].empty()) continue;
        int letter = std::tolower(static_cast<unsigned char>(abbrev[k][0])) - 'a';
        for (int j = k + 1; j <= BodyCount; ++j) {
            if (abbrev[j] != abbrev[k] || abbrev[j].size() < 2) continue;
            // Names that do not start with a letter share one counter with "a"; the digit
            // wraps after 9 so that the abbreviation stays two characters wide.
            int& counter = counters[letter >= 0 && letter < 26 ? letter : 0];
            abbrev[j][1] = static_cast<char>('0' + counter % 10);
            ++counter;
        }
    }
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        if (catalogue.BodyNames[slot] == "[pandora") abbrev[slot] = "[P";
        if (catalogue.BodyNames[slot] == "[psyche") abbrev[slot] = "[p";
    }
}

BodyGlyph ChooseBodyGlyph(const BodyCatalogue& catalogue, int slot) {
    BodyGlyph glyph;
    if (slot < 1 || slot > BodyCount) return glyph;
    if (int index = GlyphAsteroidIndex(catalogue.BodyNames[slot]); index >= 0) {
        glyph.isGlyph = true;
        glyph.glyphCode = FirstAsteroidGlyph + index;
    } else {
        glyph.letters = catalogue.SlotAbbrev2[slot];
    }
    return glyph;
}

void TogglePartOfFortuneVertex(BodyCatalogue& catalogue) {
    catalogue.VertexOn = !catalogue.VertexOn;
    ApplySlot20(catalogue);
}

std::string PartOfFortuneVertexMenuCaption(const BodyCatalogue& catalogue) {
    return catalogue.VertexOn ? "Part of F./Vertex toggle (Vertex now on)"
                              : "Part of F./Vertex toggle (P. of F. now on)";
}

std::string Slot20CheckCaption(const BodyCatalogue& catalogue) {
    return catalogue.VertexOn ? "VT" : "PF";
}

}  // namespace quintaro
