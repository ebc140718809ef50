// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/ephemeris_loader.h"
#include "temp_folder.h"

namespace quintaro::test {

inline const std::string kJ2000Opt = std::string(QUINTARO_SOURCE_DIR) + "/tests/cli/data/j2000.opt";

// An installation folder of its own for each test, and quintaro-cli run in it.
class CliHome : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GeneratedEphemerisSource() / "ephem000.dat"))
            GTEST_SKIP() << "no generated ephemeris files";
        std::filesystem::create_directories(output());
    }

    std::filesystem::path home() const { return folder.path() / "home"; }
    std::filesystem::path output() const { return folder.path() / "output"; }
    std::filesystem::path loadFolder() const { return LoadFolderPath(home()); }
    std::string path(const char* name) const { return (folder.path() / name).string(); }

    // quintaro-cli --home <home> args..., with `prefix` (environment settings, another user)
    // in front of the program when given.
    CliResult run(std::vector<std::string> args, const std::string& prefix = {}) {
        args.insert(args.begin(), {"--home", home().string()});
        if (prefix.empty()) return RunCli(output(), args);
        std::string command = prefix + " " + ShellQuoted(QUINTARO_CLI);
        for (const std::string& arg : args) command += " " + ShellQuoted(arg);
        command += " >" + ShellQuoted((output() / "stdout.txt").string()) + " 2>" +
                   ShellQuoted((output() / "stderr.txt").string());
        CliResult result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        ReadWholeFile(output() / "stdout.txt", result.out);
        ReadWholeFile(output() / "stderr.txt", result.err);
        return result;
    }

    // A first run fills the folder (default files, ephemeris files, settings, groups).
    void prepare() {
        CliResult first = run({"chart", "--opt", kJ2000Opt});
        ASSERT_EQ(first.status, 0) << first.err;
    }

    static nlohmann::json Parse(const std::string& text) {
        return nlohmann::json::parse(text, nullptr, false);
    }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TempFolder folder;
};

// Sets an environment variable for the life of the object (the child processes inherit it).
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old, had_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (had_)
            ::setenv(name_, saved_.c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

}  // namespace quintaro::test
