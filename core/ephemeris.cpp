// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/ephemeris.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#define QUINTARO_MAP_FILES 1
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#define QUINTARO_MAP_FILES 0
#include "core/atomic_file.h"
#endif

#include "core/bodies.h"
#include "core/degrees.h"
#include "core/ephemeris_file_format.h"
#include "core/obliquity.h"

namespace quintaro {

// The reader's own types; named (not anonymous) because the cursor's cache, declared in the
// header, holds them.
namespace ephemeris_reader {

constexpr int ComponentCount = 8;
constexpr int KindCount = 16;
constexpr int TrackCount = EphemerisCodeCount * ComponentCount;
constexpr int LatitudeComponent = 1;

// Asks the processor to start loading a cache line that will be read soon.
inline void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// A file's bytes for the life of the reader. Mapped read-only where the system can: nothing is
// copied at start-up, the page cache serves the pages a moment needs, and several readers share
// them. The workstation replaces ephemeris files only by renaming a whole new file into place, so
// a mapped file never changes under the reader. Elsewhere the file is read into memory.
class MappedFile {
  public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile() {
#if QUINTARO_MAP_FILES
        if (data_) ::munmap(const_cast<unsigned char*>(data_), size_);
#endif
    }

    // Nothing when the file cannot be opened or read.
    static std::shared_ptr<const MappedFile> Open(const std::filesystem::path& path) {
        auto file = std::make_shared<MappedFile>();
#if QUINTARO_MAP_FILES
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        struct stat status {};
        bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
        if (ok && status.st_size > 0) {
            const auto size = static_cast<std::size_t>(status.st_size);
            void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            ok = mapped != MAP_FAILED;
            if (ok) {
                file->data_ = static_cast<const unsigned char*>(mapped);
                file->size_ = size;
            }
        }
        ::close(fd);
        if (!ok) return nullptr;
#else
        std::string bytes;
        if (!ReadWholeFile(path, bytes)) return nullptr;
        file->copy_.assign(bytes.begin(), bytes.end());
        file->data_ = file->copy_.data();
        file->size_ = file->copy_.size();
#endif
        return file;
    }

    std::string_view bytes() const {
        return {reinterpret_cast<const char*>(data_), size_};
    }
    const unsigned char* data() const {
        return data_;
    }

