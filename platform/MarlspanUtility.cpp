#include "platform/MarlspanUtility.h"

#include "platform/AtomicFile.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdlib>
#include <dirent.h>

namespace {

const auto logger = Logging::logger("MarlspanUtility");

const QString kTrustFolder = QStringLiteral("Macromedia/FlashPlayerTrust/");

QString decodeTrustFile(const QByteArray &bytes)
{
    // The byte-order mark decides; a file without one is taken as UTF-16LE,
    // which is how this application writes it.
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
}

} // namespace

QString MarlspanUtility::trustFilePath()
{
    return Paths::join(Paths::join(Paths::systemData(), kTrustFolder), QStringLiteral("PT.cfg"));
}

void MarlspanUtility::makeDiractoryTrustByFlash(const QString &folder)
{
    const QString trustFolder = Paths::join(Paths::systemData(), kTrustFolder);
    QDir().mkpath(trustFolder);
    const QString trustFile = trustFilePath();
    LOG4CXX_DEBUG(logger, "trust folder is:" << trustFile);

    QString content = folder;
    QFile existing(trustFile);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            // Rewriting a file we cannot read would drop its other entries.
            LOG4CXX_WARN(logger, "trust file cannot be read: " << trustFile);
            return;
        }
        const QString old = decodeTrustFile(existing.readAll());
        if (old.split(QLatin1Char('\n')).contains(folder))
            return;
        content = old + QLatin1Char('\n') + folder;
    }

    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::Default);
    QByteArray bytes("\xFF\xFE", 2);
    bytes += QByteArray(encoder.encode(content));
    // Written whole or not at all: a cut-off file would lose the other entries.
    QString reason;
    if (!AtomicFile::write(trustFile, bytes, &reason))
        LOG4CXX_WARN(logger, "cannot write the trust file " << trustFile << ": " << reason);
    if (QFileInfo::exists(trustFile))
        LOG4CXX_DEBUG(logger, "file is exits!!");
    else
        LOG4CXX_DEBUG(logger, "file doest not exits!!!!!!!!!");
}

QString MarlspanUtility::forceTmpDiractory(const QString &name)
{
    const QString parent = Paths::join(Paths::temp(), name);
    QDir().mkpath(parent);
    QByteArray templ = QFile::encodeName(Paths::join(parent, QStringLiteral("temp.XXXXXX")));
    char *made = mkdtemp(templ.data());
    const QString path = QFile::decodeName(made ? made : templ.constData());
    QDir().mkpath(path);
    return path;
}

QStringList MarlspanUtility::subFolderOfFolder(const QString &folder)
{
    // Directory order as the file system lists it, not sorted.
    QStringList out;
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return out;
    while (dirent *entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QStringLiteral(".") || name == QStringLiteral(".."))
            continue;
        const QString full = Paths::join(folder, name);
        if (QFileInfo(full).isDir())
            out.append(full);
    }
    closedir(dir);
    return out;
}
