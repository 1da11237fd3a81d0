#pragma once

#include <QByteArray>
#include <QString>

namespace AtomicFile {

// Writes `bytes` through a temporary file beside `path` that then replaces it, so
// a reader never sees a half-written file and a failed write (a full disk, a
// file-size limit cutting the file short) leaves the previous file whole. On
// failure returns false and, when `error` is given, sets it to the OS's reason.
// The file is left readable by others (0644), as a published file must be.
// With `flush` the data reaches the disk before the file is replaced.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr, bool flush = true);

} // namespace AtomicFile