  private:
    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
#if !QUINTARO_MAP_FILES
    std::vector<unsigned char> copy_;
#endif
};

// One directory entry ready for evaluation, in one cache line: where its samples lie, how they
// scale, and the moments it answers (its central part, or up to its start (end) when no entry of
// the body and component precedes (follows) it).
struct alignas(64) Segment {
    double start = 0;  // moment of sample 0
    double invStep = 1;
    double from = 0, to = 0;
    const unsigned char* samples = nullptr;
    double scale = 1, offset = 0;
    std::int32_t count = 0;
    bool angular = false;
};

// All segments of one body and component, in time order. Tracks of many segments carry an
// index by moment: bucket b holds the first segment that reaches past base + b·BucketDays, so a
// lookup costs one or two memory reads instead of a binary search over cold memory.
constexpr double BucketDays = 16.0;

struct Track {
    std::vector<Segment> segments;
    double base = 0;
    std::vector<std::uint32_t> buckets;
};

// Sorts segments by the first moment they answer, keeping the order of equal ones. Through a list
// of positions: the standard stable sort's scratch buffer does not keep the segments' alignment.
void SortByStart(std::vector<Segment>& segments) {
    std::vector<std::uint32_t> order(segments.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return segments[a].from < segments[b].from;
    });
    std::vector<Segment> sorted;
    sorted.reserve(segments.size());
    for (std::uint32_t i : order) sorted.push_back(segments[i]);
    segments.swap(sorted);
}

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

std::size_t BucketOf(const Track& t, double jd) {
    double b = std::floor((jd - t.base) / BucketDays);
    if (!(b >= 0)) b = 0;  // before the first segment, or not a number
    return static_cast<std::size_t>(std::min(b, static_cast<double>(t.buckets.size() - 1)));
}

// From a bucket's first candidate: segments are sorted by `from`, so none after the first that
// starts beyond jd can hold it.
std::optional<std::uint32_t> ScanFrom(const Track& t, std::size_t i, double jd) {
    for (; i < t.segments.size() && t.segments[i].from <= jd; ++i)
        if (jd <= t.segments[i].to) return static_cast<std::uint32_t>(i);
    return std::nullopt;
}

// The segment that answers jd. Searches mostly step through time: the one that answered last
// (hint) and its neighbours are tried first.
std::optional<std::uint32_t> FindSegment(const Track& t, double jd, std::uint32_t hint) {
    const auto& segments = t.segments;
    const std::size_t first = hint > 0 ? hint - 1 : 0;
    for (std::size_t i = first; i < std::min<std::size_t>(hint + 2, segments.size()); ++i)
        if (jd >= segments[i].from && jd <= segments[i].to) return static_cast<std::uint32_t>(i);
    if (!t.buckets.empty()) return ScanFrom(t, t.buckets[BucketOf(t, jd)], jd);
    auto it = std::upper_bound(segments.begin(), segments.end(), jd,
                               [](double moment, const Segment& s) { return moment < s.from; });
    // Segments of different files may overlap; look back a few for one that reaches the moment.
    for (int tries = 0; it != segments.begin() && tries < 8; ++tries) {
        --it;
        if (jd >= it->from && jd <= it->to)
            return static_cast<std::uint32_t>(it - segments.begin());
    }
    return std::nullopt;
}

// The window of seven samples around a moment: centred on the nearest sample and kept inside the
// segment; f is the moment's offset from the centre in steps.
struct WindowPlace {
    std::int64_t n = 3;
    double f = 0;
};

WindowPlace Locate(const Segment& s, double jd) {
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
    return {static_cast<std::int64_t>(n), f};
}

const unsigned char* WindowSamples(const Segment& s, std::int64_t n) {
    return s.samples + 4 * (n - 3);
}

void PrefetchWindow(const Segment& s, std::int64_t n) {
    const unsigned char* p = WindowSamples(s, n);
    Prefetch(p);
    Prefetch(p + 4 * EphemerisWindow - 1);  // the window may straddle two cache lines
}

using Coefficients = std::array<double, 7>;

void LoadCoefficients(const Segment& s, std::int64_t n, Coefficients& c) {
    std::array<std::int64_t, 7> x{};
    const unsigned char* p = WindowSamples(s, n);
    for (int k = 0; k < 7; ++k) x[k] = DecodeSample(ReadU32(p + 4 * k));
    c = TaylorCoefficients(x, s.angular, s.scale, s.offset);
}

struct Sample {
    double value = 0;
    double speed = 0;  // per day
};

Sample Evaluate(const Segment& s, const Coefficients& c, double f) {
    Sample out;
    out.value = c[0] + f * (c[1] + f * (c[2] + f * (c[3] + f * (c[4] + f * (c[5] + f * c[6])))));
    if (s.angular) {
        if (out.value < 0) {
            out.value += 360.0;
        } else if (out.value >= 360.0) {
            out.value -= 360.0;
        }
    }
    out.speed =
        (c[1] + f * (2 * c[2] + f * (3 * c[3] + f * (4 * c[4] + f * (5 * c[5] + f * 6 * c[6]))))) *
        s.invStep;
    return out;
}

// Declination and its rate from the geocentric longitude and latitude:
// sin δ = sin β cos ε + cos β sin ε sin λ, differentiated for the rate (with the slow change of ε).
EphemerisPoint EquatorialPoint(const Sample& lon, const Sample& lat, const Obliquity& e) {
    const double sl = std::sin(lon.value * kDegToRad), cl = std::cos(lon.value * kDegToRad);
    const double sb = std::sin(lat.value * kDegToRad), cb = std::cos(lat.value * kDegToRad);
    const double sinDecl = std::clamp(sb * e.cosine + cb * e.sine * sl, -1.0, 1.0);
    const double cosDecl = std::sqrt(1.0 - sinDecl * sinDecl);
    const double rate = (e.cosine * cb - e.sine * sb * sl) * lat.speed +
                        cb * e.sine * cl * lon.speed +
                        (cb * e.cosine * sl - sb * e.sine) * e.ratePerDay * kRadToDeg;
    return {lon.value, std::asin(sinDecl) * kRadToDeg, lon.speed,
            cosDecl > 1e-12 ? rate / cosDecl : 0.0};
}

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

// Start of each entry of a file: the first of a body and component at the file's first day,
// each next one overlapping the one before (NextEntryStart). Empty when a range is not finite.
std::vector<double> ChainStarts(double firstJD, const std::vector<EphemerisEntryView>& entries) {
    struct Previous {
        bool any = false;
        double end = 0, step = 0;
    };
    std::vector<double> starts;
    std::array<Previous, (EphemerisCodeCount + 1) * ComponentCount> previous{};
    for (const auto& e : entries) {
        const int code = EphemerisCodeByName(std::string_view(e.name3, 3));
        Previous& p =
            previous[(code < 0 ? EphemerisCodeCount : code) * ComponentCount + e.component];
        const double start = p.any ? NextEntryStart(p.end, p.step, e.step) : firstJD;
        const double end = start + static_cast<double>(e.count - 1) * e.step;
        if (!std::isfinite(start) || !std::isfinite(end)) return {};
        starts.push_back(start);
        p = {true, end, e.step};
    }
    return starts;
}

// The open files and everything built from them. Never changed once built: reopening a file
// builds a new one, and cursors that still hold the old one keep its files mapped.
struct LoadedFiles {
    std::array<std::shared_ptr<const MappedFile>, PlanetFileCount> files;
    std::array<Track, TrackCount> tracks;
    std::bitset<EphemerisCodeCount> hasBody;

