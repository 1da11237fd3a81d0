// The whole `foliant-cli publish` of 100 text pages, vector pages and page
// images, against `pdftoppm -r 144 -jpeg -jpegopt quality=85` of the same
// pages as one process, in the same run. Each round runs the baseline and
// both publications; the ratios are those of the medians.
//
//   bench_cli_publish [PDF] [ROUNDS]      (PDF "" for the default)
//
// The PDF defaults to the first 100 pages of the valgrind manual when it is
// installed, else to the generated 100-page text document.
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double childCpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("unknown");
}

struct Timing
{
    std::vector<double> wall, cpu;
    void add(double w, double c)
    {
        wall.push_back(w);
        cpu.push_back(c);
    }
    static double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
};

// Runs a program to its end; false (with its message) when it failed.
bool timed(const QString &program, const QStringList &args, Timing &timing)
{
    const double cpu = childCpu();
    QElapsedTimer timer;
    timer.start();
    const ProcessResult r = ProcessRunner::run(program, args);
    timing.add(timer.nsecsElapsed() / 1e9, childCpu() - cpu);
    if (!r.ok())
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), r.standardError.right(2000).constData());
    return r.ok();
}

// 100 pages of the valgrind manual, or the generated text document.
QString pickPdf(const QString &dir)
{
    const QString manual = QStringLiteral("/usr/share/doc/valgrind/valgrind_manual.pdf.gz");
    const QString whole = dir + QStringLiteral("/manual.pdf");
    const QString cut = dir + QStringLiteral("/manual100.pdf");
    if (QFileInfo::exists(manual) &&
        ProcessRunner::run(QStringLiteral("sh"),
                           {QStringLiteral("-c"), QStringLiteral("zcat \"$0\" > \"$1\""), manual, whole})
            .ok() &&
        ProcessRunner::run(QStringLiteral("qpdf"), {whole, QStringLiteral("--pages"), whole, QStringLiteral("1-100"),
                                                    QStringLiteral("--"), cut})
            .ok())
        return cut;
    const QString script =
        QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../tests/data/make_pdfs.py"));
    if (!ProcessRunner::run(QStringLiteral("python3"), {script, dir}).ok())
        return {};
    return dir + QStringLiteral("/real100.pdf");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString pdf =
        argc > 1 && *argv[1] ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath() : pickPdf(scratch.path());
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/foliant-cli");
    if (pdf.isEmpty() || !QFileInfo(cli).isExecutable()) {
        std::fprintf(stderr, "need a PDF and a built %s\n", qPrintable(cli));
        return 1;
    }
    std::printf("PDF: %s\nload average before: %s\n", qPrintable(pdf), loadAverage().constData());

    Timing baseline, vector, images;
    for (int round = 0; round < rounds; ++round) {
        const QString ppm = scratch.filePath(QStringLiteral("ppm%1").arg(round));
        QDir().mkpath(ppm);
        const QString out = scratch.filePath(QStringLiteral("out%1").arg(round));
        if (!timed(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-jpeg"), QStringLiteral("-jpegopt"),
                    QStringLiteral("quality=85"), pdf, ppm + QStringLiteral("/p")},
                   baseline) ||
            !timed(cli,
                   {QStringLiteral("publish"), pdf, QStringLiteral("--out"), out + QStringLiteral("v"),
                    QStringLiteral("--quality"), QStringLiteral("1")},
                   vector) ||
            !timed(cli,
                   {QStringLiteral("publish"), pdf, QStringLiteral("--out"), out + QStringLiteral("i"),
                    QStringLiteral("--quality"), QStringLiteral("1"), QStringLiteral("--images")},
                   images))
            return 1;
        QDir(ppm).removeRecursively();
        QDir(out + QStringLiteral("v")).removeRecursively();
        QDir(out + QStringLiteral("i")).removeRecursively();
    }
    const double base = Timing::median(baseline.wall);
    const double baseCpu = Timing::median(baseline.cpu);
    std::printf("pdftoppm -r 144 -jpeg quality=85: %.2f s wall, %.2f s CPU (median of %d)\n", base, baseCpu, rounds);
    const auto report = [&](const char *what, const Timing &t, double aim) {
        const double wall = Timing::median(t.wall);
        const double cpu = Timing::median(t.cpu);
        std::printf("publish %-8s %.2f s wall, %.2f s CPU: ratio %.2f wall (aim <= %.2f), %.2f CPU\n", what, wall, cpu,
                    wall / base, aim, cpu / baseCpu);
    };
    report("vector", vector, 2.0);
    report("--images", images, 0.85);
    std::printf("load average after: %s\n", loadAverage().constData());
    return 0;
}
