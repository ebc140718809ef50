// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/atlas.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <unordered_map>

#include "core/plain_text.h"
#include "places/search_text.h"

namespace quintaro {

namespace {

// Names people use for a country besides its code and its name in the atlas.
constexpr std::pair<std::string_view, std::string_view> kCountryAliases[] = {
    {"usa", "us"}, {"uk", "gb"}, {"great britain", "gb"}, {"britain", "gb"}};

// True when `part` starts one of the words of `text`.
bool StartsAWord(std::string_view text, std::string_view part) {
    if (part.empty()) return true;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        if (at == 0 || text[at - 1] == ' ') return true;
    return false;
}

// How well a place's name matches the typed one; lower is better, kNoMatch none.
enum Match : int { kWholeName, kNamePrefix, kWordPrefix, kNoMatch };

Match NameMatch(std::string_view name, std::string_view typed) {
    if (name == typed) return kWholeName;
    if (name.starts_with(typed)) return kNamePrefix;
    if (StartsAWord(name, typed)) return kWordPrefix;
    return kNoMatch;
}

}  // namespace

std::vector<AtlasEntry> FoldedEntries(const std::vector<GeoPlace>& places) {
    // Regions and countries repeat; each is folded once.
    std::unordered_map<std::string, std::string> folded;
    auto fold = [&folded](const std::string& text) -> const std::string& {
        auto at = folded.find(text);
        if (at == folded.end()) at = folded.emplace(text, FoldForSearch(text)).first;
        return at->second;
    };
    std::vector<AtlasEntry> entries;
    entries.reserve(places.size());
    for (const GeoPlace& place : places)
        entries.push_back({place, FoldForSearch(place.name), fold(place.region),
                           fold(place.country), AsciiLower(place.countryCode)});
    return entries;
}

std::string PlaceLabel(const GeoPlace& place) {
    std::string label = place.name;
    if (!place.region.empty() && place.region != place.name) label += ", " + place.region;
    if (!place.country.empty()) label += ", " + place.country;
    return label;
}

PlaceQuery ParsePlaceQuery(std::string_view text) {
    PlaceQuery query;
    query.whole = FoldForSearch(text);
    size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        std::string part = FoldForSearch(text.substr(start, comma - start));
        if (first) {
            query.name = std::move(part);
            first = false;
        } else if (!part.empty()) {
            query.qualifiers.push_back(std::move(part));
        }
        start = comma + 1;
    }
    return query;
}

AtlasEntry FoldedEntry(GeoPlace place) {
    AtlasEntry entry{std::move(place), {}, {}, {}, {}};
    entry.name = FoldForSearch(entry.place.name);
    entry.region = FoldForSearch(entry.place.region);
    entry.country = FoldForSearch(entry.place.country);
    entry.code = AsciiLower(entry.place.countryCode);
    return entry;
}

Atlas::Atlas(std::vector<AtlasEntry> cities, std::vector<GeoPlace> own) {
    places_.reserve(own.size() + cities.size());
    keys_.reserve(own.size() + cities.size());
    for (GeoPlace& place : own) {
        place.own = true;
        add(FoldedEntry(std::move(place)));
    }
    ownCount_ = places_.size();
    for (AtlasEntry& city : cities) {
        city.place.own = false;
        add(std::move(city));
    }
    index();
}

void Atlas::setOwnPlaces(std::vector<GeoPlace> own) {
    std::vector<GeoPlace> places;
    std::vector<Keys> keys;
    places.reserve(own.size() + places_.size() - ownCount_);
    keys.reserve(places.capacity());
    for (GeoPlace& place : own) {
        place.own = true;
        AtlasEntry entry = FoldedEntry(std::move(place));
        keys.push_back({std::move(entry.name), std::move(entry.region), std::move(entry.country),
                        std::move(entry.code)});
        places.push_back(std::move(entry.place));
    }
    std::move(places_.begin() + static_cast<std::ptrdiff_t>(ownCount_), places_.end(),
              std::back_inserter(places));
    std::move(keys_.begin() + static_cast<std::ptrdiff_t>(ownCount_), keys_.end(),
              std::back_inserter(keys));
    ownCount_ = own.size();
    places_ = std::move(places);
    keys_ = std::move(keys);
    index();
}

void Atlas::index() {
    byName_.resize(places_.size());
    for (std::uint32_t k = 0; k < byName_.size(); ++k) byName_[k] = k;
    std::sort(byName_.begin(), byName_.end(),
              [this](std::uint32_t a, std::uint32_t b) { return keys_[a].name < keys_[b].name; });
}

