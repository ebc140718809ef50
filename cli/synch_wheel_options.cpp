// SPDX-License-Identifier: AGPL-3.0-or-later
#include "cli/synch_wheel_options.h"

#include "app/small_wheels.h"
#include "app/synch_runs.h"
#include "cli/synch_options.h"
#include "wheels/wheel_files.h"

namespace quintaro::cli {

namespace {

// The wheel and the search of the choice; nothing, reported, when they do not fit together.
std::optional<SmallWheel> WheelOf(const SynchWheelChoice& choice, CliContext& context) {
    if ((choice.synch > 0) == (choice.symmetry > 0)) {
        context.fail("give one of --synch N and --symmetry N (N from 1)");
        return std::nullopt;
    }
    if (choice.syn.empty()) {
        context.fail("--synch and --symmetry need --syn FILE");
        return std::nullopt;
    }
    if (choice.synch > 0 && (choice.kind == "gl" || choice.kind == "hl"))
        return choice.kind == "gl" ? SmallWheel::SynchGeo : SmallWheel::SynchHelio;
    if (choice.symmetry > 0 && (choice.kind == "geo" || choice.kind == "helio"))
        return choice.kind == "geo" ? SmallWheel::SymmetryGeo : SmallWheel::SymmetryHelio;
    context.fail(choice.synch > 0 ? "--synch needs --kind gl or --kind hl"
                                  : "--symmetry needs --kind geo or --kind helio");
    return std::nullopt;
}

bool RunSearch(Session& session, const SynchWheelChoice& choice, bool symmetry,
               CliContext& context) {
    std::vector<std::filesystem::path> files(choice.syn.begin(), choice.syn.end());
    for (const auto& file : files) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) {
            context.fail("synchronization file " + file.string() + " does not exist");
            return false;
        }
    }
    if (!LoadSynchFiles(session, files)) return false;
    if (!symmetry) {
        auto orbs = ParseSynchOrbs(choice.orbs, context);
        return orbs && CalculateSynchOneDay(session, *orbs);
    }
    for (auto [text, option, k] : {std::tuple{&choice.orbGeo, "--orb-geo", 0},
                                   std::tuple{&choice.orbHelio, "--orb-helio", 1}}) {
        if (text->empty()) continue;
        auto orb = ParseOrb(*text, option, context);
        if (!orb) return false;
        session.synch.symmetryOrbs[static_cast<size_t>(k)] = *orb;
    }
    return CalculateSymmetricalPatterns(session);
}

}  // namespace

void AddSynchWheelOptions(CLI::App& wheel, SynchWheelChoice& choice) {
    wheel
        .add_option("--synch", choice.synch, "Small wheel of synchronization N (with --kind gl|hl)")
        ->check(CLI::PositiveNumber);
    wheel
        .add_option("--symmetry", choice.symmetry,
                    "Small wheel of symmetrical pattern N (with --kind geo|helio)")
        ->check(CLI::PositiveNumber);
    wheel.add_option("--kind", choice.kind, "gl or hl (--synch); geo or helio (--symmetry)");
    wheel.add_option("--syn", choice.syn, "Synchronization files (.syn) for --synch, --symmetry")
        ->delimiter(',');
    wheel.add_option("--orbs", choice.orbs, "Synchronization orbs GL,GD,HL,HLAT");
    wheel.add_option("--orb-geo", choice.orbGeo, "Geocentric symmetry orb");
    wheel.add_option("--orb-helio", choice.orbHelio, "Heliocentric symmetry orb");
}

bool SynchWheelRequested(const SynchWheelChoice& choice) {
    return choice.synch > 0 || choice.symmetry > 0 || !choice.kind.empty() || !choice.syn.empty();
}

bool WriteSynchWheel(Session& session, const SynchWheelChoice& choice, const std::string& out,
                     int sizePx, CliContext& context) {
    auto wheel = WheelOf(choice, context);
    if (!wheel) return false;
    if (!RunSearch(session, choice, IsSymmetryWheel(*wheel), context)) {
        context.exitCode = 1;
        return false;
    }
    const int wanted = IsSymmetryWheel(*wheel) ? choice.symmetry : choice.synch;
    const int count = SmallWheelCount(session.synch, *wheel);
    if (wanted > count) {
        context.fail(std::string(IsSymmetryWheel(*wheel) ? "pattern " : "synchronization ") +
                     std::to_string(wanted) + " does not exist: the list holds " +
                     std::to_string(count));
        return false;
    }
    WheelTarget target;
    target.deviceWidth = target.deviceHeight = sizePx;
    const SmallWheelPosition position = OpenSmallWheel(session.synch, *wheel, 1, wanted);
    const std::string error = WriteWheelFile(BuildSmallWheelInput(session, position, target), out,
                                             sizePx, session.workstation.home, context.messages);
    if (error.empty()) return true;
    context.fail(error);
    return false;
}

}  // namespace quintaro::cli
