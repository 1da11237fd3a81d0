#include "book/PDFToSWFPageConverter.h"

#include "book/Pdf2SwfServer.h"

#include "platform/AppSettings.h"
#include "platform/MarlspanUtility.h"
#include "platform/Clock.h"
#include "platform/FoliantException.h"
#include "platform/IsolatedPdfRasterizer.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/TextScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRunnable>
#include <QThread>

#include <unistd.h>

#include <functional>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define FOLIANT_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define FOLIANT_THREAD_SANITIZER 1
#endif
#ifdef FOLIANT_THREAD_SANITIZER
extern "C" void __tsan_acquire(void *address);
extern "C" void __tsan_release(void *address);
#endif

namespace {

// A page's work on the pool. Qt hands a runnable to a pool thread under its
// own futex-based locks, which ThreadSanitizer does not see; the release and
// acquire below state the ordering Qt already guarantees, so the sanitizer
// still reports real races inside the work.
class PageRunnable final : public QRunnable
{
public:
    explicit PageRunnable(std::function<void()> work) : m_work(std::move(work))
    {
#ifdef FOLIANT_THREAD_SANITIZER
        __tsan_release(this);
#endif
    }
    void run() override
    {
#ifdef FOLIANT_THREAD_SANITIZER
        __tsan_acquire(this);
#endif
        m_work();
    }

private:
    std::function<void()> m_work;
};

const auto logger = Logging::logger("PDFToSWFPageConverter");

} // namespace

struct PDFToSWFPageConverter::Job
{
    bool vector = false;
    std::promise<void> promise;
    std::shared_future<void> future = promise.get_future().share();
};

PDFToSWFPageConverter::PDFToSWFPageConverter(const QString &pdfPath, const PdfDocumentPtr &doc, int quality)
{
    setPDFPath(pdfPath);
    setQuality(quality);
    setConverterWorkFolder(MarlspanUtility::forceTmpDiractory(QStringLiteral("Quirefold")));
    setDPI(144);
    setPDFDoc(doc);
    // A page's thread waits for its render worker, which writes the page's files.
    m_pool.setMaxThreadCount(m_renderers);
}

PDFToSWFPageConverter::~PDFToSWFPageConverter()
{
    m_cancelled.store(true);
    m_pool.waitForDone();
    removeWorkFolder();
}

bool PDFToSWFPageConverter::imageMode() const
{
    return AppSettings::shareInstance()->ImportType() != 0;
}

QString PDFToSWFPageConverter::pagePath(int page, const char *suffix) const
{
    return Paths::join(converterWorkFolder(), QString::number(page) + QLatin1String(suffix));
}

QString PDFToSWFPageConverter::pendingThumbPath(int page) const
{
    return Paths::join(converterWorkFolder(), QStringLiteral(".thumb%1.jpg").arg(page));
}

QString PDFToPageConverter::wordsPathFor(const QString &pagePath, int page)
{
    return Paths::join(QFileInfo(pagePath).path(), QString::number(page) + QStringLiteral(".words"));
}

QString PDFToSWFPageConverter::getPDF2swfLibPath()
{
    return Paths::program(QStringLiteral("pdf2swf"));
}

QString PDFToSWFPageConverter::getswfSizeLibPath()
{
    return Paths::program(QStringLiteral("getswfSize"));
}

QStringList PDFToSWFPageConverter::pdf2swfArguments(int page, const QString &path) const
{
    return {PDFPath(),
            QStringLiteral("-o") + path,
            QStringLiteral("-p ") + QStringLiteral("%1-%2").arg(page).arg(page),
            QStringLiteral("-s jpegquality=") + QString::number(quality()),
            QStringLiteral("-t"),
            QStringLiteral("-G"),
            QStringLiteral("-qq"),
            QStringLiteral("-s flashversion=8"),
            QStringLiteral("-s disablelinks"),
            QStringLiteral("-s ") + QStringLiteral("zoom=%1").arg(DPI())};
}

