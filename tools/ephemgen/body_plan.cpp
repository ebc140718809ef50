// SPDX-License-Identifier: AGPL-3.0-or-later
#include "tools/ephemgen/body_plan.h"

#include <swephexp.h>

#include <algorithm>
#include <array>

namespace quintaro::ephemgen {

namespace {

// Steps measured with `quintaro-ephemgen steps` (docs/ephemeris-files.md has the figures): each
// is the largest power-of-two step whose worst error keeps a safe margin under the goals.
constexpr std::array<BodyPlan, 17> Plan = {{
    {0, "sun", SE_SUN, 2, 0, 0},
    {1, "moon", SE_MOON, 0.5, 0, 0},
    {2, "mercury", SE_MERCURY, 1, 2, 1},
    {3, "venus", SE_VENUS, 1, 2, 1},
    {4, "earth", SE_EARTH, 0, 2, 1},
    {5, "mars", SE_MARS, 2, 2, 1},
    {6, "jupiter", SE_JUPITER, 2, 4, 2},
    {7, "saturn", SE_SATURN, 2, 4, 2},
    {8, "uranus", SE_URANUS, 2, 4, 2},
    {9, "neptune", SE_NEPTUNE, 2, 4, 2},
    {10, "pluto", SE_PLUTO, 2, 4, 2},
    {11, "chiron", SE_CHIRON, 2, 4, 3},
    {15, "node", SE_TRUE_NODE, 0.5, 16, 3},
    {16, "ceres", SE_CERES, 2, 4, 4},
    {17, "pallas", SE_PALLAS, 2, 4, 4},
    {18, "juno", SE_JUNO, 2, 4, 4},
    {19, "vesta", SE_VESTA, 2, 4, 4},
}};

}  // namespace

std::span<const BodyPlan> PlanetaryPlan() {
    return Plan;
}

const BodyPlan* FindPlan(std::string_view name) {
    auto it =
        std::find_if(Plan.begin(), Plan.end(), [&](const BodyPlan& p) { return p.name == name; });
    return it == Plan.end() ? nullptr : &*it;
}

std::optional<int> LibraryBodyOf(std::string_view name) {
    if (name == "pholus") return SE_PHOLUS;
    if (const BodyPlan* plan = FindPlan(name)) return plan->libraryBody;
    return std::nullopt;
}

}  // namespace quintaro::ephemgen
