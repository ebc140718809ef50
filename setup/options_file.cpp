// SPDX-License-Identifier: AGPL-3.0-or-later
#include "setup/options_file.h"

#include <cmath>
#include <cstdio>

#include "core/atomic_file.h"
#include "core/formatting.h"
#include "core/install_folder.h"
#include "setup/file_lines.h"

namespace quintaro {

namespace {

void ReadOptionsLines(const LineSource& lines, Options& options) {
    int entry = 0;
    lines([&](std::string_view line) {
        if (line.empty() || entry == OptionCount) return false;
        options.entries[++entry] = LeadingNumber(line.substr(0, OptionFieldWidth));
        return true;
    });
}

std::string WithoutTrailingZeros(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

// "0.5" → ".5", "-0.5" → "-.5"; unchanged otherwise.
std::string WithoutLeadingZero(std::string text) {
    size_t zero = text.starts_with('-') ? 1 : 0;
    if (text.compare(zero, 2, "0.") == 0) text.erase(zero, 1);
    return text;
}

std::string OptionText(double value) {
    if (!std::isfinite(value)) value = 0;
    // Beyond these even the whole number does not fit in seven characters.
    value = std::fmax(-999999.0, std::fmin(9999999.0, value));
    for (int decimals = 6; decimals >= 0; --decimals) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        std::string digits = WithoutTrailingZeros(buffer);
        if (digits == "-0") digits = "0";
        bool negative = digits.starts_with('-');
        for (const std::string& form : {digits, WithoutLeadingZero(digits)}) {
            if (!negative && form.size() < OptionFieldWidth) return " " + form;
            if (form.size() <= OptionFieldWidth) return form;
        }
    }
    return " 0";  // not reached: the whole number always fits after the clamp
}

}  // namespace

Options DefaultOptions() {
    Options options;
    auto& e = options.entries;
    e[17] = 1;
    e[18] = 5;
    e[19] = 73;
    e[20] = 59;
    e[21] = 0;
    e[22] = 40;
    e[23] = 46;
    e[24] = 0;
    e[30] = 58;
    e[44] = 6;
    e[48] = 12;
    e[57] = 79;
    e[58] = 95;
    return options;
}

void ReadOptionsFile(const std::filesystem::path& file, Options& options, Messages&) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return;
    ReadOptionsLines(FileLines(file), options);
}

void ReadOptionsText(std::string_view text, Options& options, Messages&) {
    ReadOptionsLines(TextLines(text), options);
}

std::string OptionsText(const Options& options) {
    std::string text;
    for (int entry = 1; entry <= OptionCount; ++entry)
        text += OptionText(options.entries[entry]) + "\n";
    return text;
}

bool WriteOptionsFile(const std::filesystem::path& file, const Options& options,
                      Messages& messages) {
    std::string failure = WriteFileAtomically(file, OptionsText(options));
    if (failure.empty()) return true;
    messages.show("Warning!", "The options could not be saved: " + failure,
                  MessageIcon::Exclamation);
    return false;
}

Options ReadOptions(const std::filesystem::path& home, Messages& messages) {
    Options options = DefaultOptions();
    ReadOptionsFile(HomePath(home, OptionsFileName), options, messages);
    return options;
}

HomeLocation HomeLocationOf(const Options& options) {
    const auto& e = options.entries;
    HomeLocation home;
    home.zone = e[18];
    home.longitude = {{e[19], e[20]}, e[21] != 0 ? EastWest::East : EastWest::West};
    home.latitude = {{e[22], e[23]}, e[24] != 0 ? NorthSouth::South : NorthSouth::North};
    return home;
}

void StoreHomeLocation(const HomeLocation& home, Options& options) {
    auto& e = options.entries;
    e[18] = home.zone;
    e[19] = home.longitude.angle.units;
    e[20] = home.longitude.angle.minutes;
    e[21] = home.longitude.side == EastWest::East ? 1 : 0;
    e[22] = home.latitude.angle.units;
    e[23] = home.latitude.angle.minutes;
    e[24] = home.latitude.side == NorthSouth::South ? 1 : 0;
}

}  // namespace quintaro