void PDFToSWFPageConverter::generatePageToSwf(int page, const QString &path)
{
    const QString program = getPDF2swfLibPath();
    const QStringList arguments = pdf2swfArguments(page, path);
    std::optional<ProcessResult> served;
    if (const std::shared_ptr<Pdf2SwfServer> server = pdf2swfServer(PDFPath()))
        served = server->run(arguments, kProgramTimeoutMs);
    if (!served)
        m_programRuns.fetch_add(1);
    const ProcessResult result = served ? *served : ProcessRunner::run(program, arguments, kProgramTimeoutMs);
    if (!result.started)
        throw FoliantException(QStringLiteral("ProgramLaunchError"),
                               QStringLiteral("launch path not accessible: ") + program);
    if (result.timedOut)
        LOG4CXX_WARN(logger, "pdf2swf gave up on page " << page << " after " << kProgramTimeoutMs << " ms");
    else if (logger->isDebugEnabled() && !result.ok())
        LOG4CXX_DEBUG(logger, "pdf2swf page " << page << " exit " << result.exitCode << ": "
                                              << QString::fromUtf8(result.standardError).trimmed());
    // A page made in part of pictures (what the vector format cannot express) says why.
    else if (result.ok() && !result.standardError.trimmed().isEmpty())
        LOG4CXX_INFO(logger, QString::fromUtf8(result.standardError).trimmed());
    if (page == 1)
        getFileWandH(path);
}

std::shared_ptr<Pdf2SwfServer> PDFToSWFPageConverter::pdf2swfServer(const QString &pdf)
{
    std::lock_guard lock(m_serverMutex);
    // The first use, or the document became its unlocked copy.
    if (!m_serverTried || m_serverPdf != pdf) {
        m_serverTried = true;
        m_serverPdf = pdf;
        m_server.reset();
        QString error;
        if (qEnvironmentVariable("FOLIANT_PDF2SWF_SERVER") != QStringLiteral("0")) {
            m_programRuns.fetch_add(1);
            if (!(m_server = Pdf2SwfServer::start(getPDF2swfLibPath(), pdf, &error)))
                LOG4CXX_WARN(logger, "pages are converted one program run each: " << error);
        }
    }
    return m_server;
}

void PDFToSWFPageConverter::startPdf2swfServer()
{
    m_pool.start([this, pdf = PDFPath()] { pdf2swfServer(pdf); });
}

void PDFToSWFPageConverter::getFileWandH(const QString &path)
{
    const QString program = getswfSizeLibPath();
    m_programRuns.fetch_add(1);
    const ProcessResult result = ProcessRunner::run(program, {path}, kProgramTimeoutMs);
    if (!result.started)
        throw FoliantException(QStringLiteral("ProgramLaunchError"),
                               QStringLiteral("launch path not accessible: ") + program);
    const QString text = QString::fromLatin1(result.standardOutput);
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar < 0)
        throw FoliantException(QStringLiteral("PageSizeError"),
                               QStringLiteral("no page size in getswfSize output: ") + text.left(200).trimmed());
    const int width = TextScan::leadingInt(text.left(bar));
    const int height = TextScan::leadingInt(text.mid(bar + 1));
    // A size of nothing would give the book pages no one can see; keep the last one.
    if (width <= 0 || height <= 0)
        throw FoliantException(QStringLiteral("PageSizeError"),
                               QStringLiteral("unusable page size from getswfSize: ") + text.trimmed());
    AppSettings::shareInstance()->setPageWidth(width);
    AppSettings::shareInstance()->setPageHeight(height);
    LOG4CXX_DEBUG(logger, "page size " << width << "x" << height);
}

