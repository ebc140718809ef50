// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_checks.h"

#include <array>

#include "core/formatting.h"

namespace quintaro {

namespace {

const std::array<BodyCheckBodies, 9> kChecks = {{
    {BodyCheck::Moon, {SlotMoon}, false},
    {BodyCheck::Chiron, {SlotChiron}, false},
    {BodyCheck::NorthNode, {SlotNode}, false},
    {BodyCheck::Ceres, {SlotCeres}, true},
    {BodyCheck::Pallas, {SlotPallas}, true},
    {BodyCheck::Vesta, {SlotVesta}, true},
    {BodyCheck::Juno, {SlotJuno}, true},
    {BodyCheck::AcMc, {SlotAscendant, SlotMidheaven}, false},
    {BodyCheck::PartOfFortune, {SlotPartOfFortune}, false},
}};

}  // namespace

std::span<const BodyCheckBodies> AllBodyChecks() {
    return kChecks;
}

const BodyCheckBodies& BodyChecksOf(BodyCheck check) {
    return kChecks[static_cast<size_t>(check)];
}

void WriteBodyCheck(SelectionFlags& selection, BodyCheck check, bool checked,
                    bool slot20IsPartOfFortune) {
    for (int slot : BodyChecksOf(check).slots) selection.setBoth(slot, checked);
    if (check == BodyCheck::PartOfFortune && checked && slot20IsPartOfFortune)
        selection.setBoth(SlotMoon, true);
}

bool BodyCheckState(const SelectionFlags& selection, BodyCheck check) {
    for (int slot : BodyChecksOf(check).slots)
        if (selection.natal(slot)) return true;
    return false;
}

void FillDisplayedSet(const ChartPositions& positions, const SelectionFlags& selection, bool helio,
                      bool natalOrTransit, WorkingPositions& shown) {
    const ChartKinds& natal = positions.Natal;
    for (int slot = 1; slot <= BodyCount; ++slot) {
        bool wanted = selection.natal(slot) || (natalOrTransit && selection.transit(slot));
        if (!wanted) continue;
        const auto k = static_cast<size_t>(slot);
        shown.WorkLong[k] = helio ? natal.HelioLong[k] : natal.GeoLong[k];
        shown.WorkSecond[k] = helio ? natal.HelioLat[k] : natal.GeoDecl[k];
        shown.Missing[k] = natal.missing(helio, slot);
    }
}

std::string GridClipboardText(const BodyCatalogue& catalogue, const ChartKinds& shown, int row,
                              int column) {
    if (row < 1 || row > BodyCount || column < GridGeoLong || column > GridHelioLat) return {};
    const auto k = static_cast<size_t>(row);
    double value = 0;
    switch (column) {
        case GridGeoLong:
            value = shown.GeoLong[k];
            break;
        case GridGeoDecl:
            value = shown.GeoDecl[k];
            break;
        case GridHelioLong:
            value = shown.HelioLong[k];
            break;
        default:
            value = shown.HelioLat[k];
            break;
    }
    if (shown.missing(column >= GridHelioLong, row)) value = 0;
    std::string name = catalogue.BodyNames[k];
    while (!name.empty() && name.back() == ' ') name.pop_back();  // "mc " carries a blank
    const char* kind = column <= GridGeoDecl ? "geo_" : "hel_";
    return "nat_" + std::string(kind) + name + " " + FormatNumber(value, "0.0000");
}

}  // namespace quintaro
