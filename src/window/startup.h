// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "window/batch.h"
#include "window/exit_status.h"

namespace tarquel {

class Console;

// Starts the toolkit headless, on the offscreen platform at a fixed ratio,
// and runs the batch. The toolkit sees the program's name alone.
ExitStatus startBatch(const BatchJob& job, char* program, Console& console);

// Opens the window and runs it until it is closed. The toolkit takes its
// own window options out of argv. Without a display (none is named, or the
// one named cannot be reached) one line says so, whatever the toolkit said
// on the way.
ExitStatus startWindow(int& argc, char** argv, bool displayNamed, Console& console);

} // namespace tarquel
