// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Daily price files of a stock (".csf") or futures contract (".prn"): one comma-separated line
// per trading day, the date as eight digits yyyymmdd first, then high, low, close, open and
// volume, and in ".prn" files the open interest as well.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

namespace quintaro {

inline constexpr std::string_view kPriceFolder = "/pivots";
inline constexpr std::string_view kPriceFileFilter =
    "Stock/Futures Data Files (*.prn; *.csf) | *.prn; *.csf";

enum class PriceFileKind {
    Futures,  // ".prn": seven values per line
    Stock,    // ".csf": six values per line
};

// The columns of the price table; a line holds them in this order.
enum PriceColumn : int {
    DateColumn,
    HighColumn,
    LowColumn,
    CloseColumn,
    OpenColumn,
    VolumeColumn,
    OpenInterestColumn
};
inline constexpr int PriceColumnCount = 7;

// Values per line: 7 for ".prn", 6 for ".csf".
int PriceValueCount(PriceFileKind kind);
// The kind for a file's extension (letter case ignored); nothing for any other extension.
std::optional<PriceFileKind> PriceFileKindOf(const std::filesystem::path& file);

struct PriceRow {
    // The table's texts: the date as "mm/dd/yyyy", the other values as the line has them (the
    // open interest of a ".csf" row is empty).
    std::array<std::string, PriceColumnCount> cells;
    CivilDate date;
    double high = 0, low = 0, close = 0;
};

struct PriceTable {
    std::string fileName;  // the file's name without its folder
    PriceFileKind kind = PriceFileKind::Futures;
    std::vector<PriceRow> rows;  // rows numbered from 0, in file order
};

// Reads a price file's text. Blank lines are passed over. Nothing, with a reason that names the
// file and line, when a line has too few or too many values, a date that is not eight digits of
// a calendar date, or a price or volume that is no number (only the open interest may be empty).
std::optional<PriceTable> ParsePriceFile(std::string_view text, PriceFileKind kind,
                                         std::string_view fileName, std::string& error);

// Files bigger than this are no price files.
inline constexpr size_t PriceFileSizeLimit = size_t{64} << 20;

std::optional<PriceTable> LoadPriceFile(const std::filesystem::path& file, std::string& error);

// "Create New File": an empty price file; an existing file is never replaced. Empty on success,
// else the reason.
std::string CreatePriceFile(const std::filesystem::path& file);

// A day as the window's entry fields hold it: txtMonth, txtDay, txtYear and txtDataEntry 0 to 5
// ("PRICE HIGH", "PRICE LOW", "PRICE CLOSE", "Price Open", "Volume", "Open Interest").
struct PriceEntry {
    std::string month, day, year;
    std::array<std::string, 6> values;
};

// The line a day appends: yyyymmdd, then the values each after a ","; the open interest only for
// ".prn". Nothing, with the reason, unless the date is a calendar date and each of the first
// five values is filled in with a number (an open interest, when given, must be a number too).
std::optional<std::string> PriceLine(const PriceEntry& entry, PriceFileKind kind,
                                     std::string& error);

// "Append price data to": adds the day's line at the end of the file (which must exist), writing
// the whole file anew so that it is never left half written. Nothing is written when the entry
// is incomplete. Empty on success, else the reason.
std::string AppendPriceDay(const std::filesystem::path& file, const PriceEntry& entry);

}  // namespace quintaro
