// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris_file_format.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace quintaro {

namespace {

// Sampling steps outside these bounds (days) are no ephemeris: a minute to a thousand years.
constexpr double MinimumStep = 1.0 / 1440;
constexpr double MaximumStep = 365250.0;

constexpr std::int64_t HalfCircle = ThirtyBitCircle / 2;

std::uint16_t ReadU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::int32_t ReadI32(const unsigned char* p) {
    return static_cast<std::int32_t>(ReadU32(p));
}
double ReadF64(const unsigned char* p) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | p[i];
    return std::bit_cast<double>(bits);
}

void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutF64(std::string& out, double v) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

float FloatAtMost(double v) {
    float f = static_cast<float>(v);
    return f > v ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}
float FloatAtLeast(double v) {
    float f = static_cast<float>(v);
    return f < v ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

bool Fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

}  // namespace

std::array<double, 7> TaylorCoefficients(const std::array<std::int64_t, 7>& x, bool angular,
                                         double scale, double offset) {
    std::array<std::int64_t, 7> d{};
    for (int k = 0; k < 7; ++k) {
        std::int64_t diff = x[k] - x[3];
        if (angular) {
            diff &= ThirtyBitMask;
            if (diff >= HalfCircle) diff -= ThirtyBitCircle;
        }
        d[k] = diff;
    }
    const std::int64_t a = d[6] - d[0], b = d[5] - d[1], c = d[4] - d[2];
    const std::int64_t p = d[0] + d[6], q = d[1] + d[5], r = d[2] + d[4];
    constexpr double k13_48 = 13.0 / 48.0;
    return {static_cast<double>(x[3]) * scale + offset,
            static_cast<double>(a / 60 - 3 * (b / 20) + 3 * (c / 4)) * scale,
            static_cast<double>(p / 180 - 3 * (q / 40) + 3 * (r / 4)) * scale,
            (static_cast<double>(b / 6 - a / 48) - k13_48 * static_cast<double>(c)) * scale,
            (static_cast<double>(q / 12 - p / 144) - k13_48 * static_cast<double>(r)) * scale,
            static_cast<double>(a / 240 - b / 60 + c / 48) * scale,
            static_cast<double>(p / 720 - q / 120 + r / 48) * scale};
}

LinearScale ChooseLinearScale(double low, double high) {
    // The range is widened by a tenth of a percent, so that rounding the offset down and the
    // scale up to single precision can never push a value out of the 30-bit range.
    const double span = std::max(high - low, 0.0);
    LinearScale s;
    s.offset = FloatAtMost(low - 0.0005 * span);
    s.scale = FloatAtLeast(std::max(span * 1.001 / static_cast<double>(ThirtyBitMask), 1e-9));
    return s;
}

std::int64_t QuantizeAngle(double degrees) {
    return std::llround(degrees / AngleScale) & ThirtyBitMask;
}

std::int64_t QuantizeLinear(double value, const LinearScale& scale) {
    const double units = std::round((value - scale.offset) / scale.scale);
    if (!(units > 0)) return 0;
    if (units > static_cast<double>(ThirtyBitMask)) return ThirtyBitMask;
    return static_cast<std::int64_t>(units);
}

std::string SerializeEphemerisFile(double firstJD, double lastJD, std::string_view text,
                                   const std::vector<EphemerisEntryData>& entries) {
    const std::size_t base = EphemerisHeaderSize + EphemerisEntrySize * entries.size();
    std::string out;
    PutU16(out, EphemerisSignature);
    PutU16(out, EphemerisVersion);
    PutF64(out, firstJD);
    PutF64(out, lastJD);
    PutU32(out, static_cast<std::uint32_t>(base));
    PutU32(out, static_cast<std::uint32_t>(EphemerisHeaderSize));
    PutU16(out, static_cast<std::uint16_t>(entries.size()));
    PutU16(out, 0);
    std::string padded(text.substr(0, EphemerisTextSize));
    padded.resize(EphemerisTextSize, ' ');
    out += padded;

    std::uint32_t n = 0;
    for (const auto& e : entries) {
        char name[3] = {' ', ' ', ' '};
        std::memcpy(name, e.name3.data(), std::min<std::size_t>(3, e.name3.size()));
        PutU16(out, static_cast<std::uint16_t>(static_cast<unsigned char>(name[0]) |
                                               static_cast<unsigned char>(name[1]) << 8));
        PutU16(out, static_cast<unsigned char>(name[2]));
        PutU32(out, static_cast<std::uint32_t>(e.component));
        PutF64(out, e.step);
        PutU32(out, n);
        PutU32(out, static_cast<std::uint32_t>(e.words.size()));
        PutF64(out, static_cast<float>(e.scale));
        PutF64(out, static_cast<float>(e.offset));
        PutF64(out, 0.0);
        n += static_cast<std::uint32_t>(e.words.size());
    }
    out.reserve(out.size() + 4 * static_cast<std::size_t>(n));
    for (const auto& e : entries)
        for (std::uint32_t w : e.words) PutU32(out, w);
    return out;
}

std::optional<EphemerisFileView> ParseEphemerisFile(std::string_view bytes, std::string* why) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::uint64_t size = bytes.size();
    if (size < EphemerisHeaderSize) return Fail(why, "the header is incomplete"), std::nullopt;
    if (ReadU16(data) != EphemerisSignature) return Fail(why, "wrong signature"), std::nullopt;
    if (ReadU16(data + 2) != EphemerisVersion) return Fail(why, "wrong version"), std::nullopt;

    EphemerisFileView view;
    view.firstJD = ReadF64(data + 4);
    view.lastJD = ReadF64(data + 12);
    const std::int64_t base = ReadI32(data + 20);
    const std::int64_t directory = ReadI32(data + 24);
    const std::uint64_t entryCount = ReadU16(data + 28);
    if (!std::isfinite(view.firstJD))
        return Fail(why, "the first Julian Day is not a number"), std::nullopt;
    if (directory < 0 ||
        static_cast<std::uint64_t>(directory) + entryCount * EphemerisEntrySize > size)
        return Fail(why, "the directory lies outside the file"), std::nullopt;

    view.entries.reserve(entryCount);
    for (std::uint64_t i = 0; i < entryCount; ++i) {
        const unsigned char* p = data + directory + i * EphemerisEntrySize;
        EphemerisEntryView e;
        e.name3[0] = static_cast<char>(p[0]);
        e.name3[1] = static_cast<char>(p[1]);
        e.name3[2] = static_cast<char>(p[2]);
        e.component = ReadI32(p + 4);
        e.step = ReadF64(p + 8);
        const std::int64_t n = ReadI32(p + 16);
        e.count = ReadI32(p + 20);
        e.scale = ReadF64(p + 24);
        e.offset = ReadF64(p + 32);
        if (e.component < 0 || e.component > 7)
            return Fail(why, "a component number lies outside 0..7"), std::nullopt;
        if (!(e.step >= MinimumStep && e.step <= MaximumStep && std::isfinite(e.scale) &&
              std::isfinite(e.offset)))
            return Fail(why, "a step, scale or offset is not a usable number"), std::nullopt;
        if (e.count < EphemerisWindow)
            return Fail(why, "an entry holds fewer samples than one window"), std::nullopt;
        const std::int64_t start = base + 4 * n;
        if (start < 0 ||
            static_cast<std::uint64_t>(start) + 4 * static_cast<std::uint64_t>(e.count) > size)
            return Fail(why, "an entry's samples lie outside the file"), std::nullopt;
        e.sampleOffset = static_cast<std::uint64_t>(start);
        view.entries.push_back(e);
    }
    return view;
}

}  // namespace quintaro
