// SPDX-License-Identifier: AGPL-3.0-or-later
#include "aspects/aspectarian_engine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "aspects/aspectarian_crossing.h"
#include "core/bodies.h"
#include "core/degrees.h"

namespace quintaro {

namespace {

constexpr int kHoursPerDay = 24;
// Samples of one day: index 0 is the hour before the day, 1..25 the hours 0..24.
constexpr int kSamples = kHoursPerDay + 2;
constexpr double kHour = 1.0 / 24.0;

// One body through the day. Natal points are tracks whose samples all hold the chart value.
struct Track {
    int slot = 0;
    std::array<double, kSamples> longitude{};
    std::array<double, kSamples> second{};
    bool retrograde = false;  // direction state, seeded from the hour before the start
};

struct Target {
    double value;  // relative longitude, body 1 − body 2
    int key;
};

// The relative longitudes at which a ticked angle is exact, copied a turn either way where that
// keeps them within reach of a folded difference and its hour's motion, with a per-degree count so
// that most hours are dismissed by two look-ups.
class AngleTargets {
  public:
    explicit AngleTargets(const AspectarianAspects& aspects) {
        for (int key = FirstKey; key <= LastLongitudeKey; ++key) {
            if (!aspects[static_cast<size_t>(key)]) continue;
            const double angle = AspectarianAngle(key);
            for (double base : {angle, -angle}) {
                for (double value : {base - 360.0, base, base + 360.0}) {
                    if (value < -kReach || value > kReach) continue;
                    const bool known =
                        std::any_of(targets_.begin(), targets_.end(),
                                    [&](const Target& t) { return t.value == value; });
                    if (!known) targets_.push_back({value, key});
                }
            }
        }
        std::sort(targets_.begin(), targets_.end(),
                  [](const Target& a, const Target& b) { return a.value < b.value; });
        for (const Target& t : targets_) ++below_[static_cast<size_t>(Bucket(t.value) + 1)];
        for (size_t i = 1; i < below_.size(); ++i) below_[i] += below_[i - 1];
    }

    bool empty() const { return targets_.empty(); }

    // Whether some target may lie in [lo, hi] (certainly none when false).
    bool MayHold(double lo, double hi) const {
        return below_[static_cast<size_t>(Bucket(hi) + 1)] >
               below_[static_cast<size_t>(Bucket(lo))];
    }

    const std::vector<Target>& all() const { return targets_; }

  private:
    static constexpr double kReach = 200.0;
    static constexpr int kBuckets = 2 * static_cast<int>(kReach) + 2;
    static int Bucket(double x) {
        const double clamped = std::clamp(x, -kReach, kReach);
        return static_cast<int>(std::floor(clamped)) + static_cast<int>(kReach);
    }
    std::vector<Target> targets_;
    std::array<int, kBuckets + 1> below_{};
};

int SignStartingAt(int boundary) {  // sign whose first degree is 30 × boundary
    return ((boundary % 12) + 12) % 12 + 1;
}

bool Excluded(int slot, Frame frame, bool natal) {
    if (frame == Frame::Geocentric) {
        if (slot == SlotEarth) return true;
        return !natal && slot >= SlotAscendant && slot <= SlotPartOfFortune;
    }
    return slot == SlotSun || slot == SlotMoon || slot == SlotNode ||
           (slot >= SlotAscendant && slot <= SlotPartOfFortune);
}

std::vector<int> Kept(const std::vector<int>& slots, Frame frame, bool natal) {
    std::vector<int> kept;
    for (int slot : slots)
        if (slot >= 1 && slot <= BodyCount && !Excluded(slot, frame, natal)) kept.push_back(slot);
    return kept;
}

// One pass over the range in one frame: its sample tables, its direction states and the event
// detection between consecutive samples.
class PassRun {
  public:
    PassRun(const AspectarianInput& input, Frame frame, const PositionAtMoment& positionAt,
            double startJD, long days)
        : input_(input),
          frame_(frame),
          positionAt_(positionAt),
          start_(startJD),
          end_(startJD + static_cast<double>(days)),
          targets_(input.aspects) {
        for (int slot : SampledBodies(input.transitBodies, frame)) tracks_.push_back({slot});
        if (input.pairing == AspectarianPairing::TransitNatal)
            for (int slot : FixedNatalBodies(input.natalBodies, frame))
                natal_.push_back(Fixed(slot));
    }

