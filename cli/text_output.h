// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// How the command line writes values for people (zodiac positions, degrees, tables), for
// spreadsheets (CSV) and for programs (JSON numbers without float noise).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro::cli {

// Output format of a list command.
enum class OutputFormat { Text, Json, Csv };

// A longitude in the zodiac, rounded to the whole minute: "12°34′ ♌" ("0°00′ ♈" at 359°59.7′).
// decimal: "132.5667" (four decimals, as the grid's degrees mode).
std::string ZodiacText(double longitude, bool decimal = false);

// A signed angle in degrees and minutes: "-23°22′", "4°05′"; decimal: "-23.3667".
std::string SignedDegreesText(double degrees, bool decimal = false);

// Local sidereal time of a RAMC (degrees) as "04:51:33".
std::string SiderealClock(double ramc);

// A value rounded to 1e-6 for JSON, so that it prints without float noise.
double Rounded6(double value);

// One CSV line (RFC 4180 quoting) with its line end.
std::string CsvLine(const std::vector<std::string>& cells);

// The symbol-font glyph characters of a grid cell written as Unicode symbols: signs "♈".."♓",
// the parallel "∥" and the contra-parallel "⋕", aspects by their usual symbols.
std::string GlyphsAsUnicode(std::string_view text);

// The Unicode symbol of sign 1..12.
std::string_view SignSymbol(int sign);

// Rows of cells as aligned columns: each column as wide as its widest cell (counted in
// characters, not bytes), two blanks between columns, trailing blanks removed. Column i is
// right-aligned when alignment[i] is 'r', else left-aligned.
std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows,
                           std::string_view alignment = {});

// Number of characters (code points) of a UTF-8 text.
size_t DisplayWidth(std::string_view text);

}  // namespace quintaro::cli
