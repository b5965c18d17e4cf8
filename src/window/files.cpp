#include "window/files.h"

#include "window/escape.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <random>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tarquel {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

std::string systemReason(int error) { return std::generic_category().message(error); }

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

#if defined(_WIN32)

using Native = int;

int openStraight(const fs::path& path, bool /*append*/)
{
    return _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
}

// A new file with a short name of its own beside the target, so that the
// name fits wherever the target's does.
int openBeside(const fs::path& folder, fs::path& temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / (L".tarquel-" + std::to_wstring(random() % 1000000000u));
        const int fd = _wopen(temporary.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL,
                              _S_IREAD | _S_IWRITE);
        if (fd != -1 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const unsigned chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
        const int written = _write(fd, bytes.data(), chunk);
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool syncAndClose(int fd, const fs::path& /*target*/)
{
    const bool synced = _commit(fd) == 0;
    const int error = errno;
    if (_close(fd) != 0 || !synced) {
        errno = synced ? errno : error;
        return false;
    }
    return true;
}

std::string replaceReason()
{
    wchar_t* text = nullptr;
    const DWORD error = GetLastError();
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = text ? text : L"";
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.'))
        wide.pop_back();
    const auto utf8 = fs::path(wide).u8string();
    return {utf8.begin(), utf8.end()};
}

bool replace(const fs::path& temporary, const fs::path& target, std::string& reason)
{
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = replaceReason();
    return false;
}

#else

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

// The new file takes the old one's owner where the process may (the owner
// first: a change of owner clears the set-id bits) and its permission bits;
// a file that is new takes what the process's umask gives.
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

bool syncAndClose(int fd, const fs::path& target)
{
    const bool kept = takeOver(fd, target) && fsync(fd) == 0;
    const int error = errno;
    if (close(fd) != 0 || !kept) {
        errno = kept ? errno : error;
        return false;
    }
    return true;
}

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

#endif

bool writeStraight(const fs::path& path, bool append, std::string_view bytes, std::string& reason)
{
    const int fd = openStraight(path, append);
    if (fd == -1) {
        reason = systemReason(errno);
        return false;
    }
    const bool written = writeAll(fd, bytes);
    const int error = errno;
#if defined(_WIN32)
    const bool closed = _close(fd) == 0;
#else
    const bool closed = close(fd) == 0;
#endif
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
#if defined(_WIN32)
        _close(fd);
#else
        close(fd);
#endif
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
