// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace tarquel {

// Standard output and standard error of the command line, one UTF-8 line at
// a time, flushed at once. A line that cannot be written is an input/output
// failure: the first one is reported on standard error (where it can take
// it) in the system's words, and failed() turns true.
class Console {
public:
    bool out(const QString& line) { return write(stdout, "standard output", line); }
    bool err(const QString& line) { return write(stderr, "standard error", line); }
    [[nodiscard]] bool failed() const { return failed_; }

private:
    bool write(std::FILE* stream, const char* name, const QString& line);

    bool failed_ = false;
};

// The text with every control and direction-changing character escaped,
// so that a word of the command line never reaches the terminal raw.
QString printable(const QString& text);

// Readies the standard streams. On POSIX a closed one is filled with a
// descriptor that fails every write, so that no file opened later takes its
// number and a caption can never land in an output file. On Windows the
// program writes to the console it was started from, and lines end in \n.
void guardStandardStreams();

} // namespace tarquel
