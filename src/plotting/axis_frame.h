#pragma once

#include "plotting/real.h"
#include "window/window_services.h"

#include <cstdint>

namespace tarquel {

// How the twips that stand for pi across are kept: Display keeps the
// difference of the two axis columns as a double, Integrate rounds it to a
// single first.
enum class WidthPrecision { Double, Single };

// The mapping between the mathematical plane and window twips, derived afresh
// from the axis lines at the start of each command. The origin is at (vx, hy);
// x lies at column hx + (x + pi)·W/pi and y at row hy − y·S. The axis lines
// never move while a command runs, so one reading serves the whole command.
struct AxisFrame {
    float hx = 0; // X1 of linXax, stands for x = −pi
    float hy = 0; // Y1 of linXax, stands for y = 0
    float vx = 0; // X1 of linYax, stands for x = 0
    float vy = 0; // Y1 of linYax, stands for y = pi
    double S = 0; // twips per unit upwards
    double W = 0; // twips that stand for pi along the horizontal axis

    // Reads Y1 of linYax and of linXax for S, then X1 of linXax and of
    // linYax for W, in that order.
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

    // Integrate's whole-twip column of x: floor(hx + ((x + pi)·W)/pi), the
    // floor taken after hx is added.
    [[nodiscard]] Real wholeColumn(Real x) const
    {
        const Real pi(kProgramPi);
        return floor(Real(hx) + (x + pi) * Real(W) / pi);
    }
    // The same column with the floor taken before hx is added:
    // hx + floor(((x + pi)·W)/pi). The two agree for a whole-twip hx.
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
