#include "publish/ScreenPages.h"

#include "platform/AtomicFile.h"
#include "platform/FileCopy.h"
#include "platform/JpegScaling.h"
#include "platform/Logging.h"
#include "platform/WriteJournal.h"
#include "publish/BookFiles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

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
    std::atomic<qsizetype> next{0};
    std::atomic<int> written{0};
    std::mutex failedLock;
    QList<WriteJournal::Entry> failed;
    auto work = [&] {
        for (qsizetype i = next++; i < pages.size(); i = next++) {
            const QString target = renditionPath(pages[i].second);
            if (target.isEmpty())
                continue;
            // The import keeps a copy made from the page's own rendering beside it.
            QString reason;
            const QString ready = renditionPath(pages[i].first);
            if (QFileInfo(ready).isFile()) {
                QFile::remove(target);
                if ((move && BookFiles::move(ready, target)) || FileCopy::copy(ready, target, &reason)) {
                    ++written;
                    continue;
                }
                LOG4CXX_WARN(logger, "cannot write " << target << ": " << reason);
                const std::lock_guard lock(failedLock);
                failed.append({target, reason});
                continue;
            }
            // The published copy: the page's own file may have been moved there.
            bool ok = false;
            const QByteArray page = BookFiles::read(pages[i].second, &ok);
            const QByteArray screen = ok ? JpegScaling::half(page, kQuality) : QByteArray();
            if (screen.isEmpty()) {
                LOG4CXX_WARN(logger, "no screen-sized page made from " << pages[i].first);
                continue;
            }
            if (AtomicFile::write(target, screen, &reason, false)) {
                ++written;
                continue;
            }
            LOG4CXX_WARN(logger, "cannot write " << target << ": " << reason);
            const std::lock_guard lock(failedLock);
            failed.append({target, reason});
        }
    };
    const auto cores = std::max(1U, std::thread::hardware_concurrency());
    const qsizetype helpers = std::min<qsizetype>(pages.size(), cores) - 1;
    std::vector<std::thread> threads;
    for (qsizetype t = 0; t < helpers; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread &thread : threads)
        thread.join();
    // The journal belongs to the publishing thread: failures are handed to it here.
    for (const WriteJournal::Entry &entry : failed)
        WriteJournal::recordFailure(entry.path, entry.reason);
    return written;
}