    // Fills the day's samples; false when a position cannot be had.
    bool Sample(long day) {
        for (Track& track : tracks_) {
            int first = 0;
            if (day > 0) {  // the hour before and hour 0 are the previous day's hours 23 and 24
                track.longitude[0] = track.longitude[kSamples - 2];
                track.longitude[1] = track.longitude[kSamples - 1];
                track.second[0] = track.second[kSamples - 2];
                track.second[1] = track.second[kSamples - 1];
                first = 2;
            }
            for (int i = first; i < kSamples; ++i) {
                const BodyPoint p = positionAt_(Moment(day, i), track.slot, frame_);
                if (!p.valid) return false;
                track.longitude[static_cast<size_t>(i)] = Norm360(p.longitude);
                track.second[static_cast<size_t>(i)] = p.second;
            }
            if (day == 0) track.retrograde = FoldAngle(track.longitude[1] - track.longitude[0]) < 0;
        }
        return true;
    }

    void Detect(long day, std::vector<AspectarianEvent>& out) {
        const AspectarianEventKinds& kinds = input_.events;
        const bool parallels = input_.aspects[KeyParallel],
                   contras = input_.aspects[KeyContraParallel];
        ForEachPair([&](const Track& a, const Track& b) {
            if (kinds.longitudeAspects && !targets_.empty()) LongitudeAspects(day, a, b, out);
            if (kinds.secondAspects && parallels) SecondAspect(day, a, b, KeyParallel, out);
            if (kinds.secondAspects && contras) SecondAspect(day, a, b, KeyContraParallel, out);
        });
        for (Track& track : tracks_) {
            if (kinds.signChanges) SignChanges(day, track, out);
            Directions(day, track, kinds.directionChanges, out);
            if (kinds.sideChanges) SideChanges(day, track, out);
        }
    }

  private:
    double Moment(long day, int index) const {
        return start_ + (static_cast<double>(day) + (index - 1) * kHour);
    }

    Track Fixed(int slot) const {
        const auto s = static_cast<size_t>(slot);
        const bool geo = frame_ == Frame::Geocentric;
        Track track{slot};
        track.longitude.fill(Norm360(geo ? input_.natal.GeoLong[s] : input_.natal.HelioLong[s]));
        track.second.fill(geo ? input_.natal.GeoDecl[s] : input_.natal.HelioLat[s]);
        return track;
    }

    // Transit-to-transit: every two transit bodies in list order; transit-to-natal: every transit
    // body with every natal point.
    template <typename F>
    void ForEachPair(F&& f) const {
        if (input_.pairing == AspectarianPairing::TransitTransit) {
            for (size_t i = 0; i < tracks_.size(); ++i)
                for (size_t j = i + 1; j < tracks_.size(); ++j) f(tracks_[i], tracks_[j]);
        } else {
            for (const Track& t : tracks_)
                for (const Track& n : natal_) f(t, n);
        }
    }

    AspectarianEvent Event(AspectarianEventKind kind, long day, int index, double fraction,
                           int body1) const {
        AspectarianEvent e;
        e.kind = kind;
        e.jd = Moment(day, index) + fraction * kHour;
        e.body1 = body1;
        return e;
    }

    void LongitudeAspects(long day, const Track& a, const Track& b,
                          std::vector<AspectarianEvent>& out) const {
        std::array<double, kSamples> relative;
        for (size_t i = 0; i < kSamples; ++i)
            relative[i] = FoldAngle(a.longitude[i] - b.longitude[i]);
        for (int i = 1; i <= kHoursPerDay; ++i) {
            const auto s = static_cast<size_t>(i);
            const double start = relative[s];
            const double end = start + FoldAngle(relative[s + 1] - start);
            const double lo = std::min(start, end), hi = std::max(start, end);
            if (!targets_.MayHold(lo, hi)) continue;
            const double before = start - FoldAngle(start - relative[s - 1]);
            for (const Target& t : targets_.all()) {
                if (t.value < lo || t.value > hi) continue;
                auto fraction = CrossingFraction(before - t.value, start - t.value, end - t.value);
                if (!fraction) continue;
                AspectarianEvent e =
                    Event(AspectarianEventKind::LongitudeAspect, day, i, *fraction, a.slot);
                e.body2 = b.slot;
                e.key = t.key;
                out.push_back(e);
            }
        }
    }

