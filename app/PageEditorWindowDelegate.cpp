#include "app/PageEditorWindowDelegate.h"

#include "platform/MarlspanUtility.h"
#include "app/UserPrompts.h"
#include "platform/Clock.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/Xml.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const auto logger = Logging::logger("PageEditorWindowDelegate");

const QStringList kImageTypes = {QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("gif")};

// Replaces whatever is at `target` with a copy of `source`; errors are logged.
// The old copy goes even when there is no new one: a stale editor must not run.
void replaceWithCopy(const QString &source, const QString &target)
{
    if (QFileInfo::exists(target))
        QFile::remove(target);
    if (!QFileInfo::exists(source))
        LOG4CXX_WARN(logger, "editor resource missing: " << source);
    else if (!QFile::copy(source, target))
        LOG4CXX_WARN(logger, "cannot copy " << source << " to " << target);
}
} // namespace

PageEditorWindowDelegate::PageEditorWindowDelegate(UserPrompts *prompts, QObject *parent)
    : QObject(parent), m_prompts(prompts)
{}

void PageEditorWindowDelegate::initWithBookXMLStr(const QString &bookXMLStr, const QString &baseFolder,
                                                  const FlashPagesAnnotationsPtr &annotations)
{
    m_bookXMLStr = bookXMLStr;
    m_baseFolder = baseFolder;
    iFlashPagesAnnotations = annotations;
    for (const QString &name : {QStringLiteral("PageEditor.html"), QStringLiteral("PageEditor.swf")}) {
        replaceWithCopy(Paths::resource(name), Paths::join(baseFolder, name));
    }
    m_htmlPath = Paths::join(baseFolder, QStringLiteral("PageEditor.html"));
}

void PageEditorWindowDelegate::ShowFlashEditorToForm()
{
    try {
        MarlspanUtility::makeDiractoryTrustByFlash(QFileInfo(m_htmlPath).path());
        m_loaded = true;
        emit showEditorPage(QUrl::fromLocalFile(m_htmlPath));
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, "EXCEPTION:" << describeException(e));
    }
}

QString PageEditorWindowDelegate::callPage(const QString &script) const
{
    if (!m_evaluate) {
        LOG4CXX_WARN(logger, "no editor page to ask for " << script);
        return QString();
    }
    return m_evaluate(script);
}

QString PageEditorWindowDelegate::FormatDate()
{
    return Clock::stamp(Clock::now());
}

QString PageEditorWindowDelegate::CopytoAttachment(const QString &source)
{
    const QString extension = QFileInfo(source).suffix();
    QDir().mkpath(QStringLiteral("%1/files/editor").arg(m_baseFolder));
    const QString relative = QStringLiteral("%1/%2.%3").arg(QStringLiteral("editor"), FormatDate(), extension);
    replaceWithCopy(source, Paths::join(m_baseFolder, QStringLiteral("files/") + relative));
    return relative;
}

QString PageEditorWindowDelegate::CopytoAttachmentNoRename(const QString &source, const QString &folder)
{
    const QString name = QFileInfo(source).fileName();
    const QString dir = QStringLiteral("%1/files/editor/%2").arg(m_baseFolder, folder);
    QDir().mkpath(dir);
    // An existing file of that name stays: files chosen together share a folder.
    QFile::copy(source, QStringLiteral("%1/%2").arg(dir, name));
    return QStringLiteral("editor/%1/%2").arg(folder, name);
}

QString PageEditorWindowDelegate::chooseAndStore(const QString &title, const QStringList &types)
{
    const QStringList chosen = m_prompts ? m_prompts->chooseFiles(title, types, true) : QStringList();
    if (chosen.isEmpty())
        return QString();
    return CopytoAttachment(chosen.first());
}

QString PageEditorWindowDelegate::OnSelectImageFile()
{
    return chooseAndStore(QCoreApplication::translate("PageEditorWindowDelegate", "Please select image file to open"),
                          kImageTypes);
}

QString PageEditorWindowDelegate::OnSelectSWFFile()
{
    return chooseAndStore(QCoreApplication::translate("PageEditorWindowDelegate", "Please select swf file to open"),
                          {QStringLiteral("swf")});
}

