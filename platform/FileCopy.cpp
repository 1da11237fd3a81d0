#include "platform/FileCopy.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString *error, int code)
{
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(code));
    return false;
}

// The rest of the file from the current offsets, by read and write, for the
// file systems where sendfile() is not offered.
bool copyByReading(int in, int out)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                if (w == 0)
                    errno = ENOSPC;
                return false;
            }
            done += w;
        }
    }
}

} // namespace

bool FileCopy::copy(const QString &from, const QString &to, QString *error)
{
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fail(error, errno);
    struct stat st
    {
    };
    if (::fstat(in, &st) != 0) {
        const int code = errno;
        ::close(in);
        return fail(error, code);
    }
    const QByteArray target = QFile::encodeName(to);
    const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777);
    if (out < 0) {
        const int code = errno;
        ::close(in);
        return fail(error, code);
    }
    bool ok = true;
    off_t left = st.st_size;
    while (ok && left > 0) {
        const ssize_t n = ::sendfile(out, in, nullptr, size_t(left));
        if (n > 0) {
            left -= n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EINVAL || errno == ENOSYS)) {
            ok = copyByReading(in, out);
            left = 0;
        } else {
            // 0: the file got shorter while being copied; what is left was read.
            ok = n == 0;
            left = 0;
        }
    }
    const int code = ok ? 0 : errno;
    ::close(in);
    // A full disk may show only when the written data is flushed at close.
    if (::close(out) != 0 && ok) {
        const int closeCode = errno;
        ::unlink(target.constData());
        return fail(error, closeCode);
    }
    if (!ok) {
        ::unlink(target.constData());
        return fail(error, code);
    }
    return true;
}
