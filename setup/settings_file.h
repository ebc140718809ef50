// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The settings file "Quintaro_Pro.INI" in the installation folder: window rectangles, wheel
// scales, last-used file names and folders, the selection texts of the planet groups, the
// aspectarian date range and a few drawing widths. The workstation reads it once at start-up
// (after the options file) and writes it once, at exit. Every value is a plain value here; the
// windows and the groups take what they need from it.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/calendar.h"
#include "core/messages.h"

namespace quintaro {

inline constexpr std::string_view SettingsFileName = "\\Quintaro_Pro.INI";
inline constexpr std::string_view SettingsHeader =
    "[Quintaro_Pro] - Do NOT change the order of these variables.";

// A window rectangle as the file keeps it, in twips (1/1440 inch); the windows convert.
struct WindowRect {
    int16_t top = 0;
    int16_t left = 0;
    int16_t height = 0;
    int16_t width = 0;
};

// The windows whose rectangles the file keeps, in the order they are written; each one's keys
// are named as SettingsWindowKey says.
enum class SettingsWindow : int {
    LongitudeAspectGrid,
    DeclinationAspectGrid,
    CrucialLongitudeAspectGrid,
    CrucialDeclinationAspectGrid,
    SingleKindAspectGrid,
    MidpointAspectGrid,
    PersonDatabaseGrid,
    ArabicParts,
    VoidOfCourseMoon,
    DataWindow0,
    SynchInterpretations,
    DataWindow1,
    DataOutputWindow2,
    DataOutputWindow3,
    ResearchNotes,
    Lessons,
    SmallSymmetryWheelGeo,
    SmallSymmetryWheelHelio,
    SmallHouseWheel,
    SmallWheelGeo,
    SmallWheelHelio,
    NatalInterpretations,
};
inline constexpr int SettingsWindowCount = 22;

// The key prefix of a window's four rectangle keys ("Data0" for "Data0Top=" ...).
std::string_view SettingsWindowKey(SettingsWindow window);

struct Settings {
    double fontSize = 8.5;
    double fontBold = 0;
    double fontItalic = 0;
    int16_t startScale = 287;
    int16_t startScaleSgl = 287;
    int16_t startScaleShl = 287;
    int16_t startScaleSglSym = 287;  // read, never written
    int16_t startScaleShlSym = 287;  // read, never written
    std::array<WindowRect, SettingsWindowCount> windows{};

    std::string outputNameFilePivotFile;
    std::string interpsFileParsedPathName;
    std::string outputNameFileLongitudeReport;
    std::string outputNameFileDeclinationReport;

    // Selection texts: 53 natal flags, then 53 transit flags, kept exactly as read.
    std::string blueOpts;
    std::string geoOpts;
    std::string synchOpts;
    std::string crucialOpts;
    int16_t geoGroup = 1;      // always written as 1
    int16_t crucialGroup = 1;  // always written as 1
    int16_t synchGroup = 1;    // read, never written

    std::string outputNameFileOPT;
    std::string outputNameFileGeoOpt;
    std::string outputNameFileCrucial;
    std::string outputNameFileSynchOpt;
    std::string outputNameFileSynchPP;
    std::string outputNameFileBlueOpt;  // read, never written

    // Aspectarian date range.
    int16_t startMonth = 1;
    int16_t startDay = 1;
    int16_t startYear = 2000;
    int16_t endMonth = 1;
    int16_t endDay = 1;
    int16_t endYear = 2000;

    std::string outputNameFileAspectarianFile;
    std::string outputNameFileResearch;
    std::string outputNameFileDbaseLessons;
    float timeOrbValue = 3.0f;
    int32_t dataInputBackgroundColor = 12632256;  // RGB(192, 192, 192)
    int16_t timeOrbFilterDays = 3;
    int16_t timeOrbFilterHours = 0;
    int16_t timeOrbFilterMinutes = 0;

    std::string fixFileParsedPathName;
    std::string unvFileParsedPathName;
    std::string velmsoftEphemsParsedPathName;
    std::string dataDirectory;
    std::string binaryFileParsedPathName;
    std::string mergedBinaryFileParsedPathName;
    std::string outputNameFileFIXFile;
    std::string fixedBinaryFileParsedPathName;
    std::string fixedAsciiFileParsedPathName;

    int16_t widthOfAspectLines = 2;
    int16_t widthOfCircle = 1;
    int16_t widthOfHexagon = 2;
    int16_t widthOfConjunction = 12;

    WindowRect& rect(SettingsWindow window) { return windows[static_cast<int>(window)]; }
    const WindowRect& rect(SettingsWindow window) const {
        return windows[static_cast<int>(window)];
    }
};

// Every built-in default: folders under home, the aspectarian range ending today.
// "DataDirectory=" defaults to the installation folder, "OutputNameFileFIXFile=" to empty.
Settings DefaultSettings(const std::filesystem::path& home, const CivilDate& today);

// Reads the settings file over the values already in settings (normally the defaults): a
// missing file changes nothing and says nothing. Numbers that do not fit their setting keep
// the value they had and are reported in one "Warning!" message.
void ReadSettingsFile(const std::filesystem::path& file, Settings& settings, Messages& messages);
// The same over a text in memory.
void ReadSettingsText(std::string_view text, Settings& settings, Messages& messages);

// The header and the 136 lines, each followed by a line break.
std::string SettingsText(const Settings& settings);
// Replaces the file whole or not at all, and only when its text changed; a failure is reported
// and gives false.
bool WriteSettingsFile(const std::filesystem::path& file, const Settings& settings,
                       Messages& messages);

// The lines the writer emits after the header.
inline constexpr int SettingsLineCount = 136;
// A settings file is never this large; a bigger one is damaged.
inline constexpr size_t MaxSettingsFileSize = 1 << 20;

// Why a settings file's text is not one the workstation wrote whole (bytes that are not text,
// no header line, settings missing, too large); empty for a sound file.
std::string SettingsFileDamage(std::string_view text);

// Start-up and shut-down: the defaults, then the file home + "\Quintaro_Pro.INI" when it exists;
// and writing that file. A damaged file is read as far as it goes, copied to
// "Quintaro_Pro.INI.bad" and reported, so that the file written whole at exit loses nothing the
// user may want back.
Settings ReadSettings(const std::filesystem::path& home, const CivilDate& today,
                      Messages& messages);
bool WriteSettings(const std::filesystem::path& home, const Settings& settings, Messages& messages);

}  // namespace quintaro
