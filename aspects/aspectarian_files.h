// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "aspects/aspectarian_engine.h"
#include "aspects/aspectarian_lines.h"
#include "core/bodies.h"

namespace quintaro {

// Aspectarian files (".att"): a header line, then one event line per event in time order.
//
//   Aspectarian 01 Jan 2024 to 31 Jan 2024 for transits to transits (geocentric), times in UT
//     01 Jan 2024  03:12    sun 090  moon
//
// A file combined from files of different pairings or passes names all of them in its header
// ("... for transits to transits (geocentric) and transits to transits (heliocentric), ...") and
// ends each event line with two blanks and the marker of the run it came from ("tt_geo").

// Which run a file (or a line of a combined file) holds.
struct AttSubject {
    AspectarianPairing pairing = AspectarianPairing::TransitTransit;
    Frame frame = Frame::Geocentric;
    bool operator==(const AttSubject&) const = default;
};

// "tt_geo", "tn_geo", "tt_helio", "tn_helio".
std::string AttMarker(const AttSubject& subject);

struct AttHeader {
    CivilDate from, to;
    std::vector<AttSubject> subjects;  // one, or several in a combined file
    double zone = 0;                   // hours, west positive; the stamps' local time
};

// "UT" for zone 0, else the offset of local time from UT: zone 5 (west) is "UT-05:00".
std::string ZoneText(double zone);
std::optional<double> ParseZoneText(std::string_view text);

std::string HeaderLine(const AttHeader& header);
std::optional<AttHeader> ParseHeaderLine(std::string_view line);

struct AttLine {
    LocalStamp stamp;
    std::string eventText;  // the line after its stamp, without a combined file's marker
    AttSubject subject;
};

struct AttFile {
    AttHeader header;
    std::vector<AttLine> lines;
};

// The file of one pass of a run. A pass that ended early (stopped, or a moment outside the
// ephemeris) names in its header the days it finished, not the range asked for.
AttFile AttFileOfPass(const AspectarianResult& result, Frame frame, const AspectarianInput& input,
                      const BodyCatalogue& catalogue);

// The lines a result box shows (no header).
std::vector<std::string> AttLineTexts(const AttFile& file);

std::string AttFileText(const AttFile& file);

// A file read back, or the message saying why it could not be.
struct AttRead {
    std::optional<AttFile> file;
    AspectarianMessage problem;
};
AttRead ParseAttText(std::string_view text, const std::string& name);
AttRead ReadAttFile(const std::filesystem::path& path);

// Writes the file whole or not at all; the message when it could not be written.
std::optional<AspectarianMessage> SaveAttFile(const std::filesystem::path& path,
                                              const AttFile& file);

// The folder the save and merge dialogs open in.
std::filesystem::path AttFolder(const std::filesystem::path& home);

// The proposed name of a pass's file: "2024-01-01_to_2024-01-31_tt_geo.att".
std::string ProposedAttFileName(const CivilDate& from, const CivilDate& to,
                                const AttSubject& subject);

// Joins files into one: their lines in time order (lines of one moment in the order of the
// files), the same line from two files kept once, the header covering every range and run. Files
// whose times are in different zones are not joined.
struct AttMerge {
    std::optional<AttFile> file;
    AspectarianMessage problem;
};
AttMerge MergeAttFiles(const std::vector<AttFile>& files);

// The name a combined file is saved under: the chosen name if it ends in "combined.att", else
// the chosen name with "_combined.att" in place of its ".att".
std::filesystem::path CombinedFilePath(const std::filesystem::path& chosen);

// The proposed name of a combined file: the first file's date range and "_combined.att".
std::string ProposedCombinedFileName(const std::vector<std::filesystem::path>& sources);

// Reads every source, joins them and writes the result under CombinedFilePath(target); nothing is
// written when a source cannot be read or the files cannot be joined. The path written, or the
// message.
struct MergeWritten {
    std::filesystem::path written;
    std::optional<AspectarianMessage> problem;
};
MergeWritten MergeAttFilesOnDisk(const std::vector<std::filesystem::path>& sources,
                                 const std::filesystem::path& target);

// The run summary: the range, the bodies and the aspects of a run, one statement a line.
std::vector<std::string> RunSummary(const AspectarianInput& input, const BodyCatalogue& catalogue);

}  // namespace quintaro
