// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/chart_data_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <system_error>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/install_folder.h"

namespace quintaro {

namespace {

constexpr int kZone = 14;  // print-zone width

// Where each value of a chart sits among the file's 40 values.
struct ChartLayout {
    int name, year, month, day, hour, minute, zone, place, longitude, latitude;
};
constexpr ChartLayout kNatalAt = {0, 1, 2, 3, 4, 5, 7, 10, 11, 12};
constexpr ChartLayout kTransitAt = {27, 28, 29, 30, 31, 32, 34, 35, 36, 37};
constexpr int kCarriedAAt = 13;
constexpr int kCarriedBAt = 14;
constexpr int kFlagsAt = 22;

// ---- writing ----

// A number as the file writes it: a blank or "-", the digits, a blank.
std::string NumberField(double value) {
    if (value == 0) value = 0;  // no "-0"
    std::array<char, 400> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                std::chars_format::fixed);
    std::string digits = result.ec == std::errc() ? std::string(buffer.data(), result.ptr) : "0";
    return (value < 0 ? "-" : " ") + digits + " ";
}

std::string CoordinateField(double degrees) {
    std::string text = FormatNumber(degrees, ".0####");
    return (text.front() == '-' ? "" : " ") + text + " ";
}

bool IsSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

// A text as a file can hold it: no double quote (it would end a quoted text) and no line break.
std::string Cleaned(std::string text) {
    for (char& c : text) {
        if (c == '"') c = '\'';
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

std::string QuotedField(const std::string& text) {
    return "\"" + Cleaned(text) + "\"";
}

// Entry texts go as they are, unless they would not read back as one value.
std::string TextField(const std::string& text) {
    std::string cleaned = Cleaned(text);
    bool plain = !cleaned.empty() && std::none_of(cleaned.begin(), cleaned.end(), IsSeparator);
    return plain ? cleaned : "\"" + cleaned + "\"";
}

// One line in print zones: each field after the first starts at the next multiple of 14 after
// the end of the previous one; a field ending on a zone boundary moves to the following zone, so
// that fields are always apart.
std::string ZonedLine(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) line.append((line.size() / kZone + 1) * kZone - line.size(), ' ');
        line += field;
    }
    return line + "\n";
}

double Hour24(const EntrySection& s) {
    double hour = LeadingNumber(s.hour);
    if (s.pm) return hour == 12 ? 12 : hour + 12;
    return hour == 12 ? 0 : hour;
}

// Degrees + minutes × 1.66667 / 100, taken to six decimals before the file's five: the files
// this format comes with hold 87.63334 for 87°38' and 73.98334 for 73°59'.
double FileCoordinate(const std::string& degrees, const std::string& minutes, bool negate) {
    double value = LeadingNumber(degrees) + LeadingNumber(minutes) * 1.66667 / 100;
    value = std::round(value * 1e6) / 1e6;
    if (!std::isfinite(value)) value = 0;
    return negate && value != 0 ? -value : value;
}

ChartFileChart ChartOf(const EntrySection& s) {
    ChartFileChart c;
    c.name = s.name;
    c.place = s.place;
    c.year = s.year;
    c.month = s.month;
    c.day = s.day;
    c.minute = s.minute;
    c.zone = s.zone;
    c.hour24 = Hour24(s);
    c.longitude = FileCoordinate(s.longDeg, s.longMin, s.east);
    c.latitude = FileCoordinate(s.latDeg, s.latMin, s.south);
    return c;
}

// ---- reading ----

std::vector<std::string> SplitValues(std::string_view text, size_t most) {
    std::vector<std::string> values;
    size_t i = 0;
    while (values.size() < most) {
        while (i < text.size() && IsSeparator(text[i])) ++i;
        if (i >= text.size()) break;
        if (text[i] == '"') {
            size_t close = text.find('"', i + 1);
            size_t end = close == std::string_view::npos ? text.size() : close;
            values.emplace_back(text.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? text.size() : close + 1;
        } else {
            size_t start = i;
            while (i < text.size() && !IsSeparator(text[i])) ++i;
            values.emplace_back(text.substr(start, i - start));
        }
    }
    return values;
}

bool IsNumber(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

const char* kValueNames[ChartFileValueCount] = {
    "natal name",           "natal year",       "natal month",     "natal day",
    "natal hour",           "natal minute",     "line 1 constant", "natal zone",
    "line 1 constant",      "line 1 constant",  "natal place",     "natal longitude",
    "natal latitude",       "carried value A",  "carried value B", "line 3 constant",
    "line 3 constant",      "line 3 constant",  "line 3 constant", "line 3 constant",
    "line 3 constant",      "line 3 constant",  "node flag",       "angles flag",
    "part of fortune flag", "Chiron flag",      "Moon flag",       "transit name",
    "transit year",         "transit month",    "transit day",     "transit hour",
    "transit minute",       "line 5 constant",  "transit zone",    "transit place",
    "transit longitude",    "transit latitude", "line 7 constant", "line 7 constant"};

// " (missing: the transit day, ...)": the chart fields from value `first` on; the constants
// carry nothing and are not named.
std::string MissingFieldsText(int first) {
    std::string names;
    for (int index = first; index < ChartFileValueCount; ++index) {
        std::string_view name = kValueNames[index];
        if (name.ends_with("constant")) continue;
        names += (names.empty() ? "" : ", ") + std::string(name);
    }
    return names.empty() ? "" : " (missing: " + names + ")";
}

// Reads values one by one, noting the ones that should be numbers and are not.
class ValueReader {
  public:
    ValueReader(std::vector<std::string> values, std::vector<std::string>& problems)
        : values_(std::move(values)), problems_(problems) {}

    bool has(int index) const { return index < static_cast<int>(values_.size()); }

    std::string text(int index) const {
        return has(index) ? values_[static_cast<size_t>(index)] : "";
    }

    double number(int index) {
        if (!has(index)) return 0;
        const std::string& value = values_[static_cast<size_t>(index)];
        if (!IsNumber(value)) complain(index, value);
        return LeadingNumber(value);
    }

    // A numeric entry text: kept as it is, so that a save writes back what was read; one that
    // is not a number is reported and reads as its leading number, as a typed field does.
    std::string numberText(int index) {
        if (!has(index)) return "";
        const std::string& value = values_[static_cast<size_t>(index)];
        if (!IsNumber(value)) complain(index, value);
        return value;
    }

  private:
    void complain(int index, const std::string& value) {
        std::string shown = value.substr(0, 20);
        for (char& c : shown)
            if (!std::isprint(static_cast<unsigned char>(c))) c = '?';
        problems_.push_back("the " + std::string(kValueNames[index]) + " \"" + shown +
                            (value.size() > 20 ? "...\"" : "\"") + " is not a number");
    }

    std::vector<std::string> values_;
    std::vector<std::string>& problems_;
};

ChartFileChart ReadChart(ValueReader& in, const ChartLayout& at) {
    ChartFileChart c;
    c.name = in.text(at.name);
    c.year = in.numberText(at.year);
    c.month = in.numberText(at.month);
    c.day = in.numberText(at.day);
    c.hour24 = in.number(at.hour);
    c.minute = in.numberText(at.minute);
    c.zone = in.numberText(at.zone);
    c.place = in.text(at.place);
    c.longitude = in.number(at.longitude);
    c.latitude = in.number(at.latitude);
    return c;
}

// ---- applying to the entry fields ----

void ApplyHour(double hour24, EntrySection& s) {
    s.pm = hour24 >= 12;
    double hour = hour24;
    if (hour == 0) hour = 12;
    if (hour > 12) hour -= 12;
    s.hour = FormatNumber(hour, "0.#####");
}

void ApplyCoordinate(double value, std::string& degrees, std::string& minutes, bool& negative) {
    negative = value < 0;
    double magnitude = std::fabs(value);
    double whole = std::floor(magnitude);
    double minuteValue = std::round((magnitude - whole) * 60);  // "#0"
    if (minuteValue >= 60) {  // 59.5' and more round up into the next degree
        whole += 1;
        minuteValue = 0;
    }
    degrees = FormatNumber(whole, "0");
    minutes = FormatNumber(minuteValue, "#0");
}

// Writes the fields of `chart` whose values were read. `dateOnly` stops after the date.
void ApplyChart(const ChartFileChart& c, const ChartLayout& at, int valuesRead, bool dateOnly,
                EntrySection& s) {
    auto read = [&](int index) { return index < valuesRead; };
    if (read(at.name) && !dateOnly) s.name = c.name;
    if (read(at.year)) s.year = c.year;
    if (read(at.month)) s.month = c.month;
    if (read(at.day)) s.day = c.day;
    if (dateOnly) return;
    if (read(at.hour)) ApplyHour(c.hour24, s);
    if (read(at.minute)) s.minute = c.minute;
    if (read(at.zone)) s.zone = c.zone;
    if (read(at.place)) s.place = c.place;
    if (read(at.longitude)) ApplyCoordinate(c.longitude, s.longDeg, s.longMin, s.east);
    if (read(at.latitude)) ApplyCoordinate(c.latitude, s.latDeg, s.latMin, s.south);
}

void ApplyFlags(const ChartFile& file, SelectionFlags& selection) {
    struct Target {
        int flag;
        int slot;
    };
    constexpr Target kTargets[] = {
        {FlagNode, SlotNode},        {FlagAngles, SlotAscendant},
        {FlagAngles, SlotMidheaven}, {FlagPartOfFortune, SlotPartOfFortune},
        {FlagChiron, SlotChiron},    {FlagMoon, SlotMoon}};
    for (const Target& t : kTargets)
        if (kFlagsAt + t.flag < file.valuesRead)
            selection.setNatal(t.slot, file.flags[static_cast<size_t>(t.flag)]);
}

}  // namespace

ChartFile ChartFileFromEntry(const EntryModel& model, const SelectionFlags& selection,
                             const ChartFileMemory& memory) {
    ChartFile file;
    file.natal = ChartOf(model.natal);
    file.transit = ChartOf(model.transit);
    file.carriedA = memory.carriedA;
    file.carriedB = memory.carriedB;
    auto natalFlag = [&](int slot) { return selection.natal(slot); };
    file.flags = {natalFlag(SlotNode), natalFlag(SlotAscendant) || natalFlag(SlotMidheaven),
                  natalFlag(SlotPartOfFortune), natalFlag(SlotChiron), natalFlag(SlotMoon)};
    return file;
}

std::string FormatChartFile(const ChartFile& f) {
    const ChartFileChart& n = f.natal;
    const ChartFileChart& t = f.transit;
    auto flag = [&](ChartFileFlag k) {
        return NumberField(f.flags[static_cast<size_t>(k)] ? 1 : 0);
    };
    std::string out;
    out += ZonedLine({QuotedField(n.name), TextField(n.year), TextField(n.month), TextField(n.day),
                      NumberField(n.hour24), TextField(n.minute), NumberField(0), TextField(n.zone),
                      NumberField(1), NumberField(0)});
    out +=
        ZonedLine({QuotedField(n.place), CoordinateField(n.longitude), CoordinateField(n.latitude),
                   NumberField(f.carriedA), NumberField(f.carriedB)});
    out += ZonedLine({NumberField(99), NumberField(99), NumberField(3), NumberField(1),
                      NumberField(1), NumberField(1), "False"});
    out += ZonedLine({flag(FlagNode), flag(FlagAngles), flag(FlagPartOfFortune), flag(FlagChiron),
                      flag(FlagMoon)});
    out +=
        ZonedLine({QuotedField(t.name), TextField(t.year), TextField(t.month), TextField(t.day),
                   NumberField(t.hour24), TextField(t.minute), NumberField(0), TextField(t.zone)});
    out += ZonedLine(
        {QuotedField(t.place), CoordinateField(t.longitude), CoordinateField(t.latitude)});
    out += ZonedLine({NumberField(1), NumberField(1)});
    return out;
}

ChartFile ParseChartFile(std::string_view text) {
    ChartFile file;
    std::vector<std::string> values = SplitValues(text, ChartFileValueCount);
    file.valuesRead = static_cast<int>(values.size());
    ValueReader in(std::move(values), file.problems);
    file.natal = ReadChart(in, kNatalAt);
    file.carriedA = in.number(kCarriedAAt);
    file.carriedB = in.number(kCarriedBAt);
    for (int k = 0; k < 5; ++k) file.flags[static_cast<size_t>(k)] = in.number(kFlagsAt + k) != 0;
    file.transit = ReadChart(in, kTransitAt);
    if (file.valuesRead < ChartFileValueCount)
        file.problems.insert(file.problems.begin(),
                             "it ends after " + std::to_string(file.valuesRead) + " of its " +
                                 std::to_string(ChartFileValueCount) + " values" +
                                 MissingFieldsText(file.valuesRead));
    return file;
}

std::optional<ChartFile> ReadChartFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(ChartFileReadLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return ParseChartFile(text);
}

void ApplyChartFile(const ChartFile& file, ChartFileTarget target, EntryModel& model,
                    SelectionFlags& selection, ChartFileMemory& memory) {
    if (target == ChartFileTarget::NatalIntoTransit) {
        ApplyChart(file.natal, kNatalAt, file.valuesRead, false, model.transit);
        return;
    }
    ApplyChart(file.natal, kNatalAt, file.valuesRead, false, model.natal);
    if (kCarriedAAt < file.valuesRead) memory.carriedA = file.carriedA;
    if (kCarriedBAt < file.valuesRead) memory.carriedB = file.carriedB;
    ApplyFlags(file, selection);
    if (target == ChartFileTarget::Everything)
        ApplyChart(file.transit, kTransitAt, file.valuesRead, false, model.transit);
    if (target == ChartFileTarget::NatalAndTransitDate)
        ApplyChart(file.transit, kTransitAt, file.valuesRead, true, model.transit);
}

ChartFileLoad LoadChartFile(const std::filesystem::path& path, ChartFileTarget target,
                            EntryModel& model, SelectionFlags& selection, ChartFileMemory& memory,
                            Messages& messages) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::optional<ChartFile> file = ReadChartFile(path);
    if (!file) {
        messages.show("Warning!", "Could not open the chart data file " + path.string() + ".",
                      MessageIcon::Exclamation);
        return {};
    }
    ApplyChartFile(*file, target, model, selection, memory);
    if (!file->problems.empty()) {
        std::string text = "The chart data file " + path.string() + " is damaged: ";
        for (size_t k = 0; k < file->problems.size(); ++k)
            text += (k ? "; " : "") + file->problems[k];
        messages.show("Warning!", text + ". The fields it does not give keep their contents.",
                      MessageIcon::Exclamation);
    }
    if (target != ChartFileTarget::NatalIntoTransit) memory.currentFile = path;
    return {true, file->problems};
}

bool SaveChartFile(const std::filesystem::path& path, const EntryModel& model,
                   const SelectionFlags& selection, ChartFileMemory& memory, Messages& messages) {
    std::string text = FormatChartFile(ChartFileFromEntry(model, selection, memory));
    if (std::string error = WriteFileAtomically(path, text); !error.empty()) {
        messages.show("Warning!",
                      "Could not write the chart data file " + path.string() + ": " + error,
                      MessageIcon::Exclamation);
        return false;
    }
    memory.currentFile = path;
    return true;
}

std::optional<std::filesystem::path> SaveWithoutAsking(bool askName,
                                                       const ChartFileMemory& memory) {
    if (askName || memory.currentFile.empty()) return std::nullopt;
    return memory.currentFile;
}

std::string ProposedChartFileName(const EntryModel& model) {
    std::string transit = model.transit.name;
    std::transform(transit.begin(), transit.end(), transit.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string name = model.natal.name + (transit == "now" ? "" : model.transit.name) + ".opt";
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    return name;
}

void RemoveNatalIntoTransitScratch(const std::filesystem::path& home) {
    std::error_code ignored;
    std::filesystem::remove(HomePath(home, "\\temp3.txt"), ignored);
}

}  // namespace quintaro
