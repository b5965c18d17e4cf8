// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "plotting/sine_integrate.h"

#include "plotting/axis_frame.h"
#include "plotting/number_text.h"
#include "plotting/real.h"
#include "plotting/trapezoid.h"

#include <cstdint>
#include <string>

namespace tarquel {

void mnuSinIn_Click(WindowServices& window, std::string_view decimalSeparator)
{
    // 2000 panels of width h = (b − a)/2000. The composite rule's error is
    // about −(b − a)·h²/12 times the mean of f″ = −sin: for 0 to 3.141592
    // the sum falls short of 2 by roughly 4·10⁻⁷, so the cut shows 1.999.
    constexpr int kSteps = 2000;
    constexpr Colour kBlue = rgb(0, 0, 255);
    const Real stepFraction(0.0005); // one two-thousandth of b − a
    const auto sine = [](Real t) { return sin(t); };

    const AxisFrame frame = AxisFrame::read(window, WidthPrecision::Single);

    // Both prompts come before any conversion or drawing: a cancelled first
    // entry still shows the second.
    const std::string lowerText = window.inputBox(kLowerBoundPrompt);
    const std::string upperText = window.inputBox(kUpperBoundPrompt);

    const Real a(textToNumber(lowerText, decimalSeparator));
    double prevX = frame.wholeColumnFlooredOffset(a).value();
    float prevY = frame.hy;
    Real prevAbscissa = a;
    Real T(0.0);

    // The upper bound is read where the first step first needs it, after the
    // left column: an overflow there comes before a bad upper bound.
    const Real b(textToNumber(upperText, decimalSeparator));
    const Real span = b - a;

    for (int i = 1; i <= kSteps; ++i) {
        const Real step(i);
        // Whole-twip columns: the width of i steps on top of the column of a.
        const Real off = frame.wholeWidth(span * stepFraction * step);
        const Real curX = frame.wholeColumn(a) + off;
        // x afresh from i at every step, never by adding up steps.
        const Real x = step * stepFraction * span + a;
        const std::int32_t curY = frame.row(sin(x));

        window.box(toSingle(Real(prevX)), prevY, toSingle(curX), frame.hy, kBlue);

        T = T + trapezoidPanel(sine, prevAbscissa, x);

        prevX = curX.value();
        prevY = static_cast<float>(curY);
        prevAbscissa = x;
    }

    // Cut towards negative infinity, also for negative sums.
    T = T * Real(1000.0);
    T = floor(T) * Real(0.001);

    window.setResultText(std::string(kResultPrefix) + numberToText(T.value()));
}

} // namespace tarquel