QString PageEditorWindowDelegate::OnSelectMovieFile()
{
    return chooseAndStore(
        QCoreApplication::translate("PageEditorWindowDelegate", "Please select the movie file to open"),
        {QStringLiteral("mp4"), QStringLiteral("flv")});
}

QString PageEditorWindowDelegate::OnSelectMusicFile()
{
    return chooseAndStore(QCoreApplication::translate("PageEditorWindowDelegate", "Please select mp3 file to open"),
                          {QStringLiteral("mp3")});
}

QString PageEditorWindowDelegate::OnSelectImageFiles()
{
    // Asked before the panel, so the page's answer and the stamp describe the
    // moment the user started choosing.
    const bool rename = callPage(QStringLiteral("ReName()")) == QStringLiteral("YES");
    const QString stamp = FormatDate();
    const QStringList chosen =
        m_prompts ? m_prompts->chooseFiles(
                        QCoreApplication::translate("PageEditorWindowDelegate", "Please select images file to open"),
                        kImageTypes, true)
                  : QStringList();
    QStringList relative;
    for (const QString &file : chosen)
        relative.append(rename ? CopytoAttachment(file) : CopytoAttachmentNoRename(file, stamp));
    return relative.join(QLatin1Char('|'));
}

void PageEditorWindowDelegate::OnDeleteFile(const QString &relativePath)
{
    if (relativePath.isEmpty())
        return;
    // The page names files below files/; a path that climbs out of it (or an
    // absolute one) would let the page delete anything the user can.
    const QString filesDir = QDir::cleanPath(m_baseFolder + QStringLiteral("/files"));
    const QString target = QDir::cleanPath(QStringLiteral("%1/%2").arg(filesDir, relativePath));
    const QString canonicalFiles = QFileInfo(filesDir).canonicalFilePath();
    const QString canonicalParent = QFileInfo(QFileInfo(target).path()).canonicalFilePath();
    const bool inside =
        target.startsWith(filesDir + QLatin1Char('/')) && !canonicalFiles.isEmpty() &&
        (canonicalParent == canonicalFiles || canonicalParent.startsWith(canonicalFiles + QLatin1Char('/')));
    if (!inside) {
        LOG4CXX_WARN(logger, "refused to delete a file outside the book's files: " << relativePath);
        return;
    }
    if (QFileInfo(target).isFile())
        QFile::remove(target);
}

bool PageEditorWindowDelegate::OnSave()
{
    return savePageList(callPage(QStringLiteral("GetPageConfig()")));
}

bool PageEditorWindowDelegate::savePageList(const QString &pageList)
{
    QString text = pageList;
    // An empty or broken answer would replace the book's links with nothing;
    // the page list on disk stays as it is instead.
    if (text.trimmed().isEmpty()) {
        LOG4CXX_WARN(logger, "the editor page gave no page list; pages.xml kept");
        return false;
    }
    text.remove(QStringLiteral("%1/files/").arg(m_baseFolder));
    QString error;
    if (XmlDocument::parse(text.toUtf8(), false, &error).isNull()) {
        LOG4CXX_WARN(logger, "the editor page gave a malformed page list (" << error << "); pages.xml kept");
        return false;
    }
    QFile file(Paths::join(m_baseFolder, QStringLiteral("pages.xml")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        LOG4CXX_ERROR(logger, "cannot write " << file.fileName());
        return false;
    }
    return true;
}

void PageEditorWindowDelegate::OnSaveAndExit()
{
    // When nothing could be saved, leave as "without saving" so the caller
    // restores the page list's base folder instead of publishing absolute paths.
    emit sheetEnded(OnSave() ? 1 : 0);
}

void PageEditorWindowDelegate::exitWithoutSave()
{
    emit sheetEnded(0);
}

void PageEditorWindowDelegate::OpenHelp()
{
    if (m_prompts)
        m_prompts->openFile(Paths::resource(QStringLiteral("Foliant for mac Help/Foliant for mac manual.pdf")));
}
