#include "app/PublishService.h"

#include "app/OutputTarget.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"
#include "platform/WriteJournal.h"
#include "publish/FlashBookOutput.h"
#include "publish/FlashBookOutputApp.h"
#include "publish/HTMLConfigInfo.h"
#include "publish/OutputMobileVersion.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

const auto logger = Logging::logger("PublishService");

OutputTarget::Kind kindOf(bool application)
{
    return application ? OutputTarget::Kind::Application : OutputTarget::Kind::WebFolder;
}

QString htmlNameOf(const PublishRequest &request)
{
    // An empty name would give the hidden file ".html", which no file browser shows.
    return (request.name.trimmed().isEmpty() ? QStringLiteral("index") : request.name) + QStringLiteral(".html");
}

} // namespace

QString PublishService::destinationOf(const PublishRequest &request)
{
    const QString folder = QDir::cleanPath(request.folder);
    if (!request.application)
        return folder;
    return QDir(folder).filePath(FlashBookOutputApp::bundleName(htmlNameOf(request)));
}

PublishService::Destination PublishService::inspect(const QString &destination, bool application, int *entries)
{
    const QFileInfo info(destination);
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return Destination::NotAFolder;
    if (!info.exists() ||
        QDir(destination).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return Destination::Free;
    if (OutputTarget::isProtected(destination))
        return Destination::Protected;
    const bool published =
        application ? OutputTarget::isPublishedApplication(destination) : OutputTarget::isPublishedBook(destination);
    if (published)
        return Destination::EarlierBook;
    if (entries) {
        *entries = 0;
        QDirIterator it(destination, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            ++*entries;
        }
    }
    return Destination::OtherContent;
}

Result<PublishedBook> PublishService::publish(const PublishRequest &request)
{
    const QString destination = destinationOf(request);
    const QString htmlName = htmlNameOf(request);
    OutputTarget target(destination, kindOf(request.application));
    QString error;
    QString folder = QDir::cleanPath(request.folder);
    if (request.inPlace) {
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
            return Failure{QStringLiteral("cannot create the folder %1: %2")
                               .arg(folder, QString::fromLocal8Bit(std::strerror(errno)))};
    } else {
        if (!target.check(request.replace, {}, &error) || !target.prepare(&error))
            return Failure{error};
        folder = target.dialogFolder();
        if (!QDir().mkpath(folder))
            return Failure{QStringLiteral("cannot create the folder %1: %2")
                               .arg(folder, QString::fromLocal8Bit(std::strerror(errno)))};
    }

    std::unique_ptr<FlashBookOutput> output;
    if (request.application)
        output = std::make_unique<FlashBookOutputApp>(request.pageSource, request.tmpl, folder, htmlName);
    else
        output = std::make_unique<FlashBookOutput>(request.pageSource, request.tmpl, folder, htmlName);
    auto html = std::make_shared<HTMLConfigInfo>();
    OutputMobileVersion mobile(request.pageSource, request.tmpl, folder, request.mobileType);

    WriteJournal journal;
    try {
        html->setHTMLTitle(request.title);
        output->setHTMLConfig(html);
        output->setFlashPagesAnnotations(request.annotations);
        output->setFlashOutline(request.outline);
        output->setMovePageFiles(request.movePageFiles);
        output->ouputTheBook();
        if (request.mobile && !request.application)
            mobile.PublishMobileConfig();
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, "publish error:" << describeException(e));
        return Failure{describeException(e)};
    }
    if (!journal.failures().isEmpty()) {
        const WriteJournal::Entry &first = journal.failures().first();
        LOG4CXX_ERROR(logger, "publishing into " << destination << " failed: " << journal.failures().size()
                                                 << " writes, the first " << first.path << ": " << first.reason);
        // Named where the user will look for it, not in the staging folder.
        QString path = first.path;
        if (!request.inPlace && (path == folder || path.startsWith(folder + QLatin1Char('/'))))
            path = QDir::cleanPath(request.folder) + path.mid(folder.size());
        return Failure{QStringLiteral("cannot write %1: %2").arg(path, first.reason)};
    }

    // A book without its page or its configuration is no book, whatever the
    // steps reported.
    const QString root = request.application ? QDir(output->saveToFolder()).absolutePath() : folder;
    const QString page = output->outputHTMLFileName();
    if (!QFileInfo(page).isFile())
        return Failure{QStringLiteral("publishing wrote no HTML page (is the template complete?)")};
    if (!OutputTarget::isPublishedBook(root))
        return Failure{QStringLiteral("publishing wrote no book configuration (see the log)")};
    if (request.stopRequested && request.stopRequested())
        return Failure{QStringLiteral("interrupted")};
    if (!request.inPlace && !target.commit(request.replace, &error))
        return Failure{error};

    PublishedBook book;
    book.destination = request.inPlace ? QDir::cleanPath(output->outputFileName()) : destination;
    if (request.application)
        book.outputFile = book.destination;
    else
        book.outputFile = QDir(request.inPlace ? folder : destination).filePath(htmlName);
    return book;
}
