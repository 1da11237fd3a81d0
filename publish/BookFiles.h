#pragma once

#include <QByteArray>
#include <QString>

// File-system steps of publishing. None throws: a step that cannot be done is
// logged (with what was skipped) and reported through its result, and the
// publication goes on with the next file.
class BookFiles
{
public:
    static bool exists(const QString &path);
    static bool isFolder(const QString &path);
    // Creates the folder and its missing parents.
    static bool makeFolder(const QString &path);
    // Removes a file, a link or a whole folder; true when nothing is left there.
    static bool remove(const QString &path);
    // Copies a file or a whole folder. Never replaces an existing destination:
    // an existing file is left as it is and skipped (false for a file; a folder
    // copy goes on with the rest).
    static bool copy(const QString &source, const QString &destination);
    // Writes through a temporary file beside `path` that then replaces it, so a
    // failed write leaves the previous file whole.
    static bool writeAtomically(const QString &path, const QByteArray &bytes);
    // Renames a file to `destination` (which must not exist); false, changing
    // nothing, when the file system refuses (another file system, ...).
    static bool move(const QString &source, const QString &destination);
    static QByteArray read(const QString &path, bool *ok = nullptr);
    // The part of the last path component after its last dot; "" without one.
    static QString pathExtension(const QString &path);
    static QString lastPathComponent(const QString &path);
    // Both paths name the same existing file or folder.
    static bool samePath(const QString &a, const QString &b);
};
