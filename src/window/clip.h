// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tarquel {

// Cuts the segment to the rectangle [lo, hi] on both axes; returns false
// when no part of it lies inside. Axis-parallel segments (every box edge)
// are cut exactly by clamping, at any distance. Others go through
// Liang–Barsky, which is exact to the pixel for coordinates of any sensible
// size and still ends at once, somewhere near the true line, for absurd ones.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double xLo, double yLo, double xHi,
                 double yHi);

} // namespace tarquel
