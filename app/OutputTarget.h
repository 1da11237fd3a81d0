#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Where one book goes, and the rules for getting it there safely. The book is
// published into a hidden staging folder beside its destination and moved into
// place only when complete, so that a failed or interrupted run never leaves
// half a book, and replacing an older book (--force) loses it only once the
// new one is there. Only a folder that holds a book Foliant published may be
// replaced, never one with other content, nor the root, the home folder, the
// folders that hold it or the user's standard folders.
class OutputTarget
{
public:
    enum class Kind { WebFolder, Application };

    // `destination`: the book folder, or the application bundle (NAME.app).
    OutputTarget(const QString &destination, Kind kind);
    ~OutputTarget();
    OutputTarget(const OutputTarget &) = delete;
    OutputTarget &operator=(const OutputTarget &) = delete;

    const QString &destination() const { return m_destination; }

    // Whether publishing may go there. `userFiles` are files the run reads
    // (the PDFs, settings and property files); replacing a folder that holds
    // one of them would delete it.
    bool check(bool force, const QStringList &userFiles, QString *error) const;

    // Makes the staging folder (and the destination's parent folders).
    bool prepare(QString *error);
    // The folder to publish into: the web book's folder, or the folder the
    // application bundle is made in.
    QString dialogFolder() const;
    // Moves the staged book into place, replacing what check() allowed.
    bool commit(bool force, QString *error);

    // A folder holding a web book Foliant published: its files/config.xml is a packed configuration.
    static bool isPublishedBook(const QString &folder);
    // An application bundle Foliant published.
    static bool isPublishedApplication(const QString &bundle);
    // Folders nothing may replace: the file-system root and the folders right
    // below it, the home folder and the folders that hold it, the user's
    // standard folders, the application's own data. Replacing them would
    // destroy far more than an old book. `folder` need not exist.
    static bool isProtected(const QString &folder);
    // Folders that count as protected besides those above (the command-line
    // tool's real user data folder, before it points the roots elsewhere).
    static void setExtraProtected(const QStringList &folders);

private:
    QString stagedBook() const;

    QString m_destination;
    Kind m_kind;
    std::unique_ptr<QTemporaryDir> m_staging;
    // Folders prepare() made for the destination, deepest first; removed again
    // (when still empty) if no book arrives.
    QStringList m_madeFolders;
    bool m_committed = false;
};
