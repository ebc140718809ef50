// SPDX-License-Identifier: AGPL-3.0-or-later
// libFuzzer target for the planetary ephemeris reader: any bytes as a file, then values asked
// for at moments inside and around its entries. Nothing may crash or read outside the file.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/ephemeris.h"
#include "core/ephemeris_file_format.h"

namespace {

const std::filesystem::path& ScratchFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quintaro-fuzz-ephem-" + std::to_string(::getpid()) + ".dat");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto view = quintaro::ParseEphemerisFile(bytes);
    {
        std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    quintaro::SilentMessages quiet;
    quintaro::Ephemeris ephemeris(quiet);
    const bool opened = ephemeris.OpenFile(ScratchFile(), 0);
    if (!opened || !view) return 0;

    quintaro::EphemerisCursor cursor;
    constexpr int codes[] = {0, 1, 4, 7, 15, 19, 19, -3, 40};
    std::optional<quintaro::EphemerisPoint> points[std::size(codes)];
    double start = view->firstJD;
    for (std::size_t i = 0; i < view->entries.size() && i < 16; ++i) {
        const auto& e = view->entries[i];
        const double span = e.step * static_cast<double>(e.count - 1);
        for (double at :
             {-1.0, 0.0, 0.49, 0.5, 1.0, 2.5, 3.5, 0.37 * span, span - 3.5, span, span + 1}) {
            const double jd = start + at * (at > 3.5 || at < 0 ? 1.0 : e.step);
            for (int code : {0, 1, 4, 7, 15, 19})
                for (int kind : {0, 1, 3, 4, 5, 8, 11, 12, 13})
                    (void)ephemeris.GetValue(jd, code, kind), (void)ephemeris.Value(jd, code, kind);
            for (auto frame : {quintaro::Frame::Geocentric, quintaro::Frame::Heliocentric}) {
                ephemeris.ReadBodies(jd, frame, codes, points, cursor);
                (void)ephemeris.Read(jd, 7, frame, cursor);
            }
        }
        start += span;
    }
    return 0;
}
