// Image- and vector-mode import of a 100-page PDF against pdftoppm over the same
// pages in the same run; prints the time ratio and peak memory. The whole
// `foliant-cli publish` against pdftoppm is bench_cli_publish's.
//
//   bench_import              100 pages, image mode, then vector mode when pdf2swf is built
//   bench_import --large      image-mode import of 2,000 link-heavy pages (memory)

#include "platform/AppSettings.h"
#include "book/ImportPDFOperation.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU time of this process and its programs together.
double cpuNow()
{
    return cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN);
}

double peakMB(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct ImportResult
{
    double seconds = 0;
    double cpu = 0;
    int pages = 0;
};

ImportResult runImport(const QString &pdf, int importType)
{
    AppSettings::shareInstance()->setImportType(importType);
    auto op = std::make_shared<ImportPDFOperation>(pdf, QStringLiteral("ALL"), 144, 85);
    op->setImportLinks(true);
    op->setImportBookmarks(true);
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuNow();
    {
        OperationQueue queue;
        queue.addOperation(op);
        op->waitUntilFinished();
    }
    ImportResult result;
    result.seconds = timer.nsecsElapsed() / 1e9;
    result.cpu = cpuNow() - cpuStart;
    result.pages = op->flashPageSource() ? int(op->flashPageSource()->pages().size()) : 0;
    return result; // the page source, and its work folder, go with `op`
}

double runPdftoppm(const QString &pdf, const QString &outDir, double *cpu)
{
    QDir().mkpath(outDir);
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuNow();
    const ProcessResult r = ProcessRunner::run(QStringLiteral("pdftoppm"),
                                               {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-jpeg"),
                                                QStringLiteral("-jpegopt"), QStringLiteral("quality=85"), pdf,
                                                outDir + QStringLiteral("/p")});
    if (!r.ok())
        std::fprintf(stderr, "pdftoppm failed: %s\n", r.standardError.constData());
    *cpu = cpuNow() - cpuStart;
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    const bool large = argc > 1 && QByteArray(argv[1]) == "--large";
    QTemporaryDir scratch;
    Paths::setTemp(scratch.path() + QStringLiteral("/tmp"));
    Paths::setConfig(scratch.path() + QStringLiteral("/config"));
    Paths::setUserData(scratch.path() + QStringLiteral("/user"));
    QDir().mkpath(Paths::temp());

    const QString script =
        QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../tests/data/make_pdfs.py"));
    const QString data = scratch.path() + QStringLiteral("/pdfs");
    QStringList args{script, data};
    if (large)
        args << QStringLiteral("--large");
    if (!ProcessRunner::run(QStringLiteral("python3"), args).ok()) {
        std::fprintf(stderr, "cannot make the test PDFs with %s\n", qPrintable(script));
        return 1;
    }

    if (large) {
        const ImportResult r = runImport(data + QStringLiteral("/large2000.pdf"), 1);
        std::printf("large image import: %d pages in %.1f s (%.1f ms/page), peak memory %.0f MB (limit 1024)\n",
                    r.pages, r.seconds, 1000 * r.seconds / std::max(1, r.pages), peakMB(RUSAGE_SELF));
        return r.pages == 2000 && peakMB(RUSAGE_SELF) < 1024 ? 0 : 2;
    }

    const QString pdf = data + QStringLiteral("/real100.pdf");
    // The machine is shared: CPU time shows the work done, wall time what the
    // user waits; both against the baseline of the same run.
    double baselineCpu = 0;
    const double baseline = runPdftoppm(pdf, scratch.path() + QStringLiteral("/ppm"), &baselineCpu);
    const ImportResult image = runImport(pdf, 1);
    std::printf("pdftoppm -r 144 -jpeg quality=85, 100 pages: %.2f s wall, %.2f s CPU\n", baseline, baselineCpu);
    std::printf("image import (page, thumbnail, mobile images, links, outline), %d pages: %.2f s wall, %.2f s CPU\n",
                image.pages, image.seconds, image.cpu);
    std::printf("image-mode ratio: %.2f wall (aim <= 1.0), %.2f CPU\n", image.seconds / baseline,
                image.cpu / baselineCpu);
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    if (loadavg.open(QIODevice::ReadOnly))
        std::printf("load average: %s\n", loadavg.readLine().trimmed().constData());

    if (QFileInfo(Paths::resource(QStringLiteral("lib/pdf2swf"))).isExecutable()) {
        const ImportResult vector = runImport(pdf, 0);
        std::printf("vector import, %d pages: %.2f s wall, %.2f s CPU\n", vector.pages, vector.seconds, vector.cpu);
        std::printf("vector-mode ratio: %.2f wall (aim <= 2.0), %.2f CPU\n", vector.seconds / baseline,
                    vector.cpu / baselineCpu);
    } else {
        std::printf("vector mode skipped: %s is not built\n",
                    qPrintable(Paths::resource(QStringLiteral("lib/pdf2swf"))));
    }
    std::printf("peak memory: this process %.0f MB, converter programs %.0f MB\n", peakMB(RUSAGE_SELF),
                peakMB(RUSAGE_CHILDREN));
    return 0;
}
