// SPDX-License-Identifier: AGPL-3.0-or-later
#include "wheels/angle_spreading.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/degrees.h"

namespace quintaro {

namespace {

// A run of consecutive points laid out `separation` apart from `start`.
struct Cluster {
    size_t first = 0;  // index into the unrolled sequence
    size_t count = 0;
    double sumOffsets = 0;  // sum over the members of (true angle - separation x rank)
    double start = 0;
};

// Points in one line, in increasing order: the layout that keeps every two consecutive points
// `separation` apart with the least squared movement (adjacent clusters pooled while they
// collide).
std::vector<double> SpreadInLine(const std::vector<double>& line, double separation) {
    std::vector<Cluster> clusters;
    for (size_t i = 0; i < line.size(); ++i) {
        clusters.push_back({i, 1, line[i], line[i]});
        while (clusters.size() > 1) {
            Cluster& last = clusters.back();
            Cluster& before = clusters[clusters.size() - 2];
            double beforeEnd = before.start + separation * (before.count - 1);
            if (last.start - beforeEnd >= separation) break;
            // Joining: the members of `last` move up by before.count ranks.
            before.sumOffsets +=
                last.sumOffsets - separation * static_cast<double>(before.count * last.count);
            before.count += last.count;
            before.start = before.sumOffsets / static_cast<double>(before.count);
            clusters.pop_back();
        }
    }
    std::vector<double> out(line.size());
    for (const Cluster& c : clusters)
        for (size_t k = 0; k < c.count; ++k) out[c.first + k] = c.start + separation * k;
    return out;
}

}  // namespace

double SmallestSeparation(const std::vector<double>& angles) {
    if (angles.size() < 2) return 360;
    std::vector<double> sorted;
    for (double a : angles) sorted.push_back(Norm360(a));
    std::sort(sorted.begin(), sorted.end());
    double smallest = sorted.front() + 360 - sorted.back();
    for (size_t i = 1; i < sorted.size(); ++i)
        smallest = std::min(smallest, sorted[i] - sorted[i - 1]);
    return smallest;
}

std::vector<double> SpreadAngles(const std::vector<double>& angles, double separation) {
    const size_t n = angles.size();
    std::vector<double> result(n);
    if (n == 0) return result;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::vector<double> norm(n);
    for (size_t i = 0; i < n; ++i) norm[i] = Norm360(angles[i]);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return norm[a] < norm[b]; });

    if (separation * static_cast<double>(n) > 360) {
        double mean = norm[order[0]];
        for (size_t k = 0; k < n; ++k) result[order[k]] = Norm360(mean + 360.0 * k / n);
        return result;
    }

    // Cut the circle in its widest gap, so that the points lie in one line after it.
    size_t cut = 0;
    double widest = -1;
    for (size_t k = 0; k < n; ++k) {
        double gap = k == 0 ? norm[order[0]] + 360 - norm[order[n - 1]]
                            : norm[order[k]] - norm[order[k - 1]];
        if (gap > widest) widest = gap, cut = k;
    }
    std::rotate(order.begin(), order.begin() + static_cast<long>(cut), order.end());

    // Laid out in a line, the two ends may come too close across the cut; then the points at the
    // head of the line go to its tail (one full turn on) and the line is laid out again, until
    // the ends keep their distance. All in one cluster they always do.
    for (size_t turn = 0; turn <= n; ++turn) {
        std::vector<double> line(n);
        double base = norm[order[0]];
        for (size_t k = 0; k < n; ++k) {
            double a = norm[order[k]];
            while (a < base) a += 360;
            if (k > 0) a = std::max(a, line[k - 1]);
            line[k] = a;
        }
        std::vector<double> spread = SpreadInLine(line, separation);
        if (spread.front() + 360 - spread.back() >= separation - 1e-9 || turn == n) {
            for (size_t k = 0; k < n; ++k) result[order[k]] = Norm360(spread[k]);
            return result;
        }
        // Move the leading cluster (the points that did not stay at their own angles together
        // with the first) to the tail.
        size_t lead = 1;
        while (lead < n && std::abs(spread[lead] - spread[lead - 1] - separation) < 1e-9) ++lead;
        std::rotate(order.begin(), order.begin() + static_cast<long>(lead), order.end());
    }
    return result;
}

}  // namespace quintaro
