// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quintaro::ephemgen {

struct MidpointRequest {
    std::string first, second;  // body names ("saturn", "jupiter", ...)
    std::string name;           // file name stem ("hjp")
};

// The midpoint ephemerides written by default: Saturn/Jupiter, Saturn/Chiron, Jupiter/Chiron.
std::vector<MidpointRequest> DefaultMidpoints();

struct GenerateOptions {
    std::filesystem::path folder;
    bool planets = false;
    std::vector<std::string> bodies;  // single-body day tables ("pholus")
    std::vector<MidpointRequest> midpoints;
    int threads = 2;
    std::string libraryData;
};

// Writes the requested files, the independent pieces on parallel threads, with progress on
// stderr. Empty on success, else the first failure.
std::string Generate(const GenerateOptions& options);

}  // namespace quintaro::ephemgen
