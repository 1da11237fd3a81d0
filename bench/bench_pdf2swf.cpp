// Vector page conversion against raster conversion, both started once per page
// as the import starts them: pdf2swf (ten arguments) and pdftoppm at 144 dpi
// with JPEG quality 85. Prints the time per page of each, their ratio, and the
// peak memory of the converter processes.
//
//   bench_pdf2swf [PDF] [ROUNDS]   (default: the generated test pages, 5 rounds)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <poppler-qt6.h>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

double runMs(const QString &program, const QStringList &args)
{
    QElapsedTimer timer;
    timer.start();
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAllStandardError().constData());
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList pdfs;
    if (argc > 1) {
        pdfs << QString::fromLocal8Bit(argv[1]);
    } else {
        QProcess::execute(QStringLiteral("python3"),
                          {QStringLiteral(FOLIANT_BENCH_SOURCE_DIR "/tests/data/swf/make_pdfs.py"), dir.path()});
        pdfs << dir.filePath(QStringLiteral("text.pdf")) << dir.filePath(QStringLiteral("image.pdf"));
    }
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const QString pdf2swf = QStringLiteral(FOLIANT_BENCH_RESOURCES_DIR "/lib/pdf2swf");

    double vectorMs = 0, rasterMs = 0;
    int pages = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const QString &pdf : pdfs) {
            const std::unique_ptr<Poppler::Document> doc(Poppler::Document::load(pdf));
            const int count = doc ? doc->numPages() : 0;
            for (int page = 1; page <= count; ++page) {
                const QString n = QString::number(page);
                vectorMs += runMs(pdf2swf, {pdf, QStringLiteral("-o") + dir.filePath(n + QStringLiteral(".swf")),
                                            QStringLiteral("-p %1-%1").arg(page), QStringLiteral("-s jpegquality=85"),
                                            QStringLiteral("-t"), QStringLiteral("-G"), QStringLiteral("-qq"),
                                            QStringLiteral("-s flashversion=8"), QStringLiteral("-s disablelinks"),
                                            QStringLiteral("-s zoom=144")});
                rasterMs += runMs(QStringLiteral("pdftoppm"),
                                  {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-jpeg"),
                                   QStringLiteral("-jpegopt"), QStringLiteral("quality=85"), QStringLiteral("-f"), n,
                                   QStringLiteral("-l"), n, pdf, dir.filePath(n)});
                ++pages;
            }
        }
    }
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("pages converted: %d\n", pages);
    std::printf("pdf2swf per page:  %.1f ms\n", vectorMs / pages);
    std::printf("pdftoppm per page: %.1f ms\n", rasterMs / pages);
    std::printf("ratio pdf2swf/pdftoppm: %.2f\n", vectorMs / rasterMs);
    std::printf("peak memory of a converter process: %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
