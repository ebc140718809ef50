// SPDX-License-Identifier: AGPL-3.0-or-later
#include "places/atlas_cache.h"

#include <array>
#include <charconv>

#include "core/atomic_file.h"
#include "places/geonames_cities.h"

namespace quintaro {

namespace {

constexpr std::string_view kFormat = "Quintaro atlas cache 1";
constexpr size_t kFields = 12;

// Tabs and line breaks would split a field.
std::string Field(const std::string& text) {
    std::string clean = text;
    for (char& c : clean)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return clean;
}

std::string Number(double value) {
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

template <typename T>
bool ReadNumber(std::string_view text, T& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::optional<AtlasEntry> ParseLine(std::string_view line) {
    std::array<std::string_view, kFields> f;
    size_t count = 0;
    for (size_t start = 0;; ++count) {
        const size_t tab = line.find('\t', start);
        if (count == kFields) return std::nullopt;  // one field too many
        f[count] = line.substr(start, tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (count + 1 != kFields) return std::nullopt;
    AtlasEntry e;
    GeoPlace& p = e.place;
    p.name = f[0];
    p.region = f[1];
    p.country = f[2];
    p.countryCode = f[3];
    p.zoneName = f[6];
    if (!ReadNumber(f[4], p.latitude) || !ReadNumber(f[5], p.longitude) ||
        !ReadNumber(f[7], p.population) || p.name.empty() || p.zoneName.empty())
        return std::nullopt;
    e.name = f[8];
    e.region = f[9];
    e.country = f[10];
    e.code = f[11];
    return e;
}

}  // namespace

std::string AtlasCacheText(const std::vector<AtlasEntry>& cities, std::string_view source) {
    std::string text = std::string(kFormat) + "\t" + Field(std::string(source)) + "\n";
    for (const AtlasEntry& e : cities) {
        const GeoPlace& p = e.place;
        for (const std::string& field :
             {Field(p.name), Field(p.region), Field(p.country), Field(p.countryCode),
              Number(p.latitude), Number(p.longitude), Field(p.zoneName),
              std::to_string(p.population), Field(e.name), Field(e.region), Field(e.country)})
            text += field + "\t";
        text += Field(e.code) + "\n";
    }
    return text;
}

std::optional<std::vector<AtlasEntry>> ParseAtlasCache(std::string_view text,
                                                       std::string_view source) {
    const size_t firstEnd = text.find('\n');
    if (firstEnd == std::string_view::npos ||
        text.substr(0, firstEnd) != std::string(kFormat) + "\t" + Field(std::string(source)))
        return std::nullopt;
    std::vector<AtlasEntry> cities;
    for (size_t start = firstEnd + 1; start < text.size();) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        std::optional<AtlasEntry> entry = ParseLine(text.substr(start, end - start));
        if (!entry) return std::nullopt;
        cities.push_back(std::move(*entry));
        start = end + 1;
    }
    return cities;
}

std::vector<AtlasEntry> LoadAtlasCities(const std::filesystem::path& cacheFile) {
    const std::string source = GeonamesSource();
    std::string text;
    if (ReadWholeFile(cacheFile, text))
        if (auto cities = ParseAtlasCache(text, source)) return std::move(*cities);
    std::vector<AtlasEntry> cities = FoldedEntries(LoadGeonamesCities());
    WriteFileAtomically(cacheFile, AtlasCacheText(cities, source));
    return cities;
}

}  // namespace quintaro
