// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "plotting/axis_frame.h"

namespace tarquel {

AxisFrame AxisFrame::read(const WindowServices& window, WidthPrecision precision)
{
    AxisFrame frame;
    const float top = window.axisEnd(AxisLine::linYax, EndPoint::Y1);
    frame.hy = window.axisEnd(AxisLine::linXax, EndPoint::Y1);
    // The rise is rounded to a single before the division, which is in double.
    const float rise = toSingle(Real(frame.hy) - Real(top));
    frame.S = (Real(rise) / Real(kProgramPi)).value();

    frame.hx = window.axisEnd(AxisLine::linXax, EndPoint::X1);
    const float origin = window.axisEnd(AxisLine::linYax, EndPoint::X1);
    const Real width = Real(origin) - Real(frame.hx);
    frame.W =
        precision == WidthPrecision::Single ? static_cast<double>(toSingle(width)) : width.value();
    return frame;
}

} // namespace tarquel
