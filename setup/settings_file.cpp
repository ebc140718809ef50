// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/settings_file.h"

#include <algorithm>
#include <variant>
#include <vector>

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "core/install_folder.h"
#include "setup/file_lines.h"
#include "setup/number_text.h"

namespace quintaro {

namespace {

constexpr std::array<std::string_view, SettingsWindowCount> kWindowKeys = {
    "DataGrdLongAspects",
    "DataGrdDeclAspects",
    "CrucialDataGrdLongAspects",
    "CrucialDataGrdDeclAspects",
    "DataGrdAspects",
    "DataGrdMidpointAspects",
    "display_db_grid",
    "frmDisplayArabicParts",
    "frmDisplayVOC",
    "Data0",
    "frmDisplaySynchInterps",
    "Data1",
    "DataOutput2",
    "DataOutput3",
    "frmResearchNotes",
    "frmLessonDisplay",
    "wheels_small_sym_geo",
    "wheels_small_sym_helio",
    "wheels_small_geo_houses",
    "wheels_small_geo",
    "wheels_small_helio",
    "natal_interps"};

// Top, Left, Height, Width.
constexpr std::array<std::array<int16_t, 4>, SettingsWindowCount> kWindowDefaults = {{
    {5985, 6720, 2655, 7215},  {8640, 6720, 2655, 7215},  {675, 6720, 2655, 7215},
    {3330, 6720, 2655, 7215},  {8640, 6720, 2655, 7215},  {8640, 6720, 7680, 5820},
    {5380, 5720, 4965, 9675},  {1000, 0, 2655, 4670},     {1600, 0, 2655, 4670},
    {4640, 0, 2655, 8670},     {4640, 0, 2655, 8670},     {4640, 2000, 2655, 8670},
    {8640, 0, 2655, 11355},    {8640, 2000, 2655, 11355}, {1600, 60, 2655, 5850},
    {4600, 60, 2655, 5850},    {620, 0, 5760, 5760},      {620, 5760, 5760, 5760},
    {620, 0, 5760, 5760},      {620, 0, 5760, 5760},      {620, 5760, 5760, 5760},
    {8640, 1000, 2655, 11355},
}};

constexpr std::array<std::string_view, 4> kRectSides = {"Top", "Left", "Height", "Width"};

// "Data0Top", "Data0Left", ... for every window, built once.
const std::array<std::array<std::string, 4>, SettingsWindowCount>& RectKeys() {
    static const auto keys = [] {
        std::array<std::array<std::string, 4>, SettingsWindowCount> k;
        for (int w = 0; w < SettingsWindowCount; ++w)
            for (int side = 0; side < 4; ++side)
                k[w][side] = std::string(kWindowKeys[w]) + std::string(kRectSides[side]);
        return k;
    }();
    return keys;
}

constexpr std::string_view kDefaultGeoOpts =
    "11101111111100000000000000000000000000000000000000000"
    "11101111111100000000000000000000000000000000000000000";
constexpr std::string_view kDefaultSynchOpts =
    "00100000110100000000000000000000000000000000000000000"
    "00100000110100000000000000000000000000000000000000000";

// File and folder names replace the value only when the line gives one; selection texts are
// taken as they are, even empty.
enum class TextRule { TakeAsIs, KeepWhenEmpty };
struct TextTarget {
    std::string* text;
    TextRule rule;
};
using Target = std::variant<double*, float*, int16_t*, int32_t*, TextTarget>;

struct Field {
    std::string_view key;  // without "="
    Target target;
    bool comparedWithEquals = false;
    bool written = true;
    std::string_view fixedLine = {};  // written verbatim instead of key and value
};

TextTarget Name(std::string& text) {
    return {&text, TextRule::KeepWhenEmpty};
}
TextTarget Selection(std::string& text) {
    return {&text, TextRule::TakeAsIs};
}

void AddWindows(std::vector<Field>& fields, Settings& s, SettingsWindow first,
                SettingsWindow last) {
    for (int w = static_cast<int>(first); w <= static_cast<int>(last); ++w) {
        const auto& keys = RectKeys()[w];
        WindowRect& r = s.windows[w];
        fields.push_back({keys[0], &r.top});
        fields.push_back({keys[1], &r.left});
        fields.push_back({keys[2], &r.height});
        fields.push_back({keys[3], &r.width});
    }
}

// Every setting of the file, the written ones in the order they are written.
std::vector<Field> Fields(Settings& s) {
    std::vector<Field> f;
    f.reserve(150);
    f.push_back({"FontSize", &s.fontSize});
    f.push_back({"FontBold", &s.fontBold});
    f.push_back({"FontItalic", &s.fontItalic});
    // With its "=", so that "StartScale_sgl=" and "StartScale_shl=" do not set it too.
    f.push_back({"StartScale", &s.startScale, true});
    f.push_back({"StartScale_sgl", &s.startScaleSgl});
    f.push_back({"StartScale_shl", &s.startScaleShl});
    AddWindows(f, s, SettingsWindow::LongitudeAspectGrid, SettingsWindow::SmallSymmetryWheelHelio);
    f.push_back({"OutputNameFilePivotFile", Name(s.outputNameFilePivotFile)});
    f.push_back({"InterpsFileParsedPathName", Name(s.interpsFileParsedPathName)});
    f.push_back({"OutputNameFileLongitudeReport", Name(s.outputNameFileLongitudeReport)});
    f.push_back({"OutputNameFileDeclinationReport", Name(s.outputNameFileDeclinationReport)});
    f.push_back({"Blue_Opts", Selection(s.blueOpts)});
    f.push_back({"Geo_Opts", Selection(s.geoOpts)});
    f.push_back({"GeoGroup", &s.geoGroup, false, true, "GeoGroup=1"});
    f.push_back({"Synch_Opts", Selection(s.synchOpts)});
    f.push_back({"Crucial_Opts", Selection(s.crucialOpts)});
    f.push_back({"CrucialGroup", &s.crucialGroup, false, true, "CrucialGroup=1"});
    f.push_back({"OutputNameFileOPT", Name(s.outputNameFileOPT)});
    f.push_back({"OutputNameFile_GeoOpt", Name(s.outputNameFileGeoOpt)});
    f.push_back({"OutputNameFile_Crucial", Name(s.outputNameFileCrucial)});
    f.push_back({"OutputNameFile_SynchOpt", Name(s.outputNameFileSynchOpt)});
    f.push_back({"OutputNameFile_SynchPP", Name(s.outputNameFileSynchPP)});
    f.push_back({"StartMonth", &s.startMonth});
    f.push_back({"StartDay", &s.startDay});
    f.push_back({"StartYear", &s.startYear});
    f.push_back({"EndMonth", &s.endMonth});
    f.push_back({"EndDay", &s.endDay});
    f.push_back({"EndYear", &s.endYear});
    f.push_back({"OutputNameFileAspectarianFile", Name(s.outputNameFileAspectarianFile)});
    f.push_back({"OutputNameFileRESEARCH", Name(s.outputNameFileResearch)});
    f.push_back({"OutputNameFileDBASE_LESSONS", Name(s.outputNameFileDbaseLessons)});
    f.push_back({"TimeOrbValue", &s.timeOrbValue});
    AddWindows(f, s, SettingsWindow::SmallHouseWheel, SettingsWindow::SmallWheelHelio);
    f.push_back({"data_input_background_color", &s.dataInputBackgroundColor, true});
    f.push_back({"TimeOrbFilter_days", &s.timeOrbFilterDays, true});
    f.push_back({"TimeOrbFilter_hours", &s.timeOrbFilterHours, true});
    f.push_back({"TimeOrbFilter_minutes", &s.timeOrbFilterMinutes, true});
    AddWindows(f, s, SettingsWindow::NatalInterpretations, SettingsWindow::NatalInterpretations);
    f.push_back({"FIXFileParsedPathName", Name(s.fixFileParsedPathName)});
    f.push_back({"UNVFileParsedPathName", Name(s.unvFileParsedPathName)});
    f.push_back({"VELMSOFT_EPHEMSParsedPathName", Name(s.velmsoftEphemsParsedPathName)});
    f.push_back({"DataDirectory", Name(s.dataDirectory)});
    f.push_back({"BINARYFileParsedPathName", Name(s.binaryFileParsedPathName)});
    f.push_back({"MergedBINARYFileParsedPathName", Name(s.mergedBinaryFileParsedPathName)});
    f.push_back({"OutputNameFileFIXFile", Name(s.outputNameFileFIXFile)});
    f.push_back({"FIXED_BINARYFileParsedPathName", Name(s.fixedBinaryFileParsedPathName)});
    f.push_back({"FIXED_ASCIIFileParsedPathName", Name(s.fixedAsciiFileParsedPathName)});
    f.push_back({"width_of_aspect_lines", &s.widthOfAspectLines, true});
    f.push_back({"width_of_circle", &s.widthOfCircle, true});
    f.push_back({"width_of_hexagon", &s.widthOfHexagon, true});
    f.push_back({"width_of_conjunction", &s.widthOfConjunction, true});
    // Accepted when reading, never written.
    f.push_back({"SynchGroup", &s.synchGroup, false, false});
    f.push_back({"OutputNameFile_BlueOpt", Name(s.outputNameFileBlueOpt), false, false});
    f.push_back({"StartScale_sgl_sym", &s.startScaleSglSym, false, false});
    f.push_back({"StartScale_shl_sym", &s.startScaleShlSym, false, false});
    return f;
}

bool LineStartsWithKey(std::string_view line, const Field& field) {
    if (!line.starts_with(field.key)) return false;
    return !field.comparedWithEquals || line.substr(field.key.size()).starts_with('=');
}

// Sets one field from a line's value; false when the number does not fit the setting.
bool Apply(const Field& field, std::string_view value) {
    return std::visit(
        [value](auto target) {
            using T = decltype(target);
            if constexpr (std::is_same_v<T, TextTarget>) {
                if (target.rule == TextRule::TakeAsIs || !value.empty())
                    *target.text = std::string(value);
                return true;
            } else {
                double number = LeadingNumber(value);
                if constexpr (std::is_same_v<T, double*>) {
                    *target = number;
                    return true;
                } else if constexpr (std::is_same_v<T, float*>) {
                    auto single = ToSingle(number);
                    if (single) *target = *single;
                    return single.has_value();
                } else if constexpr (std::is_same_v<T, int16_t*>) {
                    auto whole = RoundToInt16(number);
                    if (whole) *target = *whole;
                    return whole.has_value();
                } else {
                    auto whole = RoundToInt32(number);
                    if (whole) *target = *whole;
                    return whole.has_value();
                }
            }
        },
        field.target);
}

// A text value may not break its line (a line break in a name would start a line of its own,
// which the next start would read as a setting) nor hold other control characters (the next
// start would take the file for damaged): they are written as blanks.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }, ' ');
    return text;
}

std::string ValueText(const Target& target) {
    return std::visit(
        [](auto t) -> std::string {
            using T = decltype(t);
            if constexpr (std::is_same_v<T, TextTarget>)
                return OneLine(*t.text);
            else if constexpr (std::is_same_v<T, double*> || std::is_same_v<T, float*>)
                return BlankSignedNumber(*t);
            else
                return BlankSignedNumber(static_cast<long long>(*t));
        },
        target);
}

void ReadSettingsLines(const LineSource& lines, Settings& settings, Messages& messages) {
    std::vector<Field> fields = Fields(settings);
    std::string unfit;
    int unfitCount = 0;
    lines([&](std::string_view line) {
        size_t equals = line.find('=');
        std::string_view value = equals == std::string_view::npos ? line : line.substr(equals + 1);
        for (const Field& field : fields) {
            if (!LineStartsWithKey(line, field) || Apply(field, value)) continue;
            // Only the first few are named: a damaged file can hold thousands.
            if (++unfitCount <= 10) unfit += "\n" + std::string(line.substr(0, 80));
        }
        return true;
    });
    if (unfitCount == 0) return;
    if (unfitCount > 10) unfit += "\n... and " + std::to_string(unfitCount - 10) + " more";
    messages.show("Warning!",
                  "These lines of the settings file hold numbers too large for their "
                  "settings; the settings keep their previous values:" +
                      unfit,
                  MessageIcon::Exclamation);
}

// Where a line of the file should begin: the fixed line itself or the key and "=".
std::string WrittenLineStart(const Field& field) {
    return field.fixedLine.empty() ? std::string(field.key) + "=" : std::string(field.fixedLine);
}

// The damaged copy is kept beside the file, named as the file with ".bad" added.
void KeepDamagedCopy(const std::filesystem::path& file, const std::string& why,
                     Messages& messages) {
    std::filesystem::path copy = file;
    copy += ".bad";
    const std::string failure = CopyFileAtomically(file, copy);
    messages.show("Warning!",
                  "The settings file " + file.string() + " is damaged: " + why +
                      ". Its settings were read where they could be; the others are at their "
                      "defaults. " +
                      (failure.empty() ? "A copy of the damaged file is kept as " + copy.string() +
                                             "; the settings file is written "
                                             "whole again when the workstation closes."
                                       : "No copy of it could be kept: " + failure + "."),
                  MessageIcon::Exclamation);
}

}  // namespace

