// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/native_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tarquel::native {

// The owner first: a change of owner clears the set-id bits. A file that
// is new takes what the process's umask gives.
bool takeOver(int fd, const fs::path& target)
{
    struct stat old {};
    if (stat(target.c_str(), &old) == 0) {
        struct stat now {};
        if (fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
            fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not ours to give away: the owner stays the writer, the group
            // the old one where the writer belongs to it.
            [[maybe_unused]] const int group = fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        return fchmod(fd, old.st_mode & 07777) == 0;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return fchmod(fd, 0666 & ~mask) == 0;
}

int openStraight(const fs::path& path, bool append)
{
    return open(path.c_str(), O_WRONLY | O_CLOEXEC | (append ? O_APPEND : 0));
}

int openBeside(const fs::path& folder, fs::path& temporary)
{
    std::string name = (folder / ".tarquel-XXXXXX").native();
    const int fd = mkstemp(name.data());
    temporary = name;
    return fd;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            errno = written == 0 ? EIO : errno;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool syncToDisk(int fd) { return fsync(fd) == 0; }

bool replace(const fs::path& temporary, const fs::path& target, std::string& reason)
{
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        reason = systemReason(errno);
        return false;
    }
    // The new name itself is durable once its folder is synced; a file
    // system that cannot sync a folder has nothing more to do.
    const int folder = open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder != -1) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool closeFile(int fd) { return close(fd) == 0; }

} // namespace tarquel::native
