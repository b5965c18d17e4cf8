// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "window/commands.h"
#include "window/exit_status.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <vector>

namespace tarquel {

class Console;

// One command of a batch: Display, or Integrate with the two texts that are
// typed at its prompts.
struct BatchCommand {
    Command command;
    QString lower;
    QString upper;
};

struct BatchJob {
    std::filesystem::path pngPath; // empty: no PNG
    std::filesystem::path svgPath; // empty: no SVG
    int scale = 1; // device pixels to a logical pixel of the PNG, 1 to 8
    std::vector<BatchCommand> commands;
};

// Turns the words after the options into commands; on a usage error returns
// false and says why in `error`.
bool parseBatchCommands(const QStringList& words, std::vector<BatchCommand>& commands,
                        QString& error);

// Runs the job on a window that is never shown. After every Integrate one
// line goes to standard output: the caption of lblResult, or an empty line
// when the command failed (a result is never empty), so that a script can
// pair lines with commands. Each failure's report goes to standard error,
// naming the command by its position and words. Then the pictures asked for
// are written. A line or a picture that cannot be written makes it an
// input/output failure.
ExitStatus runBatch(const BatchJob& job, Console& console);

} // namespace tarquel