    const Track& track(int code, int component) const {
        return tracks[code * ComponentCount + component];
    }
};

// What a cursor keeps per body and component: the segment that answered last (with its range,
// so that a hit reads no other memory) and the Taylor coefficients of its last window.
struct Window {
    const Segment* segment = nullptr;
    double from = 0, to = -1;
    std::uint32_t index = 0;  // of the segment in its track: where the next search starts
    std::int64_t n = -1;      // centre sample of the coefficients; -1: none yet
    Coefficients c{};

    void Take(const Track& t, std::uint32_t i) {
        segment = &t.segments[i];
        from = segment->from;
        to = segment->to;
        index = i;
        n = -1;
    }
    bool Holds(double jd) const { return jd >= from && jd <= to; }
};

// Only the components the workstation reads are cached: 0/1 and 4/5 of every body.
int CachedComponentIndex(int component) {
    switch (component) {
        case 0:
        case 1:
            return component;
        case 4:
        case 5:
            return component - 2;
        default:
            return -1;
    }
}

// One component at jd, through a cursor window (or none: then nothing is remembered).
std::optional<Sample> ReadComponent(const LoadedFiles& files, double jd, int code, int component,
                                    Window* window) {
    const Track& t = files.track(code, component);
    if (window && window->segment && window->Holds(jd)) {
        const WindowPlace at = Locate(*window->segment, jd);
        if (window->n != at.n) {
            LoadCoefficients(*window->segment, at.n, window->c);
            window->n = at.n;
        }
        return Evaluate(*window->segment, window->c, at.f);
    }
    const auto i = FindSegment(t, jd, window ? window->index : 0);
    if (!i) return std::nullopt;
    const Segment& s = t.segments[*i];
    const WindowPlace at = Locate(s, jd);
    Coefficients local;
    Coefficients& c = window ? window->c : local;
    LoadCoefficients(s, at.n, c);
    if (window) {
        window->Take(t, *i);
        window->n = at.n;
    }
    return Evaluate(s, c, at.f);
}

Failure WhyMissing(const LoadedFiles& files, int code, int component) {
    if (!files.hasBody.test(static_cast<std::size_t>(code))) return Failure::NoBody;
    return files.track(code, component).segments.empty() ? Failure::NoComponent
                                                         : Failure::OutOfRange;
}

}  // namespace ephemeris_reader

using namespace ephemeris_reader;

struct EphemerisCursor::Cache {
    std::shared_ptr<const LoadedFiles> loaded;
    std::array<Window, EphemerisCodeCount * 4> windows{};
    double obliquityJD = std::numeric_limits<double>::quiet_NaN();
    Obliquity obliquity;

    // Starts afresh when the files changed since the last read.
    const LoadedFiles& Use(const std::shared_ptr<const LoadedFiles>& files) {
        if (loaded != files) {
            loaded = files;
            windows = {};
        }
        return *loaded;
    }
    Window* WindowOf(int code, int component) {
        const int i = CachedComponentIndex(component);
        return i < 0 ? nullptr : &windows[static_cast<std::size_t>(code * 4 + i)];
    }
    const Obliquity& ObliquityAt(double jd) {
        if (jd != obliquityJD) {
            obliquity = TrueObliquity(jd);
            obliquityJD = jd;
        }
        return obliquity;
    }
};

