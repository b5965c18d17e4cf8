// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/clip.h"

#include <algorithm>

namespace tarquel {

bool clipSegment(double& x1, double& y1, double& x2, double& y2, double xLo, double yLo, double xHi,
                 double yHi)
{
    if (x1 == x2 || y1 == y2) {
        if (std::max(x1, x2) < xLo || std::min(x1, x2) > xHi || std::max(y1, y2) < yLo ||
            std::min(y1, y2) > yHi)
            return false;
        x1 = std::clamp(x1, xLo, xHi);
        x2 = std::clamp(x2, xLo, xHi);
        y1 = std::clamp(y1, yLo, yHi);
        y2 = std::clamp(y2, yLo, yHi);
        return true;
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xLo, xHi - x1, y1 - yLo, yHi - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false; // parallel to this edge and outside it
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    const double ox = x1;
    const double oy = y1;
    if (t1 < 1.0) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (t0 > 0.0) {
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
    }
    return true;
}

} // namespace tarquel
