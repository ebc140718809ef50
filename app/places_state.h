// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/messages.h"
#include "places/atlas.h"
#include "places/zone_database.h"

namespace quintaro {

// The session's places: the zone database and the atlas with the user's own places, each loaded
// when first asked for, so that a command that needs neither does not wait for them.
class PlacesState {
  public:
    explicit PlacesState(std::filesystem::path home);
    ~PlacesState();
    PlacesState(const PlacesState&) = delete;
    PlacesState& operator=(const PlacesState&) = delete;

    const ZoneDatabase& zones();
    // The atlas and the user's places ("places.txt"); the lines of that file that could not be
    // read are reported once, in one message, and the others kept.
    const Atlas& atlas(Messages& messages);
    // After the user's places file changed: read again at the next atlas().
    void forgetOwnPlaces();

    std::filesystem::path ownPlacesFile() const;
    // The lines of the user's places file that could not be read when it was last read.
    const std::vector<std::string>& ownPlaceProblems() const { return ownPlaceProblems_; }

  private:
    std::filesystem::path home_;
    std::unique_ptr<ZoneDatabase> zones_;
    std::unique_ptr<Atlas> atlas_;
    bool ownPlacesRead_ = false;
    std::vector<std::string> ownPlaceProblems_;
};

}  // namespace quintaro
