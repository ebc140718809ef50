// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "core/selection_flags.h"
#include "setup/entry_model.h"

namespace quintaro {

// A chart data file (".opt"): one natal and one transit chart as the entry window shows them,
// seven lines of values set in print zones of 14 columns. Readers take the values in order,
// separated by commas, blanks or line ends; a quoted text ends at its closing quote.
constexpr int ChartFileValueCount = 40;  // values of the seven lines together

inline constexpr std::string_view kSaveChartTitle = "Save natal and transit data";
inline constexpr std::string_view kLoadChartTitle = "Load natal and transit data";
inline constexpr std::string_view kChartFileFilter = "Natal and Transit Data Files (*.opt) | *.opt";
inline constexpr std::string_view kChartFileExtension = "opt";
inline constexpr std::string_view kNatalIntoTransitTitle = "Load natal data into transit section";
inline constexpr std::string_view kNatalIntoTransitFilter =
    "Natal and Transit Data Files (*.OPT) | *.OPT";

// One chart as a file holds it. The date, minute and zone are the entry texts, unchanged; the
// hour is on the 24-hour clock; coordinates are signed decimal degrees (West and North positive).
struct ChartFileChart {
    std::string name, place;
    std::string year, month, day, minute, zone;
    double hour24 = 0;
    double longitude = 0;
    double latitude = 0;
};

// The five body flags of line 4, in file order.
enum ChartFileFlag : int { FlagNode, FlagAngles, FlagPartOfFortune, FlagChiron, FlagMoon };

struct ChartFile {
    ChartFileChart natal, transit;
    double carriedA = 0, carriedB = 0;  // line 2 after the coordinates, kept as read
    std::array<bool, 5> flags{};
    // How many of the 40 values the file held; a loader writes only the fields read.
    int valuesRead = ChartFileValueCount;
    // What was wrong with a damaged file, one sentence each; empty for a sound file.
    std::vector<std::string> problems;
};

// What a loaded file keeps for the next save: its path and the carried values A and B.
struct ChartFileMemory {
    std::filesystem::path currentFile;  // empty: none loaded or saved yet
    double carriedA = 0, carriedB = 0;
};

// Builds the file's content from the entry model: coordinates as degrees + minutes × 1.66667 /
// 100 in single precision, the five flags from the natal selection flags.
ChartFile ChartFileFromEntry(const EntryModel& model, const SelectionFlags& selection,
                             const ChartFileMemory& memory);

// The seven lines. A text field that is empty or holds a blank, comma or quote is written quoted
// so that it reads back whole; a double quote inside a quoted text becomes a single quote.
std::string FormatChartFile(const ChartFile& file);

// Reads the values of a file's text; never fails: a short or damaged text gives the values it
// held and the problems found.
ChartFile ParseChartFile(std::string_view text);

// Files bigger than this are damaged; only their beginning is read.
constexpr size_t ChartFileReadLimit = 1 << 20;
// Nothing when the file cannot be opened.
std::optional<ChartFile> ReadChartFile(const std::filesystem::path& path);

// Where a loaded file goes.
enum class ChartFileTarget {
    Everything,           // entry window, returns, solar arc, database transfer
    NatalOnly,            // "Load natal data only": natal part and flags
    NatalAndTransitDate,  // progressions: natal part, flags and only the transit date
    NatalIntoTransit,     // "Load As Transit": the natal part into the transit section
};

// Writes the values read into the entry fields: hours below 12 select AM (0 becomes 12), 12 and
// above PM; a negative coordinate selects East (South); degrees are the whole part, minutes the
// fraction × 60 rounded. Flags go to natal slots 13, 18 and 19, 20, 12 and 4 of `selection`.
// Fields beyond the values read keep their contents. The carried values are held in `memory`
// (except for NatalIntoTransit, which reads only the natal lines).
void ApplyChartFile(const ChartFile& file, ChartFileTarget target, EntryModel& model,
                    SelectionFlags& selection, ChartFileMemory& memory);

// What a load did: whether the file was read, and what was wrong with a damaged one (the fields
// it did not give kept their contents).
struct ChartFileLoad {
    bool loaded = false;
    std::vector<std::string> problems;
    explicit operator bool() const { return loaded; }
};

// Load and save as the menu commands do. LoadChartFile: a missing file reads nothing and gives
// "not loaded"; problems of a damaged file are shown in one message and returned; the path
// becomes the current file (not for NatalIntoTransit). The caller recomputes after a load.
// SaveChartFile writes the whole file or nothing and reports a failure; on success the path
// becomes the current file.
ChartFileLoad LoadChartFile(const std::filesystem::path& path, ChartFileTarget target,
                            EntryModel& model, SelectionFlags& selection, ChartFileMemory& memory,
                            Messages& messages);
bool SaveChartFile(const std::filesystem::path& path, const EntryModel& model,
                   const SelectionFlags& selection, ChartFileMemory& memory, Messages& messages);

// "Save" writes to the current file when one is known; "Save As" (askName) and a first save ask,
// proposing ProposedChartFileName. Nothing means: ask.
std::optional<std::filesystem::path> SaveWithoutAsking(bool askName, const ChartFileMemory& memory);
// The natal name + ".opt" when the transit name is "now" in any letter case, else the natal
// name followed by the transit name + ".opt". Path separators become "_".
std::string ProposedChartFileName(const EntryModel& model);

// "Load As Transit" first removes the scratch file "\temp3.txt" of the installation folder.
void RemoveNatalIntoTransitScratch(const std::filesystem::path& home);

}  // namespace quintaro
