#pragma once

#include <QString>

namespace FileCopy {

// Copies the file `from` to `to`, which must not exist yet, with the source's
// permission bits. On failure returns false, removes what was written of `to`
// and, when `error` is given, sets it to the OS's reason ("No space left on
// device"). Unlike std::filesystem::copy_file, a copy the kernel cuts short
// goes on from where it stopped, and a full disk is reported as such rather
// than as a generic I/O error.
bool copy(const QString &from, const QString &to, QString *error = nullptr);

} // namespace FileCopy
