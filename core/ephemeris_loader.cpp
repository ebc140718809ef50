// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris_loader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "core/atomic_file.h"
#include "core/ephemeris.h"
#include "core/install_folder.h"
#include "core/plain_text.h"

namespace quintaro {

namespace {

constexpr std::string_view kSelectSuffix = "1900l.eph";
constexpr std::array<std::string_view, 3> kStandardMidpoints = {"hjp", "hki", "jki"};

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           AsciiLower(text.substr(text.size() - suffix.size())) == AsciiLower(suffix);
}

bool IsCatalogueName(std::string_view part, const std::vector<std::string>& folderNames) {
    static const BodyCatalogue catalogue = MakeBodyCatalogue();
    std::string wanted = AsciiLower(part);
    for (int slot = 1; slot <= SlotJuno; ++slot) {
        if (AsciiLower(catalogue.BodyNames[slot]) == wanted ||
            AsciiLower(BodyAbbrev3[slot]) == wanted) {
            return true;
        }
    }
    return std::any_of(folderNames.begin(), folderNames.end(),
                       [&](const std::string& name) { return AsciiLower(name) == wanted; });
}

int StandardMidpointRank(std::string_view name) {
    auto found = std::find(kStandardMidpoints.begin(), kStandardMidpoints.end(), AsciiLower(name));
    return found == kStandardMidpoints.end() ? -1
                                             : static_cast<int>(found - kStandardMidpoints.begin());
}

void ReportBadFile(Messages& messages, const std::string& error) {
    messages.show("Warning!", "Unable to load ephemeris file " + error, MessageIcon::Exclamation);
}

bool IsApollo(std::string_view name) {
    return AsciiLower(name) == "apollo";
}

}  // namespace

bool IsEphemerisFileName(const std::string& name) {
    std::string lower = AsciiLower(name);
    bool planetFile = lower.size() == 12 && lower.starts_with("ephem") && lower.ends_with(".dat");
    return planetFile || (lower.size() > 4 && lower.ends_with(".eph"));
}

std::filesystem::path LoadFolderPath(const std::filesystem::path& home) {
    return HomePath(home, LoadFolder);
}

bool IsMidpointEphemeris(std::string_view name, const std::vector<std::string>& folderNames) {
    if (StandardMidpointRank(name) >= 0) return true;
    if (AsciiLower(name.substr(0, 2)) == "mp") return true;
    std::size_t joint = name.find_first_of("_-+");
    if (joint == std::string_view::npos || joint == 0 || joint + 1 >= name.size()) return false;
    return IsCatalogueName(name.substr(0, joint), folderNames) &&
           IsCatalogueName(name.substr(joint + 1), folderNames);
}

namespace {

// Slot of a body named in a midpoint's name: a catalogue body of slots 1..17 by name or
// abbreviation, or a single body of the free slots; 0 when none.
int SlotNamed(std::string_view part, const BodyCatalogue& catalogue,
              const std::vector<std::string>& freeNames) {
    const std::string wanted = AsciiLower(part);
    for (int slot = 1; slot <= SlotJuno; ++slot)
        if (AsciiLower(catalogue.BodyNames[slot]) == wanted ||
            AsciiLower(BodyAbbrev3[slot]) == wanted)
            return slot;
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        const std::string& name = catalogue.BodyNames[slot];
        if (AsciiLower(name) == wanted && !IsMidpointEphemeris(name, freeNames)) return slot;
    }
    return 0;
}

}  // namespace

