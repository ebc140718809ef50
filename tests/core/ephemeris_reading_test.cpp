// SPDX-License-Identifier: AGPL-3.0-or-later
// Reading a body in one frame (Read), several at once (ReadBodies) and one quantity at a time
// (Value) give the same numbers; cursors start afresh when the files change.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "synthetic_sky.h"

namespace quintaro {
namespace {

using test::SyntheticSky;

// The four quantities of a frame one at a time; nothing when any of them is missing.
std::optional<EphemerisPoint> ByQuantity(const Ephemeris& e, double jd, int code, Frame frame) {
    const bool geo = frame == Frame::Geocentric;
    const int lon = geo ? KindGeoLongitude : KindHelioLongitude;
    const int second = geo ? KindDeclination : KindHelioLatitude;
    const EphemerisPoint p{e.Value(jd, code, lon), e.Value(jd, code, second),
                           e.Value(jd, code, lon + SpeedKind),
                           e.Value(jd, code, second + SpeedKind)};
    if (p.longitude == NoValue || p.second == NoValue || p.longitudeSpeed == NoValue ||
        p.secondSpeed == NoValue)
        return std::nullopt;
    return p;
}

void ExpectSame(const std::optional<EphemerisPoint>& a, const std::optional<EphemerisPoint>& b,
                const std::string& what) {
    ASSERT_EQ(a.has_value(), b.has_value()) << what;
    if (!a) return;
    EXPECT_NEAR(a->longitude, b->longitude, 1e-12) << what;
    EXPECT_NEAR(a->second, b->second, 1e-12) << what;
    EXPECT_NEAR(a->longitudeSpeed, b->longitudeSpeed, 1e-12) << what;
    EXPECT_NEAR(a->secondSpeed, b->secondSpeed, 1e-12) << what;
}

TEST(EphemerisReading, OneBodyManyBodiesAndOneQuantityAgree) {
    SyntheticSky sky;
    // Every code twice, unknown codes, and more than one batch.
    std::vector<int> codes = {-1, 25};
    for (int round = 0; round < 2; ++round)
        for (int code = 0; code < EphemerisCodeCount; ++code) codes.push_back(code);
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> moment(SyntheticSky::First - 5,
                                                  SyntheticSky::First + SyntheticSky::Days + 5);
    EphemerisCursor batchCursor, singleCursor;
    int found = 0;
    for (int i = 0; i < 300; ++i) {
        const double jd = i % 3 == 0 ? moment(rng) : SyntheticSky::First + 100 + i * 0.01;
        for (Frame frame : {Frame::Geocentric, Frame::Heliocentric}) {
            std::vector<std::optional<EphemerisPoint>> batch(codes.size());
            sky.ephemeris.ReadBodies(jd, frame, codes, batch, batchCursor);
            for (std::size_t k = 0; k < codes.size(); ++k) {
                const std::string what = "code " + std::to_string(codes[k]) + " at " +
                                         std::to_string(jd) +
                                         (frame == Frame::Geocentric ? " geo" : " helio");
                const auto single = sky.ephemeris.Read(jd, codes[k], frame, singleCursor);
                ExpectSame(batch[k], single, what);
                ExpectSame(batch[k], ByQuantity(sky.ephemeris, jd, codes[k], frame), what);
                found += batch[k].has_value();
            }
        }
    }
    EXPECT_GT(found, 1000);
}

TEST(EphemerisReading, ACursorStartsAfreshWhenTheFilesChange) {
    SyntheticSky sky;
    EphemerisCursor cursor;
    const double jd = SyntheticSky::First + 10.25;
    ASSERT_TRUE(sky.ephemeris.Read(jd, 0, Frame::Geocentric, cursor));
    EphemerisCursor copy = cursor;  // a copy goes on by itself
    const std::string bytes = SerializeEphemerisFile(
        SyntheticSky::First, SyntheticSky::First + 40, "other",
        {test::SampledEntry("SUN", 0, SyntheticSky::First, 1.0, 41, [](double) { return 42.0; }),
         test::SampledEntry("SUN", 1, SyntheticSky::First, 1.0, 41, SyntheticSky::Zero)});
    const auto path = sky.folder.path() / "other.dat";
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(sky.ephemeris.OpenFile(path, 0));
    for (EphemerisCursor* c : {&cursor, &copy}) {
        const auto p = sky.ephemeris.Read(jd, 0, Frame::Geocentric, *c);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->longitude, 42.0, 1e-6);
        EXPECT_FALSE(sky.ephemeris.Read(jd, 5, Frame::Geocentric, *c));  // Mars has gone
    }
    sky.ephemeris.CloseAll();
    EXPECT_FALSE(sky.ephemeris.Read(jd, 0, Frame::Geocentric, cursor));
}

}  // namespace
}  // namespace quintaro
