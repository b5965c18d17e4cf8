// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarquel {

// Output paths are the system's own: on POSIX the bytes of the argument, on
// Windows its UTF-16, never decoded into text and encoded again, so that a
// name that is not UTF-8 reaches the file it names. Text is for messages.

// The path for a message, in UTF-8 with every byte that is not UTF-8 and
// every control or direction-changing character escaped.
std::string printablePath(const std::filesystem::path& path);

// Writes the bytes to the file at `path`. A path that does not exist yet or
// names a regular file (through symbolic links: their final target, the
// links kept) is written all or nothing: into a new file beside it, every
// write, flush and close checked and the data synced, then renamed over it
// with the old file's permissions and, where the process may, its owner. On
// any failure the old file stays as it was and nothing is left beside it. An
// existing path that is not a regular file (a FIFO, a device, this process's
// own standard output) is written straight through and stays what it is.
// On failure returns false with the system's reason in `reason` (UTF-8).
bool writeFile(const std::filesystem::path& path, std::string_view bytes, std::string& reason);

// Whether writing both paths would write one file: the same final target
// after every symbolic link (also one that does not exist yet), or two hard
// links to one file.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace tarquel
