// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tarquel {

// What the program's exit status tells a script.
enum class ExitStatus : int {
    Success = 0, // every command succeeded
    CommandFailed = 1, // a command failed with a run-time error; the batch went on
    UsageError = 2, // the command line was not understood: nothing ran, nothing was written
    OutputFailed = 2, // a picture, a caption or a report could not be written
    NoDisplay = 3, // the window found no display to open on
};

// A run's outcome as its status: an output that could not be written
// outweighs a failed command, since what the script reads is incomplete.
constexpr ExitStatus exitStatus(bool outputFailed, bool commandFailed)
{
    if (outputFailed)
        return ExitStatus::OutputFailed;
    return commandFailed ? ExitStatus::CommandFailed : ExitStatus::Success;
}

constexpr int code(ExitStatus status) { return static_cast<int>(status); }

} // namespace tarquel
