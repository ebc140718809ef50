// SPDX-License-Identifier: AGPL-3.0-or-later
#include "interps/interpretation_keys.h"

#include <algorithm>
#include <cctype>

namespace quintaro {

namespace {

constexpr std::array<AspectFamily, 5> AspectFamilies = {
    AspectFamily::Conjunction, AspectFamily::Flowing, AspectFamily::Challenging,
    AspectFamily::Minor, AspectFamily::Parallel};

std::string LowerTrimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The two body indexes in the order the mode's store keys them.
std::optional<std::pair<std::size_t, std::size_t>> KeyedPair(std::string_view body1,
                                                             std::string_view body2,
                                                             ReportMode mode) {
    auto first = BodyIndexOfKey(body1);
    auto second = BodyIndexOfKey(body2);
    if (!first || !second) return std::nullopt;
    if (!IsTransitMode(mode) && *second < *first) std::swap(first, second);
    return std::pair{*first, *second};
}

std::string StoreKey(std::size_t first, std::size_t second, AspectFamily family) {
    return std::string(InterpretationBodies[first].key) + "_" +
           std::string(InterpretationBodies[second].key) + "_" + std::string(FamilyKey(family));
}

}  // namespace

std::string_view StoreName(ReportMode mode) {
    switch (mode) {
        case ReportMode::RomanceCompatibility:
            return "romance_comp";
        case ReportMode::FinancialCompatibility:
            return "financial_comp";
        case ReportMode::RomanceTransits:
            return "romance_trans";
        case ReportMode::FinancialTransits:
            return "financial_trans";
        case ReportMode::NatalFull:
            return "natal_full";
        case ReportMode::NatalRomance:
            return "natal_romance";
        case ReportMode::NatalMoney:
            return "natal_money";
    }
    return {};
}

bool IsTransitMode(ReportMode mode) {
    return mode == ReportMode::RomanceTransits || mode == ReportMode::FinancialTransits;
}

bool IsNatalMode(ReportMode mode) {
    return mode == ReportMode::NatalFull || mode == ReportMode::NatalRomance ||
           mode == ReportMode::NatalMoney;
}

std::string_view FamilyKey(AspectFamily family) {
    switch (family) {
        case AspectFamily::Conjunction:
            return "conjunction";
        case AspectFamily::Flowing:
            return "flowing";
        case AspectFamily::Challenging:
            return "challenging";
        case AspectFamily::Minor:
            return "minor";
        case AspectFamily::Parallel:
            return "parallel";
        case AspectFamily::Synchronization:
            return "synch";
    }
    return {};
}

std::optional<AspectFamily> FamilyOfAspectKey(std::string_view aspectKey) {
    struct Entry {
        std::string_view key;
        AspectFamily family;
    };
    static constexpr std::array<Entry, 13> table = {{
        {"000", AspectFamily::Conjunction},
        {"060", AspectFamily::Flowing},
        {"120", AspectFamily::Flowing},
        {"090", AspectFamily::Challenging},
        {"180", AspectFamily::Challenging},
        {"030", AspectFamily::Minor},
        {"045", AspectFamily::Minor},
        {"072", AspectFamily::Minor},
        {"135", AspectFamily::Minor},
        {"144", AspectFamily::Minor},
        {"150", AspectFamily::Minor},
        {"011", AspectFamily::Parallel},
        {"-011", AspectFamily::Parallel},
    }};
    for (const Entry& entry : table) {
        if (entry.key == aspectKey) return entry.family;
    }
    return std::nullopt;
}

std::optional<std::size_t> BodyIndexOfKey(std::string_view key) {
    const std::string wanted = LowerTrimmed(key);
    for (std::size_t i = 0; i < InterpretationBodies.size(); ++i) {
        if (InterpretationBodies[i].key == wanted) return i;
    }
    return std::nullopt;
}

std::string BodyKeyOfName(std::string_view name) {
    return LowerTrimmed(name.substr(0, 3));
}

std::string AspectKey(std::string_view body1, std::string_view body2, std::string_view aspect) {
    return LowerTrimmed(body1) + "_" + LowerTrimmed(body2) + "_" + std::string(aspect);
}

std::optional<std::string> StoreKeyOfAspect(std::string_view aspectKey, ReportMode mode) {
    const auto firstBreak = aspectKey.find('_');
    if (firstBreak == std::string_view::npos) return std::nullopt;
    const auto secondBreak = aspectKey.find('_', firstBreak + 1);
    if (secondBreak == std::string_view::npos) return std::nullopt;
    const auto family = FamilyOfAspectKey(aspectKey.substr(secondBreak + 1));
    const auto pair =
        KeyedPair(aspectKey.substr(0, firstBreak),
                  aspectKey.substr(firstBreak + 1, secondBreak - firstBreak - 1), mode);
    if (!family || !pair) return std::nullopt;
    return StoreKey(pair->first, pair->second, *family);
}

std::optional<std::string> SynchronizationKey(std::string_view body1, std::string_view body2,
                                              ReportMode mode) {
    if (IsNatalMode(mode)) return std::nullopt;
    const auto pair = KeyedPair(body1, body2, mode);
    if (!pair) return std::nullopt;
    return StoreKey(pair->first, pair->second, AspectFamily::Synchronization);
}

bool BodiesCanMeet(const InterpretationBody& a, const InterpretationBody& b) {
    const bool sameSlotPoints = a.slot == b.slot && a.key != b.key;
    return !sameSlotPoints &&
           ((a.geocentric && b.geocentric) || (a.heliocentric && b.heliocentric));
}

std::vector<std::string> RequiredStoreKeys(ReportMode mode) {
    std::vector<std::string> keys;
    const std::size_t n = InterpretationBodies.size();
    for (std::size_t i = 0; i < n; ++i) {
        // Natal lists pair distinct bodies once; two charts pair every body with every body,
        // and the compatibility stores key each pair once.
        const std::size_t firstPartner = IsTransitMode(mode) ? 0 : IsNatalMode(mode) ? i + 1 : i;
        for (std::size_t j = firstPartner; j < n; ++j) {
            if (!BodiesCanMeet(InterpretationBodies[i], InterpretationBodies[j])) continue;
            for (AspectFamily family : AspectFamilies) keys.push_back(StoreKey(i, j, family));
            if (!IsNatalMode(mode)) keys.push_back(StoreKey(i, j, AspectFamily::Synchronization));
        }
    }
    return keys;
}

}  // namespace quintaro
