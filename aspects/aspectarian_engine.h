// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <vector>

#include "aspects/aspectarian_input.h"
#include "core/messages.h"
#include "core/positions.h"
#include "core/progress.h"

namespace quintaro {

enum class AspectarianEventKind {
    LongitudeAspect,  // an angle between two longitudes becomes exact
    SecondAspect,     // a parallel or contra-parallel in declination (latitude)
    SignChange,       // a longitude enters a sign
    DirectionChange,  // a body turns retrograde or direct
    SideChange        // a declination (latitude) changes from south to north or back
};

struct AspectarianEvent {
    double jd = 0;  // the moment, UT
    AspectarianEventKind kind = AspectarianEventKind::LongitudeAspect;
    int body1 = 0;  // a transit body
    int body2 = 0;  // the other body of an aspect (natal in transit-to-natal runs), else 0
    // Aspects: the key 1..17. Changes of side: KeyParallel moving north, KeyContraParallel
    // moving south.
    int key = 0;
    int sign = 0;             // the sign entered, 1..12
    bool retrograde = false;  // a direction change: turning retrograde (else direct)
};

struct AspectarianPassResult {
    Frame frame = Frame::Geocentric;
    bool ran = false;                      // the pass was started (its events may still be partial)
    std::vector<AspectarianEvent> events;  // in time order
    long daysDone = 0;  // days searched to their end: all of them unless the run ended early
};

enum class AspectarianOutcome {
    Complete,
    Invalid,     // the input failed validation; nothing ran
    Stopped,     // the user stopped the run; the events found so far are kept
    OutOfRange,  // a position could not be had; the events found so far are kept
};

struct AspectarianResult {
    AspectarianOutcome outcome = AspectarianOutcome::Complete;
    CivilDate from, to;  // the range in order
    long days = 0;       // days in the range
    AspectarianPassResult geocentric{Frame::Geocentric, false, {}, 0};
    AspectarianPassResult heliocentric{Frame::Heliocentric, false, {}, 0};

    const AspectarianPassResult& pass(Frame frame) const {
        return frame == Frame::Geocentric ? geocentric : heliocentric;
    }
};

// The bodies of a pass that are sampled, or held fixed as natal points: the Earth has no
// geocentric position, the Sun, Moon and node no heliocentric one, and the ascendant, midheaven and
// part of fortune (vertex) are never sampled; natal ones keep their chart values geocentrically.
std::vector<int> SampledBodies(const std::vector<int>& transitBodies, Frame frame);
std::vector<int> FixedNatalBodies(const std::vector<int>& natalBodies, Frame frame);

// Runs the aspectarian: validation, then the geocentric pass (longitude and declination) and the
// heliocentric pass (longitude and latitude), as many as the input asks for, day by day from local
// midnight of the start date to local midnight after the end date. Every day shows "Processing
// day d out of D days" through `progress`; when progress asks to stop, the run ends with the
// events found so far and shows "Operation stopped by user". A moment whose position cannot be
// had ends the run the same way with the positions range message. Validation failures show their
// message and run nothing.
AspectarianResult RunAspectarian(const AspectarianInput& input, const PositionAtMoment& positionAt,
                                 Messages& messages, const Progress& progress = {});

}  // namespace quintaro
