// SPDX-License-Identifier: AGPL-3.0-or-later
// The planetary ephemeris reader against files the tests write themselves: sample decoding, the
// Taylor coefficients with their integer divisions, entry chaining, declinations, and bad files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "core/ephemeris.h"
#include "core/ephemeris_file_format.h"
#include "recording_messages.h"
#include "sampled_entries.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

using test::RecordingMessages;
using test::SampledEntry;
using test::TempFolder;

constexpr double FirstJD = 2451500.5;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(EphemerisSamples, DecodeTruncatesTowardZeroAndKeepsThirtyBits) {
    struct Case {
        std::uint32_t word;
        std::int64_t value;
    };
    const Case cases[] = {
        {3, 0},                     // 4·0 + 3
        {7, 1},                     // 4·1 + 3
        {0, 0},                     // (0 − 3) div 4 = 0, not −1
        {2, 0},                     // (2 − 3) div 4 = 0
        {6, 0},                     // (6 − 3) div 4 = 0
        {0xFFFFFFFFu, 0x3FFFFFFF},  // −1: (−4) div 4 = −1, masked to 30 ones
        {0x80000003u, 0x20000000},  // −2^31 + 3: (−2^31) div 4 = −2^29, masked to 2^29
        {4u * 123456789u + 3u, 123456789},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeSample(c.word), c.value) << std::hex << c.word;
    for (std::int64_t v : {0LL, 1LL, 0x1FFFFFFFLL, 0x20000000LL, 0x3FFFFFFFLL})
        EXPECT_EQ(DecodeSample(EncodeSample(v)), v);
}

// Samples of a polynomial Σ a_j·t^j (t = −3..3) around a centre value. Multiples of 120 make
// every integer division of the format exact, so the coefficients are the polynomial's own.
struct PolynomialCase {
    const char* name;
    std::int64_t centre;
    std::array<std::int64_t, 7> a;
    bool angular;
};

class TaylorFromPolynomial : public ::testing::TestWithParam<PolynomialCase> {};

TEST_P(TaylorFromPolynomial, CoefficientsAreThePolynomials) {
    const PolynomialCase& p = GetParam();
    std::array<std::int64_t, 7> x{};
    for (int k = 0; k < 7; ++k) {
        const std::int64_t t = k - 3;
        std::int64_t v = p.centre, power = 1;
        for (int j = 1; j < 7; ++j) v += p.a[j] * (power *= t);
        x[k] = p.angular ? (v & ThirtyBitMask) : v;
    }
    const double scale = 0.001, offset = 5.0;
    const auto c = TaylorCoefficients(x, p.angular, scale, offset);
    EXPECT_NEAR(c[0], static_cast<double>(p.centre & ThirtyBitMask) * scale + offset, 1e-9);
    for (int j = 1; j < 7; ++j)
        EXPECT_NEAR(c[j], static_cast<double>(p.a[j]) * scale, 1e-9) << "power " << j;
}