std::string SettingsFileDamage(std::string_view text) {
    if (text.size() > MaxSettingsFileSize) return "it is larger than a settings file can be";
    const bool binary = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t';
    });
    if (binary) return "it holds bytes that are not text";
    std::vector<std::string_view> lines;
    ForEachTextLine(text, [&lines](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    if (lines.empty() || lines.front() != SettingsHeader)
        return "its first line is not the settings header";
    Settings scratch;
    std::string firstMissing;
    int missing = 0;
    for (const Field& field : Fields(scratch)) {
        if (!field.written) continue;
        const std::string start = WrittenLineStart(field);
        const bool found = std::any_of(lines.begin() + 1, lines.end(), [&](std::string_view line) {
            return line.starts_with(start);
        });
        if (found) continue;
        if (missing++ == 0) firstMissing = start;
    }
    if (missing == 0) return {};
    return std::to_string(missing) + " of its " + std::to_string(SettingsLineCount) +
           " settings are missing (the first is \"" + firstMissing + "\")";
}

std::string_view SettingsWindowKey(SettingsWindow window) {
    return kWindowKeys[static_cast<int>(window)];
}

Settings DefaultSettings(const std::filesystem::path& home, const CivilDate& today) {
    Settings s;
    for (int w = 0; w < SettingsWindowCount; ++w) {
        const auto& d = kWindowDefaults[w];
        s.windows[w] = {d[0], d[1], d[2], d[3]};
    }
    auto under = [&home](std::string_view relative) { return HomePath(home, relative).string(); };
    s.interpsFileParsedPathName = under("\\interps");
    s.blueOpts = std::string(106, '0');
    s.geoOpts = kDefaultGeoOpts;
    s.synchOpts = kDefaultSynchOpts;
    s.crucialOpts = kDefaultSynchOpts;
    s.outputNameFileGeoOpt = under("\\group1.sel");
    s.outputNameFileCrucial = under("\\group1.cru");
    s.outputNameFileSynchOpt = under("\\group1.syn");
    s.outputNameFileSynchPP = under("\\GeneralUse.ord");
    s.endMonth = static_cast<int16_t>(today.month);
    s.endDay = static_cast<int16_t>(today.day);
    s.endYear = static_cast<int16_t>(today.year);
    s.fixFileParsedPathName = home.string();
    s.unvFileParsedPathName = home.string();
    s.velmsoftEphemsParsedPathName = home.string();
    s.dataDirectory = home.string();
    s.binaryFileParsedPathName = under("\\binary_ephems");
    s.mergedBinaryFileParsedPathName = under("\\merged_binary_ephems");
    s.fixedBinaryFileParsedPathName = under("\\fixed_binary");
    s.fixedAsciiFileParsedPathName = under("\\fixed_ascii");
    return s;
}

void ReadSettingsFile(const std::filesystem::path& file, Settings& settings, Messages& messages) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return;
    ReadSettingsLines(FileLines(file), settings, messages);
}

