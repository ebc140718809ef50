// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/messages.h"

namespace quintaro {

// Quantities the planetary reader gives, by kind number; kind + SpeedKind is the daily speed.
enum QuantityKind : int {
    KindGeoLongitude = 0,
    KindDeclination = 3,
    KindHelioLongitude = 4,
    KindHelioLatitude = 5,
    SpeedKind = 8,
};

// The "no value" answer of the per-quantity functions GetValue and Value.
constexpr float NoValue = -32768.0f;

constexpr int PlanetFileCount = 7;      // "ephem000.dat" .. "ephem006.dat"
constexpr int EphemerisCodeCount = 20;  // body codes 0..19

enum class Frame { Geocentric, Heliocentric };

// One body in one frame at one moment: the longitude and the second coordinate (the declination
// geocentrically, the ecliptic latitude heliocentrically), in degrees, with their daily speeds.
// Declinations use the true obliquity (core/obliquity.h).
struct EphemerisPoint {
    double longitude = 0;
    double second = 0;
    double longitudeSpeed = 0;
    double secondSpeed = 0;
};

// What one scan remembers between moments: per body and component the entry that answered last
// and the polynomial of its last window, and the obliquity of the last moment. A scan through
// time (a search, a listing) keeps one cursor, so that nearby moments cost no memory reads; scans
// on different threads each keep their own. A cursor stays valid when the files are reopened (it
// then starts afresh) and keeps the files it last read mapped while it lives.
class EphemerisCursor {
  public:
    EphemerisCursor();
    ~EphemerisCursor();
    EphemerisCursor(const EphemerisCursor&);
    EphemerisCursor& operator=(const EphemerisCursor&);
    EphemerisCursor(EphemerisCursor&&) noexcept;
    EphemerisCursor& operator=(EphemerisCursor&&) noexcept;

  private:
    friend class Ephemeris;
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// Reads the planetary ephemeris files. One instance serves all seven files. Once the files are
// open, reading never changes the instance (except GetValue, which remembers what it reported):
// any number of threads may read at once, each with its own cursor.
class Ephemeris {
  public:
    explicit Ephemeris(Messages& messages);
    ~Ephemeris();
    Ephemeris(Ephemeris&&) noexcept;
    Ephemeris& operator=(Ephemeris&&) noexcept;

    // Opens a file into file slot 0..6, replacing what that slot held. The file is mapped
    // read-only, not copied. A file with the wrong signature or version, or whose header or
    // directory does not fit inside it, is reported ("Unable to load ephemeris file " + path) and
    // not used.
    bool OpenFile(const std::filesystem::path& path, int fileSlot);
    // The same for several files at once, paths[i] into file slot i (an empty path leaves its slot
    // as it was); the index by moment is built once for all. Returns how many were opened; the
    // names of the files that were there but could not be used go to `unusable`.
    int OpenFiles(std::span<const std::filesystem::path> paths,
                  std::vector<std::string>* unusable = nullptr);
    void CloseAll();

    // One body (code 0..19) in one frame at a Julian Day (UT): longitude, second coordinate and
    // both speeds from one evaluation. Nothing when the files do not hold the frame's components
    // of the body at jd (the geocentric Earth, the heliocentric Sun and Moon, a gap or a moment
    // outside the files).
    std::optional<EphemerisPoint> Read(double jd, int code, Frame frame,
                                       EphemerisCursor& cursor) const;

    // Several bodies of one frame at one moment: out[i] answers codes[i]. The windows of all of
    // them are located and fetched together, so that their memory reads overlap instead of
    // waiting one after the other; this is what makes reading at scattered moments fast.
    void ReadBodies(double jd, Frame frame, std::span<const int> codes,
                    std::span<std::optional<EphemerisPoint>> out, EphemerisCursor& cursor) const;

    // A quantity of body code 0..19 at a Julian Day (UT), in degrees or degrees per day;
    // NoValue when it cannot be given. Failures other than "no such body" are reported once.
    // Remembers what it reported: for the one thread that computes the charts.
    float GetValue(double jd, int code, int kind);
    // The same in full precision, without any message and without remembering anything.
    // NoValue when it cannot be given.
    double Value(double jd, int code, int kind) const;

    // Whether some open file has this component of the body at jd.
    bool Covers(double jd, int code, int kind) const;

  private:
    bool Load(const std::filesystem::path& path, int fileSlot);

    struct State;
    std::unique_ptr<State> state_;
    Messages* messages_;
};

}  // namespace quintaro
