// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// Binary layout of the planetary ephemeris files "ephem000.dat" .. "ephem006.dat", shared by the
// reader (core/ephemeris.cpp) and the production tool (tools/ephemgen). All numbers are
// little-endian.
//
//   offset  0  u16     signature 0x4645 ("EF")
//           2  u16     version 0x0101
//           4  f64     first Julian Day (UT): every body's first entry starts here
//          12  f64     last Julian Day covered (informative)
//          20  i32     base offset of the sample area
//          24  i32     byte offset of the directory
//          28  u16     number of directory entries
//          32  char[256] descriptive text
//
// Directory entry, 48 bytes:
//           0  u16,u16 body name: chars (w1 mod 256), (w1 div 256), (w2 mod 256)
//           4  i32     component 0..7 (0/1 geocentric longitude/latitude, 4/5 heliocentric)
//           8  f64     sampling step in days
//          16  i32     n: the samples start at byte base + 4·n
//          20  i32     number of samples
//          24  f64     scale (a single-precision value)
//          32  f64     offset (a single-precision value)
//          40  f64     unused angle field, written 0
//
// Entries of one body and component follow one another in time, in directory order. The first
// starts at the file's first Julian Day; each next one overlaps the one before by three steps of
// each: it starts at (previous end − 3·previous step − 3·own step), where an entry's end is
// start + (count − 1)·step. So the central parts of neighbouring entries, where the seven-sample
// window is centred on the moment, meet exactly, and the reader never evaluates near an inner
// edge, where the window would be lopsided (see EntryCentralRange).
//
// A sample is a 32-bit word w carrying a 30-bit value x = ((w − 3) div 4) AND 0x3FFFFFFF; its
// quantity is x·scale + offset. Even components are angles: a full circle is 2^30 units.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

constexpr std::uint16_t EphemerisSignature = 0x4645;
constexpr std::uint16_t EphemerisVersion = 0x0101;
constexpr std::size_t EphemerisHeaderSize = 288;  // 32 bytes of fields + 256 of text
constexpr std::size_t EphemerisTextSize = 256;
constexpr std::size_t EphemerisEntrySize = 48;
constexpr int EphemerisWindow = 7;  // samples per evaluation window
constexpr std::int64_t ThirtyBitMask = 0x3FFFFFFF;
constexpr std::int64_t ThirtyBitCircle = std::int64_t{1} << 30;
constexpr double AngleScale = 360.0 / 1073741824.0;  // degrees per unit, exact in single precision

// Start of an entry that follows an entry [previousStart, previousEnd] of the same body and
// component.
inline double NextEntryStart(double previousEnd, double previousStep, double step) {
    return previousEnd - 3 * previousStep - 3 * step;
}

inline bool IsAngularComponent(int component) {
    return component % 2 == 0;
}

// The 30-bit value a sample word carries.
inline std::int64_t DecodeSample(std::uint32_t word) {
    std::int64_t w = static_cast<std::int32_t>(word);
    return ((w - 3) / 4) & ThirtyBitMask;
}

// The word that carries a 30-bit value (values outside 0..2^30 − 1 are wrapped into it).
inline std::uint32_t EncodeSample(std::int64_t value) {
    return static_cast<std::uint32_t>(4 * (value & ThirtyBitMask) + 3);
}

// Taylor coefficients c0..c6 (in the quantity's unit per power of the step fraction) of the
// polynomial through seven decoded samples x[0..6], centred on x[3], with the integer
// divisions of the file format.
std::array<double, 7> TaylorCoefficients(const std::array<std::int64_t, 7>& x, bool angular,
                                         double scale, double offset);

// Scale and offset (both exact singles) that map [low, high] onto the 30-bit range with margin.
struct LinearScale {
    double scale = 1.0;
    double offset = 0.0;
};
LinearScale ChooseLinearScale(double low, double high);

// The 30-bit value of a quantity: angles on the 2^30 circle, others through the entry's scale.
std::int64_t QuantizeAngle(double degrees);
std::int64_t QuantizeLinear(double value, const LinearScale& scale);

// One entry as the writer produces it.
struct EphemerisEntryData {
    std::string name3;  // "SUN", "MOO", ...
    int component = 0;
    double step = 1.0;
    double scale = AngleScale;
    double offset = 0.0;
    std::vector<std::uint32_t> words;
};

// The bytes of a whole file. Samples follow the directory in entry order.
std::string SerializeEphemerisFile(double firstJD, double lastJD, std::string_view text,
                                   const std::vector<EphemerisEntryData>& entries);

// One entry as the reader finds it, checked against the file size.
struct EphemerisEntryView {
    char name3[4] = {};
    int component = 0;
    double step = 0;
    std::uint64_t sampleOffset = 0;  // byte offset of the first sample
    std::int32_t count = 0;
    double scale = 0;
    double offset = 0;
};

struct EphemerisFileView {
    double firstJD = 0;
    double lastJD = 0;
    std::vector<EphemerisEntryView> entries;
};

// Parses and checks a whole file: signature, version, header, directory and every entry's
// samples must lie inside the bytes; steps, scales and day numbers must be finite, steps
// positive and every entry must hold at least one window of samples. Empty on any fault, with
// the reason in *why when given.
std::optional<EphemerisFileView> ParseEphemerisFile(std::string_view bytes,
                                                    std::string* why = nullptr);

inline std::uint32_t ReadU32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

}  // namespace quintaro