MidpointPair MidpointPairOf(std::string_view name, const BodyCatalogue& catalogue) {
    switch (StandardMidpointRank(name)) {
        case 0:
            return {true, SlotSaturn, SlotJupiter};
        case 1:
            return {true, SlotSaturn, SlotChiron};
        case 2:
            return {true, SlotJupiter, SlotChiron};
        default:
            break;
    }
    std::vector<std::string> freeNames(catalogue.BodyNames.begin() + FirstFreeSlot,
                                       catalogue.BodyNames.begin() + catalogue.NextFreeSlot);
    if (!IsMidpointEphemeris(name, freeNames)) return {};
    const std::size_t joint = name.find_first_of("_-+");
    if (AsciiLower(name.substr(0, 2)) == "mp" || joint == std::string_view::npos)
        return {true, 0, 0};
    const int first = SlotNamed(name.substr(0, joint), catalogue, freeNames);
    const int second = SlotNamed(name.substr(joint + 1), catalogue, freeNames);
    if (first == 0 || second == 0) return {true, 0, 0};
    return {true, first, second};
}

void AssignMidpointPairs(const BodyCatalogue& catalogue, DayTables& tables) {
    for (int slot = FirstFreeSlot; slot <= BodyCount; ++slot)
        tables.midpoints[slot] = slot < catalogue.NextFreeSlot
                                     ? MidpointPairOf(catalogue.BodyNames[slot], catalogue)
                                     : MidpointPair{};
}

std::vector<std::string> OrderLoadNames(std::vector<std::string> names) {
    auto group = [&](const std::string& name) {
        if (StandardMidpointRank(name) >= 0) return 1;
        return IsMidpointEphemeris(name, names) ? 2 : 0;
    };
    std::vector<std::pair<int, std::string>> keyed;
    for (const auto& name : names) keyed.emplace_back(group(name), name);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        if (a.first == 1) return StandardMidpointRank(a.second) < StandardMidpointRank(b.second);
        std::string la = AsciiLower(a.second), lb = AsciiLower(b.second);
        return la != lb ? la < lb : a.second < b.second;
    });
    std::vector<std::string> ordered;
    for (auto& [rank, name] : keyed) ordered.push_back(std::move(name));
    return ordered;
}

std::vector<std::string> SelectLoadFiles(const std::filesystem::path& home,
                                         BodyCatalogue& catalogue, Messages& messages) {
    for (int slot = FirstFreeSlot; slot <= BodyCount; ++slot) catalogue.BodyNames[slot] = "unused";
    catalogue.NextFreeSlot = FirstFreeSlot;

    const std::filesystem::path folder = LoadFolderPath(home);
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string file = entry.path().filename().string();
        if (!EndsWithIgnoringCase(file, kSelectSuffix) || !entry.is_regular_file(ec)) continue;
        std::string name = file.substr(0, file.size() - kSelectSuffix.size());
        if (!name.empty()) names.push_back(std::move(name));
    }
    names = OrderLoadNames(std::move(names));
    if (static_cast<int>(names.size()) > FreeSlotCount) {
        messages.show("WARNING!",
                      "You have too many midpoint ephemeris files loaded in your " +
                          folder.string() +
                          " directory. I am ignoring the extra files. You may only have a "
                          "maximum of 33 midpoints.",
                      MessageIcon::Exclamation);
        names.resize(FreeSlotCount);
    }
    for (const auto& name : names) AddFreeSlotBody(catalogue, name);
    return names;
}

int OpenPlanetFiles(const std::filesystem::path& home, Ephemeris& ephemeris,
                    std::vector<std::string>* unusable) {
    ephemeris.CloseAll();
    std::array<std::filesystem::path, PlanetFileCount> paths;
    for (int n = 0; n < PlanetFileCount; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "\\ephem%03d.dat", n);
        std::filesystem::path path = HomePath(LoadFolderPath(home), name);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) paths[n] = path;  // absent: skipped
    }
    return ephemeris.OpenFiles(paths, unusable);
}

bool LoadDayTables(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                   const SelectionFlags& flags, DayTables& tables, Messages& messages,
                   const Progress& progress) {
    const std::filesystem::path folder = LoadFolderPath(home);
    const long total = catalogue.NextFreeSlot - FirstFreeSlot;
    AssignMidpointPairs(catalogue, tables);
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        if (!flags.either(slot)) continue;
        const std::string& name = catalogue.BodyNames[slot];
        if (!ReportProgress(progress, "Loading " + name + " ephemerides", slot - FirstFreeSlot,
                            total)) {
            return false;
        }
        std::string error = LoadBodyDayTables(folder, name, slot, DayPeriod::From1900, tables);
        if (!error.empty()) ReportBadFile(messages, error);
    }
    return true;
}