EphemerisCursor::EphemerisCursor() : cache_(std::make_unique<Cache>()) {}
EphemerisCursor::~EphemerisCursor() = default;
EphemerisCursor::EphemerisCursor(const EphemerisCursor& other)
    : cache_(std::make_unique<Cache>(*other.cache_)) {}
EphemerisCursor& EphemerisCursor::operator=(const EphemerisCursor& other) {
    if (this != &other) *cache_ = *other.cache_;
    return *this;
}
EphemerisCursor::EphemerisCursor(EphemerisCursor&& other) noexcept
    : cache_(std::make_unique<Cache>()) {
    cache_.swap(other.cache_);
}
EphemerisCursor& EphemerisCursor::operator=(EphemerisCursor&& other) noexcept {
    cache_.swap(other.cache_);
    return *this;
}

struct Ephemeris::State {
    std::array<std::shared_ptr<const MappedFile>, PlanetFileCount> files;
    std::array<std::vector<EphemerisEntryView>, PlanetFileCount> entries;
    std::array<double, PlanetFileCount> firstJD{};
    std::shared_ptr<const LoadedFiles> loaded = std::make_shared<const LoadedFiles>();
    // GetValue's own cursor and what it has reported.
    EphemerisCursor cursor;
    std::bitset<EphemerisCodeCount * KindCount> reported;

    void Rebuild();
    static Failure Compute(const LoadedFiles& files, double jd, int code, int kind,
                           EphemerisCursor::Cache* cache, double& out);
};

void Ephemeris::State::Rebuild() {
    auto built = std::make_shared<LoadedFiles>();
    built->files = files;
    for (int slot = 0; slot < PlanetFileCount; ++slot) {
        const auto starts = ChainStarts(firstJD[slot], entries[slot]);
        const unsigned char* data = files[slot] ? files[slot]->data() : nullptr;
        struct Pending {
            int key;
            Segment segment;
            double step;
        };
        std::vector<Pending> added;
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const auto& e = entries[slot][i];
            const int code = EphemerisCodeByName(std::string_view(e.name3, 3));
            if (code < 0) continue;
            Segment s;
            s.start = starts[i];
            s.invStep = 1.0 / e.step;
            s.samples = data + e.sampleOffset;
            s.count = e.count;
            s.scale = e.scale;
            s.offset = e.offset;
            s.angular = IsAngularComponent(e.component);
            s.from = s.start;
            s.to = s.start + static_cast<double>(e.count - 1) * e.step;  // the entry's end
            added.push_back({code * ComponentCount + e.component, s, e.step});
        }
        // A segment answers its central part; the first and last of a chain also their outer edge.
        std::array<Pending*, TrackCount> previous{};
        for (Pending& p : added) {
            if (Pending* before = previous[p.key]) {
                p.segment.from = p.segment.start + 3 * p.step;
                before->segment.to -= 3 * before->step;
            }
            previous[p.key] = &p;
        }
        for (const Pending& p : added) {
            built->tracks[p.key].segments.push_back(p.segment);
            built->hasBody.set(static_cast<std::size_t>(p.key / ComponentCount));
        }
    }
    for (auto& t : built->tracks) {
        SortByStart(t.segments);
        BuildBuckets(t);
    }
    loaded = std::move(built);
    reported.reset();
}

namespace {}  // namespace

// One quantity by kind, through a cursor's cache (or none).
Failure Ephemeris::State::Compute(const LoadedFiles& files, double jd, int code, int kind,
                                  EphemerisCursor::Cache* cache, double& out) {
    if (code < 0 || code >= EphemerisCodeCount || kind < 0 || kind >= KindCount)
        return Failure::NoBody;
    const bool speed = kind >= SpeedKind;
    const int component = kind % SpeedKind;
    auto read = [&](int c) {
        return ReadComponent(files, jd, code, c, cache ? cache->WindowOf(code, c) : nullptr);
    };
    if (component != KindDeclination) {
        const auto a = read(component);
        if (!a) return WhyMissing(files, code, component);
        out = speed ? a->speed : a->value;
        return Failure::None;
    }
    const auto lon = read(KindGeoLongitude);
    if (!lon) return WhyMissing(files, code, KindGeoLongitude);
    const auto lat = read(LatitudeComponent);
    if (!lat) return WhyMissing(files, code, LatitudeComponent);
    const EphemerisPoint p =
        EquatorialPoint(*lon, *lat, cache ? cache->ObliquityAt(jd) : TrueObliquity(jd));
    out = speed ? p.secondSpeed : p.second;
    return Failure::None;
}

