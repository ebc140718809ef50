// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

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

// The "no value" answer of the ephemeris readers.
constexpr float NoValue = -32768.0f;

constexpr int PlanetFileCount = 7;  // "ephem000.dat" .. "ephem006.dat"

// Reads the planetary ephemeris files. One instance serves all seven files.
class Ephemeris {
public:
    explicit Ephemeris(Messages& messages);
    ~Ephemeris();
    Ephemeris(Ephemeris&&) noexcept;
    Ephemeris& operator=(Ephemeris&&) noexcept;

    // Opens a file into file slot 0..6, replacing what that slot held. A file with the wrong
    // signature or version, or whose header or directory does not fit inside it, is reported
    // ("Unable to load ephemeris file " + path) and not used.
    bool OpenFile(const std::filesystem::path& path, int fileSlot);
    void CloseAll();

    // A quantity of body code 0..19 at a Julian Day (UT), in degrees or degrees per day;
    // NoValue when it cannot be given. Failures other than "no such body" are reported once.
    float GetValue(double jd, int code, int kind);
    // The same in full precision, without any message: for searches that call it millions of
    // times. NoValue when it cannot be given.
    double Value(double jd, int code, int kind);

    // Whether some open file has this component of the body at jd.
    bool Covers(double jd, int code, int kind) const;

private:
    struct State;
    std::unique_ptr<State> state_;
    Messages* messages_;
};

}  // namespace quintaro
