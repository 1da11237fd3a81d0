#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The container of a project file: a ZIP archive whose entries are stored
// without compression (page files are compressed already), so any unzip tool
// can look inside. Written in one go and read back whole; reading accepts
// only what this writer makes and never writes outside the target folder.
class ProjectArchive
{
public:
    struct Entry
    {
        QString name;     // path inside the archive, '/'-separated
        QByteArray bytes; // data, for entries given in memory
        QString file;     // or the file to take the data from
    };

    // Writes the entries to `path` atomically (an existing file is replaced
    // only once the new one is complete). False with `error` naming the file
    // and the system's reason.
    static bool write(const QString &path, const QList<Entry> &entries, QString *error);
    // Checks the whole archive (structure, names, checksums), then unpacks it
    // into `folder`. False with `error` when the file is no such archive;
    // nothing is written into `folder` then.
    static bool extract(const QString &path, const QString &folder, QStringList *names, QString *error);
    // Whether `name` is a relative path that stays inside the folder it is
    // unpacked into.
    static bool isSafeName(const QString &name);
};
