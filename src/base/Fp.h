// Guarded floating-point operations of the checks. A division by zero, the root or fractional
// power of a negative number, an overflow or any non-finite result raises CalcFault, which
// stops the calculation run at the failing check.
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>

namespace velmora {

struct CalcFault : std::runtime_error {
    explicit CalcFault(const std::string& what) : std::runtime_error(what) {}
};

// pi and 2 pi as single-precision values, used in double arithmetic.
inline constexpr double kPi = static_cast<double>(3.141593f);
inline constexpr double kTwoPi = static_cast<double>(6.283186f);

inline double fin(double x) {
    if (!std::isfinite(x))
        throw CalcFault("overflow or invalid operation");
    return x;
}

inline double fdiv(double num, double den) {
    if (den == 0.0)
        throw CalcFault("division by zero");
    return fin(num / den);
}

inline double fsqrt(double x) {
    if (!(x >= 0.0))
        throw CalcFault("square root of a negative number");
    return fin(std::sqrt(x));
}

inline double fpow(double base, double exponent) {
    if (base < 0.0 && exponent != std::floor(exponent))
        throw CalcFault("fractional power of a negative number");
    if (base == 0.0 && exponent < 0.0)
        throw CalcFault("division by zero");
    return fin(std::pow(fin(base), exponent));
}

inline double fexp(double x) {
    return fin(std::exp(x));
}

// Stores a value as a single, as the checks do for several intermediate results.
inline float toSingle(double x) {
    fin(x);
    float f = static_cast<float>(x);
    if (!std::isfinite(f))
        throw CalcFault("overflow");
    return f;
}

} // namespace velmora