namespace {

int LongitudeComponent(Frame frame) {
    return frame == Frame::Geocentric ? KindGeoLongitude : KindHelioLongitude;
}

}  // namespace

Ephemeris::Ephemeris(Messages& messages)
    : state_(std::make_unique<State>()), messages_(&messages) {}
Ephemeris::~Ephemeris() = default;
Ephemeris::Ephemeris(Ephemeris&&) noexcept = default;
Ephemeris& Ephemeris::operator=(Ephemeris&&) noexcept = default;

// Maps and checks a file into its slot; the caller rebuilds the index.
bool Ephemeris::Load(const std::filesystem::path& path, int fileSlot) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::shared_ptr<const MappedFile> file;
    std::optional<EphemerisFileView> view;
    if (fileSlot >= 0 && fileSlot < PlanetFileCount) file = MappedFile::Open(path);
    if (file) view = ParseEphemerisFile(file->bytes());
    if (!view || (!view->entries.empty() && ChainStarts(view->firstJD, view->entries).empty())) {
        messages_->show("Warning!", "Unable to load ephemeris file " + path.string(),
                        MessageIcon::Exclamation);
        return false;
    }
    state_->files[fileSlot] = std::move(file);
    state_->entries[fileSlot] = std::move(view->entries);
    state_->firstJD[fileSlot] = view->firstJD;
    return true;
}

bool Ephemeris::OpenFile(const std::filesystem::path& path, int fileSlot) {
    if (!Load(path, fileSlot)) return false;
    state_->Rebuild();
    return true;
}

int Ephemeris::OpenFiles(std::span<const std::filesystem::path> paths,
                         std::vector<std::string>* unusable) {
    int opened = 0;
    for (std::size_t slot = 0; slot < paths.size() && slot < PlanetFileCount; ++slot) {
        if (paths[slot].empty()) continue;
        if (Load(paths[slot], static_cast<int>(slot)))
            ++opened;
        else if (unusable)
            unusable->push_back(paths[slot].filename().string());
    }
    if (opened > 0) state_->Rebuild();
    return opened;
}

void Ephemeris::CloseAll() {
    for (auto& f : state_->files) f.reset();
    for (auto& e : state_->entries) e.clear();
    state_->Rebuild();
}

std::optional<EphemerisPoint> Ephemeris::Read(double jd, int code, Frame frame,
                                              EphemerisCursor& cursor) const {
    if (code < 0 || code >= EphemerisCodeCount) return std::nullopt;
    EphemerisCursor::Cache& cache = *cursor.cache_;
    const LoadedFiles& files = cache.Use(state_->loaded);
    const int lonComponent = LongitudeComponent(frame);
    const auto lon =
        ReadComponent(files, jd, code, lonComponent, cache.WindowOf(code, lonComponent));
    if (!lon) return std::nullopt;
    const auto lat =
        ReadComponent(files, jd, code, lonComponent + 1, cache.WindowOf(code, lonComponent + 1));
    if (!lat) return std::nullopt;
    if (frame == Frame::Geocentric) return EquatorialPoint(*lon, *lat, cache.ObliquityAt(jd));
    return EphemerisPoint{lon->value, lat->value, lon->speed, lat->speed};
}

