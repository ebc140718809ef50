// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/bodies.h"
#include "core/degrees.h"
#include "core/ephemeris_file_format.h"

namespace quintaro {

namespace {

constexpr int CodeCount = 20;
constexpr int ComponentCount = 8;
constexpr int KindCount = 16;

// One directory entry ready for evaluation: its day range, where its samples lie, and the
// Taylor coefficients of the last window used (keyed by the window's centre sample n).
struct Segment {
    double start = 0, end = 0, step = 1, invStep = 1;
    double from = 0,
           to = 0;  // the moments this segment answers: its central part, or up to its
                    // start (end) when no entry of the body and component precedes (follows)
    const unsigned char* samples = nullptr;
    std::int64_t count = 0;
    double scale = 1, offset = 0;
    bool angular = false;
    std::int64_t cachedN = -1;
    std::array<double, 7> c{};
};

// All segments of one body and component, in time order. Tracks of many segments carry an
// index by moment: bucket b holds the first segment that reaches past base + b·BucketDays, so a
// lookup costs one or two memory reads instead of a binary search over cold memory.
constexpr double BucketDays = 16.0;

struct Track {
    std::vector<Segment> segments;
    std::size_t last = 0;  // the segment that answered last: the next moment is likely in it
    double base = 0;
    std::vector<std::uint32_t> buckets;
};

void BuildBuckets(Track& t) {
    t.buckets.clear();
    if (t.segments.size() < 4) return;
    t.base = t.segments.front().from;
    double reach = -INFINITY;  // the farthest `to` among segments so far: rises monotonically
    std::vector<double> reachBy;
    for (const Segment& s : t.segments) reachBy.push_back(reach = std::max(reach, s.to));
    const double span = reach - t.base;
    if (!(span >= 0) || span / BucketDays > 1e7) return;  // fall back to the binary search
    const auto count = static_cast<std::size_t>(span / BucketDays) + 1;
    t.buckets.resize(count);
    std::size_t i = 0;
    for (std::size_t b = 0; b < count; ++b) {
        const double bucketStart = t.base + static_cast<double>(b) * BucketDays;
        while (i < reachBy.size() && reachBy[i] < bucketStart) ++i;
        t.buckets[b] = static_cast<std::uint32_t>(i);
    }
}

struct Sample {
    double value = 0;
    double speed = 0;  // degrees per day
};

enum class Failure { None, NoBody, NoComponent, OutOfRange };

const char* CauseText(Failure failure) {
    switch (failure) {
        case Failure::NoComponent:
            return "this quantity is not in the ephemeris files";
        case Failure::OutOfRange:
            return "the moment lies outside the ephemeris files";
        default:
            return "no ephemeris for this body";
    }
}

std::string FormatJD(double jd) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", jd);
    return text;
}

void LoadCoefficients(Segment& s, std::int64_t n) {
    std::array<std::int64_t, 7> x{};
    const unsigned char* p = s.samples + 4 * (n - 3);
    for (int k = 0; k < 7; ++k) x[k] = DecodeSample(ReadU32(p + 4 * k));
    s.c = TaylorCoefficients(x, s.angular, s.scale, s.offset);
    s.cachedN = n;
}

// Evaluation on the seven samples around the moment: the window is centred on the nearest
// sample and kept inside the segment, f is the moment's offset from the centre in steps.
Sample Evaluate(Segment& s, double jd, bool wantSpeed) {
    const double u = (jd - s.start) * s.invStep;
    double n = std::nearbyint(u);  // halves go to the even sample
    double f = u - n;
    const auto last = static_cast<double>(s.count - 4);
    if (!(n >= 3)) {  // also a moment that gives no number: n must stay a valid index
        f -= 3 - n;
        n = 3;
    } else if (n > last) {
        f += n - last;
        n = last;
    }
    const auto centre = static_cast<std::int64_t>(n);
    if (centre != s.cachedN) LoadCoefficients(s, centre);
    const auto& c = s.c;
    Sample out;
    out.value = c[0] + f * (c[1] + f * (c[2] + f * (c[3] + f * (c[4] + f * (c[5] + f * c[6])))));
    if (s.angular) {
        if (out.value < 0) {
            out.value += 360.0;
        } else if (out.value >= 360.0) {
            out.value -= 360.0;
        }
    }
    if (wantSpeed) {
        out.speed = (c[1] + f * (2 * c[2] +
                                 f * (3 * c[3] + f * (4 * c[4] + f * (5 * c[5] + f * 6 * c[6]))))) *
                    s.invStep;
    }
    return out;
}

}  // namespace

