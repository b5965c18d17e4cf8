// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/layout.h"

namespace tarquel::layout {

const Line& line(AxisLine id) { return id == AxisLine::linXax ? kLines[0] : kLines[1]; }

} // namespace tarquel::layout