void Ephemeris::ReadBodies(double jd, Frame frame, std::span<const int> codes,
                           std::span<std::optional<EphemerisPoint>> out,
                           EphemerisCursor& cursor) const {
    EphemerisCursor::Cache& cache = *cursor.cache_;
    const LoadedFiles& files = cache.Use(state_->loaded);
    const int lonComponent = LongitudeComponent(frame);

    // Two components per body, in four passes over all of them: each pass starts the memory
    // reads that the next one needs (bucket, segment, samples) before any of them is waited for.
    struct Job {
        const Track* track = nullptr;
        Window* window = nullptr;
        std::size_t bucketFirst = 0;
        bool searching = false;  // the cached segment does not hold jd
        bool found = false;
        WindowPlace at;
        Sample sample;
    };
    constexpr std::size_t Batch = EphemerisCodeCount;
    std::array<Job, 2 * Batch> jobs;
    for (std::size_t first = 0; first < codes.size() && first < out.size(); first += Batch) {
        const std::size_t count = std::min({Batch, codes.size() - first, out.size() - first});
        for (std::size_t j = 0; j < 2 * count; ++j) {
            Job& job = jobs[j] = Job{};
            const int code = codes[first + j / 2];
            if (code < 0 || code >= EphemerisCodeCount) continue;
            const int component = lonComponent + static_cast<int>(j % 2);
            job.track = &files.track(code, component);
            job.window = cache.WindowOf(code, component);
            if (job.window->segment && job.window->Holds(jd)) {
                job.found = true;
            } else if (!job.track->buckets.empty()) {
                job.searching = true;
                job.bucketFirst = BucketOf(*job.track, jd);
                Prefetch(&job.track->buckets[job.bucketFirst]);
            } else if (auto i = FindSegment(*job.track, jd, job.window->index)) {
                job.window->Take(*job.track, *i);
                job.found = true;
            }
        }
        for (std::size_t j = 0; j < 2 * count; ++j) {
            Job& job = jobs[j];
            if (!job.searching) continue;
            job.bucketFirst = job.track->buckets[job.bucketFirst];
            const auto& segments = job.track->segments;
            if (job.bucketFirst < segments.size()) Prefetch(&segments[job.bucketFirst]);
            if (job.bucketFirst + 1 < segments.size()) Prefetch(&segments[job.bucketFirst + 1]);
        }
        for (std::size_t j = 0; j < 2 * count; ++j) {
            Job& job = jobs[j];
            if (job.searching) {
                if (auto i = ScanFrom(*job.track, job.bucketFirst, jd)) {
                    job.window->Take(*job.track, *i);
                    job.found = true;
                }
            }
            if (!job.found) continue;
            job.at = Locate(*job.window->segment, jd);
            if (job.window->n != job.at.n) PrefetchWindow(*job.window->segment, job.at.n);
        }
        for (std::size_t j = 0; j < 2 * count; ++j) {
            Job& job = jobs[j];
            if (!job.found) continue;
            Window& w = *job.window;
            if (w.n != job.at.n) {
                LoadCoefficients(*w.segment, job.at.n, w.c);
                w.n = job.at.n;
            }
            job.sample = Evaluate(*w.segment, w.c, job.at.f);
        }
        for (std::size_t b = 0; b < count; ++b) {
            const Job& lon = jobs[2 * b];
            const Job& lat = jobs[2 * b + 1];
            auto& result = out[first + b];
            if (!lon.found || !lat.found) {
                result.reset();
            } else if (frame == Frame::Geocentric) {
                result = EquatorialPoint(lon.sample, lat.sample, cache.ObliquityAt(jd));
            } else {
                result = EphemerisPoint{lon.sample.value, lat.sample.value, lon.sample.speed,
                                        lat.sample.speed};
            }
        }
    }
}

float Ephemeris::GetValue(double jd, int code, int kind) {
    double value = 0;
    EphemerisCursor::Cache& cache = *state_->cursor.cache_;
    const Failure failure =
        State::Compute(cache.Use(state_->loaded), jd, code, kind, &cache, value);
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

double Ephemeris::Value(double jd, int code, int kind) const {
    double value = 0;
    return State::Compute(*state_->loaded, jd, code, kind, nullptr, value) == Failure::None
               ? value
               : NoValue;
}

bool Ephemeris::Covers(double jd, int code, int kind) const {
    if (code < 0 || code >= EphemerisCodeCount || kind < 0 || kind >= KindCount) return false;
    const int component = kind % SpeedKind;
    auto covered = [&](int comp) {
        const auto& segments = state_->loaded->track(code, comp).segments;
        return std::any_of(segments.begin(), segments.end(),
                           [&](const Segment& s) { return jd >= s.from && jd <= s.to; });
    };
    return component == KindDeclination ? covered(KindGeoLongitude) && covered(LatitudeComponent)
                                        : covered(component);
}

}  // namespace quintaro
