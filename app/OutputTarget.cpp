#include "app/OutputTarget.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QStringList &extraProtected()
{
    static QStringList folders;
    return folders;
}

// The path with every link in its existing part resolved, so that two names
// of one folder compare equal.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : parent + QLatin1Char('/') + info.fileName();
}

bool isInside(const QString &path, const QString &folder)
{
    const QString p = resolved(path);
    const QString f = resolved(folder);
    return p == f || p.startsWith(f == QStringLiteral("/") ? f : f + QLatin1Char('/'));
}

bool isEmptyFolder(const QString &folder)
{
    return QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool renamePath(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Moves every entry of `from` into the empty folder `to`; on failure the
// entries moved so far go back.
bool moveEntries(const QString &from, const QString &to, QString *error)
{
    const QStringList names =
        QDir(from).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    QStringList moved;
    for (const QString &name : names) {
        if (!renamePath(QDir(from).filePath(name), QDir(to).filePath(name))) {
            *error = QStringLiteral("cannot move the book into %1: %2").arg(to, systemError());
            for (const QString &back : moved)
                renamePath(QDir(to).filePath(back), QDir(from).filePath(back));
            return false;
        }
        moved << name;
    }
    return true;
}

} // namespace

OutputTarget::OutputTarget(const QString &destination, Kind kind)
    : m_destination(QDir::cleanPath(QFileInfo(destination).absoluteFilePath())), m_kind(kind)
{}

OutputTarget::~OutputTarget()
{
    m_staging.reset();
    if (m_committed)
        return;
    for (const QString &folder : m_madeFolders)
        if (!QDir().rmdir(folder))
            break;
}

void OutputTarget::setExtraProtected(const QStringList &folders)
{
    extraProtected() = folders;
}

bool OutputTarget::isProtected(const QString &folder)
{
    const QString target = resolved(folder);
    if (target == QStringLiteral("/") || target.count(QLatin1Char('/')) <= 1)
        return true; // the root and every folder directly below it (/home, /usr, /tmp ...)
    QStringList guarded = {QDir::homePath(), Paths::desktop(), Paths::userData(), Paths::resources()};
    for (auto location :
         {QStandardPaths::DocumentsLocation, QStandardPaths::DownloadLocation, QStandardPaths::MusicLocation,
          QStandardPaths::MoviesLocation, QStandardPaths::PicturesLocation, QStandardPaths::DesktopLocation})
        guarded << QStandardPaths::writableLocation(location);
    for (const QString &g : guarded)
        if (!g.isEmpty() && isInside(g, folder))
            return true;
    for (const QString &guarded : extraProtected())
        if (!guarded.isEmpty() && isInside(guarded, folder))
            return true;
    return false;
}

bool OutputTarget::isPublishedBook(const QString &folder)
{
    QFile config(QDir(folder).filePath(QStringLiteral("files/config.xml")));
    if (!config.open(QIODevice::ReadOnly))
        return false;
    // The packed configuration opens with its data element (after an XML
    // declaration at most); no other file of that name looks like it.
    const QByteArray head = config.read(512);
    const qsizetype data = head.indexOf("<data");
    return data >= 0 && head.indexOf("CDATA[", data) > data;
}

bool OutputTarget::isPublishedApplication(const QString &bundle)
{
    return isPublishedBook(QDir(bundle).filePath(QStringLiteral("Contents/Resources")));
}

bool OutputTarget::check(bool force, const QStringList &userFiles, QString *error) const
{
    const QFileInfo info(m_destination);
    if (info.isSymLink()) {
        *error = QStringLiteral("%1 is a symbolic link; give the folder it points to").arg(m_destination);
        return false;
    }
    if (!info.exists())
        return true;
    if (!info.isDir()) {
        *error = QStringLiteral("%1 exists and is not a folder").arg(m_destination);
        return false;
    }
    if (isEmptyFolder(m_destination))
        return true;
    const bool published =
        m_kind == Kind::WebFolder ? isPublishedBook(m_destination) : isPublishedApplication(m_destination);
    if (!published) {
        *error = QStringLiteral("%1 is not empty and holds no book published by Foliant; it is left alone "
                                "(choose a new or empty folder)")
                     .arg(m_destination);
        return false;
    }
    if (isProtected(m_destination)) {
        *error = QStringLiteral("%1 is a folder that is never replaced; choose a folder of its own for the book")
                     .arg(m_destination);
        return false;
    }
    if (!force) {
        *error = QStringLiteral("%1 holds a book published before; add --force to replace it").arg(m_destination);
        return false;
    }
    for (const QString &file : userFiles) {
        if (!file.isEmpty() && isInside(file, m_destination)) {
            *error = QStringLiteral("%1 lies inside %2, which --force would replace").arg(file, m_destination);
            return false;
        }
    }
    return true;
}

bool OutputTarget::prepare(QString *error)
{
    const QString parent = QFileInfo(m_destination).path();
    m_madeFolders.clear();
    for (QString folder = parent; !QFileInfo::exists(folder) && folder != QFileInfo(folder).path();
         folder = QFileInfo(folder).path())
        m_madeFolders << folder;
    if (!QDir().mkpath(parent) || !QFileInfo(parent).isDir()) {
        *error = QStringLiteral("cannot create the folder %1").arg(parent);
        return false;
    }
    // Beside the destination, so that moving the book into place is a rename.
    m_staging = std::make_unique<QTemporaryDir>(QDir(parent).filePath(QStringLiteral(".foliant-staging-XXXXXX")));
    if (!m_staging->isValid()) {
        *error = QStringLiteral("cannot write into %1: %2").arg(parent, m_staging->errorString());
        m_staging.reset();
        return false;
    }
    return true;
}

QString OutputTarget::dialogFolder() const
{
    if (!m_staging)
        return QString();
    // A folder that does not exist yet, made by the publication: the web
    // book's folder itself, or the folder an application bundle goes in.
    return QDir(m_staging->path())
        .filePath(m_kind == Kind::WebFolder ? QStringLiteral("book") : QStringLiteral("application"));
}

QString OutputTarget::stagedBook() const
{
    if (!m_staging)
        return QString();
    return m_kind == Kind::WebFolder ? dialogFolder()
                                     : QDir(dialogFolder()).filePath(QFileInfo(m_destination).fileName());
}

bool OutputTarget::commit(bool force, QString *error)
{
    const QString staged = stagedBook();
    if (staged.isEmpty() || !QFileInfo(staged).isDir()) {
        *error = QStringLiteral("nothing was published to move into %1").arg(m_destination);
        return false;
    }
    // The destination may have changed since the first look.
    if (!check(force, {}, error))
        return false;
    const QFileInfo info(m_destination);
    QString old;
    if (info.exists() && !isEmptyFolder(m_destination)) {
        old = QDir(m_staging->path()).filePath(QStringLiteral("replaced"));
        if (!renamePath(m_destination, old)) {
            *error = QStringLiteral("cannot replace %1: %2").arg(m_destination, systemError());
            return false;
        }
    }
    if (old.isEmpty() && info.isDir()) {
        // An empty folder the user made stays (its permissions, its owner, a
        // mount point); the book moves into it.
        if (!moveEntries(staged, m_destination, error))
            return false;
        m_staging.reset();
        m_committed = true;
        return true;
    }
    if (!renamePath(staged, m_destination)) {
        *error = QStringLiteral("cannot move the book into %1: %2").arg(m_destination, systemError());
        if (!old.isEmpty())
            renamePath(old, m_destination);
        return false;
    }
    m_staging.reset();
    m_committed = true;
    return true;
}
