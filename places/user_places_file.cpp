// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/user_places_file.h"

#include <cctype>
#include <cmath>
#include <fstream>

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "core/plain_text.h"

namespace quintaro {

namespace {

constexpr size_t kLongestLine = 1000;

constexpr std::string_view kHeader =
    "# Your own places, searched before the atlas. One place a line, four fields separated by "
    "\";\":\n"
    "#     name; latitude; longitude; zone name\n"
    "# Coordinates in decimal degrees (north and east positive: 40.7667; -73.9833) or with a\n"
    "# direction letter between degrees and minutes (40N46; 73W59). Zone names as the zone\n"
    "# database spells them: America/New_York, Europe/London, Asia/Kolkata.\n";

// Digits with at most one decimal point; nothing for anything else.
std::optional<double> UnsignedNumber(std::string_view text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    bool digits = false, point = false;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return std::stod(std::string(text));
}

// One coordinate: "40.7667", "-73.9833", "40.7667N", "40N46", "73w59.5". `positive` and
// `negative` are the direction letters (upper case) of its two sides.
std::optional<double> ParseCoordinate(std::string_view text, char positive, char negative,
                                      double limit, const char* what, std::string& error) {
    const std::string shown(text.substr(0, 30));
    auto fail = [&](const std::string& why) -> std::optional<double> {
        error = "the " + std::string(what) + " \"" + shown + "\" " + why;
        return std::nullopt;
    };
    text = TrimWhitespace(text);
    size_t letterAt = std::string_view::npos;
    for (size_t k = 0; k < text.size(); ++k)
        if (std::isalpha(static_cast<unsigned char>(text[k]))) {
            if (letterAt != std::string_view::npos) return fail("has more than one letter");
            letterAt = k;
        }
    double sign = 1;
    std::optional<double> value;
    if (letterAt == std::string_view::npos) {
        std::string_view digits = text;
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
            sign = digits.front() == '-' ? -1 : 1;
            digits.remove_prefix(1);
        }
        value = UnsignedNumber(digits);
    } else {
        const char letter =
            static_cast<char>(std::toupper(static_cast<unsigned char>(text[letterAt])));
        if (letter != positive && letter != negative)
            return fail(std::string("needs ") + positive + " or " + negative);
        sign = letter == positive ? 1 : -1;
        std::string_view before = text.substr(0, letterAt);
        std::string_view after = text.substr(letterAt + 1);
        if (after.empty()) {
            value = UnsignedNumber(before);  // "40.7667N"
        } else {
            std::optional<double> degrees = UnsignedNumber(before);
            std::optional<double> minutes = UnsignedNumber(after);
            if (!degrees || !minutes || *degrees != std::floor(*degrees))
                return fail("is not degrees, a letter and minutes (40N46)");
            if (*minutes >= 60) return fail("has minutes of 60 or more");
            value = *degrees + *minutes / 60.0;
        }
    }
    if (!value) return fail("is not a number of degrees");
    if (*value > limit) return fail("lies beyond " + FormatNumber(limit, "0") + " degrees");
    return sign * *value;
}

// Degrees, letter and minutes to two decimals: "40N46", "73W59.4".
std::string LetteredCoordinate(double value, char positive, char negative) {
    double magnitude = std::fabs(value);
    double degrees = std::floor(magnitude);
    double minutes = std::round((magnitude - degrees) * 6000.0) / 100.0;
    if (minutes >= 60) {
        degrees += 1;
        minutes = 0;
    }
    return FormatNumber(degrees, "0") + (value < 0 ? negative : positive) +
           FormatNumber(minutes, "0.##");
}

}  // namespace

std::optional<double> ParseLatitude(std::string_view text, std::string& error) {
    return ParseCoordinate(text, 'N', 'S', 90, "latitude", error);
}

std::optional<double> ParseLongitude(std::string_view text, std::string& error) {
    return ParseCoordinate(text, 'E', 'W', 180, "longitude", error);
}

UserPlacesFile ParseUserPlaces(std::string_view text, const ZoneDatabase& zones) {
    UserPlacesFile file;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        line = TrimWhitespace(line);
        if (line.empty() || line.front() == '#') continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line.size() > kLongestLine) {
            file.problems.push_back(where + "longer than " + std::to_string(kLongestLine) +
                                    " characters");
            continue;
        }
        std::vector<std::string_view> fields;
        for (size_t start = 0;;) {
            const size_t semicolon = line.find(';', start);
            fields.push_back(TrimWhitespace(line.substr(start, semicolon - start)));
            if (semicolon == std::string_view::npos) break;
            start = semicolon + 1;
        }
        if (fields.size() != 4) {
            file.problems.push_back(where + "has " + std::to_string(fields.size()) +
                                    " fields instead of four (name; latitude; longitude; zone)");
            continue;
        }
        std::string error;
        GeoPlace place;
        place.name = std::string(fields[0]);
        std::optional<double> latitude = ParseLatitude(fields[1], error);
        std::optional<double> longitude =
            latitude ? ParseLongitude(fields[2], error) : std::nullopt;
        std::optional<std::string> zone = zones.canonicalName(fields[3]);
        if (place.name.empty()) error = "the name is empty";
        if (error.empty() && !zone)
            error = "the zone \"" + std::string(fields[3].substr(0, 40)) + "\" is not known";
        if (!error.empty()) {
            file.problems.push_back(where + error);
            continue;
        }
        place.latitude = *latitude;
        place.longitude = *longitude;
        place.zoneName = *zone;
        place.own = true;
        file.places.push_back(std::move(place));
    }
    return file;
}

UserPlacesFile ReadUserPlaces(const std::filesystem::path& file, const ZoneDatabase& zones) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string text(kUserPlacesReadLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    UserPlacesFile places = ParseUserPlaces(text, zones);
    if (text.size() == kUserPlacesReadLimit)
        places.problems.push_back("the file is larger than " +
                                  std::to_string(kUserPlacesReadLimit) +
                                  " bytes; only its beginning was read");
    return places;
}

std::string UserPlaceLine(const GeoPlace& place) {
    std::string name = place.name;
    for (char& c : name)
        if (c == ';' || c == '\n' || c == '\r') c = ' ';
    return name + "; " + LetteredCoordinate(place.latitude, 'N', 'S') + "; " +
           LetteredCoordinate(place.longitude, 'E', 'W') + "; " + place.zoneName + "\n";
}

std::string AddUserPlace(const std::filesystem::path& file, const GeoPlace& place) {
    std::string content;
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        if (!ReadWholeFile(file, content)) return "cannot read " + file.string();
        if (!content.empty() && content.back() != '\n') content += '\n';
    } else {
        content = kHeader;
    }
    content += UserPlaceLine(place);
    return WriteFileAtomically(file, content);
}

}  // namespace quintaro