// A file's bytes, held in memory for the life of the reader. The samples are read at random
// moments all over the file, so on Linux the block asks for huge pages: one translation entry
// covers 2 MB instead of 4 kB, which halves the cost of a cold lookup.
class FileBytes {
  public:
    FileBytes() = default;
    explicit FileBytes(std::string_view bytes) {
        constexpr std::size_t Huge = std::size_t{2} << 20;
        const bool huge = bytes.size() >= Huge;  // small files are not worth a 2 MB block
        const std::size_t align = huge ? Huge : 64;
        const std::size_t rounded =
            std::max((bytes.size() + align - 1) / align, std::size_t{1}) * align;
        data_.reset(static_cast<unsigned char*>(std::aligned_alloc(align, rounded)));
        if (!data_) throw std::bad_alloc();
#ifdef __linux__
        if (huge) madvise(data_.get(), rounded, MADV_HUGEPAGE);
#endif
        std::memcpy(data_.get(), bytes.data(), bytes.size());
    }
    const unsigned char* data() const {
        return data_.get();
    }

  private:
    struct Free {
        void operator()(unsigned char* p) const { std::free(p); }
    };
    std::unique_ptr<unsigned char, Free> data_;
};

struct Ephemeris::State {
    std::array<FileBytes, PlanetFileCount> files;  // whole file contents, by file slot
    std::array<std::vector<EphemerisEntryView>, PlanetFileCount> entries;
    std::array<double, PlanetFileCount> firstJD{};
    std::array<Track, CodeCount * ComponentCount> tracks;
    std::bitset<CodeCount> hasBody;
    std::bitset<CodeCount * KindCount> reported;

    Track& track(int code, int component) { return tracks[code * ComponentCount + component]; }

    void Rebuild();
    Segment* Find(int code, int component, double jd);
    Failure Component(double jd, int code, int component, bool wantSpeed, Sample& out);
    Failure Compute(double jd, int code, int kind, double& out);
};

namespace {

// Start of each entry of a file: the first of a body and component at the file's first day,
// each next one overlapping the one before (NextEntryStart). Empty when a range is not finite.
std::vector<double> ChainStarts(double firstJD, const std::vector<EphemerisEntryView>& entries) {
    struct Previous {
        bool any = false;
        double end = 0, step = 0;
    };
    std::vector<double> starts;
    std::array<Previous, (CodeCount + 1) * ComponentCount> previous{};
    for (const auto& e : entries) {
        const int code = EphemerisCodeByName(std::string_view(e.name3, 3));
        Previous& p = previous[(code < 0 ? CodeCount : code) * ComponentCount + e.component];
        const double start = p.any ? NextEntryStart(p.end, p.step, e.step) : firstJD;
        const double end = start + static_cast<double>(e.count - 1) * e.step;
        if (!std::isfinite(start) || !std::isfinite(end)) return {};
        starts.push_back(start);
        p = {true, end, e.step};
    }
    return starts;
}

}  // namespace

