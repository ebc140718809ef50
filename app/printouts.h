// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/session.h"
#include "aspects/aspect_grid.h"
#include "aspects/aspect_listing.h"
#include "wheels/print_document.h"

namespace quintaro {

// The printouts of the File menu.
enum class Printout {
    NatalAspects,         // the combined longitude and declination grids side by side
    SinglePlanetAspects,  // the single-kind grid
    NatalPositions,
    TransitPositions,
    Midpoints
};

// "aspects", "single", "natal-positions", "transit-positions", "midpoints"; and back.
std::string_view PrintoutKey(Printout printout);
std::optional<Printout> PrintoutOfKey(std::string_view key);

// The options of a grid window as the display choices and the entry window set them, so that a
// printout shows the rows its grid window shows.
GridOptions SessionGridOptions(const Session& session, GridWindow window);

// What the header of an aspect printout names: the notice line (the first line of the printout
// header file), the geocentric or heliocentric title, the display mode and both charts.
ListingInputs SessionListingInputs(const Session& session);

// An aspect listing put into printed form: its header, its tables with the aspect glyphs in the
// glyph font, and a running head for the later pages.
PrintDocument ListingDocument(const ListingPage& page, std::string name);

// A printout of the session's charts and grids.
PrintDocument BuildPrintout(const Session& session, Printout printout);

// The same as the plain text the command line writes: the aspect printouts in their own plain
// form, the others column by column.
std::string PrintoutText(const Session& session, Printout printout);

}  // namespace quintaro
