// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/runtime_error.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace tarquel {

// A double on which every operation rounds to binary64 on its own (the build
// never contracts a*b+c), so that the numbers are the same on every machine,
// and raises an overflow where the result is not finite: a student sees the
// failure where it happens instead of an inf or NaN carried to the result.
class Real {
public:
    explicit Real(double value) : value_(value)
    {
        if (!std::isfinite(value_))
            throw RuntimeError(ErrorKind::Overflow);
    }

    [[nodiscard]] double value() const { return value_; }

    friend Real operator+(Real a, Real b) { return Real(a.value_ + b.value_); }
    friend Real operator-(Real a, Real b) { return Real(a.value_ - b.value_); }
    friend Real operator*(Real a, Real b) { return Real(a.value_ * b.value_); }
    friend Real operator/(Real a, Real b) { return Real(a.value_ / b.value_); }

private:
    double value_;
};

// The commands' rounding functions, checked as every other operation is.
inline Real floor(Real a) { return Real(std::floor(a.value())); }

inline Real sin(Real a) { return Real(std::sin(a.value())); }

// Rows are 32-bit twips: the nearest whole number, ties to the even one,
// and out of range an overflow, never undefined behaviour.
inline std::int32_t roundToInt32(Real a)
{
    // nearbyint honours the current rounding mode, which is never changed
    // from round-to-nearest-even here.
    const double whole = std::nearbyint(a.value());
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0))
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<std::int32_t>(whole);
}

// Drawing calls take singles; beyond the largest single it is an overflow,
// since the plain conversion would be undefined there.
inline float toSingle(Real a)
{
    if (std::fabs(a.value()) > static_cast<double>(FLT_MAX))
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<float>(a.value());
}

// The program's own pi: six decimals, on purpose not the full constant.
inline constexpr double kProgramPi = 3.141592;

} // namespace tarquel
