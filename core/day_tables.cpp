// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/day_tables.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <system_error>

#include "core/plain_text.h"

namespace quintaro {

namespace {

constexpr std::array<std::string_view, DayKindCount> kSuffixes = {"l.eph", "d.eph", "h.eph",
                                                                  "lat.eph"};
// A day-table file is about 600 kB; anything far larger is not one.
constexpr std::uintmax_t kMaxFileBytes = 256u << 20;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
bool IsSeparator(char c) {
    return c == ',' || c == '\n' || IsBlank(c);
}

int LineOf(std::string_view text, std::size_t position) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + position, '\n'));
}

std::string LineError(std::string_view text, const char* at, const std::string& what) {
    return "line " + std::to_string(LineOf(text, static_cast<std::size_t>(at - text.data()))) +
           ": " + what;
}

std::string Quoted(const char* start, const char* end) {
    const char* stop = std::find_if(start, end, IsSeparator);
    std::string word(start, std::min<std::size_t>(static_cast<std::size_t>(stop - start), 24));
    for (char& c : word) {
        if (static_cast<unsigned char>(c) < 32) c = '?';
    }
    return "\"" + word + "\"";
}

}  // namespace

std::string DayTableFileName(std::string_view body, DayKind kind, DayPeriod period) {
    std::string name(body);
    name += period == DayPeriod::From1900 ? "1900" : "1750";
    name += kSuffixes[static_cast<int>(kind)];
    return name;
}

const float* DayTables::Row(int slot, DayKind kind) const {
    if (slot < 1 || slot > BodyCount) return nullptr;
    const auto& row = values[slot][static_cast<int>(kind)];
    return row.empty() ? nullptr : row.data();
}

float DayTables::At(int slot, DayKind kind, int day) const {
    const float* row = Row(slot, kind);
    return row && day >= 0 && day < DayTableLength ? row[day] : 0.0f;
}

void DayTables::Store(int slot, DayKind kind, int firstDay, std::span<const float> days) {
    if (slot < 1 || slot > BodyCount || firstDay < 0 || firstDay >= DayTableLength) return;
    auto& row = values[slot][static_cast<int>(kind)];
    if (row.empty()) row.assign(DayTableLength, 0.0f);
    std::size_t room = static_cast<std::size_t>(DayTableLength - firstDay);
    std::copy_n(days.begin(), std::min(room, days.size()), row.begin() + firstDay);
}

void DayTables::Clear(int slot) {
    if (slot < 1 || slot > BodyCount) return;
    for (auto& row : values[slot]) std::vector<float>().swap(row);
    has1900[slot] = has1750[slot] = false;
    midpoints[slot] = {};
}

std::size_t DayTables::MemoryBytes() const {
    std::size_t bytes = 0;
    for (const auto& slot : values) {
        for (const auto& row : slot) bytes += row.capacity() * sizeof(float);
    }
    return bytes;
}

std::string ParseDayTable(std::string_view text, std::size_t count, std::vector<float>& out) {
    out.resize(count);
    const char* p = text.data();
    const char* end = p + text.size();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") p += 3;  // byte-order mark of some editors
    std::size_t n = 0;
    bool fieldOpen = false;  // a comma was read and its number has not come yet
    while (n < count) {
        while (p < end && IsSeparator(*p)) {
            if (*p == ',') {
                if (fieldOpen) return LineError(text, p, "empty field between two commas");
                fieldOpen = true;
            } else if (*p == '\n') {
                fieldOpen = false;  // a comma ending a line separates it from the next one
            }
            ++p;
        }
        if (p == end) break;
        const char* start = p;
        if (*p == '+' && p + 1 < end && p[1] != '-') ++p;
        float value = 0;
        auto [next, error] = std::from_chars(p, end, value);
        if (error == std::errc::result_out_of_range) {
            return LineError(text, start, Quoted(start, end) + " is out of range");
        }
        if (error != std::errc() || (next < end && !IsSeparator(*next)) || !std::isfinite(value)) {
            return LineError(text, start, Quoted(start, end) + " is not a number");
        }
        out[n++] = value;
        fieldOpen = false;
        p = next;
    }
    if (n < count) {
        return "holds only " + std::to_string(n) + " of the " + std::to_string(count) + " numbers";
    }
    return {};
}

std::string ReadDayTableFile(const std::filesystem::path& path, std::size_t count,
                             std::vector<float>& out) {
    std::error_code ec;
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return path.string() + ": " + ec.message();
    if (size > kMaxFileBytes) return path.string() + ": too large for a day-table file";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return path.string() + ": cannot be opened";
    std::string text(static_cast<std::size_t>(size), '\0');
    std::size_t got = std::fread(text.data(), 1, text.size(), file.get());
    text.resize(got);
    std::string error = ParseDayTable(text, count, out);
    return error.empty() ? error : path.string() + ": " + error;
}

std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& folder,
                                           std::string_view name) {
    std::error_code ec;
    std::filesystem::path exact = folder / std::string(name);
    if (std::filesystem::is_regular_file(exact, ec)) return exact;
    std::string wanted = AsciiLower(name);
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (AsciiLower(entry.path().filename().string()) == wanted && entry.is_regular_file(ec)) {
            return entry.path();
        }
    }
    return {};
}

std::string LoadBodyDayTables(const std::filesystem::path& folder, std::string_view body, int slot,
                              DayPeriod period, DayTables& tables) {
    const bool early = period == DayPeriod::From1750;
    const std::size_t count = early ? Count1750 : Count1900;
    std::array<std::vector<float>, DayKindCount> loaded;
    for (DayKind kind : AllDayKinds) {
        std::string name = DayTableFileName(body, kind, period);
        std::filesystem::path path = FindFileIgnoringCase(folder, name);
        if (path.empty()) return (folder / name).string() + ": file not found";
        std::string error = ReadDayTableFile(path, count, loaded[static_cast<int>(kind)]);
        if (!error.empty()) return error;
    }
    for (DayKind kind : AllDayKinds) {
        tables.Store(slot, kind, early ? 0 : Start1900, loaded[static_cast<int>(kind)]);
    }
    (early ? tables.has1750 : tables.has1900)[slot] = true;
    return {};
}

}  // namespace quintaro
