// SPDX-License-Identifier: AGPL-3.0-or-later
// A damaged settings file is recognised, copied to ".bad" and reported before the whole file
// replaces it.
#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "recording_messages.h"
#include "setup/settings_file.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

const CivilDate kToday{2026, 12, 6};

TEST(SettingsFileDamage, OnlyAWholeFileAsTheWriterMakesItIsSound) {
    const std::string whole = SettingsText(DefaultSettings("/home/q", kToday));
    EXPECT_EQ(SettingsFileDamage(whole), "");
    std::string crlf;
    for (char c : whole) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(SettingsFileDamage(crlf), "");  // line ends of another system are no damage

    struct Case {
        std::string text;
        const char* why;
    } cases[] = {
        {"", "its first line is not the settings header"},
        {"FontSize= 10\n", "its first line is not the settings header"},
        {whole.substr(0, whole.find("StartScale=")),
         "133 of its 136 settings are missing (the first is \"StartScale=\")"},
        {whole.substr(0, whole.find("width_of_conjunction=")),
         "1 of its 136 settings are missing (the first is \"width_of_conjunction=\")"},
        {whole.substr(0, 200) + '\0' + whole.substr(200), "it holds bytes that are not text"},
        {whole + std::string(MaxSettingsFileSize, 'x'), "it is larger than a settings file can be"},
    };
    for (const Case& c : cases) EXPECT_EQ(SettingsFileDamage(c.text), c.why) << c.text.size();
    // The first line is compared whole: a header with a word changed is no header.
    std::string changed = whole;
    changed[1] = 'q';
    EXPECT_EQ(SettingsFileDamage(changed), "its first line is not the settings header");
}

// Whatever the settings hold, the file written from them is sound: a name with control
// characters (read from a damaged file) is written with blanks in their place.
TEST(SettingsFileDamage, TheWrittenFileIsAlwaysSound) {
    Settings settings = DefaultSettings("/home/q", kToday);
    settings.outputNameFileOPT = std::string("a") + '\x01' + "b" + '\x1f' + "\tc" + '\0' + "d";
    settings.dataDirectory = "x\ny\rz";
    const std::string text = SettingsText(settings);
    EXPECT_EQ(SettingsFileDamage(text), "");
    EXPECT_NE(text.find("OutputNameFileOPT=a b \tc d\n"), std::string::npos);
    EXPECT_NE(text.find("DataDirectory=x y z\n"), std::string::npos);
}

TEST(ReadSettings, ADamagedFileIsCopiedToBadAndReported) {
    test::TempFolder home;
    test::RecordingMessages messages;
    const auto file = home.path() / "Quintaro_Pro.INI";
    const std::string whole = SettingsText(DefaultSettings(home.path(), kToday));
    const std::string cut = whole.substr(0, whole.find("Geo_Opts=")) + "FontSize= 11\n";
    ASSERT_EQ(WriteFileAtomically(file, cut), "");

    Settings read = ReadSettings(home.path(), kToday, messages);
    EXPECT_EQ(read.fontSize, 11);  // what could be read is used
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(home.path() / "Quintaro_Pro.INI.bad", kept));
    EXPECT_EQ(kept, cut);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Warning!");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(messages.shown[0].text.find("is damaged: 53 of its 136 settings are missing"),
              std::string::npos)
        << messages.shown[0].text;
    EXPECT_NE(messages.shown[0].text.find("kept as " + file.string() + ".bad"), std::string::npos);

    // Written whole, the file reads without a word.
    ASSERT_TRUE(WriteSettings(home.path(), read, messages));
    messages.shown.clear();
    std::filesystem::remove(home.path() / "Quintaro_Pro.INI.bad");
    ReadSettings(home.path(), kToday, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(home.path() / "Quintaro_Pro.INI.bad"));
}

}  // namespace
}  // namespace quintaro