    // Equal declinations (latitudes) for a parallel; equal in size and opposite for a
    // contra-parallel.
    void SecondAspect(long day, const Track& a, const Track& b, int key,
                      std::vector<AspectarianEvent>& out) const {
        const double other = key == KeyParallel ? -1.0 : 1.0;
        std::array<double, kSamples> f;
        for (size_t i = 0; i < kSamples; ++i) f[i] = a.second[i] + other * b.second[i];
        for (int i = 1; i <= kHoursPerDay; ++i) {
            const auto s = static_cast<size_t>(i);
            auto fraction = CrossingFraction(f[s - 1], f[s], f[s + 1]);
            if (!fraction) continue;
            AspectarianEvent e =
                Event(AspectarianEventKind::SecondAspect, day, i, *fraction, a.slot);
            e.body2 = b.slot;
            e.key = key;
            out.push_back(e);
        }
    }

    void SignChanges(long day, const Track& track, std::vector<AspectarianEvent>& out) const {
        for (int i = 1; i <= kHoursPerDay; ++i) {
            const auto s = static_cast<size_t>(i);
            const double start = track.longitude[s];
            const double step = FoldAngle(track.longitude[s + 1] - start);
            const double end = start + step;
            const double lo = std::min(start, end), hi = std::max(start, end);
            const int first = static_cast<int>(std::floor(lo / 30.0));
            const int last = static_cast<int>(std::floor(hi / 30.0));
            if (first == last && lo != 30.0 * first) continue;
            const double before = start - FoldAngle(start - track.longitude[s - 1]);
            const bool forward = step > 0 || (step == 0 && start > before);
            for (int k = first; k <= last; ++k) {
                const double boundary = 30.0 * k;
                if (boundary < lo || boundary > hi) continue;
                auto fraction =
                    CrossingFraction(before - boundary, start - boundary, end - boundary);
                if (!fraction) continue;
                AspectarianEvent e =
                    Event(AspectarianEventKind::SignChange, day, i, *fraction, track.slot);
                e.sign = SignStartingAt(forward ? k : k - 1);
                out.push_back(e);
            }
        }
    }

    // The direction state follows the body whether or not its turns are listed.
    void Directions(long day, Track& track, bool listed, std::vector<AspectarianEvent>& out) const {
        for (int i = 1; i <= kHoursPerDay; ++i) {
            const auto s = static_cast<size_t>(i);
            const double step = FoldAngle(track.longitude[s + 1] - track.longitude[s]);
            const bool turns = track.retrograde ? step > 0 : step < 0;
            if (!turns) continue;
            track.retrograde = !track.retrograde;
            if (!listed) continue;
            const double hour = Moment(day, i);
            const double moment =
                RefineStation(positionAt_, track.slot, frame_, hour, track.retrograde)
                    .value_or(hour);
            if (moment < start_ || moment >= end_) continue;  // the turn lies outside the range
            AspectarianEvent e =
                Event(AspectarianEventKind::DirectionChange, day, i, 0, track.slot);
            e.jd = moment;
            e.retrograde = track.retrograde;
            out.push_back(e);
        }
    }

    // Moving north carries "par", moving south "c.p".
    void SideChanges(long day, const Track& track, std::vector<AspectarianEvent>& out) const {
        const auto& v = track.second;
        for (int i = 1; i <= kHoursPerDay; ++i) {
            const auto s = static_cast<size_t>(i);
            auto fraction = CrossingFraction(v[s - 1], v[s], v[s + 1]);
            if (!fraction) continue;
            const double motion = v[s + 1] != v[s] ? v[s + 1] - v[s] : v[s] - v[s - 1];
            AspectarianEvent e =
                Event(AspectarianEventKind::SideChange, day, i, *fraction, track.slot);
            e.key = motion > 0 ? KeyParallel : KeyContraParallel;
            out.push_back(e);
        }
    }

