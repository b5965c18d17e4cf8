#include "plotting/axis_frame.h"

namespace tarquel {

AxisFrame AxisFrame::read(const WindowServices& window, WidthPrecision precision)
{
    AxisFrame frame;
    frame.vy = window.axisEnd(AxisLine::linYax, EndPoint::Y1);
    frame.hy = window.axisEnd(AxisLine::linXax, EndPoint::Y1);
    // The rise is rounded to a single before the division, which is in double.
    const float rise = toSingle(Real(frame.hy) - Real(frame.vy));
    frame.S = (Real(rise) / Real(kProgramPi)).value();

    frame.hx = window.axisEnd(AxisLine::linXax, EndPoint::X1);
    frame.vx = window.axisEnd(AxisLine::linYax, EndPoint::X1);
    const Real width = Real(frame.vx) - Real(frame.hx);
    frame.W =
        precision == WidthPrecision::Single ? static_cast<double>(toSingle(width)) : width.value();
    return frame;
}

std::int32_t AxisFrame::row(Real y) const { return roundToInt32(Real(hy) - y * Real(S)); }

Real AxisFrame::thousandthColumn(int step) const
{
    return Real(hx) + Real(step) * (Real(W) * Real(0.001));
}

Real AxisFrame::wholeColumn(Real x) const
{
    const Real pi(kProgramPi);
    return floor(Real(hx) + (x + pi) * Real(W) / pi);
}

Real AxisFrame::wholeColumnFlooredOffset(Real x) const
{
    const Real pi(kProgramPi);
    return Real(hx) + floor((x + pi) * Real(W) / pi);
}

Real AxisFrame::wholeWidth(Real dx) const { return floor(dx / Real(kProgramPi) * Real(W)); }

} // namespace tarquel
