// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/files.h"

#include "window/escape.h"

#include "window/native_file.h"

#include <cerrno>
#include <system_error>

namespace fs = std::filesystem;

namespace tarquel {

using namespace native;

namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

// Where a write to `given` lands: the folder resolved through every link,
// then the final name; a final name that is a symbolic link is followed in
// turn, also when its target does not exist yet. `throughProc` tells that a
// link led through /proc, to a stream this process already has open.
struct Target {
    fs::path path;
    bool throughProc = false;
};

bool resolve(const fs::path& given, Target& target, std::error_code& error)
{
    fs::path current = given;
    for (int links = 0; links <= kMaxLinks; ++links) {
        const fs::path name = current.filename();
        if (name.empty() || name == "." || name == "..") { // a folder: no file to write
            target.path = fs::weakly_canonical(current, error);
            return !error;
        }
        const fs::path folder = current.has_parent_path() ? current.parent_path() : fs::path(".");
        const fs::path full = fs::canonical(folder, error) / name;
        if (error)
            return false;
        const fs::file_status status = fs::symlink_status(full, error);
        if (error && error != std::errc::no_such_file_or_directory)
            return false;
        error.clear();
        if (!fs::is_symlink(status)) {
            target.path = full;
            return true;
        }
        const fs::path next = fs::read_symlink(full, error);
        if (error)
            return false;
        target.throughProc = target.throughProc || next.generic_string().starts_with("/proc/");
        current = next.is_absolute() ? next : full.parent_path() / next;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return false;
}

// Every step is tried and checked; the first failure's reason is the one
// kept, a failed close included.
bool syncAndClose(int fd, const fs::path& target)
{
    const bool kept = takeOver(fd, target) && syncToDisk(fd);
    const int error = errno;
    if (!closeFile(fd) || !kept) {
        errno = kept ? errno : error;
        return false;
    }
    return true;
}

bool writeStraight(const fs::path& path, bool append, std::string_view bytes, std::string& reason)
{
    const int fd = openStraight(path, append);
    if (fd == -1) {
        reason = systemReason(errno);
        return false;
    }
    const bool written = writeAll(fd, bytes);
    const int error = errno;
    const bool closed = closeFile(fd);
    if (!written || !closed) {
        reason = systemReason(written ? errno : error);
        return false;
    }
    return true;
}

bool writeBeside(const fs::path& target, std::string_view bytes, std::string& reason)
{
    fs::path temporary;
    const int fd = openBeside(target.parent_path(), temporary);
    if (fd == -1) {
        reason = systemReason(errno);
        return false;
    }
    bool done = writeAll(fd, bytes);
    if (!done) {
        reason = systemReason(errno);
        closeFile(fd);
    } else if (!syncAndClose(fd, target)) {
        reason = systemReason(errno);
        done = false;
    } else {
        done = replace(temporary, target, reason);
    }
    if (!done) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return done;
}

} // namespace

std::string printablePath(const fs::path& path)
{
#if defined(_WIN32)
    const auto utf8 = path.u8string();
    return printable(std::string(utf8.begin(), utf8.end()));
#else
    return printable(path.native());
#endif
}

bool writeFile(const fs::path& path, std::string_view bytes, std::string& reason)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error); // through every link
    if (error && error != std::errc::no_such_file_or_directory) {
        reason = error.message();
        return false;
    }
    // A FIFO or a device is written as it is; a rename would replace it.
    if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_directory(status))
        return writeStraight(path, false, bytes, reason);
    Target target;
    if (!resolve(path, target, error)) {
        reason = error.message();
        return false;
    }
    // A regular file reached through /proc (/dev/stdout, /dev/fd/1) is a
    // stream this process already has open: a rename would not reach it, and
    // what was written to it before stays.
    if (target.throughProc && fs::is_regular_file(status))
        return writeStraight(path, true, bytes, reason);
    if (fs::is_directory(fs::status(target.path, error))) {
        reason = systemReason(EISDIR);
        return false;
    }
    return writeBeside(target.path, bytes, reason);
}

bool sameFile(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    Target first;
    Target second;
    if (!resolve(a, first, error) || !resolve(b, second, error))
        return a.lexically_normal() == b.lexically_normal();
    if (first.path == second.path)
        return true;
    // Two names of one existing file: the device and the file number.
    return fs::equivalent(first.path, second.path, error) && !error;
}

} // namespace tarquel
