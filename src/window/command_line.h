// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tarquel {

// The whole command line: --help, --version, --batch or the interactive
// window. It is read before any platform is needed, so help, the version and
// every usage error work without a display. The toolkit never sees a word of
// a batch; the window still takes the toolkit's own options (-style fusion).
// Returns the exit status.
int runCommandLine(int& argc, char** argv);

} // namespace tarquel