INSTANTIATE_TEST_SUITE_P(
    Polynomials, TaylorFromPolynomial,
    ::testing::Values(
        PolynomialCase{"linear", 500000000, {0, 120000, 0, 0, 0, 0, 0}, false},
        PolynomialCase{"quadratic", 500000000, {0, 0, -4440, 0, 0, 0, 0}, false},
        PolynomialCase{"cubic", 500000000, {0, 0, 0, 600, 0, 0, 0}, false},
        PolynomialCase{"sextic", 500000000, {0, 120000, -4440, 600, 240, -120, 120}, false},
        PolynomialCase{"across the circle's zero",
                       (1LL << 30) - 200000,
                       {0, 120000, -4440, 600, 240, -120, 120},
                       true},
        PolynomialCase{"backwards across zero", 100000, {0, -120000, 360, 0, 0, 0, 0}, true}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(TaylorCoefficients, IntegerDivisionsTruncateTowardZero) {
    // D6 = −61, every other difference 0: A = P = −61. Truncation gives A div 60 = −1,
    // A div 48 = −1 and 0 for the larger divisors (floor division would give −2 and −2).
    const std::array<std::int64_t, 7> x = {1000, 1000, 1000, 1000, 1000, 1000, 939};
    const auto c = TaylorCoefficients(x, false, 2.0, 1.0);
    const std::array<double, 7> expected = {2001.0, -2.0, 0.0, 2.0, 0.0, 0.0, 0.0};
    for (int j = 0; j < 7; ++j) EXPECT_DOUBLE_EQ(c[j], expected[j]) << "c" << j;
}

TEST(LinearScale, QuantizedValuesStayInRangeAndCloseToTheValue) {
    const std::pair<double, double> ranges[] = {
        {-5.3, 5.1}, {0.0, 0.0}, {23.4, 23.4000001}, {-90.0, 90.0}};
    for (auto [low, high] : ranges) {
        const LinearScale s = ChooseLinearScale(low, high);
        EXPECT_EQ(static_cast<double>(static_cast<float>(s.scale)), s.scale);
        EXPECT_EQ(static_cast<double>(static_cast<float>(s.offset)), s.offset);
        for (double v : {low, (low + high) / 2, high}) {
            const std::int64_t q = QuantizeLinear(v, s);
            EXPECT_GE(q, 0);
            EXPECT_LT(q, ThirtyBitMask);
            EXPECT_NEAR(static_cast<double>(q) * s.scale + s.offset, v, s.scale);
        }
    }
}

class EphemerisReader : public ::testing::Test {
  protected:
    TempFolder folder;
    RecordingMessages messages;
    Ephemeris ephemeris{messages};

    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        const auto path = folder.path() / name;
        WriteBytes(path, bytes);
        return path;
    }
};

TEST_F(EphemerisReader, ReproducesASampledCubicAnywhereInTheEntry) {
    auto cubic = [](double jd) {
        const double t = jd - FirstJD;
        return 2.0 + 0.3 * t - 0.01 * t * t + 0.0004 * t * t * t;
    };
    auto slope = [](double jd) {
        const double t = jd - FirstJD;
        return 0.3 - 0.02 * t + 0.0012 * t * t;
    };
    const auto path = Write(
        "ephem000.dat", SerializeEphemerisFile(FirstJD, FirstJD + 40, "cubic",
                                               {SampledEntry("MAR", 5, FirstJD, 2.0, 21, cubic)}));
    ASSERT_TRUE(ephemeris.OpenFile(path, 0));
    for (double t : {0.0, 0.3, 1.0, 2.9, 13.37, 20.0, 21.0, 37.5, 39.99, 40.0}) {
        const double jd = FirstJD + t;
        // Within a few units of the last place, which the integer divisions lose and the
        // lopsided window at the entry's ends multiplies by up to 3^6.
        EXPECT_NEAR(ephemeris.Value(jd, 5, KindHelioLatitude), cubic(jd), 1e-4) << t;
        EXPECT_NEAR(ephemeris.Value(jd, 5, KindHelioLatitude + SpeedKind), slope(jd), 1e-4) << t;
        EXPECT_NEAR(ephemeris.GetValue(jd, 5, KindHelioLatitude), cubic(jd), 1e-4) << t;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EphemerisReader, LongitudesCrossZeroContinuously) {
    auto lon = [](double jd) { return std::fmod(359.0 + 0.5 * (jd - FirstJD), 360.0); };
    const auto path = Write(
        "ephem000.dat", SerializeEphemerisFile(FirstJD, FirstJD + 10, "wrap",
                                               {SampledEntry("MOO", 0, FirstJD, 1.0, 11, lon)}));
    ASSERT_TRUE(ephemeris.OpenFile(path, 0));
    const struct {
        double t, value;
    } cases[] = {{3.0, 0.5},    {1.5, 359.75}, {1.99, 359.995},
                 {2.01, 0.005}, {2.5, 0.25},   {9.0, 3.5}};
    for (const auto& c : cases) {
        const double v = ephemeris.Value(FirstJD + c.t, 1, KindGeoLongitude);
        EXPECT_NEAR(v, c.value, 1e-4) << c.t;  // a few units lost, times f^6 near the end
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 360.0);
        EXPECT_NEAR(ephemeris.Value(FirstJD + c.t, 1, KindGeoLongitude + SpeedKind), 0.5, 1e-4);
    }
}

TEST_F(EphemerisReader, ChainedEntriesOfDifferentStepsFollowOneAnother) {
    // Second entry starts at end₁ − 3·step₁ − 3·step₂; a wrong start would shift its values.
    auto f = [](double jd) {
        return 1.0 + 0.01 * (jd - FirstJD) - 1e-4 * std::pow(jd - FirstJD, 2);
    };
    const double end1 = FirstJD + 20 * 4.0;
    const double start2 = end1 - 3 * 4.0 - 3 * 0.5;
    const double end2 = start2 + 40 * 0.5;
    const double start3 = end2 - 3 * 0.5 - 3 * 4.0;
    const auto path = Write(
        "ephem003.dat", SerializeEphemerisFile(
                            FirstJD, start3 + 40, "chain",
                            {SampledEntry("JUP", 1, FirstJD, 4.0, 21, f),
                             SampledEntry("JUP", 0, FirstJD, 4.0, 21, [](double) { return 10.0; }),
                             SampledEntry("JUP", 1, start2, 0.5, 41, f),
                             SampledEntry("JUP", 1, start3, 4.0, 11, f)}));
    ASSERT_TRUE(ephemeris.OpenFile(path, 3));
    for (double jd = FirstJD; jd <= start3 + 40; jd += 0.37)
        EXPECT_NEAR(ephemeris.Value(jd, 6, 1), f(jd), 1e-5) << jd - FirstJD;
    EXPECT_EQ(ephemeris.Value(start3 + 40.5, 6, 1), NoValue);
    EXPECT_TRUE(ephemeris.Covers(start2 + 1, 6, 1));
    EXPECT_FALSE(ephemeris.Covers(start3 + 41, 6, 1));
}

TEST_F(EphemerisReader, DeclinationUsesTheTrueObliquity) {
    // 1987-04-10 0h: true obliquity 23°26'36.850" (Meeus, example 22.a, from the 1976 mean
    // obliquity, 0.04" above the 2006 one used here); its sine is 0.3978457.
    const double day = 2446895.5, obliquity = 23 + 26 / 60.0 + 36.850 / 3600;
    auto file = [&](double lon0, double lonRate) {
        return SerializeEphemerisFile(
            day - 10, day + 10, "decl",
            {SampledEntry("VEN", 0, day - 10, 1.0, 21,
                          [=](double jd) { return lon0 + lonRate * (jd - day); }),
             SampledEntry("VEN", 1, day - 10, 1.0, 21, [](double) { return 0.0; })});
    };
    const double tolerance = 0.06 / 3600;
    ASSERT_TRUE(ephemeris.OpenFile(Write("a.dat", file(90.0, 0.0)), 0));
    EXPECT_NEAR(ephemeris.Value(day, 3, KindDeclination), obliquity, tolerance);
    ASSERT_TRUE(ephemeris.OpenFile(Write("b.dat", file(270.0, 0.0)), 0));
    EXPECT_NEAR(ephemeris.Value(day, 3, KindDeclination), -obliquity, tolerance);
    ASSERT_TRUE(ephemeris.OpenFile(Write("c.dat", file(0.0, 1.0)), 0));
    EXPECT_NEAR(ephemeris.Value(day, 3, KindDeclination), 0.0, 1e-6);
    EXPECT_NEAR(ephemeris.Value(day, 3, KindDeclination + SpeedKind), 0.3978457, 1e-6);
    EphemerisCursor cursor;
    const auto read = ephemeris.Read(day, 3, Frame::Geocentric, cursor);
    ASSERT_TRUE(read);
    EXPECT_NEAR(read->second, 0.0, 1e-6);
    EXPECT_NEAR(read->secondSpeed, 0.3978457, 1e-6);
}

TEST_F(EphemerisReader, GapsAreReportedOncePerQuantityAndValueStaysSilent) {
    const auto path =
        Write("ephem000.dat", SerializeEphemerisFile(FirstJD, FirstJD + 20, "sun",
                                                     {SampledEntry("SUN", 0, FirstJD, 1.0, 21,
                                                                   [](double) { return 10.0; })}));
    ASSERT_TRUE(ephemeris.OpenFile(path, 0));

    EXPECT_EQ(ephemeris.Value(2000000.5, 0, KindGeoLongitude), NoValue);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(ephemeris.GetValue(2000000.5, 0, KindGeoLongitude), NoValue);
    EXPECT_EQ(ephemeris.GetValue(2000001.5, 0, KindGeoLongitude), NoValue);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        messages.shown[0].text.rfind("Calculation Error: Pl=0, comp=0, jd=2000000.5, cause=", 0),
        0u)
        << messages.shown[0].text;

    EXPECT_EQ(ephemeris.GetValue(FirstJD + 1, 0, KindHelioLongitude),
              NoValue);                                                       // no such component
    EXPECT_EQ(ephemeris.GetValue(FirstJD + 1, 0, KindDeclination), NoValue);  // latitude missing
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(ephemeris.GetValue(FirstJD + 1, 12, KindGeoLongitude), NoValue);  // no such body
    EXPECT_EQ(ephemeris.GetValue(FirstJD + 1, 25, KindGeoLongitude), NoValue);
    EXPECT_EQ(ephemeris.GetValue(std::nan(""), 0, KindGeoLongitude + SpeedKind), NoValue);
    EXPECT_EQ(messages.shown.size(), 4u);  // the NaN moment once; unknown bodies never
    EXPECT_FLOAT_EQ(ephemeris.GetValue(FirstJD + 1, 0, KindGeoLongitude), 10.0f);
}

