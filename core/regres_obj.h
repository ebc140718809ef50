// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace quintaro {

// Raised when a property of RegresObj is given a value it cannot take. Carries the error number
// and the source name the caller shows with the message text (what()).
class RegresError : public std::invalid_argument {
  public:
    RegresError(int number, const std::string& text)
        : std::invalid_argument(text), number_(number) {}
    int number() const { return number_; }
    const char* source() const { return "RegresObj"; }

  private:
    int number_;
};

// Least-squares polynomial regression: add points, read the coefficients of the fitted polynomial.
// The fit is solved lazily, at the first Coeff or RegVal after a change.
class RegresObj {
  public:
    static constexpr int MaxDegree = 25;
    static constexpr int InvalidDegreeError = 6000;

    // Clears all sums and coefficients; the degree is kept.
    void Init();

    int Degree() const { return degree_; }
    // Clears the fit and sets the degree 0..25; any other value throws RegresError 6000.
    void Degree(int degree);

    long XYCount() const { return count_; }
    void XYAdd(double x, double y);

    // Coefficient of x^|exponent| (0 above the effective degree of the fit).
    double Coeff(int exponent);
    // The fitted polynomial at x.
    double RegVal(double x);

    // Degree actually fitted: the requested one, lowered when there are too few points or the
    // normal equations are singular. -1 without points.
    int EffectiveDegree();

  private:
    void Solve();
    bool SolveAtDegree(int degree);

    int degree_ = 2;
    long count_ = 0;
    std::array<double, 2 * MaxDegree + 1> sumX_{};  // Σx^k, k = 0..2·degree (k = 0 is the count)
    std::array<double, MaxDegree + 1> sumXY_{};     // Σx^k·y, k = 0..degree
    std::array<double, MaxDegree + 1> coefficients_{};
    int effectiveDegree_ = -1;
    bool solved_ = false;
};

}  // namespace quintaro
