#include "window/output.h"

#include "window/escape.h"

#include <cerrno>
#include <cstring>

#if !defined(_WIN32)
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
#if !defined(_WIN32)
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
