#pragma once

#include "book/PDFToPageConverter.h"
#include "platform/PdfRasterizer.h"

#include <QHash>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>

class Pdf2SwfServer;

// The converter of every PDF book: vector pages by the pdf2swf program, or, in
// image mode, JPEG page images; plus JPEG thumbnails and mobile page images.
//
// Each page is rendered once: the rendering that makes a page image also makes
// the page's mobile image and its thumbnail (kept aside until the thumbnail is
// asked for). Pages announced through willGeneratePages() are worked on ahead
// by a small pool of threads, so both cores are busy while the caller walks the
// pages one by one. The work folder is removed with the converter.
class PDFToSWFPageConverter : public PDFToPageConverter
{
public:
    PDFToSWFPageConverter(const QString &pdfPath, const PdfDocumentPtr &doc, int quality);
    ~PDFToSWFPageConverter() override;

    QString generatePage(int page) override;
    QString generateThumbPage(int page) override;
    QString generateMobilePage(int page) override;

    void willGeneratePages(const QList<int> &pages) override;
    // Starts the pdf2swf server for vector pages in the background, so that
    // it is up by the time the document has been checked and opened here.
    void startPdf2swfServer();
    void cancelPendingWork() override;
    void pagesDone() override;

    // Whether pages become images (rather than vector files).
    bool makesImages() const { return imageMode(); }
    // How many pages are worked on at once.
    int renderers() const { return m_renderers; }
    // Renders with `rasterizer` (opened by the caller); a null one, for the
    // reason `why`, leaves the pages without images.
    void useRasterizer(const PdfRasterizerPtr &rasterizer, const QString &why);

    // Runs pdf2swf for one page, through the import's pdf2swf server when it
    // runs (a program run of its own when not); after page 1 also probes the
    // page size. Throws FoliantException when a program cannot be started.
    void generatePageToSwf(int page, const QString &path);
    // Runs getswfSize on a vector page file and stores the size in the settings.
    // Throws FoliantException when its output holds no "W|H".
    void getFileWandH(const QString &path);
    // Renders page `page` to a JPEG page image at `path`; nothing on failure.
    void pdfPageToImage(int page, const QString &path);
    // Renders page `page` to a JPEG thumbnail at `path`; nothing on failure.
    void pdftoThumbImage(int page, const QString &path);

    static QString getPDF2swfLibPath();
    static QString getswfSizeLibPath();
    // The ten arguments pdf2swf is started with.
    QStringList pdf2swfArguments(int page, const QString &path) const;
    void removeWorkFolder();

    // quality / 100, the JPEG compression factor of every image made here.
    double compressionFactor() const { return quality() / 100.0; }
    // Renderings made so far (for tests and benchmarks).
    int renderCount() const;
    // Programs started so far (pdf2swf, once as the server, and getswfSize).
    int programRuns() const { return m_programRuns.load(); }

    // How long a converter program may run before it is given up on.
    static constexpr int kProgramTimeoutMs = 120000;
    // How many announced pages are worked on ahead of the caller.
    static constexpr int kLookAhead = 8;

private:
    struct Job;
    bool imageMode() const;
    QString pagePath(int page, const char *suffix) const;
    QString pendingThumbPath(int page) const;
    // One pass over a page: the vector file when asked, alongside one
    // rendering for the page image (image mode), the mobile image and the
    // thumbnail.
    void workOnPage(int page, bool vector);
    // The rendering part of workOnPage(): page image, mobile image, thumbnail
    // and words.
    void renderPage(int page);
    // A page's one job; `vector` says whether a new job runs pdf2swf first.
    std::shared_ptr<Job> scheduleJob(int page, bool vector);
    void scheduleAhead(int page);
    // Waits for the page's job (started when there is none); rethrows its
    // failure when `rethrow`.
    void waitForJob(int page, bool rethrow, bool vector);
    PdfRasterizerPtr rasterizer();
    // The import's pdf2swf server for `pdf`, started on first use; null when
    // it cannot start or FOLIANT_PDF2SWF_SERVER=0.
    std::shared_ptr<Pdf2SwfServer> pdf2swfServer(const QString &pdf);

    const int m_renderers = qBound(2, QThread::idealThreadCount(), 4);
    mutable std::mutex m_mutex;
    PdfRasterizerPtr m_rasterizer;
    bool m_rasterizerTried = false;
    QHash<int, std::shared_ptr<Job>> m_jobs;
    QList<int> m_announced;
    std::atomic<bool> m_cancelled{false};
    std::atomic<int> m_programRuns{0};
    std::mutex m_serverMutex;
    std::shared_ptr<Pdf2SwfServer> m_server;
    QString m_serverPdf; // the document m_server has open
    bool m_serverTried = false;
    QThreadPool m_pool;
};