void ReadSettingsText(std::string_view text, Settings& settings, Messages& messages) {
    ReadSettingsLines(TextLines(text), settings, messages);
}

std::string SettingsText(const Settings& settings) {
    Settings copy = settings;
    std::string text = std::string(SettingsHeader) + "\n";
    for (const Field& field : Fields(copy)) {
        if (!field.written) continue;
        if (!field.fixedLine.empty())
            text += field.fixedLine;
        else
            text += std::string(field.key) + "=" + ValueText(field.target);
        text += "\n";
    }
    return text;
}

bool WriteSettingsFile(const std::filesystem::path& file, const Settings& settings,
                       Messages& messages) {
    std::string failure = WriteFileIfChanged(file, SettingsText(settings));
    if (failure.empty()) return true;
    messages.show("Warning!", "The settings could not be saved: " + failure,
                  MessageIcon::Exclamation);
    return false;
}

Settings ReadSettings(const std::filesystem::path& home, const CivilDate& today,
                      Messages& messages) {
    Settings settings = DefaultSettings(home, today);
    const std::filesystem::path file = HomePath(home, SettingsFileName);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return settings;
    ReadSettingsFile(file, settings, messages);
    std::string text;
    const auto size = std::filesystem::file_size(file, ec);
    std::string why = ec || size > MaxSettingsFileSize ? "it is larger than a settings file can be"
                      : ReadWholeFile(file, text)      ? SettingsFileDamage(text)
                                                       : "it cannot be read";
    if (!why.empty()) KeepDamagedCopy(file, why, messages);
    return settings;
}

bool WriteSettings(const std::filesystem::path& home, const Settings& settings,
                   Messages& messages) {
    return WriteSettingsFile(HomePath(home, SettingsFileName), settings, messages);
}

}  // namespace quintaro
