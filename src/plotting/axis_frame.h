// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/real.h"
#include "plotting/window_services.h"

#include <cstdint>

namespace tarquel {

// How the twips that stand for pi across are kept: Display keeps the
// difference of the two axis columns as a double, Integrate rounds it to a
// single first.
enum class WidthPrecision { Double, Single };

// The mapping between the mathematical plane and window twips, derived afresh
// from the axis lines at the start of each command, since they are controls
// of the window and the commands own nothing between runs. x lies at column
// hx + (x + pi)·W/pi and y at row hy − y·S; the vertical axis (x = 0 at its
// X1, y = pi at its Y1) only gives the two scales.
struct AxisFrame {
    float hx = 0; // X1 of linXax, stands for x = −pi
    float hy = 0; // Y1 of linXax, stands for y = 0
    double S = 0; // twips per unit upwards
    double W = 0; // twips that stand for pi along the horizontal axis

    // The four end points are read in the order the commands always read
    // them: Y1 of linYax and of linXax for S, then X1 of linXax and of linYax
    // for W.
    static AxisFrame read(const WindowServices& window, WidthPrecision precision);

    // The row of the value y: hy − y·S, rounded to the nearest whole twip
    // (ties to even) into 32 bits. Rows are always whole twips.
    [[nodiscard]] std::int32_t row(Real y) const { return roundToInt32(Real(hy) - y * Real(S)); }

    // Display's column of step i of a thousandth of W: hx + i·(W·0.001), the
    // product first. Never rounded.
    [[nodiscard]] Real thousandthColumn(int step) const
    {
        return Real(hx) + Real(step) * (Real(W) * Real(0.001));
    }

    // Integrate's columns are whole twips, so that its boxes stand on whole
    // pixels. It takes the floor in two places, and both are kept: the
    // first box's left edge floors the offset before hx is added, every
    // later edge floors after. The two agree for a whole-twip hx (the
    // layout's), and differ by a twip for a fractional one, where users of
    // the command have always seen the first box start one twip further left.
    // floor(hx + ((x + pi)·W)/pi):
    [[nodiscard]] Real wholeColumn(Real x) const
    {
        const Real pi(kProgramPi);
        return floor(Real(hx) + (x + pi) * Real(W) / pi);
    }
    // hx + floor(((x + pi)·W)/pi):
    [[nodiscard]] Real wholeColumnFlooredOffset(Real x) const
    {
        const Real pi(kProgramPi);
        return Real(hx) + floor((x + pi) * Real(W) / pi);
    }
    // The whole twips across a distance dx along the axis:
    // floor((dx/pi)·W), divided before it is scaled.
    [[nodiscard]] Real wholeWidth(Real dx) const { return floor(dx / Real(kProgramPi) * Real(W)); }
};

} // namespace tarquel