// A valid file and what each fault does to it.
struct BadFile {
    const char* name;
    std::function<void(std::string&)> spoil;
};

void PutU32At(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void PutF64At(std::string& bytes, std::size_t at, double v) {
    std::memcpy(bytes.data() + at, &v, 8);  // little-endian machine, as the layout
}

constexpr std::size_t Entry0 = EphemerisHeaderSize;  // the directory follows the header

const BadFile BadFiles[] = {
    {"empty", [](std::string& b) { b.clear(); }},
    {"truncated header", [](std::string& b) { b.resize(100); }},
    {"wrong signature", [](std::string& b) { b[0] = 'X'; }},
    {"wrong version", [](std::string& b) { b[2] = 0x02; }},
    {"directory past the end",
     [](std::string& b) { PutU32At(b, 24, static_cast<std::uint32_t>(b.size())); }},
    {"negative directory offset", [](std::string& b) { PutU32At(b, 24, 0xFFFFFF00u); }},
    {"too many entries", [](std::string& b) { b[28] = static_cast<char>(200); }},
    {"samples past the end", [](std::string& b) { PutU32At(b, Entry0 + 16, 0x7FFFFFF0u); }},
    {"negative sample index", [](std::string& b) { PutU32At(b, Entry0 + 16, 0xF0000000u); }},
    {"count past the end", [](std::string& b) { PutU32At(b, Entry0 + 20, 0x7FFFFFFFu); }},
    {"negative count", [](std::string& b) { PutU32At(b, Entry0 + 20, 0xFFFFFFF0u); }},
    {"fewer samples than a window", [](std::string& b) { PutU32At(b, Entry0 + 20, 5); }},
    {"zero step", [](std::string& b) { PutF64At(b, Entry0 + 8, 0.0); }},
    {"step not a number", [](std::string& b) { PutF64At(b, Entry0 + 8, std::nan("")); }},
    {"infinite scale", [](std::string& b) { PutF64At(b, Entry0 + 24, INFINITY); }},
    {"component 9", [](std::string& b) { PutU32At(b, Entry0 + 4, 9); }},
    {"first day not a number", [](std::string& b) { PutF64At(b, 4, std::nan("")); }},
    {"last samples cut off", [](std::string& b) { b.resize(b.size() - 4); }},
};

TEST_F(EphemerisReader, BadFilesAreReportedAndLeaveTheLoadedFileInPlace) {
    auto ten = [](double) { return 10.0; };
    const std::string good =
        SerializeEphemerisFile(FirstJD, FirstJD + 20, "good",
                               {SampledEntry("SAT", 0, FirstJD, 2.0, 11, ten),
                                SampledEntry("SAT", 1, FirstJD, 2.0, 11, ten)});
    ASSERT_TRUE(ephemeris.OpenFile(Write("good.dat", good), 2));
    for (const BadFile& bad : BadFiles) {
        std::string bytes = good;
        bad.spoil(bytes);
        const auto path = Write("bad.dat", bytes);
        messages.shown.clear();
        EXPECT_FALSE(ephemeris.OpenFile(path, 2)) << bad.name;
        ASSERT_EQ(messages.shown.size(), 1u) << bad.name;
        EXPECT_EQ(messages.shown[0].text, "Unable to load ephemeris file " + path.string());
        EXPECT_NEAR(ephemeris.Value(FirstJD + 5, 7, KindGeoLongitude), 10.0, 1e-6) << bad.name;
    }
    messages.shown.clear();
    EXPECT_FALSE(ephemeris.OpenFile(folder.path() / "ephem006.dat", 6));  // missing: silent
    EXPECT_FALSE(ephemeris.OpenFile(Write("slot.dat", good), PlanetFileCount));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(EphemerisReader, CloseAllForgetsEveryFile) {
    const auto path =
        Write("ephem000.dat", SerializeEphemerisFile(FirstJD, FirstJD + 20, "sun",
                                                     {SampledEntry("SUN", 0, FirstJD, 1.0, 21,
                                                                   [](double) { return 10.0; })}));
    ASSERT_TRUE(ephemeris.OpenFile(path, 0));
    EXPECT_TRUE(ephemeris.Covers(FirstJD + 1, 0, KindGeoLongitude));
    ephemeris.CloseAll();
    EXPECT_FALSE(ephemeris.Covers(FirstJD + 1, 0, KindGeoLongitude));
    EXPECT_EQ(ephemeris.GetValue(FirstJD + 1, 0, KindGeoLongitude), NoValue);
    EXPECT_TRUE(messages.shown.empty());
}

// The fuzz target of this reader starts from a small file of the current layout; a change of
// signature, version or directory must bring a new one.
TEST(EphemerisFile, TheFuzzSeedIsAFileOfTheCurrentLayout) {
    std::ifstream in(QUINTARO_SOURCE_DIR "/fuzz/seeds/fuzz_ephemeris_file/small-ephemeris.dat",
                     std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::string why;
    const auto view = ParseEphemerisFile(bytes, &why);
    ASSERT_TRUE(view) << why;
    EXPECT_EQ(view->entries.size(), 3u);
}

}  // namespace
}  // namespace quintaro
