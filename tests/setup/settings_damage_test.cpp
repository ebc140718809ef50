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

const CivilDate kDamageDay{2026, 12, 6};

TEST(SettingsFileDamage, OnlyAWholeFileAsTheWriterMakesItIsSound) {
    const std::string whole = SettingsText(DefaultSettings("/home/q", kDamageDay));
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
    Settings settings = DefaultSettings("/home/q", kDamageDay);
    settings.outputNameFileOPT = std::string("a") + '\x01' + "b" + '\x1f' + "\tc" + '\0' + "d";
    settings.dataDirectory = "x\ny\rz";
    const std::string text = SettingsText(settings);
    EXPECT_EQ(SettingsFileDamage(text), "");
    EXPECT_NE(text.find("OutputNameFileOPT=a b \tc d\n"), std::string::npos);
    EXPECT_NE(text.find("DataDirectory=x y z\n"), std::string::npos);
}

}  // namespace
}  // namespace quintaro