bool LoadNewlySelectedTables(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                             const SelectionFlags& flags, DayTables& tables, Messages& messages,
                             const Progress& progress, bool use1750) {
    const std::filesystem::path folder = LoadFolderPath(home);
    const long total = catalogue.NextFreeSlot - FirstFreeSlot;
    AssignMidpointPairs(catalogue, tables);
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        if (!flags.either(slot) || tables.has1900[slot]) continue;
        const std::string& name = catalogue.BodyNames[slot];
        if (!ReportProgress(progress, "Loading 1900 " + name + " ephemerides", slot - FirstFreeSlot,
                            total)) {
            return false;
        }
        std::string error = LoadBodyDayTables(folder, name, slot, DayPeriod::From1900, tables);
        if (error.empty() && use1750 && !tables.has1750[slot] && !IsApollo(name)) {
            error = LoadBodyDayTables(folder, name, slot, DayPeriod::From1750, tables);
        }
        if (!error.empty()) ReportBadFile(messages, error);
    }
    return true;
}

bool Load1750Tables(const std::filesystem::path& home, const BodyCatalogue& catalogue,
                    DayTables& tables, Messages& messages, const Progress& progress) {
    const std::filesystem::path folder = LoadFolderPath(home);
    const long total = catalogue.NextFreeSlot - FirstFreeSlot;
    AssignMidpointPairs(catalogue, tables);
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        if (!ReportProgress(progress, "Initializing Ephemerides", slot - FirstFreeSlot, total)) {
            return false;
        }
        const std::string& name = catalogue.BodyNames[slot];
        if (!tables.has1900[slot] || IsApollo(name)) continue;
        std::string error = LoadBodyDayTables(folder, name, slot, DayPeriod::From1750, tables);
        if (!error.empty()) ReportBadFile(messages, error);
    }
    return true;
}

std::filesystem::path GeneratedEphemerisSource() {
    if (const char* source = std::getenv("QUINTARO_EPHEMERIS_SOURCE"); source && *source) {
        return source;
    }
#ifdef QUINTARO_GENERATED_EPHEMERIS_DIR
    return QUINTARO_GENERATED_EPHEMERIS_DIR;
#else
    return {};
#endif
}

int InstallGeneratedEphemeris(const std::filesystem::path& home, Messages& messages) {
    return InstallEphemerisFrom(GeneratedEphemerisSource(), home, messages);
}

int InstallEphemerisFrom(const std::filesystem::path& source, const std::filesystem::path& home,
                         Messages& messages) {
    std::error_code ec;
    const std::filesystem::path target = LoadFolderPath(home);
    std::filesystem::create_directories(HomePath(home, EphemsFolder), ec);
    if (!ec) std::filesystem::create_directories(target, ec);
    if (ec) {
        messages.show("Warning!",
                      "Unable to create folder " + target.string() + ": " + ec.message(),
                      MessageIcon::Exclamation);
        return 0;
    }
    if (source.empty() || !std::filesystem::is_directory(source, ec)) return 0;
    int copied = 0;
    for (const auto& entry : std::filesystem::directory_iterator(source, ec)) {
        std::string name = entry.path().filename().string();
        if (!IsEphemerisFileName(name) || !entry.is_regular_file(ec)) continue;
        if (std::filesystem::exists(target / name, ec)) continue;
        std::string error = CopyFileAtomically(entry.path(), target / name);
        if (error.empty()) {
            ++copied;
        } else {
            messages.show(
                "Warning!",
                "Unable to install ephemeris file " + (target / name).string() + ": " + error,
                MessageIcon::Exclamation);
        }
    }
    return copied;
}

}  // namespace quintaro
