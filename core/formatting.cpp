// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/formatting.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quintaro {

namespace {

struct Picture {
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

Picture ParsePicture(std::string_view picture) {
    Picture p;
    auto point = picture.find('.');
    std::string_view integer = picture.substr(0, point);
    for (char c : integer)
        if (c == '0') ++p.minIntegerDigits;
    if (point != std::string_view::npos) {
        for (char c : picture.substr(point + 1)) {
            if (c == '0') ++p.minDecimals, ++p.maxDecimals;
            if (c == '#') ++p.maxDecimals;
        }
    }
    return p;
}

// Digits of |value| rounded to `decimals` places, as a string without a point, plus the count of
// integer digits. Works on the 15-significant-digit decimal form so that 1.005 rounds to 1.01.
std::string RoundedDigits(double magnitude, int decimals, int& integerDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    // buffer: d.dddddddddddddde±XX
    std::string mantissa;
    mantissa += buffer[0];
    mantissa.append(buffer + 2, 14);
    int exponent = std::atoi(buffer + 17);
    // Position of the decimal point within the mantissa digits.
    int pointAt = exponent + 1;
    if (pointAt < 0) {
        mantissa.insert(0, static_cast<size_t>(-pointAt), '0');
        pointAt = 0;
    }
    if (static_cast<int>(mantissa.size()) < pointAt + decimals + 1)
        mantissa.append(static_cast<size_t>(pointAt + decimals + 1) - mantissa.size(), '0');
    int keep = pointAt + decimals;
    bool roundUp = mantissa[static_cast<size_t>(keep)] >= '5';
    std::string digits = mantissa.substr(0, static_cast<size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
            } else {
                ++digits[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(0, 1, '1');
            ++pointAt;
        }
    }
    integerDigits = pointAt;
    return digits;
}

}  // namespace

std::string FormatNumber(double value, std::string_view picture) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    Picture p = ParsePicture(picture);
    int integerDigits = 0;
    std::string digits = RoundedDigits(std::fabs(value), p.maxDecimals, integerDigits);
    std::string integer = digits.substr(0, static_cast<size_t>(integerDigits));
    std::string decimals = digits.substr(static_cast<size_t>(integerDigits));
    size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? "" : integer.substr(firstNonZero);
    if (static_cast<int>(integer.size()) < p.minIntegerDigits)
        integer.insert(0, static_cast<size_t>(p.minIntegerDigits) - integer.size(), '0');
    while (static_cast<int>(decimals.size()) > p.minDecimals && decimals.back() == '0')
        decimals.pop_back();
    bool isZero = integer.find_first_not_of('0') == std::string::npos &&
                  decimals.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !isZero) ? "-" : "";
    out += integer;
    if (p.maxDecimals > 0 && (!decimals.empty() || picture.back() == '.')) out += "." + decimals;
    if (out.empty() || out == "-") out += "0";
    return out;
}

std::string FormatDate(const DateTimeParts& t, std::string_view picture) {
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    auto twoDigits = [](int v) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d", v);
        return std::string(b);
    };
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        char c = picture[i];
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        switch (c) {
            case 'd': out += run >= 2 ? twoDigits(t.day) : std::to_string(t.day); break;
            case 'm':
                if (run >= 3)
                    out += t.month >= 1 && t.month <= 12 ? kMonths[static_cast<size_t>(t.month - 1)]
                                                         : "???";
                else
                    out += run == 2 ? twoDigits(t.month) : std::to_string(t.month);
                break;
            case 'y':
                out += run >= 4 ? std::to_string(t.year) : twoDigits(((t.year % 100) + 100) % 100);
                break;
            case 'h': out += run >= 2 ? twoDigits(t.hour) : std::to_string(t.hour); break;
            case 'n': out += run >= 2 ? twoDigits(t.minute) : std::to_string(t.minute); break;
            case 's': out += run >= 2 ? twoDigits(t.second) : std::to_string(t.second); break;
            default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool seenDigit = false, seenPoint = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        number += c;
    }
    if (!seenDigit) return 0.0;
    // An exponent counts only when digits follow it ("1e5" is 100000, "1e" is 1).
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (text[j] == '-' || text[j] == '+') exponent += text[j++];
        size_t digitsFrom = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            exponent += text[j++];
        if (j > digitsFrom) number += exponent;
    }
    double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace quintaro