    const AspectarianInput& input_;
    Frame frame_;
    const PositionAtMoment& positionAt_;
    double start_, end_;
    AngleTargets targets_;
    std::vector<Track> tracks_;
    std::vector<Track> natal_;
};

// Appends a day's events to the pass's list, keeping the whole list in time order (a turn found
// early in a day may lie in the hour before it).
void AppendInOrder(std::vector<AspectarianEvent>& list, std::vector<AspectarianEvent>& day) {
    if (day.empty()) return;
    auto earlier = [](const AspectarianEvent& a, const AspectarianEvent& b) { return a.jd < b.jd; };
    std::stable_sort(day.begin(), day.end(), earlier);
    const auto oldSize = static_cast<std::ptrdiff_t>(list.size());
    auto from = std::upper_bound(list.begin(), list.end(), day.front(), earlier) - list.begin();
    list.insert(list.end(), day.begin(), day.end());
    std::inplace_merge(list.begin() + from, list.begin() + oldSize, list.end(), earlier);
}

std::string DayText(long day, long days) {
    return "Processing day " + std::to_string(day + 1) + " out of " + std::to_string(days) +
           " days";
}

std::vector<Frame> FramesOf(AspectarianPasses passes) {
    switch (passes) {
        case AspectarianPasses::Geocentric:
            return {Frame::Geocentric};
        case AspectarianPasses::Heliocentric:
            return {Frame::Heliocentric};
        case AspectarianPasses::Both:
            break;
    }
    return {Frame::Geocentric, Frame::Heliocentric};
}

}  // namespace

std::vector<int> SampledBodies(const std::vector<int>& transitBodies, Frame frame) {
    return Kept(transitBodies, frame, false);
}

std::vector<int> FixedNatalBodies(const std::vector<int>& natalBodies, Frame frame) {
    return Kept(natalBodies, frame, true);
}

AspectarianResult RunAspectarian(const AspectarianInput& input, const PositionAtMoment& positionAt,
                                 Messages& messages, const Progress& progress) {
    AspectarianResult result;
    if (auto problem = ValidateAspectarian(input)) {
        messages.show(problem->title, problem->text, MessageIcon::Exclamation);
        result.outcome = AspectarianOutcome::Invalid;
        return result;
    }
    const DateRange range = OrderedRange(input.from, input.to);
    result.from = range.from;
    result.to = range.to;
    result.days = DaysBetween(range.from, range.to) + 1;
    const double start = LocalMidnightJD(range.from, input.zone);
    const std::vector<Frame> frames = FramesOf(input.passes);
    const long total = result.days * static_cast<long>(frames.size());
    long done = 0;
    std::vector<AspectarianEvent> dayEvents;
    for (Frame frame : frames) {
        AspectarianPassResult& pass =
            frame == Frame::Geocentric ? result.geocentric : result.heliocentric;
        pass.ran = true;
        PassRun run(input, frame, positionAt, start, result.days);
        for (long day = 0; day < result.days; ++day, ++done) {
            if (!ReportProgress(progress, DayText(day, result.days), done, total)) {
                messages.show("Operation stopped by user",
                              "Stopped by user - operation only partially completed",
                              MessageIcon::Information);
                result.outcome = AspectarianOutcome::Stopped;
                return result;
            }
            if (!run.Sample(day)) {
                messages.show("Error - Some Data Produced Is Inaccurate",
                              "You have entered a date outside the range of my ephemeris. Please "
                              "enter another date.",
                              MessageIcon::Critical);
                result.outcome = AspectarianOutcome::OutOfRange;
                return result;
            }
            dayEvents.clear();
            run.Detect(day, dayEvents);
            AppendInOrder(pass.events, dayEvents);
            pass.daysDone = day + 1;
        }
    }
    return result;
}

}  // namespace quintaro
