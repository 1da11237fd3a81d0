// What rendering in worker processes costs against rendering in this process,
// on the same 100-page PDF in the same run: the rasteriser alone (two threads,
// page image and thumbnail of every page), then a whole image-mode import.
// Prints wall and CPU time (this process and its workers together) and ratios.
//
//   bench_render_isolation [PAGES]

#include "platform/AppSettings.h"
#include "book/ImportPDFOperation.h"
#include "platform/IsolatedPdfRasterizer.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

double cpuNow()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total +=
            usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

struct Timing
{
    double wall = 0;
    double cpu = 0;
    int pages = 0;
};

// Renders every page on two threads, as the converter does. The rasteriser is
// released before the clock stops: workers' CPU time counts once they are reaped.
Timing renderAll(PdfRasterizerPtr rasterizer, int pages)
{
    Timing t;
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuNow();
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i)
        threads.emplace_back([&] {
            for (int page = next++; page < pages; page = next++)
                if (rasterizer->render(page, 85, true, true).ok())
                    ++done;
        });
    for (auto &thread : threads)
        thread.join();
    rasterizer.reset();
    t.wall = timer.elapsed() / 1000.0;
    t.cpu = cpuNow() - cpu;
    t.pages = done.load();
    return t;
}

Timing importAll(const QString &pdf, const QString &range)
{
    Timing t;
    AppSettings::shareInstance()->setImportType(1);
    auto op = std::make_shared<ImportPDFOperation>(pdf, range, 144, 85);
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuNow();
    {
        OperationQueue queue;
        queue.addOperation(op);
        op->waitUntilFinished(3600000);
    }
    if (op->flashPageSource())
        for (const FlashPagePtr &page : op->flashPageSource()->pages())
            t.pages += QFileInfo::exists(page->pageFilePath()) ? 1 : 0;
    op.reset(); // the converter and its workers go with the operation
    t.wall = timer.elapsed() / 1000.0;
    t.cpu = cpuNow() - cpu;
    return t;
}

void report(const char *what, const Timing &local, const Timing &isolated)
{
    std::printf("%s: in-process %d pages %.2f s wall %.2f s CPU; isolated %d pages %.2f s wall %.2f s CPU\n", what,
                local.pages, local.wall, local.cpu, isolated.pages, isolated.wall, isolated.cpu);
    std::printf("%s ratio isolated/in-process: %.2f wall, %.2f CPU\n", what, isolated.wall / local.wall,
                isolated.cpu / local.cpu);
}

} // namespace

int main(int argc, char **argv)
{
    const int pages = argc > 1 ? std::max(1, std::min(100, std::atoi(argv[1]))) : 100;
    QTemporaryDir scratch;
    Paths::setTemp(scratch.path() + QStringLiteral("/tmp"));
    Paths::setConfig(scratch.path() + QStringLiteral("/config"));
    Paths::setUserData(scratch.path() + QStringLiteral("/user"));
    QDir().mkpath(Paths::temp());
    if (!QFileInfo(IsolatedPdfRasterizer::workerProgram()).isExecutable()) {
        std::fprintf(stderr, "the render worker %s is not built\n", qPrintable(IsolatedPdfRasterizer::workerProgram()));
        return 1;
    }
    const QString script =
        QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../tests/data/make_pdfs.py"));
    const QString data = scratch.path() + QStringLiteral("/pdfs");
    if (!ProcessRunner::run(QStringLiteral("python3"), {script, data}).ok()) {
        std::fprintf(stderr, "cannot make the test PDFs with %s\n", qPrintable(script));
        return 1;
    }
    const QString pdf = data + QStringLiteral("/real100.pdf");

    const Timing local = renderAll(PdfRasterizer::openPoppler(pdf, 2), pages);
    const Timing isolated = renderAll(IsolatedPdfRasterizer::open(pdf, 2), pages);
    report("rasteriser", local, isolated);

    const QString range = QStringLiteral("1-%1").arg(pages);
    qputenv("FOLIANT_RENDER_IN_PROCESS", "1");
    const Timing localImport = importAll(pdf, range);
    qunsetenv("FOLIANT_RENDER_IN_PROCESS");
    const Timing isolatedImport = importAll(pdf, range);
    report("image import", localImport, isolatedImport);
    return local.pages == pages && isolated.pages == pages ? 0 : 2;
}
