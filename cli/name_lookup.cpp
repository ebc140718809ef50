// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/name_lookup.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "aspects/aspect_catalogue.h"

namespace quintaro::cli {

namespace {

// Lower case with blanks, dots, hyphens and underscores dropped: "Equal-MC" and "equal mc" both
// read "equalmc", "N. Node" reads "nnode".
std::string Key(std::string_view text) {
    std::string key;
    for (char c : text) {
        if (c == ' ' || c == '.' || c == '-' || c == '_' || c == '\t') continue;
        key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return key;
}

struct Alias {
    std::string_view key;
    HouseSystem system;
};

// The one-letter codes astrologers use, and the plain "equal" for houses from the ascendant.
constexpr std::array<Alias, 10> kHouseAliases = {{{"p", HouseSystem::Placidus},
                                                  {"k", HouseSystem::Koch},
                                                  {"c", HouseSystem::Campanus},
                                                  {"o", HouseSystem::Porphyry},
                                                  {"r", HouseSystem::Regiomontanus},
                                                  {"e", HouseSystem::EqualAscendant},
                                                  {"equal", HouseSystem::EqualAscendant},
                                                  {"equalasc", HouseSystem::EqualAscendant},
                                                  {"x", HouseSystem::Meridian},
                                                  {"m", HouseSystem::Morinus}}};

std::string HouseSystemList() {
    std::string list;
    for (size_t i = 0; i < HouseSystemNames.size(); ++i) {
        list += (i ? ", " : "") + std::string(HouseSystemNames[i]);
        for (const Alias& alias : kHouseAliases)
            if (alias.key.size() == 1 && static_cast<size_t>(alias.system) == i)
                list += " (" + std::string(1, static_cast<char>(alias.key[0] - 'a' + 'A')) + ")";
    }
    return list;
}

constexpr std::array<std::string_view, 21> kDisplayNames = {
    "",       "Sun",    "Mercury", "Venus", "Moon",      "Mars",      "Jupiter",
    "Saturn", "Uranus", "Neptune", "Pluto", "Earth",     "Chiron",    "North node",
    "Ceres",  "Pallas", "Vesta",   "Juno",  "Ascendant", "Midheaven", "Part of fortune"};

// Further names of the fixed points, as keys.
std::vector<std::string_view> PointAliases(const BodyCatalogue& catalogue, int slot) {
    switch (slot) {
        case SlotNode:
            return {"nn", "node", "northnode", "nnode"};
        case SlotAscendant:
            return {"asc", "ac", "as"};
        case SlotMidheaven:
            return {"mc", "mh"};
        case SlotPartOfFortune:
            if (catalogue.VertexOn) return {"vx", "vtx", "vertex"};
            return {"pf", "partf", "fortune", "partoffortune", "pof"};
        default:
            return {};
    }
}

bool InUse(const BodyCatalogue& catalogue, int slot) {
    return slot < FirstFreeSlot || slot < catalogue.NextFreeSlot;
}

std::string BodyList(const BodyCatalogue& catalogue) {
    std::string list;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (InUse(catalogue, slot))
            list += (slot > 1 ? ", " : "") + BodyDisplayName(catalogue, slot);
    return list;
}

}  // namespace

std::optional<HouseSystem> FindHouseSystemByName(std::string_view text, std::string& error) {
    const std::string key = Key(text);
    for (size_t i = 0; i < HouseSystemNames.size(); ++i)
        if (Key(HouseSystemNames[i]) == key) return static_cast<HouseSystem>(i);
    for (const Alias& alias : kHouseAliases)
        if (alias.key == key) return alias.system;
    std::set<size_t> matches;
    if (key.size() >= 3)
        for (size_t i = 0; i < HouseSystemNames.size(); ++i)
            if (Key(HouseSystemNames[i]).starts_with(key)) matches.insert(i);
    if (matches.size() == 1) return static_cast<HouseSystem>(*matches.begin());
    error =
        "unknown house system '" + std::string(text) + "'; the systems are " + HouseSystemList();
    return std::nullopt;
}

std::optional<int> FindBodyByName(const BodyCatalogue& catalogue, std::string_view text,
                                  std::string& error) {
    const std::string key = Key(text);
    auto unknown = [&](const std::string& why) {
        error = why + "; the bodies are " + BodyList(catalogue);
        return std::nullopt;
    };
    if (key.empty()) return unknown("no body name given");
    // Whole names and short forms first, then the five-letter rule, then unambiguous beginnings.
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (!InUse(catalogue, slot)) continue;
        const auto aliases = PointAliases(catalogue, slot);
        if (Key(BodyDisplayName(catalogue, slot)) == key || Key(catalogue.BodyNames[slot]) == key ||
            (slot < static_cast<int>(BodyAbbrev3.size()) && Key(BodyAbbrev3[slot]) == key) ||
            std::find(aliases.begin(), aliases.end(), key) != aliases.end())
            return slot;
    }
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (InUse(catalogue, slot) && key.size() >= 5 &&
            Key(catalogue.BodyNames[slot]).substr(0, 5) == key.substr(0, 5))
            return slot;
    std::vector<int> matches;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (InUse(catalogue, slot) && key.size() >= 2 &&
            Key(BodyDisplayName(catalogue, slot)).starts_with(key))
            matches.push_back(slot);
    if (matches.size() == 1) return matches[0];
    if (matches.size() > 1) {
        std::string names;
        for (int slot : matches)
            names += (names.empty() ? "" : " or ") + BodyDisplayName(catalogue, slot);
        return unknown("'" + std::string(text) + "' could be " + names);
    }
    return unknown("unknown body '" + std::string(text) + "'");
}

std::string BodyDisplayName(const BodyCatalogue& catalogue, int slot) {
    if (slot < 1 || slot > BodyCount) return {};
    if (slot == SlotPartOfFortune && catalogue.VertexOn) return "Vertex";
    if (slot < FirstFreeSlot) return std::string(kDisplayNames[static_cast<size_t>(slot)]);
    return catalogue.BodyNames[slot];
}

std::string_view AspectName(int code) {
    switch (code) {
        case AspectConjunction:
            return "conjunction";
        case AspectSextile:
            return "sextile";
        case AspectSquare:
            return "square";
        case AspectTrine:
            return "trine";
        case AspectOpposition:
            return "opposition";
        case AspectParallel:
            return "parallel";
        case AspectSemiSextile:
            return "semi-sextile";
        case AspectSemiSquare:
            return "semi-square";
        case AspectSesquiquadrate:
            return "sesquiquadrate";
        case AspectQuincunx:
            return "quincunx";
        case AspectSemiQuintile:
            return "semi-quintile";
        case AspectNonagen:
            return "nonagen";
        case AspectQuintile:
            return "quintile";
        case AspectTrecile:
            return "trecile";
        case AspectBiquintile:
            return "biquintile";
        case AspectContraParallel:
            return "contra-parallel";
        default:
            return "";
    }
}

}  // namespace quintaro::cli
