// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris_repair.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "core/atomic_file.h"
#include "core/ephemeris.h"
#include "core/ephemeris_loader.h"

namespace quintaro {

namespace {

// Keeps the reader's last message: the reason a file was refused.
class LastMessage final : public Messages {
  public:
    std::string text;
    void show(const std::string&, const std::string& shown, MessageIcon) override { text = shown; }
    bool ask(const std::string&, const std::string&) override { return false; }
};

std::string PlanetFileName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "ephem%03d.dat", n);
    return name;
}

bool IsPlanetFileName(const std::string& name) {
    return name.size() == 12 && name.ends_with(".dat");
}

// The names of the ephemeris files in a folder.
std::set<std::string> EphemerisFilesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (IsEphemerisFileName(name) && entry.is_regular_file(ec)) names.insert(name);
    }
    return names;
}

std::string DayTableDamage(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const bool early = name.find("1750") != std::string::npos;
    if (!early && name.find("1900") == std::string::npos) return {};  // not a table we read
    std::vector<float> values;
    std::string error = ReadDayTableFile(path, early ? Count1750 : Count1900, values);
    // The reader names the file first; the reason is what follows.
    const std::string prefix = path.string() + ": ";
    return error.starts_with(prefix) ? error.substr(prefix.size()) : error;
}

}  // namespace

std::string EphemerisFileDamage(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return "is missing";
    if (!IsPlanetFileName(path.filename().string())) {
        std::string why = DayTableDamage(path);
        return why.empty() ? why : "is damaged: " + why;
    }
    LastMessage reason;
    Ephemeris ephemeris(reason);
    if (ephemeris.OpenFile(path, 0)) return {};
    return "is damaged: " + (reason.text.empty() ? "it cannot be read" : reason.text);
}

std::vector<EphemerisFileProblem> OpenPlanetFilesChecked(const std::filesystem::path& home,
                                                         Ephemeris& ephemeris) {
    std::vector<std::string> unusable;
    OpenPlanetFiles(home, ephemeris, &unusable);
    const std::filesystem::path folder = LoadFolderPath(home);
    std::vector<EphemerisFileProblem> problems;
    for (int n = 0; n < PlanetFileCount; ++n) {
        const std::string name = PlanetFileName(n);
        std::error_code ec;
        if (std::find(unusable.begin(), unusable.end(), name) != unusable.end())
            problems.push_back({name, "is damaged (the reader could not use it)"});
        else if (n < InstalledPlanetFileCount && !std::filesystem::exists(folder / name, ec))
            problems.push_back({name, "is missing"});
    }
    return problems;
}

std::vector<EphemerisFileProblem> UnloadedDayTables(const std::filesystem::path& home,
                                                    const BodyCatalogue& catalogue,
                                                    const SelectionFlags& flags,
                                                    const DayTables& tables) {
    const std::filesystem::path folder = LoadFolderPath(home);
    std::vector<EphemerisFileProblem> problems;
    for (int slot = FirstFreeSlot; slot < catalogue.NextFreeSlot; ++slot) {
        if (!flags.either(slot) || tables.has1900[slot]) continue;
        for (DayKind kind : AllDayKinds) {
            std::string name =
                DayTableFileName(catalogue.BodyNames[slot], kind, DayPeriod::From1900);
            std::filesystem::path path = FindFileIgnoringCase(folder, name);
            std::string what = path.empty() ? "is missing" : EphemerisFileDamage(path);
            if (!what.empty()) problems.push_back({name, what});
        }
    }
    return problems;
}

std::vector<EphemerisFileStatus> CheckEphemerisFiles(const std::filesystem::path& home,
                                                     const std::filesystem::path& source) {
    const std::filesystem::path folder = LoadFolderPath(home);
    std::set<std::string> names = EphemerisFilesIn(folder);
    names.merge(EphemerisFilesIn(source));
    for (int n = 0; n < InstalledPlanetFileCount; ++n) names.insert(PlanetFileName(n));
    std::vector<EphemerisFileStatus> statuses;
    for (const std::string& name : names)
        statuses.push_back({name, EphemerisFileDamage(folder / name)});
    return statuses;
}

std::vector<std::string> RestoreEphemerisFiles(const std::filesystem::path& source,
                                               const std::filesystem::path& home,
                                               Messages& messages) {
    const std::filesystem::path folder = LoadFolderPath(home);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::vector<std::string> restored;
    for (const std::string& name : EphemerisFilesIn(source)) {
        if (EphemerisFileDamage(folder / name).empty()) continue;
        if (std::string error = CopyFileAtomically(source / name, folder / name); !error.empty()) {
            messages.show(
                "Warning!",
                "Unable to install ephemeris file " + (folder / name).string() + ": " + error,
                MessageIcon::Exclamation);
            continue;
        }
        restored.push_back(name);
    }
    return restored;
}

std::string ProblemLines(const std::vector<EphemerisFileProblem>& problems) {
    std::string lines;
    for (const EphemerisFileProblem& problem : problems)
        lines += problem.file + " " + problem.what + "\n";
    return lines;
}

std::string RestoreAdvice(const std::filesystem::path& source) {
    if (!EphemerisFilesIn(source).empty())
        return "'quintaro-cli ephemeris install' puts back the files the workstation installs, "
               "from " +
               source.string() + ".";
    return "This installation holds no copy of the files it installs: run 'quintaro-cli "
           "ephemeris install --from FOLDER' with a folder that holds them (the build writes "
           "them to build/ephemeris), or reinstall the workstation.";
}

bool SourceCovers(const std::filesystem::path& source,
                  const std::vector<EphemerisFileProblem>& problems) {
    const std::set<std::string> available = EphemerisFilesIn(source);
    return !problems.empty() &&
           std::all_of(problems.begin(), problems.end(),
                       [&](const EphemerisFileProblem& p) { return available.contains(p.file); });
}

}  // namespace quintaro