void Ephemeris::State::Rebuild() {
    for (auto& t : tracks) t = Track{};
    hasBody.reset();
    reported.reset();
    for (int slot = 0; slot < PlanetFileCount; ++slot) {
        const auto starts = ChainStarts(firstJD[slot], entries[slot]);
        const unsigned char* data = files[slot].data();
        std::array<Segment*, CodeCount * ComponentCount> previous{};
        std::vector<std::pair<int, Segment>> added;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const auto& e = entries[slot][i];
            const int code = EphemerisCodeByName(std::string_view(e.name3, 3));
            if (code < 0) continue;
            Segment s;
            s.start = starts[i];
            s.step = e.step;
            s.invStep = 1.0 / e.step;
            s.end = s.start + static_cast<double>(e.count - 1) * e.step;
            s.samples = data + e.sampleOffset;
            s.count = e.count;
            s.scale = e.scale;
            s.offset = e.offset;
            s.angular = IsAngularComponent(e.component);
            added.emplace_back(code * ComponentCount + e.component, s);
        }
        // A segment answers its central part; the first and last of a chain also their outer edge.
        for (auto& [key, s] : added) {
            s.from = previous[key] ? s.start + 3 * s.step : s.start;
            s.to = s.end;
            if (previous[key]) previous[key]->to = previous[key]->end - 3 * previous[key]->step;
            previous[key] = &s;
        }
        for (auto& [key, s] : added) {
            tracks[key].segments.push_back(s);
            hasBody.set(key / ComponentCount);
        }
    }
    for (auto& t : tracks) {
        std::stable_sort(t.segments.begin(), t.segments.end(),
                         [](const Segment& a, const Segment& b) { return a.from < b.from; });
        BuildBuckets(t);
    }
}

Segment* Ephemeris::State::Find(int code, int component, double jd) {
    Track& t = track(code, component);
    auto& segments = t.segments;
    // Searches mostly step through time: try the segment that answered last and its neighbours.
    for (std::size_t i = t.last > 0 ? t.last - 1 : 0; i < std::min(t.last + 2, segments.size());
         ++i) {
        if (jd >= segments[i].from && jd <= segments[i].to) {
            t.last = i;
            return &segments[i];
        }
    }
    if (!t.buckets.empty()) {
        double b = std::floor((jd - t.base) / BucketDays);
        if (!(b >= 0)) b = 0;  // before the first segment, or not a number
        b = std::min(b, static_cast<double>(t.buckets.size() - 1));
        // Segments are sorted by `from`: none after the first that starts beyond jd can hold it.
        for (std::size_t i = t.buckets[static_cast<std::size_t>(b)];
             i < segments.size() && segments[i].from <= jd; ++i) {
            if (jd <= segments[i].to) {
                t.last = i;
                return &segments[i];
            }
        }
        return nullptr;
    }
    auto it = std::upper_bound(segments.begin(), segments.end(), jd,
                               [](double moment, const Segment& s) { return moment < s.from; });
    // Segments of different files may overlap; look back a few for one that reaches the moment.
    for (int tries = 0; it != segments.begin() && tries < 8; ++tries) {
        --it;
        if (jd >= it->from && jd <= it->to) {
            t.last = static_cast<std::size_t>(it - segments.begin());
            return &*it;
        }
    }
    return nullptr;
}

Failure Ephemeris::State::Component(double jd, int code, int component, bool wantSpeed,
                                    Sample& out) {
    Segment* s = Find(code, component, jd);
    if (!s) {
        if (!hasBody.test(code)) return Failure::NoBody;
        return track(code, component).segments.empty() ? Failure::NoComponent : Failure::OutOfRange;
    }
    out = Evaluate(*s, jd, wantSpeed);
    return Failure::None;
}

