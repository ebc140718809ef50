// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/entry_checks.h"

#include <array>

#include "core/formatting.h"

namespace quintaro {

namespace {

const std::array<BodyCheckSpec, 9> kChecks = {{
    {BodyCheck::Moon, "Check5", "Moon", {SlotMoon}, false},
    {BodyCheck::Chiron, "Check4", "Chiron", {SlotChiron}, false},
    {BodyCheck::NorthNode, "Check1", "NN", {SlotNode}, false},
    {BodyCheck::Ceres, "Check6", "Ceres", {SlotCeres}, true},
    {BodyCheck::Pallas, "Check7", "Pallas", {SlotPallas}, true},
    {BodyCheck::Vesta, "Check8", "Vesta", {SlotVesta}, true},
    {BodyCheck::Juno, "Check9", "Juno", {SlotJuno}, true},
    {BodyCheck::AcMc, "Check2", "AC/MC", {SlotAscendant, SlotMidheaven}, false},
    {BodyCheck::PartOfFortune, "Check3", "PF", {SlotPartOfFortune}, false},
}};

void SetBoth(std::string& selection, int slot, char flag) {
    selection[static_cast<size_t>(slot - 1)] = flag;
    selection[static_cast<size_t>(slot - 1 + BodyCount)] = flag;
}

bool Selected(const std::string& selection, int index) {
    return index >= 1 && static_cast<size_t>(index) <= selection.size() &&
           selection[static_cast<size_t>(index - 1)] == '1';
}

}  // namespace

std::span<const BodyCheckSpec> BodyCheckSpecs() {
    return kChecks;
}

const BodyCheckSpec& BodyCheckSpecOf(BodyCheck check) {
    return kChecks[static_cast<size_t>(check)];
}

void WriteBodyCheck(std::string& selection, BodyCheck check, bool checked,
                    bool slot20IsPartOfFortune) {
    if (selection.size() != SelectionTextLength) return;
    const char flag = checked ? '1' : '0';
    for (int slot : BodyCheckSpecOf(check).slots) SetBoth(selection, slot, flag);
    if (check == BodyCheck::PartOfFortune && checked && slot20IsPartOfFortune)
        SetBoth(selection, SlotMoon, '1');
}

bool BodyCheckState(const std::string& selection, BodyCheck check) {
    for (int slot : BodyCheckSpecOf(check).slots)
        if (Selected(selection, slot)) return true;
    return false;
}

void FillDisplayedSet(const ChartPositions& positions, const std::string& selection, bool helio,
                      bool natalOrTransit, WorkingPositions& shown) {
    const ChartKinds& natal = positions.Natal;
    for (int slot = 1; slot <= BodyCount; ++slot) {
        bool wanted =
            Selected(selection, slot) || (natalOrTransit && Selected(selection, slot + BodyCount));
        if (!wanted) continue;
        const auto k = static_cast<size_t>(slot);
        shown.WorkLong[k] = helio ? natal.HelioLong[k] : natal.GeoLong[k];
        shown.WorkSecond[k] = helio ? natal.HelioLat[k] : natal.GeoDecl[k];
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
    if (value == -32768.0) value = 0;
    std::string name = catalogue.BodyNames[k];
    while (!name.empty() && name.back() == ' ') name.pop_back();  // "mc " carries a blank
    const char* kind = column <= GridGeoDecl ? "geo_" : "hel_";
    return "nat_" + std::string(kind) + name + " " + FormatNumber(value, "0.0000");
}

}  // namespace quintaro