PdfRasterizerPtr PDFToSWFPageConverter::rasterizer()
{
    std::lock_guard lock(m_mutex);
    if (!m_rasterizerTried && PDFDoc()) {
        m_rasterizerTried = true;
        QString error;
        // Rendering runs in worker processes: a page that crashes or hangs the
        // renderer fails alone instead of taking the application with it.
        m_rasterizer = IsolatedPdfRasterizer::openPreferred(PDFPath(), m_renderers, &error);
        if (!m_rasterizer)
            LOG4CXX_WARN(logger, "cannot render " << PDFPath() << ": " << error);
    }
    return m_rasterizer;
}

void PDFToSWFPageConverter::useRasterizer(const PdfRasterizerPtr &rasterizer, const QString &why)
{
    std::lock_guard lock(m_mutex);
    m_rasterizer = rasterizer;
    m_rasterizerTried = true;
    if (!rasterizer && PDFDoc())
        LOG4CXX_WARN(logger, "cannot render " << PDFPath() << ": " << why);
}

void PDFToSWFPageConverter::pagesDone()
{
    m_pool.waitForDone();
    PdfRasterizerPtr done;
    std::lock_guard lock(m_mutex);
    done.swap(m_rasterizer);
    m_rasterizerTried = false;
}

void PDFToSWFPageConverter::workOnPage(int page, bool vector)
{
    if (m_cancelled.load())
        return;
    // The vector file is made while this thread has the page's pictures
    // rendered and its words read: two pages in flight keep more than two
    // processes at work.
    std::future<void> swf;
    if (vector)
        swf = std::async(std::launch::async, [this, page] { generatePageToSwf(page, pagePath(page, ".swf")); });
    renderPage(page);
    if (swf.valid())
        swf.get(); // its failure is the page's
}

void PDFToSWFPageConverter::renderPage(int page)
{
    if (m_cancelled.load())
        return;
    // Without a rasterizer given, one opens only once the document is.
    PdfRasterizerPtr r = rasterizer();
    if (!r)
        return;
    const QString image = pagePath(page, ".jpg");
    const QString mobile = pagePath(page, "_mobile.jpg");
    const bool wantImage = imageMode() && !QFile::exists(pagePath(page, ".swf")) && !QFile::exists(image);
    PdfRasterizer::PageFiles files;
    if (wantImage) {
        files.image = image;
        // The screen-sized copy comes from the same pixels, which saves
        // publishing from decoding the page image again for it.
        files.screen = pagePath(page, ".screen.jpg");
    }
    // A vector page without its mobile image needs only the thumbnail: the
    // worker encodes no page-sized JPEG then.
    if (makesMobileImages() && !QFile::exists(mobile))
        files.mobile = mobile;
    files.thumb = pendingThumbPath(page);
    // The worker that renders the page reads its words from the same page
    // and writes every file itself: nothing of the page passes through here.
    if (extractText())
        files.words = pagePath(page, ".words");
    const PdfRasterizer::Written out = r->renderFiles(page - 1, quality(), files);
    if (!out.wordsError.isEmpty())
        LOG4CXX_WARN(logger, "no text for page " << page << ": " << out.wordsError);
    if (!out.ok())
        LOG4CXX_WARN(logger, "page " << page << ": " << out.error);
}

std::shared_ptr<PDFToSWFPageConverter::Job> PDFToSWFPageConverter::scheduleJob(int page, bool vector)
{
    std::lock_guard lock(m_mutex);
    if (auto it = m_jobs.constFind(page); it != m_jobs.constEnd())
        return it.value();
    auto job = std::make_shared<Job>();
    job->vector = vector;
    m_jobs.insert(page, job);
    m_pool.start(new PageRunnable([this, job, page, vector] {
        try {
            workOnPage(page, vector);
            job->promise.set_value();
        } catch (...) {
            job->promise.set_exception(std::current_exception());
        }
    }));
    return job;
}

