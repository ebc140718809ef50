// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "core/ephemeris_file_format.h"

namespace quintaro::test {

// An entry of `count` samples of f(moment) from `start` at `step`.
inline EphemerisEntryData SampledEntry(const char* name, int component, double start, double step,
                                       int count, const std::function<double(double)>& f) {
    EphemerisEntryData e;
    e.name3 = name;
    e.component = component;
    e.step = step;
    std::vector<double> values;
    for (int i = 0; i < count; ++i) values.push_back(f(start + i * step));
    if (IsAngularComponent(component)) {
        for (double v : values) e.words.push_back(EncodeSample(QuantizeAngle(v)));
        return e;
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const LinearScale scale = ChooseLinearScale(*low, *high);
    e.scale = scale.scale;
    e.offset = scale.offset;
    for (double v : values) e.words.push_back(EncodeSample(QuantizeLinear(v, scale)));
    return e;
}

// `pieces` entries of `count` samples each, chained as the layout chains entries of one body and
// component: each starts three steps of each before the end of the one before.
inline std::vector<EphemerisEntryData> SampledChain(const char* name, int component, double first,
                                                    double step, int count, int pieces,
                                                    const std::function<double(double)>& f) {
    std::vector<EphemerisEntryData> chain;
    double start = first;
    for (int p = 0; p < pieces; ++p) {
        chain.push_back(SampledEntry(name, component, start, step, count, f));
        start = NextEntryStart(start + (count - 1) * step, step, step);
    }
    return chain;
}

}  // namespace quintaro::test
