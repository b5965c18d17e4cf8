// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"

namespace tarquel {

// Sin ▸ Display: erases the drawings and draws y = sin x from −pi to 2pi as
// 3000 green segments.
void mnuSiDisp_Click(WindowServices& window);

} // namespace tarquel
