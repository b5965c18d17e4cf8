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

// The text with every control character written as \xNN, so that a word of
// the command line or a file name never reaches the terminal raw.
QString printable(const QString& text);

// Writes the bytes to the file at `path`. A path that does not exist yet or
// names a regular file (through a symbolic link: its target, the link kept)
// is written all or nothing through a temporary file. An existing path that
// is not a regular file (a FIFO, a device, this process's own standard
// output) is written straight through and stays what it was. On failure
// returns false with the system's reason in `reason`.
bool writeFile(const QString& path, const QByteArray& bytes, QString& reason);

// Keeps the standard streams' file descriptors from being taken by files
// opened later: a closed one is filled with a descriptor that fails every
// write, so that a caption can never land in an output file.
void guardStandardStreams();

} // namespace tarquel
