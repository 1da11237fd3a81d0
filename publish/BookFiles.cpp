#include "publish/BookFiles.h"

#include "platform/AtomicFile.h"
#include "platform/FileCopy.h"
#include "platform/Logging.h"
#include "platform/WriteJournal.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {
const auto logger = Logging::logger("BookFiles");

fs::path native(const QString &path)
{
    return fs::path(path.toStdString());
}

bool copyFileNoReplace(const fs::path &from, const fs::path &to)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        LOG4CXX_DEBUG(logger, "skipped copy onto existing " << QString::fromStdString(to.string()));
        return false;
    }
    // The kernel's in-place copy keeps large books as fast as a shell copy.
    QString reason;
    const QString target = QString::fromStdString(to.string());
    if (!FileCopy::copy(QString::fromStdString(from.string()), target, &reason)) {
        LOG4CXX_WARN(logger, "skipped " << QString::fromStdString(from.string()) << " -> " << target << ": " << reason);
        WriteJournal::recordFailure(target, reason);
        return false;
    }
    return true;
}
} // namespace

bool BookFiles::exists(const QString &path)
{
    std::error_code ec;
    return !path.isEmpty() && fs::exists(native(path), ec);
}

bool BookFiles::isFolder(const QString &path)
{
    std::error_code ec;
    return !path.isEmpty() && fs::is_directory(native(path), ec);
}

bool BookFiles::makeFolder(const QString &path)
{
    std::error_code ec;
    if (path.isEmpty())
        return false;
    fs::create_directories(native(path), ec);
    if (!fs::is_directory(native(path))) {
        LOG4CXX_WARN(logger, "cannot create the folder " << path << ": " << QString::fromStdString(ec.message()));
        WriteJournal::recordFailure(path,
                                    QString::fromLocal8Bit((ec ? ec.message() : std::string("not a folder")).c_str()));
        return false;
    }
    return true;
}

bool BookFiles::remove(const QString &path)
{
    if (path.isEmpty())
        return true;
    std::error_code ec;
    fs::remove_all(native(path), ec);
    if (ec) {
        LOG4CXX_WARN(logger, "cannot delete " << path << ": " << QString::fromStdString(ec.message()));
        return false;
    }
    return true;
}

bool BookFiles::copy(const QString &source, const QString &destination)
{
    std::error_code ec;
    const fs::path from = native(source);
    const fs::path to = native(destination);
    if (source.isEmpty() || !fs::exists(from, ec)) {
        LOG4CXX_WARN(logger, "skipped missing " << source);
        return false;
    }
    if (!fs::is_directory(from, ec))
        return copyFileNoReplace(from, to);
    if (!makeFolder(destination))
        return false;
    bool all = true;
    for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::path target = to / fs::relative(it->path(), from, ec);
        if (it->is_directory(ec)) {
            std::error_code made;
            fs::create_directories(target, made);
            if (made)
                WriteJournal::recordFailure(QString::fromStdString(target.string()),
                                            QString::fromLocal8Bit(made.message().c_str()));
        } else if (!fs::exists(fs::symlink_status(target, ec))) {
            all = copyFileNoReplace(it->path(), target) && all;
        }
    }
    if (ec) {
        LOG4CXX_WARN(logger, "copy of " << source << " stopped: " << QString::fromStdString(ec.message()));
        return false;
    }
    return all;
}

bool BookFiles::move(const QString &source, const QString &destination)
{
    return !source.isEmpty() && !exists(destination) &&
           ::rename(QFile::encodeName(source).constData(), QFile::encodeName(destination).constData()) == 0;
}

bool BookFiles::writeAtomically(const QString &path, const QByteArray &bytes)
{
    QString reason;
    // Like the copied page files, a book's written files are not flushed one by
    // one (a hundred flushes cost a publication more than its copies); a full
    // disk still fails the write or the close.
    if (AtomicFile::write(path, bytes, &reason, false))
        return true;
    LOG4CXX_WARN(logger, "cannot write " << path << ": " << reason);
    WriteJournal::recordFailure(path, reason);
    return false;
}

QByteArray BookFiles::read(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = !path.isEmpty() && file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    return opened ? file.readAll() : QByteArray();
}

QString BookFiles::pathExtension(const QString &path)
{
    const QString name = lastPathComponent(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString BookFiles::lastPathComponent(const QString &path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

bool BookFiles::samePath(const QString &a, const QString &b)
{
    std::error_code ec;
    return exists(a) && exists(b) && fs::equivalent(native(a), native(b), ec);
}
