// SPDX-License-Identifier: AGPL-3.0-or-later
// The styles of the wheel command: lens, duo, house and zodiac wheels.
#include "cli/wheel_styles.h"

#include "app/styled_wheel_builder.h"
#include "cli/name_lookup.h"
#include "wheels/house_wheel.h"
#include "wheels/wheel_files.h"

namespace quintaro::cli {

namespace {

std::string Joined(auto names) {
    std::string text;
    for (std::string_view name : names) text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

// The style's own choice when neither --transits nor --natal-only is given.
bool ShowsTransits(WheelStyle style, const WheelStyleOptions& options, bool natalOnly) {
    if (options.transits) return true;
    if (natalOnly) return false;
    return style == WheelStyle::Lens || style == WheelStyle::Duo;
}

}  // namespace

void AddWheelStyleOptions(CLI::App& wheel, WheelStyleOptions& options, CLI::Option* natalOnlyFlag) {
    wheel.add_option("--style", options.style, "Wheel style: lens (default), duo, house, zodiac")
        ->check(CLI::Validator(
            [](std::string& name) {
                return FindWheelStyle(name) ? std::string()
                                            : "unknown wheel style '" + name +
                                                  "'; the styles are " + Joined(WheelStyleNames);
            },
            "STYLE"));
    wheel
        .add_option("--house-system", options.houseSystem,
                    "House system of the house and zodiac wheels in any letter case, e.g. "
                    "\"equal-mc\" or K (default: the workstation's)")
        ->check(CLI::Validator(
            [](std::string& name) {
                std::string error;
                if (auto system = FindHouseSystemByName(name, error))
                    name = std::string(HouseSystemName(*system));
                return error;
            },
            "NAME"));
    auto* transits =
        wheel.add_flag("--transits", options.transits, "Natal and transit bodies (a bi-wheel)");
    if (natalOnlyFlag) transits->excludes(natalOnlyFlag);
}

bool CheckWheelStyle(const WheelStyleOptions& options, bool helio, CliContext& context) {
    auto style = FindWheelStyle(options.style);
    if (!style) {
        context.fail("unknown wheel style '" + options.style + "'");
        return false;
    }
    if (helio && *style != WheelStyle::Lens) {
        context.fail(
            "--helio draws the heliocentric lens wheel; the duo wheel shows both, the "
            "house and zodiac wheels are geocentric");
        return false;
    }
    return true;
}

bool WriteWheelOfStyle(const Session& session, const WheelStyleOptions& options, bool natalOnly,
                       bool helio, const std::string& out, int sizePx, CliContext& context) {
    StyledWheelView view;
    view.style = FindWheelStyle(options.style).value_or(WheelStyle::Lens);
    view.view.withTransit = ShowsTransits(view.style, options, natalOnly);
    view.view.heliocentric = helio;
    if (!options.houseSystem.empty()) view.houseSystem = FindHouseSystem(options.houseSystem);
    WheelTarget target;
    target.deviceWidth = target.deviceHeight = sizePx;
    StyledWheelLayout drawn;
    std::string error = WriteStyledWheelFile(BuildStyledWheel(session, view, target), out, sizePx,
                                             session.workstation.home, context.messages, &drawn);
    if (!error.empty()) {
        context.fail(error);
        return false;
    }
    for (const LeftOutBody& body : drawn.leftOut) {
        context.messages.show(std::string(HouseFullTitle), HouseFullText(body),
                              MessageIcon::Information);
        context.exitCode = WheelIncompleteExit;
    }
    return true;
}

}  // namespace quintaro::cli
