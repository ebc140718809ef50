// SPDX-License-Identifier: AGPL-3.0-or-later
#include "core/regres_obj.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quintaro {

void RegresObj::Init() {
    count_ = 0;
    sumX_.fill(0);
    sumXY_.fill(0);
    coefficients_.fill(0);
    effectiveDegree_ = -1;
    solved_ = false;
}

void RegresObj::Degree(int degree) {
    if (degree < 0 || degree > MaxDegree) {
        throw RegresError(
            InvalidDegreeError,
            std::to_string(degree) +
                " is an invalid property value! Use 0<= Degree <= " + std::to_string(MaxDegree));
    }
    Init();
    degree_ = degree;
}

void RegresObj::XYAdd(double x, double y) {
    ++count_;
    sumX_[0] += 1;
    sumXY_[0] += y;
    double power = 1;
    for (int k = 1; k <= 2 * degree_; ++k) {
        power *= x;
        sumX_[k] += power;
        if (k <= degree_) sumXY_[k] += power * y;
    }
    solved_ = false;
}

double RegresObj::Coeff(int exponent) {
    Solve();
    int k = std::abs(exponent);
    return k <= effectiveDegree_ ? coefficients_[k] : 0.0;
}

double RegresObj::RegVal(double x) {
    Solve();
    double value = 0;
    for (int k = effectiveDegree_; k >= 0; --k) value = value * x + coefficients_[k];
    return value;
}

int RegresObj::EffectiveDegree() {
    Solve();
    return effectiveDegree_;
}

void RegresObj::Solve() {
    if (solved_) return;
    solved_ = true;
    coefficients_.fill(0);
    // A polynomial of degree d needs d + 1 points.
    int d = count_ > degree_ ? degree_ : static_cast<int>(count_) - 1;
    if (d == 0) {
        coefficients_[0] = sumXY_[0] / sumX_[0];
        effectiveDegree_ = 0;
        return;
    }
    // A singular system loses its highest term and is tried again, down to a straight line.
    while (d >= 1) {
        if (SolveAtDegree(d)) {
            effectiveDegree_ = d;
            return;
        }
        --d;
    }
    coefficients_.fill(0);
    effectiveDegree_ = -1;
}

// Gaussian elimination with partial pivoting on the normal equations
// Σ_j Σx^(i+j) · c_j = Σx^i·y, i = 0..degree.
bool RegresObj::SolveAtDegree(int degree) {
    const int n = degree + 1;
    std::array<std::array<double, MaxDegree + 2>, MaxDegree + 1> a{};
    double largest = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            a[i][j] = sumX_[i + j];
            largest = std::max(largest, std::abs(a[i][j]));
        }
        a[i][n] = sumXY_[i];
    }
    // Pivots this small relative to the matrix are what rounding leaves of an exact zero.
    const double tiny = largest * 1e-15 * n;
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int row = col + 1; row < n; ++row) {
            if (std::abs(a[row][col]) > std::abs(a[pivot][col])) pivot = row;
        }
        if (!(std::abs(a[pivot][col]) > tiny)) return false;
        std::swap(a[pivot], a[col]);
        for (int row = col + 1; row < n; ++row) {
            double factor = a[row][col] / a[col][col];
            if (factor == 0) continue;
            for (int k = col; k <= n; ++k) a[row][k] -= factor * a[col][k];
        }
    }
    std::array<double, MaxDegree + 1> solution{};
    for (int row = n - 1; row >= 0; --row) {
        double sum = a[row][n];
        for (int k = row + 1; k < n; ++k) sum -= a[row][k] * solution[k];
        solution[row] = sum / a[row][row];
    }
    coefficients_.fill(0);
    std::copy_n(solution.begin(), n, coefficients_.begin());
    return true;
}

}  // namespace quintaro
