#include "window/output.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#if __has_include(<unistd.h>)
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
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

namespace {

// Whether the path is an existing file that a rename must never replace.
bool writesStraightThrough(const QString& path)
{
    const QFileInfo target(path); // follows symbolic links
    if (!target.exists())
        return false;
    if (!target.isFile())
        return !target.isDir();
    // A regular file reached through /proc (/dev/stdout, /dev/fd/1) is a
    // stream this process already has open: a rename would not reach it.
    QFileInfo link(path);
    for (int hops = 0; hops < 40 && link.isSymLink(); ++hops) {
        const QString next = link.symLinkTarget();
        if (next.startsWith(QLatin1String("/proc/")))
            return true;
        link.setFile(next);
    }
    return false;
}

QString systemReason(const QFileDevice& file)
{
    return file.errorString().isEmpty() ? QString::fromLocal8Bit(std::strerror(EIO))
                                        : file.errorString();
}

} // namespace

bool writeFile(const QString& path, const QByteArray& bytes, QString& reason)
{
    if (writesStraightThrough(path)) {
        // Unbuffered, so that a failing write reports its own reason (a full
        // device: "No space left on device").
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            file.write(bytes) != bytes.size()) {
            reason = systemReason(file);
            return false;
        }
        file.close();
        if (file.error() != QFileDevice::NoError) {
            reason = systemReason(file);
            return false;
        }
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        reason = systemReason(file);
        return false;
    }
    return true;
}

void guardStandardStreams()
{
#if __has_include(<unistd.h>)
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
