#include "plotting/sine_integrate.h"

#include "plotting/axis_frame.h"
#include "plotting/number_text.h"
#include "plotting/real.h"

#include <cstdint>

namespace tarquel {

void mnuSinIn_Click(WindowServices& window, std::string_view decimalSeparator)
{
    constexpr int kSteps = 2000;
    constexpr Colour kBlue = rgb(0, 0, 255);
    const Real pi(kProgramPi);
    const Real stepFraction(0.0005); // one two-thousandth of b − a
    const Real half(0.5);

    const AxisFrame frame = AxisFrame::read(window, WidthPrecision::Single);
    const Real W(frame.W);
    const Real S(frame.S);

    // Both prompts come before any conversion or drawing: a cancelled first
    // entry still shows the second.
    const QString lowerText = window.inputBox(fromUtf8(kLowerBoundPrompt));
    const QString upperText = window.inputBox(fromUtf8(kUpperBoundPrompt));

    const Real a(textToNumber(lowerText.toUtf8().toStdString(), decimalSeparator));
    // The left column: the floor is taken before hx is added here, after it
    // in the loop; the two agree for a whole-twip hx.
    const Real offsetOfA = (a + pi) * W / pi;
    double prevX = (Real(frame.hx) + floor(offsetOfA)).value();
    float prevY = frame.hy;
    Real prevT = a;
    Real T(0.0);

    // The upper bound is read where the first step first needs it, after the
    // left column: an overflow there comes before a bad upper bound.
    const Real b(textToNumber(upperText.toUtf8().toStdString(), decimalSeparator));
    const Real span = b - a;

    for (int i = 1; i <= kSteps; ++i) {
        const Real step(i);
        const Real hx(window.axisEnd(AxisLine::linXax, EndPoint::X1));
        const Real hy(window.axisEnd(AxisLine::linXax, EndPoint::Y1));
        // Whole-twip columns: ((((b − a)·0.0005)·i)/pi)·W, floored, in this
        // order, on top of the floored column of a.
        const Real off = floor(span * stepFraction * step / pi * W);
        const Real curX = floor(hx + (a + pi) * W / pi) + off;
        // x afresh from i at every step, never by adding up steps.
        const Real x = step * stepFraction * span + a;
        const std::int32_t curY = roundToInt32(hy - sin(x) * S);

        window.box(toSingle(Real(prevX)), prevY, toSingle(curX), toSingle(hy), kBlue);

        // Both sines anew: sin(prevT) is not carried over from the step before.
        T = T + (x - prevT) * ((sin(prevT) + sin(x)) * half);

        prevX = curX.value();
        prevY = static_cast<float>(curY);
        prevT = x;
    }

    // Cut towards negative infinity, also for negative sums.
    T = T * Real(1000.0);
    T = floor(T) * Real(0.001);

    window.setResultText(fromUtf8(kResultPrefix) + QString::fromStdString(numberToText(T.value())));
}

} // namespace tarquel
