// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"

#include <functional>

namespace tarquel {

class RuntimeError;

// What a menu entry does.
enum class Command { None, SinDisplay, SinIntegrate };

// The one road from a choice to a command: runs it to its end on the window
// services, typed numbers read with the decimal separator of the user's
// numeric locale. A run-time failure abandons the command, whatever it drew
// stays, and the failure goes to `report`. Returns whether it succeeded.
bool runCommand(Command command, WindowServices& window,
                const std::function<void(const RuntimeError&)>& report);

} // namespace tarquel
