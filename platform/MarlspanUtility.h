#pragma once

#include <QString>
#include <QStringList>

// File-system services used across the application: the player's trust file,
// fresh work folders, and sub-folder listing. Class operations only.
class MarlspanUtility
{
public:
    MarlspanUtility() = delete;

    // Makes sure `folder` is a line of the trust file "PT.cfg" (UTF-16LE with a
    // byte-order mark, lines joined by a single line feed). Never fails loudly.
    static void makeDiractoryTrustByFlash(const QString &folder);
    // A new, empty folder "temp.XXXXXX" inside the folder `name` under the
    // temporary folder.
    static QString forceTmpDiractory(const QString &name);
    // Full paths of the folders directly inside `folder`, in listing order.
    static QStringList subFolderOfFolder(const QString &folder);

    // Where the trust file lives.
    static QString trustFilePath();
};
