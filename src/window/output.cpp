// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/output.h"

#include "window/escape.h"

#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarquel {

bool Console::write(std::FILE* stream, const char* name, const QString& line)
{
    const QByteArray utf8 = line.toUtf8() + '\n';
    errno = 0;
    const bool written = std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()),
                                     stream) == static_cast<std::size_t>(utf8.size()) &&
                         std::fflush(stream) == 0;
    if (written)
        return true;
    const int error = errno;
    std::clearerr(stream);
    if (!failed_) {
        failed_ = true;
        const QByteArray report = QByteArray("tarquel: cannot write to ") + name + ": " +
                                  std::strerror(error != 0 ? error : EIO) + '\n';
        if (stream != stderr && std::fwrite(report.constData(), 1,
                                            static_cast<std::size_t>(report.size()), stderr) != 0)
            std::fflush(stderr);
    }
    return false;
}

QString printable(const QString& text)
{
    return QString::fromStdString(tarquel::printable(text.toStdString()));
}

void guardStandardStreams()
{
#if defined(_WIN32)
    // A program of the GUI subsystem starts without a console. Started from
    // one, it writes there, as a console program would, unless a stream was
    // redirected; started from Explorer there is none to attach, and none
    // opens.
    const auto unset = [](DWORD stream) {
        const HANDLE handle = GetStdHandle(stream);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE ||
               GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    const bool outUnset = unset(STD_OUTPUT_HANDLE);
    const bool errUnset = unset(STD_ERROR_HANDLE);
    if ((outUnset || errUnset) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (outUnset && std::freopen("CONOUT$", "w", stdout) == nullptr)
            std::clearerr(stdout);
        if (errUnset && std::freopen("CONOUT$", "w", stderr) == nullptr)
            std::clearerr(stderr);
    }
    // Lines end in \n on every platform: the bytes are the same as on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#else
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Read-only for output, write-only for input: every use fails.
        const int guard = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
        if (guard != -1 && guard != fd) {
            dup2(guard, fd);
            close(guard);
        }
    }
#endif
}

} // namespace tarquel
