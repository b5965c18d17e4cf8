// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

// The steps of writing a file, each the platform's own call, so that every
// one of them is checked and a failure keeps the system's reason: errno, or
// `reason` where the platform's error is not an errno. Descriptors are the C
// runtime's on both platforms.
namespace tarquel::native {

inline std::string systemReason(int error) { return std::generic_category().message(error); }

// An existing file or device, for writing in place: at its end for a
// regular file that is one of this process's streams.
int openStraight(const std::filesystem::path& path, bool append);
// A new file with a short name of its own in `folder`, so that the name
// fits wherever the target's does and never meets another writer's.
int openBeside(const std::filesystem::path& folder, std::filesystem::path& temporary);
bool writeAll(int fd, std::string_view bytes);
bool closeFile(int fd);
// Gives the new file what the old `target` had, if it exists: its
// permissions, and its owner and group where the process may.
bool takeOver(int fd, const std::filesystem::path& target);
bool syncToDisk(int fd);
// Puts the new file in the target's place in one step.
bool replace(const std::filesystem::path& temporary, const std::filesystem::path& target,
             std::string& reason);

} // namespace tarquel::native
