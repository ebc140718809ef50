// SPDX-License-Identifier: AGPL-3.0-or-later
// quintaro-ephemgen: writes the planetary ephemeris files and the day tables from the reference
// library, and measures how well our reader reproduces it.
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>

#include "tools/ephemgen/accuracy.h"
#include "tools/ephemgen/generate.h"

namespace {

using namespace quintaro::ephemgen;

int Finish(const std::string& why, std::chrono::steady_clock::time_point started) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!why.empty()) {
        std::fprintf(stderr, "quintaro-ephemgen: %s\n", why.c_str());
        return 1;
    }
    std::fprintf(stderr, "finished in %.1f s\n", seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Writes the planetary ephemeris files and day tables from the reference library"};
    app.require_subcommand(1);
    std::string libraryData = "/usr/share/libswe/ephe";
    int threads = 2;
    app.add_option("--library-data", libraryData, "Folder of the reference library's data files");
    app.add_option("--threads", threads, "Parallel threads")->check(CLI::Range(1, 64));

    GenerateOptions generate;
    generate.folder = "ephemeris";
    auto addOut = [&](CLI::App* command) {
        command->add_option("--out", generate.folder, "Folder the files are written to");
    };
    CLI::App* all = app.add_subcommand("all", "Planetary files, pholus and the default midpoints");
    CLI::App* planets = app.add_subcommand("planets", "Planetary files ephem000.dat ...");
    CLI::App* daytables =
        app.add_subcommand("daytables", "Day tables of pholus and the default midpoints");
    CLI::App* midpoint = app.add_subcommand("midpoint", "Day tables of one midpoint ephemeris");
    for (CLI::App* c : {all, planets, daytables, midpoint}) addOut(c);
    MidpointRequest request;
    midpoint->add_option("first", request.first, "First body (e.g. saturn)")->required();
    midpoint->add_option("second", request.second, "Second body (e.g. jupiter)")->required();
    midpoint->add_option("--name", request.name, "File name stem (default first_second)");

    VerifyOptions verify;
    verify.folder = "ephemeris";
    CLI::App* verifyCommand = app.add_subcommand("verify", "Compare our reader with the library");
    verifyCommand->add_option("--dir", verify.folder, "Folder of the planetary files");
    verifyCommand->add_option("--samples", verify.samples, "Random moments")
        ->check(CLI::PositiveNumber);
    verifyCommand->add_option("--seed", verify.seed, "Seed of the random moments");

    StepsOptions steps;
    steps.steps = {0.5, 1, 2, 4, 8, 16};
    CLI::App* stepsCommand =
        app.add_subcommand("steps", "Measure the reader's errors at candidate sampling steps");
    stepsCommand->add_option("--step", steps.steps, "Candidate steps in days")->delimiter(',');
    stepsCommand->add_option("--body", steps.bodies, "Bodies to measure (default all)")
        ->delimiter(',');
    stepsCommand->add_option("--samples", steps.samples, "Random moments per step")
        ->check(CLI::PositiveNumber);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    const auto started = std::chrono::steady_clock::now();
    generate.threads = verify.threads = steps.threads = threads;
    generate.libraryData = verify.libraryData = steps.libraryData = libraryData;
    try {
        if (verifyCommand->parsed()) return RunVerify(verify) ? 0 : 1;
        if (stepsCommand->parsed()) {
            RunSteps(steps);
            return Finish({}, started);
        }
        if (all->parsed() || planets->parsed()) generate.planets = true;
        if (all->parsed() || daytables->parsed()) {
            generate.bodies = {"pholus"};
            generate.midpoints = DefaultMidpoints();
        }
        if (midpoint->parsed()) {
            if (request.name.empty()) request.name = request.first + "_" + request.second;
            generate.midpoints = {request};
        }
        return Finish(Generate(generate), started);
    } catch (const std::exception& e) {
        return Finish(e.what(), started);
    }
}
