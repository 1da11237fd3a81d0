// Publishes a 500-page image book into a fresh folder and compares the time
// with copying the same page and thumbnail files with `cp -r` in the same run.
//
//   bench_publish [pages]      prints the medians and the ratio (aim: <= 1.3)

#include "platform/AppSettings.h"
#include "book/FlashPageSource.h"
#include "platform/Paths.h"
#include "publish/FlashBookOutput.h"
#include "templates/FlashTemplate.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

class BenchBook : public FlashPageSource
{
public:
    FlashPagePtr getNormalPageAtIndex(int pageIndex) const override
    {
        return findByIndex(normalPages(), pageIndex, false);
    }
    FlashPagePtr getThumbPageAtIndex(int pageIndex) const override
    {
        return findByIndex(thumbPages(), pageIndex, false);
    }
};

void writeNoise(const QString &path, qsizetype size, std::mt19937 &random)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A template with player files of realistic size, so publishing copies what a
// real one would.
void installTemplate(const QString &resources, std::mt19937 &random)
{
    const QString app = resources + QStringLiteral("/AppFiles/");
    const QString tmpl = app + QStringLiteral("Templates/float/");
    writeFile(tmpl + QStringLiteral("flashTemplate.xml"),
              "<template><info><htmlPath>index.html</htmlPath><swfPath>book.swf</swfPath>"
              "<defaultStyle>Blank</defaultStyle><macAppFilesFolder>mac</macAppFilesFolder>"
              "<mobileTmplFilesPath>mobile</mobileTmplFilesPath></info><properties/></template>");
    writeFile(tmpl + QStringLiteral("index.html"), "<html><title>${index.title}</title></html>");
    writeFile(tmpl + QStringLiteral("swfobject.js"), "// embed");
    writeFile(tmpl + QStringLiteral("playerProductInstall.swf"), "install");
    QDir().mkpath(app + QStringLiteral("TmplData"));
    writeNoise(tmpl + QStringLiteral("Main.swf"), 60 * 1024, random);
    writeNoise(app + QStringLiteral("TmplData/book.swf"), 200 * 1024, random);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int pageCount = argc > 1 ? std::max(1, atoi(argv[1])) : 500;
    QTemporaryDir root;
    const QString base = root.path();
    Paths::setUserData(base + QStringLiteral("/userdata"));
    Paths::setTemp(base + QStringLiteral("/tmp"));
    Paths::setConfig(base + QStringLiteral("/config"));
    std::mt19937 random(42);
    installTemplate(base + QStringLiteral("/res"), random);
    Paths::setResources(base + QStringLiteral("/res"));
    AppSettings::shareInstance()->setPageWidth(1080);
    AppSettings::shareInstance()->setPageHeight(1440);

    // Page images of 120-200 KB and thumbnails of 8-12 KB, as an image import makes.
    const QString source = base + QStringLiteral("/source");
    QDir().mkpath(source + QStringLiteral("/page"));
    QDir().mkpath(source + QStringLiteral("/thumb"));
    auto book = std::make_shared<BenchBook>();
    FlashPageList pages, thumbs;
    for (int n = 1; n <= pageCount; ++n) {
        const QString page = QStringLiteral("%1/page/%2.jpg").arg(source).arg(n);
        const QString thumb = QStringLiteral("%1/thumb/%2.jpg").arg(source).arg(n);
        writeNoise(page, 120 * 1024 + qsizetype(random() % (80 * 1024)), random);
        writeNoise(thumb, 8 * 1024 + qsizetype(random() % (4 * 1024)), random);
        pages << std::make_shared<FlashPage>(page, n);
        thumbs << std::make_shared<FlashPage>(thumb, n);
    }
    book->setPages(pages);
    book->setNormalPages(pages);
    book->setThumbPages(thumbs);
    auto tmpl = std::make_shared<FlashTemplate>(QStringLiteral("float"));

    std::vector<double> copyTimes, publishTimes;
    for (int run = 0; run < 5; ++run) {
        const QString copyTarget = QStringLiteral("%1/copy%2").arg(base).arg(run);
        const QString publishTarget = QStringLiteral("%1/book%2").arg(base).arg(run);
        QDir().mkpath(publishTarget);

        QElapsedTimer timer;
        timer.start();
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), source, copyTarget});
        copyTimes.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        FlashBookOutput output(book, tmpl, publishTarget, QStringLiteral("index.html"));
        output.ouputTheBook();
        publishTimes.push_back(timer.nsecsElapsed() / 1e6);

        QDir(copyTarget).removeRecursively();
        QDir(publishTarget).removeRecursively();
    }
    const double copy = median(copyTimes);
    const double publish = median(publishTimes);
    std::printf("pages: %d\n", pageCount);
    std::printf("cp -r of pages and thumbnails: %.1f ms (median of %zu)\n", copy, copyTimes.size());
    std::printf("publish into a fresh folder:   %.1f ms (median of %zu)\n", publish, publishTimes.size());
    std::printf("ratio publish / cp -r: %.2f (aim <= 1.3)\n", publish / copy);
    return 0;
}
