#include "platform/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QString *error, bool flush)
{
    // Plain POSIX rather than QSaveFile: a short write must fail the whole write,
    // and QSaveFile can commit a cut file then.
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + ".XXXXXX";
    const int fd = path.isEmpty() ? -1 : ::mkstemp(temporary.data());
    int failure = fd < 0 ? (path.isEmpty() ? ENOENT : errno) : 0;
    if (fd >= 0) {
        const char *p = bytes.constData();
        qsizetype left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, p, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                failure = n < 0 ? errno : EIO;
                break;
            }
            p += n;
            left -= n;
        }
        if (!failure && flush && ::fdatasync(fd) != 0)
            failure = errno;
        ::fchmod(fd, 0644);
        if (::close(fd) != 0 && !failure)
            failure = errno;
        if (!failure && ::rename(temporary.constData(), target.constData()) != 0)
            failure = errno;
        if (failure)
            ::unlink(temporary.constData());
    }
    if (failure && error)
        *error = QString::fromLocal8Bit(std::strerror(failure));
    return !failure;
}
