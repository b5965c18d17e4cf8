// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "plotting/sine_display.h"

#include "plotting/axis_frame.h"
#include "plotting/real.h"

#include <cstdint>

namespace tarquel {

void mnuSiDisp_Click(WindowServices& window)
{
    constexpr int kSteps = 3000; // a thousand to each pi, from −pi to 2pi
    constexpr Colour kGreen = rgb(0, 255, 0);
    const Real pi(kProgramPi);
    const Real thousandth(0.001);

    const AxisFrame frame = AxisFrame::read(window, WidthPrecision::Double);

    // The first segment starts at the floor of the axis's left end, not at a
    // computed curve point (the two agree for the design layout).
    float prevX = toSingle(floor(Real(frame.hx)));
    float prevY = toSingle(floor(Real(frame.hy)));

    window.cls();
    for (int i = 1; i <= kSteps; ++i) {
        const Real curX = frame.thousandthColumn(i);
        // (pi·i)·0.001 − pi, in this order, so that step 1000 is exactly
        // pi·1000·0.001 − pi rather than a sum of a thousand steps.
        const Real x = pi * Real(i) * thousandth - pi;
        const std::int32_t curY = frame.row(sin(x));

        const float x2 = toSingle(curX);
        const auto y2 = static_cast<float>(curY);
        window.line(prevX, prevY, x2, y2, kGreen);
        prevX = x2;
        prevY = y2;
    }
}

} // namespace tarquel
