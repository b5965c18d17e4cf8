// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/real.h"

namespace tarquel {

// One panel of the composite trapezoidal rule: the area under the chord of
// f from x0 to x1, (x1 − x0)·((f(x0) + f(x1))·0.5). The mean is the sum
// halved, not each value halved; f is evaluated at both ends afresh, never
// carried over from the panel before, so each panel rounds the same way
// wherever it stands in the run. Negative when x1 < x0.
template <typename Function> Real trapezoidPanel(Function f, Real x0, Real x1)
{
    return (x1 - x0) * ((f(x0) + f(x1)) * Real(0.5));
}

} // namespace tarquel
