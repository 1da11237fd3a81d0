#include "publish/ScreenPages.h"

#include "platform/AtomicFile.h"
#include "platform/FileCopy.h"
#include "platform/JpegScaling.h"
#include "platform/Logging.h"
#include "platform/OperationQueue.h"
#include "platform/WriteJournal.h"
#include "publish/BookFiles.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <mutex>

namespace {
const auto logger = Logging::logger("ScreenPages");
constexpr int kQuality = 80;
} // namespace

QString ScreenPages::renditionPath(const QString &pageFile)
{
    const QString extension = BookFiles::pathExtension(pageFile).toLower();
    if (extension != QLatin1String("jpg") && extension != QLatin1String("jpeg"))
        return {};
    return pageFile.left(pageFile.size() - extension.size()) + QStringLiteral("screen.jpg");
}

int ScreenPages::write(const QList<QPair<QString, QString>> &pages, bool move)
{
    std::atomic<int> written{0};
    std::mutex failedLock;
    QList<WriteJournal::Entry> failed;
    const auto fail = [&](const QString &target, const QString &reason) {
        LOG4CXX_WARN(logger, "cannot write " << target << ": " << reason);
        const std::lock_guard lock(failedLock);
        failed.append({target, reason});
    };
    onEveryCore(pages.size(), [&](qsizetype i) {
        const QString target = renditionPath(pages[i].second);
        if (target.isEmpty())
            return;
        // The import keeps a copy made from the page's own rendering beside it.
        QString reason;
        const QString ready = renditionPath(pages[i].first);
        if (QFileInfo(ready).isFile()) {
            QFile::remove(target);
            if ((move && BookFiles::move(ready, target)) || FileCopy::copy(ready, target, &reason))
                ++written;
            else
                fail(target, reason);
            return;
        }
        // The published copy: the page's own file may have been moved there.
        bool ok = false;
        const QByteArray page = BookFiles::read(pages[i].second, &ok);
        const QByteArray screen = ok ? JpegScaling::half(page, kQuality) : QByteArray();
        if (screen.isEmpty())
            LOG4CXX_WARN(logger, "no screen-sized page made from " << pages[i].first);
        else if (AtomicFile::write(target, screen, &reason, false))
            ++written;
        else
            fail(target, reason);
    });
    // The journal belongs to the publishing thread: failures are handed to it here.
    for (const WriteJournal::Entry &entry : failed)
        WriteJournal::recordFailure(entry.path, entry.reason);
    return written;
}
