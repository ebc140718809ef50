// SPDX-License-Identifier: AGPL-3.0-or-later
// House cusps in the thirteen systems, by index 1..12 (index 1 = 10th house, 4 = 1st house).
#include <cmath>

#include "core/formatting.h"
#include "core/quadrant_houses.h"
#include "core/sphere_geometry.h"

namespace quintaro {

namespace {

// Twelve cusps 30 degrees apart, the given index holding `first`; indices taken in the order
// 4, 5, ..., 12, 1, 2, 3 from wherever they start.
HouseCuspArray EqualCusps(int firstIndex, double first) {
    HouseCuspArray cusps{};
    for (int step = 0; step < 12; ++step)
        cusps[(firstIndex - 1 + step) % 12 + 1] = Norm360(first + 30.0 * step);
    cusps[13] = cusps[1];
    return cusps;
}

// Cusps that are points of the equator every 30 degrees from RAMC, each projected onto the
// ecliptic: along meridians (Meridian) or along circles of ecliptic longitude (Morinus).
HouseCuspArray EquatorDivisionCusps(double ramc, double obliquity, bool alongMeridians) {
    HouseCuspArray cusps{};
    double ce = CosD(obliquity);
    for (int index = 1; index <= 12; ++index) {
        double ra = ramc + 30.0 * (index - 1);
        double s = SinD(ra), c = CosD(ra);
        double longitude = alongMeridians ? std::atan2(s, c * ce) : std::atan2(s * ce, c);
        cusps[index] = Norm360(longitude * kRadToDeg);
    }
    cusps[13] = cusps[1];
    return cusps;
}

}  // namespace

std::string_view HouseLabel4(int index) {
    if (index < 1 || index > 13) index = 13;
    return HouseLabels4.substr(4 * (index - 1), 4);
}

std::string_view HouseSystemName(HouseSystem system) {
    return HouseSystemNames[static_cast<std::size_t>(system)];
}

std::optional<HouseSystem> FindHouseSystem(std::string_view name) {
    for (std::size_t i = 0; i < HouseSystemNames.size(); ++i)
        if (HouseSystemNames[i] == name) return static_cast<HouseSystem>(i);
    return std::nullopt;
}

HouseCuspArray QuadrantCusps(const Angles& angles, const EasternCusps& eastern) {
    HouseCuspArray cusps{};
    const double half[6] = {angles.Midheaven, eastern.house11, eastern.house12,
                            angles.Ascendant, eastern.house2,  eastern.house3};
    for (int i = 0; i < 6; ++i) {
        cusps[i + 1] = Norm360(half[i]);
        cusps[i + 7] = Norm360(half[i] + 180.0);
    }
    cusps[13] = cusps[1];
    return cusps;
}

EasternCusps PorphyryCusps(const Angles& angles) {
    double upper = Norm360(angles.Ascendant - angles.Midheaven);          // MC forward to ASC
    double lower = Norm360(angles.Midheaven + 180.0 - angles.Ascendant);  // ASC forward to IC
    return {Norm360(angles.Midheaven + upper / 3.0), Norm360(angles.Midheaven + 2.0 * upper / 3.0),
            Norm360(angles.Ascendant + lower / 3.0), Norm360(angles.Ascendant + 2.0 * lower / 3.0)};
}

EasternCusps CampanusCusps(double ramc, double latitude, double obliquity) {
    EclipticFrame ecliptic = MakeEclipticFrame(obliquity);
    LocalFrame place = MakeLocalFrame(ramc, latitude);
    // The house circle through the north and south points and the point of the prime vertical
    // `angle` degrees from the zenith toward the east.
    auto cusp = [&](double angle) {
        Vec3 onPrimeVertical = CosD(angle) * place.zenith + SinD(angle) * place.east;
        return EclipticCrossing(ecliptic, Cross(place.north, onPrimeVertical), onPrimeVertical);
    };
    return {cusp(30), cusp(60), cusp(120), cusp(150)};
}

EasternCusps RegiomontanusCusps(double ramc, double latitude, double obliquity) {
    EclipticFrame ecliptic = MakeEclipticFrame(obliquity);
    LocalFrame place = MakeLocalFrame(ramc, latitude);
    // The house circle through the north and south points and the point of the equator `angle`
    // degrees east of the meridian; the cusp lies on that point's half of the circle.
    auto cusp = [&](double angle) {
        Vec3 onEquator = EquatorPoint(ramc + angle);
        Vec3 toward = onEquator + (-Dot(onEquator, place.north)) * place.north;
        return EclipticCrossing(ecliptic, Cross(place.north, onEquator), toward);
    };
    return {cusp(30), cusp(60), cusp(120), cusp(150)};
}

HouseCuspResult CuspsFromRamc(HouseSystem system, double ramc, double latitude, double obliquity,
                              const NatalReference& natal) {
    Angles angles = AnglesFromRamc(ramc, latitude, obliquity);
    HouseCuspResult result;
    auto quadrant = [&](const std::optional<EasternCusps>& eastern) {
        result.polarFallback = !eastern.has_value();
        return QuadrantCusps(angles, eastern ? *eastern : PorphyryCusps(angles));
    };
    switch (system) {
        case HouseSystem::VelmAstro:
            result.cusps = EqualCusps(1, 90.0);
            break;
        case HouseSystem::Natural:
            result.cusps = EqualCusps(4, 0.0);
            break;
        case HouseSystem::Arabic:
            result.cusps = EqualCusps(4, std::floor(Norm360(natal.ascendant) / 30.0) * 30.0);
            break;
        case HouseSystem::Solar:
            result.cusps = EqualCusps(4, natal.sun);
            break;
        case HouseSystem::EqualAscendant:
            result.cusps = EqualCusps(4, angles.Ascendant);
            break;
        case HouseSystem::EqualMC:
            result.cusps = EqualCusps(1, angles.Midheaven);
            break;
        case HouseSystem::Porphyry:
            result.cusps = QuadrantCusps(angles, PorphyryCusps(angles));
            break;
        case HouseSystem::Placidus:
            result.cusps = quadrant(PlacidusCusps(ramc, latitude, obliquity));
            break;
        case HouseSystem::Koch:
            result.cusps = quadrant(KochCusps(ramc, latitude, obliquity, angles.Midheaven));
            break;
        case HouseSystem::Campanus:
            result.cusps = QuadrantCusps(angles, CampanusCusps(ramc, latitude, obliquity));
            break;
        case HouseSystem::Regiomontanus:
            result.cusps = QuadrantCusps(angles, RegiomontanusCusps(ramc, latitude, obliquity));
            break;
        case HouseSystem::Meridian:
            result.cusps = EquatorDivisionCusps(ramc, obliquity, true);
            break;
        case HouseSystem::Morinus:
            result.cusps = EquatorDivisionCusps(ramc, obliquity, false);
            break;
    }
    return result;
}

void ReportPolarFallback(HouseSystem system, double latitude, Messages& messages) {
    std::string place =
        FormatNumber(std::fabs(latitude), "0.00") + (latitude < 0 ? " South" : " North");
    messages.show("Houses near the pole",
                  "The " + std::string(HouseSystemName(system)) +
                      " house system has no solution at latitude " + place +
                      " for this moment, so the chart shows Porphyry house cusps instead.",
                  MessageIcon::Information);
}

void ComputeHouseCusps(const ChartData& data, HouseSystem system, const NatalReference& natal,
                       ChartHouses& houses, Messages& messages) {
    ComputeAngles(data, houses);
    HouseCuspResult result =
        CuspsFromRamc(system, houses.RAMC, houses.Latitude, houses.Obliquity, natal);
    houses.HouseCusps = result.cusps;
    if (result.polarFallback && !houses.PolarFallback)
        ReportPolarFallback(system, houses.Latitude, messages);
    houses.PolarFallback = result.polarFallback;
}

}  // namespace quintaro