void PDFToSWFPageConverter::scheduleAhead(int page)
{
    QList<int> ahead;
    {
        std::lock_guard lock(m_mutex);
        const qsizetype at = m_announced.indexOf(page);
        if (at < 0)
            return;
        ahead = m_announced.mid(at + 1, kLookAhead);
    }
    const bool vector = !imageMode();
    for (int next : ahead)
        scheduleJob(next, vector);
}

void PDFToSWFPageConverter::waitForJob(int page, bool rethrow, bool vector)
{
    std::shared_ptr<Job> job = scheduleJob(page, vector);
    scheduleAhead(page);
    try {
        job->future.get();
    } catch (...) {
        if (rethrow)
            throw;
    }
    // The page was rendered ahead for its thumbnail before its vector file was
    // asked for.
    if (vector && !job->vector) {
        job->vector = true;
        generatePageToSwf(page, pagePath(page, ".swf"));
    }
}

void PDFToSWFPageConverter::willGeneratePages(const QList<int> &pages)
{
    {
        std::lock_guard lock(m_mutex);
        m_announced = pages;
    }
    const bool vector = !imageMode();
    for (int page : pages.mid(0, kLookAhead))
        scheduleJob(page, vector);
}

void PDFToSWFPageConverter::cancelPendingWork()
{
    // Queued jobs see the flag and return at once; their waiters are released.
    m_cancelled.store(true);
    std::lock_guard lock(m_mutex);
    m_announced.clear();
}

QString PDFToSWFPageConverter::generatePage(int page)
{
    if (!imageMode()) {
        const QString path = pagePath(page, ".swf");
        waitForJob(page, true, true);
        return path;
    }
    const QString swf = pagePath(page, ".swf");
    if (QFile::exists(swf) || !PDFDoc())
        return swf;
    waitForJob(page, true, false);
    return pagePath(page, ".jpg");
}

QString PDFToSWFPageConverter::generateThumbPage(int page)
{
    const QString path =
        Paths::join(converterWorkFolder(), Clock::stamp(Clock::now()) + QString::number(page) + QStringLiteral(".jpg"));
    pdftoThumbImage(page, path);
    return path;
}

QString PDFToSWFPageConverter::generateMobilePage(int page)
{
    const QString path = pagePath(page, "_mobile.jpg");
    if (QFile::exists(path) || !PDFDoc())
        return path;
    waitForJob(page, false, false);
    if (!QFile::exists(path))
        pdfPageToImage(page, path);
    return path;
}

void PDFToSWFPageConverter::pdfPageToImage(int page, const QString &path)
{
    if (!PDFDoc())
        return;
    if (PdfRasterizerPtr r = rasterizer()) {
        PdfRasterizer::PageFiles files;
        files.mobile = path;
        if (const PdfRasterizer::Written out = r->renderFiles(page - 1, quality(), files); !out.ok())
            LOG4CXX_WARN(logger, "page " << page << ": " << out.error);
    }
}

void PDFToSWFPageConverter::pdftoThumbImage(int page, const QString &path)
{
    if (!PDFDoc())
        return;
    waitForJob(page, false, false);
    const QString pending = pendingThumbPath(page);
    if (QFile::exists(pending)) {
        QFile::remove(path);
        if (QFile::rename(pending, path))
            return;
    }
    if (PdfRasterizerPtr r = rasterizer()) {
        PdfRasterizer::PageFiles files;
        files.thumb = path;
        if (const PdfRasterizer::Written out = r->renderFiles(page - 1, quality(), files); !out.ok())
            LOG4CXX_WARN(logger, "page " << page << ": " << out.error);
    }
}

int PDFToSWFPageConverter::renderCount() const
{
    std::lock_guard lock(m_mutex);
    return m_rasterizer ? m_rasterizer->renderCount() : 0;
}

void PDFToSWFPageConverter::removeWorkFolder()
{
    const QString folder = converterWorkFolder();
    if (!folder.isEmpty() && QFileInfo::exists(folder))
        QDir(folder).removeRecursively();
}
