// SPDX-License-Identifier: AGPL-3.0-or-later
// docs/user-guide.md as a user follows it: every command of its console blocks is run in order,
// in one working folder and one fresh installation folder, and every output line the guide shows
// must be what the program prints. A block without "..." shows the whole output. The files the
// commands write are decoded; the pictures and pages the guide links to exist.
#include <fstream>
#include <regex>
#include <sstream>

#include "cli_fixture.h"
#include "decoded_files.h"
#include "svg_reader.h"

namespace quintaro::test {
namespace {

const std::filesystem::path kDocs = std::filesystem::path(QUINTARO_SOURCE_DIR) / "docs";

struct GuideCommand {
    std::string line;                // after "$ "
    std::vector<std::string> shown;  // the output lines the guide shows, "..." for left out
    std::string section;             // the heading it stands under
};

std::string GuideText() {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(kDocs / "user-guide.md", text));
    return text;
}

std::vector<GuideCommand> GuideCommands(const std::string& markdown) {
    std::vector<GuideCommand> commands;
    std::istringstream in(markdown);
    std::string section;
    bool console = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("```")) {
            console = line == "```console";
            continue;
        }
        if (!console) {
            if (line.starts_with("## ")) section = line.substr(3);
            continue;
        }
        if (line.starts_with("$ "))
            commands.push_back({line.substr(2), {}, section});
        else if (!commands.empty())
            commands.back().shown.push_back(line);
    }
    return commands;
}

// The words of a command line as a shell splits them: blanks separate, quotes group.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (char c : line) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                word += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The shown lines appear in the output in the same order; without "..." they are the output.
void ExpectShown(const std::vector<std::string>& shown, const std::string& output,
                 const std::string& command) {
    const std::vector<std::string> actual = Lines(output);
    if (std::find(shown.begin(), shown.end(), "...") == shown.end()) {
        EXPECT_EQ(shown, actual) << command;
        return;
    }
    size_t next = 0;
    for (const std::string& line : shown) {
        if (line == "...") continue;
        auto it = std::find(actual.begin() + static_cast<long>(next), actual.end(), line);
        if (it == actual.end()) {
            ADD_FAILURE() << "the guide shows a line the program does not print (in this order):\n"
                          << line << "\ncommand: " << command << "\noutput:\n"
                          << output;
            return;
        }
        next = static_cast<size_t>(it - actual.begin()) + 1;
    }
}

// A file a command wrote, decoded by its kind.
void ExpectReadableFile(const std::filesystem::path& file) {
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    const std::string extension = file.extension().string();
    if (extension == ".png") {
        auto png = DecodePng(file.string());
        ASSERT_TRUE(png) << file;
        EXPECT_EQ(png->width, 800);
        EXPECT_GT(png->drawnShare, 0.02);
    } else if (extension == ".svg") {
        std::string bytes, error;
        ASSERT_TRUE(ReadWholeFile(file, bytes));
        auto elements = ParseXml(bytes, error);
        ASSERT_TRUE(elements) << file << ": " << error;
        EXPECT_EQ(elements->front().name, "svg");
    } else if (extension == ".opt") {
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(file, bytes));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 7);
    }
}

class UserGuide : public CliTest {
  protected:
    // Runs a command of the guide as a user would: in the working folder, with the
    // installation folder given by the environment.
    CliResult RunGuideCommand(const std::string& line) {
        std::vector<std::string> words = Words(line);
        EXPECT_FALSE(words.empty());
        EXPECT_EQ(words[0], "quintaro-cli") << line;
        words.erase(words.begin());
        std::filesystem::create_directories(work());
        return RunCli(folder.path(), words, {{"QUINTARO_HOME=" + home().string()}, work()});
    }
    std::filesystem::path work() const { return folder.path() / "work"; }
};

TEST_F(UserGuide, EveryCommandRunsAndPrintsWhatTheGuideShows) {
    const auto commands = GuideCommands(GuideText());
    ASSERT_GE(commands.size(), 8u);
    for (const GuideCommand& command : commands) {
        SCOPED_TRACE(command.line);
        CliResult r = RunGuideCommand(command.line);
        const bool refusal = !command.shown.empty() && command.shown[0].starts_with("error:");
        if (refusal) {
            EXPECT_GT(r.status, 0);
            EXPECT_LT(r.status, 128);
            EXPECT_EQ(r.out, "");
            ExpectShown(command.shown, r.err, command.line);
        } else {
            EXPECT_EQ(r.status, 0) << r.err;
            ExpectShown(command.shown, r.out, command.line);
        }
        const auto words = Words(command.line);
        for (size_t i = 1; i + 1 < words.size(); ++i)
            if (words[i] == "--out" || (words[i] == "write" && words[i - 1] == "opt"))
                ExpectReadableFile(work() / words[i + 1]);
    }
}

// From nothing to a natal chart with aspects and a wheel picture: the guide's first three
// commands, in an empty installation folder.
TEST_F(UserGuide, ThreeCommandsGiveTheNatalChartItsAspectsAndAWheel) {
    std::vector<GuideCommand> first;
    for (const GuideCommand& command : GuideCommands(GuideText()))
        if (command.section == "Your natal chart in three commands") first.push_back(command);
    ASSERT_EQ(first.size(), 3u);
    ASSERT_FALSE(std::filesystem::exists(home()));
    std::string all;
    for (const GuideCommand& command : first) {
        CliResult r = RunGuideCommand(command.line);
        ASSERT_EQ(r.status, 0) << command.line << "\n" << r.err;
        all += r.out;
    }
    EXPECT_TRUE(Contains(all, "natal–natal aspects in geocentric longitude")) << all;
    EXPECT_TRUE(std::regex_search(all, std::regex(R"(\n +1  Sun +\d+°\d\d′ )"))) << all;
    ExpectReadableFile(work() / "ann.png");
}

TEST_F(UserGuide, PicturesAndLinkedPagesExist) {
    const std::string text = GuideText();
    const std::regex link(R"(\]\(([^)#]+)\))");
    int pictures = 0, pages = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
         it != std::sregex_iterator(); ++it) {
        const std::filesystem::path target = kDocs / (*it)[1].str();
        EXPECT_TRUE(std::filesystem::exists(target)) << target;
        if (target.extension() == ".png") {
            ++pictures;
            auto png = DecodePng(target.string());
            ASSERT_TRUE(png) << target;
            EXPECT_GE(png->width, 600) << target;
        } else {
            ++pages;
        }
    }
    EXPECT_GE(pictures, 3);
    EXPECT_GE(pages, 5);
    std::string readme;
    ASSERT_TRUE(ReadWholeFile(std::filesystem::path(QUINTARO_SOURCE_DIR) / "README.md", readme));
    EXPECT_TRUE(Contains(readme, "](docs/user-guide.md)")) << "the README links the guide";
}

}  // namespace
}  // namespace quintaro::test
