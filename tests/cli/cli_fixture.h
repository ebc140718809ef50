// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_run.h"
#include "temp_folder.h"

namespace quintaro::test {

// A chart data file of the test data: 2000-01-01 12:00 UT at 0°00' W, 51°29' N, and its transit
// chart one day later.
inline std::string J2000Chart() {
    return std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/j2000.opt";
}

// quintaro-cli run as a user runs it, in an installation folder of the test's own.
class CliTest : public ::testing::Test {
  protected:
    CliResult Run(std::vector<std::string> args, const RunSetting& setting = {}) {
        args.insert(args.begin(), {"--home", home().string()});
        return RunCli(folder.path(), args, setting);
    }
    // Runs a command that must succeed; its standard output.
    std::string Output(const std::vector<std::string>& args) {
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }
    // Runs a command that must succeed and print JSON; the document.
    nlohmann::json Json(std::vector<std::string> args) {
        args.push_back("--json");
        CliResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        try {
            return nlohmann::json::parse(r.out);
        } catch (const nlohmann::json::exception& e) {
            ADD_FAILURE() << "not JSON: " << e.what() << "\n" << r.out;
            return {};
        }
    }
    // Runs a command that must be refused: a clear message on stderr, nothing on stdout, the
    // exit status of an error (not a crash).
    void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
        CliResult r = Run(args);
        EXPECT_GT(r.status, 0) << r.out;
        EXPECT_LT(r.status, 128) << "killed by a signal";
        EXPECT_NE(r.err.find(message), std::string::npos) << "stderr lacks \"" << message << "\":\n"
                                                          << r.err;
        EXPECT_EQ(r.out, "");
    }
    std::filesystem::path home() const { return folder.path() / "home"; }
    std::string Path(const std::string& name) const { return (folder.path() / name).string(); }

    TempFolder folder;
};

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace quintaro::test
