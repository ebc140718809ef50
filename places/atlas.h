// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "places/geo_place.h"

namespace quintaro {

// A typed place as searches read it: the name before the first comma and the words after each
// comma that narrow it down ("Paris, Texas", "London, GB", "Kolkata, West Bengal, India"), all
// folded for comparison.
struct PlaceQuery {
    std::string name;
    std::vector<std::string> qualifiers;
    std::string whole;  // the text folded whole, commas included: an own place's name may have one
};
PlaceQuery ParsePlaceQuery(std::string_view text);

// A place with its texts folded as searches compare them (see FoldForSearch); the country code
// in lower case.
struct AtlasEntry {
    GeoPlace place;
    std::string name, region, country, code;
};
AtlasEntry FoldedEntry(GeoPlace place);
// The same for many places, folding each region and country once.
std::vector<AtlasEntry> FoldedEntries(const std::vector<GeoPlace>& places);

// The places a search can find: the user's own places and the cities of the atlas.
class Atlas {
  public:
    Atlas() = default;
    Atlas(std::vector<AtlasEntry> cities, std::vector<GeoPlace> own);
    Atlas(const std::vector<GeoPlace>& cities, std::vector<GeoPlace> own);

    // The user's places in place of those the atlas had.
    void setOwnPlaces(std::vector<GeoPlace> own);

    size_t size() const { return places_.size(); }
    const std::vector<GeoPlace>& places() const { return places_; }

    // Places whose name begins with the typed name, or failing that has a word that does
    // ("york" also finds "New York"), each qualifier matching the region, the country or its
    // two-letter code. The user's own places come first, then whole-name matches, then by
    // population. Case and accents do not matter.
    std::vector<const GeoPlace*> search(std::string_view text, size_t limit) const;

    // For a name that found nothing: the places whose names are closest to it (qualifiers are
    // ignored), nearest spelling first, then by population.
    std::vector<const GeoPlace*> closest(std::string_view text, size_t limit) const;

    // The place nearest to a point (degrees, north and east positive); null for an empty atlas.
    const GeoPlace* nearest(double latitude, double longitude) const;

  private:
    struct Keys {
        std::string name, region, country, code;
    };
    bool qualifiersMatch(const Keys& keys, const std::vector<std::string>& qualifiers) const;
    void add(AtlasEntry entry);
    void index();

    std::vector<GeoPlace> places_;       // own places first
    std::vector<Keys> keys_;             // folded, by place
    std::vector<std::uint32_t> byName_;  // places sorted by folded name
    size_t ownCount_ = 0;
};

}  // namespace quintaro
