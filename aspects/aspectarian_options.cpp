// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "aspects/aspect_catalogue.h"
#include "core/plain_text.h"

namespace quintaro {

namespace {

// The comma-separated items of a list, trimmed and lower-cased; an empty item is kept so that
// "sun,,moon" can be reported.
std::vector<std::string> Items(std::string_view text) {
    std::vector<std::string> items;
    for (;;) {
        const size_t comma = text.find(',');
        items.push_back(AsciiLower(TrimWhitespace(text.substr(0, comma))));
        if (comma == std::string_view::npos) return items;
        text.remove_prefix(comma + 1);
    }
}

template <typename T>
OptionValue<T> Failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

std::string Listed(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : ", ") + w;
    return text;
}

std::string AllKeys() {
    std::vector<std::string> keys;
    for (int key = FirstKey; key <= LastKey; ++key)
        keys.emplace_back(AspectarianKeys[static_cast<size_t>(key)]);
    return Listed(keys);
}

std::optional<AspectarianAspects> AspectItem(const std::string& item) {
    if (item == "major") return PresetAspects(AspectarianPreset::Major);
    if (item == "clashes") return PresetAspects(AspectarianPreset::Clashes);
    if (item == "linkages") return PresetAspects(AspectarianPreset::PureLinkages);
    AspectarianAspects aspects{};
    for (int key = FirstKey; key <= LastKey; ++key)
        if (item == "all" || item == AspectarianKeys[static_cast<size_t>(key)])
            aspects[static_cast<size_t>(key)] = true;
    if (std::none_of(aspects.begin(), aspects.end(), [](bool b) { return b; })) return std::nullopt;
    return aspects;
}

// The catalogue name of a slot as a user types it: lower case, without padding.
std::string TypedName(const std::string& name) {
    return AsciiLower(TrimWhitespace(name));
}

std::vector<std::string> KnownBodies(const BodyCatalogue& catalogue) {
    std::vector<std::string> names;
    for (int slot = 1; slot <= BodyCount; ++slot)
        if (catalogue.BodyNames[slot] != "unused")
            names.push_back(TypedName(catalogue.BodyNames[slot]));
    return names;
}

int BodySlot(const std::string& item, const BodyCatalogue& catalogue) {
    for (int slot = 1; slot <= BodyCount; ++slot) {
        if (catalogue.BodyNames[slot] == "unused") continue;
        const std::string name = TypedName(catalogue.BodyNames[slot]);
        if (item == name || (name.size() > 5 && item == name.substr(0, 5))) return slot;
    }
    return 0;
}

}  // namespace

OptionValue<AspectarianAspects> ParseAspectOption(std::string_view text) {
    AspectarianAspects aspects{};
    for (const std::string& item : Items(text)) {
        auto ticked = AspectItem(item);
        if (!ticked)
            return Failure<AspectarianAspects>(
                "Unknown aspect \"" + item +
                "\": use major, clashes, linkages, all or aspect keys (" + AllKeys() + ").");
        for (size_t k = 0; k < aspects.size(); ++k) aspects[k] = aspects[k] || (*ticked)[k];
    }
    return {aspects, {}};
}

OptionValue<std::vector<int>> ParseBodyOption(std::string_view text,
                                              const BodyCatalogue& catalogue) {
    std::vector<int> slots;
    for (const std::string& item : Items(text)) {
        const int slot = item.empty() ? 0 : BodySlot(item, catalogue);
        if (slot == 0)
            return Failure<std::vector<int>>("Unknown body \"" + item + "\": the bodies are " +
                                             Listed(KnownBodies(catalogue)) + ".");
        if (std::find(slots.begin(), slots.end(), slot) == slots.end()) slots.push_back(slot);
    }
    std::sort(slots.begin(), slots.end());
    return {slots, {}};
}

OptionValue<AspectarianEventKinds> ParseEventOption(std::string_view text) {
    AspectarianEventKinds kinds;
    for (const std::string& item : Items(text)) {
        const bool all = item == "all";
        bool known = all;
        auto tick = [&](const char* word, bool& flag) {
            if (all || item == word) flag = known = true;
        };
        tick("long", kinds.longitudeAspects);
        tick("decl", kinds.secondAspects);
        tick("sign", kinds.signChanges);
        tick("direction", kinds.directionChanges);
        tick("side", kinds.sideChanges);
        if (!known)
            return Failure<AspectarianEventKinds>(
                "Unknown event kind \"" + item +
                "\": use long, decl, sign, direction, side or all.");
    }
    return {kinds, {}};
}

OptionValue<AspectarianPairing> ParsePairingOption(std::string_view text) {
    const std::string word = AsciiLower(TrimWhitespace(text));
    if (word == "tt") return {AspectarianPairing::TransitTransit, {}};
    if (word == "tn") return {AspectarianPairing::TransitNatal, {}};
    return Failure<AspectarianPairing>("Unknown pairing \"" + word +
                                       "\": use tt (transits to transits) or tn (transits to "
                                       "natal).");
}

OptionValue<AspectarianPasses> ParsePassOption(std::string_view text) {
    const std::string word = AsciiLower(TrimWhitespace(text));
    if (word == "geo") return {AspectarianPasses::Geocentric, {}};
    if (word == "helio") return {AspectarianPasses::Heliocentric, {}};
    if (word == "both") return {AspectarianPasses::Both, {}};
    return Failure<AspectarianPasses>("Unknown pass \"" + word + "\": use geo, helio or both.");
}

OptionValue<double> ParseZoneOption(std::string_view text) {
    const std::string_view trimmed = TrimWhitespace(text);
    double hours = 0;
    const char* end = trimmed.data() + trimmed.size();
    auto [stop, error] = std::from_chars(trimmed.data(), end, hours);
    if (trimmed.empty() || error != std::errc() || stop != end || !std::isfinite(hours) ||
        std::abs(hours) > 15.0)
        return Failure<double>("Invalid time zone \"" + std::string(trimmed) +
                               "\": give hours west of Greenwich, from -15 to 15 (e.g. 5 or "
                               "-5.5).");
    return {hours, {}};
}

OptionValue<CivilDate> ParseDateOption(std::string_view text) {
    const std::string_view t = TrimWhitespace(text);
    auto number = [&](size_t at, size_t length) -> std::optional<int> {
        int value = 0;
        auto [stop, error] = std::from_chars(t.data() + at, t.data() + at + length, value);
        if (error != std::errc() || stop != t.data() + at + length) return std::nullopt;
        return value;
    };
    const bool shaped =
        t.size() == 10 && t[4] == '-' && t[7] == '-' && std::all_of(t.begin(), t.end(), [](char c) {
            return c == '-' || std::isdigit(static_cast<unsigned char>(c));
        });
    if (shaped) {
        auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
        if (year && month && day) {
            CivilDate date{*year, *month, *day};
            if (IsValidDate(date)) return {date, {}};
        }
    }
    return Failure<CivilDate>("Invalid date \"" + std::string(t) +
                              "\": give a calendar date as YYYY-MM-DD.");
}

}  // namespace quintaro
