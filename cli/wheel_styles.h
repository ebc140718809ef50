// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "app/session.h"
#include "cli/cli_context.h"

namespace quintaro::cli {

// The wheel command's choice of wheel: --style lens|duo|house|zodiac, --house-system NAME (the
// house and zodiac wheels) and --transits (natal + transit; the lens and duo wheels show the
// transits unless --natal-only is given, the house and zodiac wheels only with --transits).
struct WheelStyleOptions {
    std::string style = "lens";
    std::string houseSystem;
    bool transits = false;
};

// Exit status of a wheel written without some of its bodies (the house wheel's full houses).
constexpr int WheelIncompleteExit = 2;

void AddWheelStyleOptions(CLI::App& wheel, WheelStyleOptions& options, CLI::Option* natalOnlyFlag);

// Whether the choices go together (--helio only with the lens wheel); reports when not.
bool CheckWheelStyle(const WheelStyleOptions& options, bool helio, CliContext& context);

// Draws the wheel of the chosen style from the session's charts into `out` (.png, .svg or .pdf,
// sizePx pixels square). False, reported, when the file could not be written; a house wheel that
// had to leave bodies out is written, the bodies are named on stderr and the exit status is
// WheelIncompleteExit.
bool WriteWheelOfStyle(const Session& session, const WheelStyleOptions& options, bool natalOnly,
                       bool helio, const std::string& out, int sizePx, CliContext& context);

}  // namespace quintaro::cli
