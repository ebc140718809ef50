// SPDX-License-Identifier: AGPL-3.0-or-later
#include "app/places_state.h"

#include "core/install_folder.h"
#include "places/atlas_cache.h"
#include "places/user_places_file.h"

namespace quintaro {

PlacesState::PlacesState(std::filesystem::path home) : home_(std::move(home)) {}

PlacesState::~PlacesState() = default;

const ZoneDatabase& PlacesState::zones() {
    if (!zones_) zones_ = std::make_unique<ZoneDatabase>();
    return *zones_;
}

std::filesystem::path PlacesState::ownPlacesFile() const {
    return HomePath(home_, kUserPlacesFileName);
}

const Atlas& PlacesState::atlas(Messages& messages) {
    if (!atlas_) {
        std::error_code ignored;  // without its folder the cache is made anew each time
        std::filesystem::create_directories(home_, ignored);
        atlas_ = std::make_unique<Atlas>(LoadAtlasCities(HomePath(home_, kAtlasCacheFileName)),
                                         std::vector<GeoPlace>{});
    }
    if (ownPlacesRead_) return *atlas_;
    ownPlacesRead_ = true;
    UserPlacesFile own = ReadUserPlaces(ownPlacesFile(), zones());
    ownPlaceProblems_ = own.problems;
    if (!own.problems.empty()) {
        std::string text = "Some lines of your places file " + ownPlacesFile().string() +
                           " could not be read; the other places are in use: ";
        for (size_t k = 0; k < own.problems.size(); ++k) text += (k ? "; " : "") + own.problems[k];
        messages.show("Warning!", text + ".", MessageIcon::Exclamation);
    }
    atlas_->setOwnPlaces(std::move(own.places));
    return *atlas_;
}

void PlacesState::forgetOwnPlaces() {
    ownPlacesRead_ = false;
}

}  // namespace quintaro