Atlas::Atlas(const std::vector<GeoPlace>& cities, std::vector<GeoPlace> own)
    : Atlas(FoldedEntries(cities), std::move(own)) {}

void Atlas::add(AtlasEntry entry) {
    keys_.push_back({std::move(entry.name), std::move(entry.region), std::move(entry.country),
                     std::move(entry.code)});
    places_.push_back(std::move(entry.place));
}

bool Atlas::qualifiersMatch(const Keys& keys, const std::vector<std::string>& qualifiers) const {
    for (const std::string& q : qualifiers) {
        bool matched =
            q == keys.code || StartsAWord(keys.region, q) || StartsAWord(keys.country, q);
        for (const auto& [alias, code] : kCountryAliases)
            if (q == alias && keys.code == code) matched = true;
        if (!matched) return false;
    }
    return true;
}

std::vector<const GeoPlace*> Atlas::search(std::string_view text, size_t limit) const {
    const PlaceQuery query = ParsePlaceQuery(text);
    if (query.name.empty() || limit == 0) return {};
    struct Found {
        std::uint32_t index;
        Match match;
    };
    std::vector<Found> found;
    auto consider = [&](std::uint32_t k) {
        const GeoPlace& place = places_[k];
        Match match = NameMatch(keys_[k].name, query.name);
        if (match != kNoMatch && !qualifiersMatch(keys_[k], query.qualifiers)) match = kNoMatch;
        // An own place may carry a comma in its name: the whole text counts for it too.
        if (place.own) match = std::min(match, NameMatch(keys_[k].name, query.whole));
        if (match != kNoMatch) found.push_back({k, match});
    };
    // Names that begin with the typed name lie together in the sorted index.
    auto first = std::lower_bound(
        byName_.begin(), byName_.end(), query.name,
        [this](std::uint32_t k, const std::string& typed) { return keys_[k].name < typed; });
    for (auto it = first; it != byName_.end() && keys_[*it].name.starts_with(query.name); ++it)
        consider(*it);
    // Own places, and words inside names, need a look at every place.
    for (std::uint32_t k = 0; k < places_.size(); ++k) {
        const bool seen = keys_[k].name.starts_with(query.name);
        if (!seen && (places_[k].own || StartsAWord(keys_[k].name, query.name))) consider(k);
    }
    auto better = [this](const Found& a, const Found& b) {
        const GeoPlace& pa = places_[a.index];
        const GeoPlace& pb = places_[b.index];
        if (pa.own != pb.own) return pa.own;
        if (a.match != b.match) return a.match < b.match;
        if (pa.population != pb.population) return pa.population > pb.population;
        return a.index < b.index;
    };
    const size_t kept = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(),
                      better);
    std::vector<const GeoPlace*> result;
    for (size_t k = 0; k < kept; ++k) result.push_back(&places_[found[k].index]);
    return result;
}

std::vector<const GeoPlace*> Atlas::closest(std::string_view text, size_t limit) const {
    const PlaceQuery query = ParsePlaceQuery(text);
    if (query.name.empty()) return {};
    const int tolerance = std::max(2, static_cast<int>(query.name.size()) / 3);
    std::vector<std::pair<int, std::uint32_t>> near;
    for (std::uint32_t k = 0; k < places_.size(); ++k) {
        const std::string& name = keys_[k].name;
        // Names far longer or shorter cannot be close.
        const auto lengthGap = static_cast<int>(name.size()) - static_cast<int>(query.name.size());
        if (std::abs(lengthGap) > tolerance) continue;
        const int distance = EditDistance(name, query.name);
        if (distance <= tolerance) near.emplace_back(distance, k);
    }
    std::sort(near.begin(), near.end(), [this](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return places_[a.second].population > places_[b.second].population;
    });
    std::vector<const GeoPlace*> result;
    for (size_t k = 0; k < near.size() && k < limit; ++k)
        result.push_back(&places_[near[k].second]);
    return result;
}

const GeoPlace* Atlas::nearest(double latitude, double longitude) const {
    const GeoPlace* best = nullptr;
    double bestDistance = 0;
    constexpr double kRadians = 3.14159265358979323846 / 180.0;
    for (const GeoPlace& place : places_) {
        // Angular distance by the haversine formula.
        const double dLat = (place.latitude - latitude) * kRadians;
        const double dLong = (place.longitude - longitude) * kRadians;
        const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                         std::cos(latitude * kRadians) * std::cos(place.latitude * kRadians) *
                             std::sin(dLong / 2) * std::sin(dLong / 2);
        if (!best || h < bestDistance) {
            best = &place;
            bestDistance = h;
        }
    }
    return best;
}

}  // namespace quintaro
