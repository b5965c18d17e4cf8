#pragma once

#include "window/window_services.h"

namespace tarquel {

// How the twips that stand for pi across are kept: Display keeps the
// difference of the two axis columns as a double, Integrate rounds it to a
// single first.
enum class WidthPrecision { Double, Single };

// The mapping between the mathematical plane and window twips, derived afresh
// from the axis lines at the start of each command. The origin is at (vx, hy);
// x lies at column hx + (x + pi)·W/pi and y at row hy − y·S.
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
};

} // namespace tarquel
