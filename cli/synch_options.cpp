// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/synch_options.h"

#include "app/synch_runs.h"
#include "cli/workstation_run.h"
#include "core/formatting.h"

namespace quintaro::cli {

std::optional<double> ParseOrb(const std::string& text, const std::string& option,
                               CliContext& context) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        context.fail(option + ": '" + text + "' is not an orb (digits and '.' only)");
        return std::nullopt;
    }
    return LeadingNumber(text);
}

std::optional<SynchOrbs> ParseSynchOrbs(const std::string& text, CliContext& context) {
    if (text.empty()) return DefaultSynchOrbs;
    SynchOrbs orbs{};
    size_t start = 0;
    for (size_t k = 0; k < orbs.size(); ++k) {
        const size_t comma = text.find(',', start);
        const bool last = k + 1 == orbs.size();
        if (last != (comma == std::string::npos)) {
            context.fail("--orbs takes four orbs: GL,GD,HL,HLAT");
            return std::nullopt;
        }
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        auto orb = ParseOrb(part, "--orbs", context);
        if (!orb) return std::nullopt;
        orbs[k] = *orb;
        start = comma + 1;
    }
    return orbs;
}

std::unique_ptr<Session> OpenSynchSession(const std::string& optFile,
                                          const std::vector<std::string>& synFiles,
                                          CliContext& context) {
    std::vector<std::filesystem::path> files;
    for (const std::string& file : synFiles) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) {
            context.fail("synchronization file " + file + " does not exist");
            return nullptr;
        }
        files.emplace_back(file);
    }
    auto session = OpenSession(context);
    if (!session) return nullptr;
    if (!optFile.empty() && !LoadOptFile(*session, optFile, context)) return nullptr;
    if (!session->workstation.chartsComputed) {
        context.fail("the charts could not be computed");
        return nullptr;
    }
    if (!LoadSynchFiles(*session, files)) {
        context.exitCode = 1;  // the reason went to stderr
        return nullptr;
    }
    return session;
}

}  // namespace quintaro::cli
