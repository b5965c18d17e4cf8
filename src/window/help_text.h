// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tarquel {

// What --help says beyond the list of options; the manual page is made
// from it too.
inline constexpr const char* kHelpDescription =
    "Draws the sine curve over a pair of axes and integrates it by the trapezoidal rule.\n"
    "\n"
    "Without arguments the window opens; it also takes the toolkit's own window options,\n"
    "such as -style NAME. With --batch the same window and commands run headless, never\n"
    "shown, on the offscreen platform, without a display:\n"
    "\n"
    "  tarquel --batch [--png FILE [--scale N]] [--svg FILE] COMMAND...\n"
    "\n"
    "Options come before the first command. A COMMAND is one of\n"
    "  display                  Sin > Display\n"
    "  integrate LOWER UPPER    Sin > Integrate, with LOWER and UPPER as the texts typed\n"
    "                           at its two prompts, whatever they look like: an empty\n"
    "                           argument is an empty or cancelled entry, and an argument\n"
    "                           beginning with '-' (a bound of -1) is a bound all the same.\n"
    "\n"
    "Every integrate prints one UTF-8 line on standard output: the caption of the result\n"
    "label, or an empty line when it failed (a result is never empty). A failed command\n"
    "prints one line on standard error, naming the command by its position and words and\n"
    "the run-time error, and the batch goes on with the next command.\n"
    "\n"
    "After the last command --png writes the client area as the window shows it (604 x 279\n"
    "pixels, whatever the screen's scale settings; --scale N makes it 604N x 279N, with\n"
    "lines one pixel wide and text N times larger, for slides) and --svg the same picture\n"
    "as vector graphics in twips (viewBox 0 0 9060 4185), with every drawing call since\n"
    "the last clear. A new or regular file is written all or nothing, keeping its\n"
    "permissions; a FIFO or a device is written straight through and stays what it is.\n"
    "\n"
    "Exit status: 0 when every command succeeded, 1 when any failed with a run-time error,\n"
    "2 for a usage error or an output (a file, a caption, a report) that cannot be\n"
    "written, 3 when the window cannot open because there is no display. When standard\n"
    "output is a pipe whose reader has gone (| head -1), the program ends on SIGPIPE.";

} // namespace tarquel
