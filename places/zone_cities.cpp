// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/zone_cities.h"

#include <cctype>
#include <optional>

#include "core/atomic_file.h"

namespace quintaro {

namespace {

// "+4043" (degrees and minutes) or "+404251" (and seconds), `degreeDigits` being 2 or 3.
std::optional<double> Iso6709(std::string_view text, size_t degreeDigits) {
    if (text.size() != degreeDigits + 3 && text.size() != degreeDigits + 5) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    for (char c : text.substr(1))
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    auto number = [&](size_t at, size_t digits) {
        return std::stoi(std::string(text.substr(at, digits)));
    };
    double value = number(1, degreeDigits) + number(1 + degreeDigits, 2) / 60.0;
    if (text.size() == degreeDigits + 5) value += number(3 + degreeDigits, 2) / 3600.0;
    return text[0] == '-' ? -value : value;
}

}  // namespace

std::vector<ZoneCity> ParseZoneTable(std::string_view text) {
    std::vector<ZoneCity> cities;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) continue;
        const std::string_view coordinates = line.substr(tab1 + 1, tab2 - tab1 - 1);
        const std::string_view rest = line.substr(tab2 + 1);
        const std::string_view name = rest.substr(0, rest.find('\t'));
        // The longitude begins at the second sign.
        const size_t split = coordinates.find_first_of("+-", 1);
        if (split == std::string_view::npos || name.empty()) continue;
        const auto latitude = Iso6709(coordinates.substr(0, split), 2);
        const auto longitude = Iso6709(coordinates.substr(split), 3);
        if (latitude && longitude) cities.push_back({std::string(name), *latitude, *longitude});
    }
    return cities;
}

std::vector<ZoneCity> ReadZoneCities() {
    std::string text;
    if (!ReadWholeFile("/usr/share/zoneinfo/zone1970.tab", text)) return {};
    return ParseZoneTable(text);
}

}  // namespace quintaro
