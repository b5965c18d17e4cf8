#pragma once

#include "window/commands.h"

#include <QString>
#include <QStringList>

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
    QString pngPath; // empty: no PNG
    QString svgPath; // empty: no SVG
    int scale = 1; // device pixels to a logical pixel of the PNG, 1 to 8
    std::vector<BatchCommand> commands;
};

// Exit statuses of the command line.
enum ExitStatus { kExitOk = 0, kExitFailure = 1, kExitUsage = 2, kExitNoDisplay = 3 };

// Turns the words after the options into commands; on a usage error returns
// false and says why in `error`.
bool parseBatchCommands(const QStringList& words, std::vector<BatchCommand>& commands,
                        QString& error);

// Runs the job on a window that is never shown. Prints the caption of
// lblResult after every Integrate on standard output and each failure's
// report on standard error, then writes the pictures asked for. A line or a
// picture that cannot be written makes it an input/output failure.
int runBatch(const BatchJob& job, Console& console);

} // namespace tarquel