// Declination from the geocentric longitude and latitude with the mean obliquity:
// sin δ = sin β cos ε + cos β sin ε sin λ; its rate follows by differentiating that.
Failure Ephemeris::State::Compute(double jd, int code, int kind, double& out) {
    if (code < 0 || code >= CodeCount || kind < 0 || kind >= KindCount) return Failure::NoBody;
    const bool speed = kind >= SpeedKind;
    const int component = kind % SpeedKind;
    Sample a;
    if (component != KindDeclination) {
        const Failure f = Component(jd, code, component, speed, a);
        out = speed ? a.speed : a.value;
        return f;
    }
    Sample b;
    if (Failure f = Component(jd, code, KindGeoLongitude, speed, a); f != Failure::None) return f;
    if (Failure f = Component(jd, code, 1, speed, b); f != Failure::None) return f;
    const double eps = MeanObliquity(jd);
    const double sl = std::sin(a.value * kDegToRad), cl = std::cos(a.value * kDegToRad);
    const double sb = std::sin(b.value * kDegToRad), cb = std::cos(b.value * kDegToRad);
    const double se = std::sin(eps), ce = std::cos(eps);
    const double sinDecl = std::clamp(sb * ce + cb * se * sl, -1.0, 1.0);
    if (!speed) {
        out = std::asin(sinDecl) * kRadToDeg;
        return Failure::None;
    }
    const double cosDecl = std::sqrt(1.0 - sinDecl * sinDecl);
    const double rate = (ce * cb - se * sb * sl) * b.speed + cb * se * cl * a.speed +
                        (cb * ce * sl - sb * se) * MeanObliquityRate(jd) * kRadToDeg;
    out = cosDecl > 1e-12 ? rate / cosDecl : 0.0;
    return Failure::None;
}

Ephemeris::Ephemeris(Messages& messages)
    : state_(std::make_unique<State>()), messages_(&messages) {}
Ephemeris::~Ephemeris() = default;
Ephemeris::Ephemeris(Ephemeris&&) noexcept = default;
Ephemeris& Ephemeris::operator=(Ephemeris&&) noexcept = default;

bool Ephemeris::OpenFile(const std::filesystem::path& path, int fileSlot) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::string bytes;
    std::optional<EphemerisFileView> view;
    if (fileSlot >= 0 && fileSlot < PlanetFileCount && ReadWholeFile(path, bytes))
        view = ParseEphemerisFile(bytes);
    if (!view || (!view->entries.empty() && ChainStarts(view->firstJD, view->entries).empty())) {
        messages_->show("Warning!", "Unable to load ephemeris file " + path.string(),
                        MessageIcon::Exclamation);
        return false;
    }
    state_->files[fileSlot] = FileBytes(bytes);
    state_->entries[fileSlot] = std::move(view->entries);
    state_->firstJD[fileSlot] = view->firstJD;
    state_->Rebuild();
    return true;
}

void Ephemeris::CloseAll() {
    for (auto& f : state_->files) f = FileBytes();
    for (auto& e : state_->entries) e.clear();
    state_->Rebuild();
}

float Ephemeris::GetValue(double jd, int code, int kind) {
    double value = 0;
    const Failure failure = state_->Compute(jd, code, kind, value);
    if (failure == Failure::None) {
        auto single = static_cast<float>(value);
        // A longitude just below 360 may round up to it in single precision.
        if (kind < SpeedKind && IsAngularComponent(kind) && single >= 360.0f) single = 0.0f;
        return single;
    }
    if (failure != Failure::NoBody) {
        const std::size_t key = static_cast<std::size_t>(code * KindCount + kind);
        if (!state_->reported.test(key)) {
            state_->reported.set(key);
            messages_->show("Warning!",
                            "Calculation Error: Pl=" + std::to_string(code) +
                                ", comp=" + std::to_string(kind) + ", jd=" + FormatJD(jd) +
                                ", cause=" + CauseText(failure),
                            MessageIcon::Exclamation);
        }
    }
    return NoValue;
}

double Ephemeris::Value(double jd, int code, int kind) {
    double value = 0;
    return state_->Compute(jd, code, kind, value) == Failure::None ? value : NoValue;
}

bool Ephemeris::Covers(double jd, int code, int kind) const {
    if (code < 0 || code >= CodeCount || kind < 0 || kind >= KindCount) return false;
    const int component = kind % SpeedKind;
    auto covered = [&](int comp) {
        const auto& segments = state_->tracks[code * ComponentCount + comp].segments;
        return std::any_of(segments.begin(), segments.end(),
                           [&](const Segment& s) { return jd >= s.from && jd <= s.to; });
    };
    return component == KindDeclination ? covered(KindGeoLongitude) && covered(1)
                                        : covered(component);
}

}  // namespace quintaro
