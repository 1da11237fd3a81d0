#include "ImportTestSupport.h"
#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "book/PDFToSWFPageConverter.h"
#include "platform/Clock.h"
#include "platform/FoliantException.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class Converter : public RootedTest
{
protected:
    std::unique_ptr<PDFToSWFPageConverter> make(const char *name, int quality = 85)
    {
        const QString path = pdfData(QString::fromLatin1(name));
        return std::make_unique<PDFToSWFPageConverter>(path, PdfDocument::open(path), quality);
    }
    void imageMode() { AppSettings::shareInstance()->setImportType(1); }
};

void writeProgram(const QString &path, const QByteArray &script)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(script);
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

} // namespace

TEST_F(Converter, ImageModeSizesAndOneRenderingPerPage)
{
    imageMode();
    auto converter = make("sizes.pdf");
    const QString folder = converter->converterWorkFolder();
    EXPECT_TRUE(folder.startsWith(Paths::join(roots.temp(), QStringLiteral("Quirefold/temp."))));
    converter->willGeneratePages({1, 2, 3, 4});
    const QList<QSize> pageSizes{{1200, 1600}, {1600, 1200}, {1000, 1000}, {1600, 1200}}; // last is rotated
    const QList<QSize> thumbSizes{{135, 180}, {180, 135}, {180, 180}, {180, 135}};
    for (int page = 1; page <= 4; ++page) {
        const QString image = converter->generatePage(page);
        EXPECT_EQ(image, Paths::join(folder, QStringLiteral("%1.jpg").arg(page)));
        EXPECT_EQ(jpegSize(image), pageSizes[page - 1]) << page;
        EXPECT_FALSE(QFile::exists(Paths::join(folder, QStringLiteral("%1.swf").arg(page))));
    }
    Clock::setNow([] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
    for (int page = 1; page <= 4; ++page) {
        const QString thumb = converter->generateThumbPage(page);
        EXPECT_EQ(QFileInfo(thumb).fileName(), QStringLiteral("020126030405%1.jpg").arg(page));
        EXPECT_EQ(jpegSize(thumb), thumbSizes[page - 1]) << page;
        const QString mobile = converter->generateMobilePage(page);
        EXPECT_EQ(QFileInfo(mobile).fileName(), QStringLiteral("%1_mobile.jpg").arg(page));
        EXPECT_EQ(jpegSize(mobile), pageSizes[page - 1]);
    }
    Clock::setNow({});
    // Page image, thumbnail and mobile image came from one rendering each.
    EXPECT_EQ(converter->renderCount(), 4);
    // A second mobile call finds the file.
    EXPECT_EQ(converter->generateMobilePage(2), Paths::join(folder, QStringLiteral("2_mobile.jpg")));
    EXPECT_EQ(converter->renderCount(), 4);

    converter.reset();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(Converter, MobileAloneRendersOnceAndQualityIsTheCompressionFactor)
{
    auto low = make("sizes.pdf", 25);
    auto high = make("sizes.pdf", 100);
    EXPECT_DOUBLE_EQ(low->compressionFactor(), 0.25);
    EXPECT_DOUBLE_EQ(high->compressionFactor(), 1.0);
    const QString a = low->generateMobilePage(1);
    const QString b = low->generateMobilePage(1);
    EXPECT_EQ(a, b);
    EXPECT_EQ(low->renderCount(), 1);
    EXPECT_EQ(jpegSize(a), QSize(1200, 1600));
    EXPECT_LT(QFileInfo(a).size() * 2, QFileInfo(high->generateMobilePage(1)).size());
}

TEST_F(Converter, PagesThatCannotBeMadeStillGetTheirPath)
{
    imageMode();
    auto converter = make("sizes.pdf");
    const QString past = converter->generatePage(9);
    EXPECT_TRUE(past.endsWith(QStringLiteral("/9.jpg")));
    EXPECT_FALSE(QFile::exists(past));
    EXPECT_FALSE(QFile::exists(converter->generateThumbPage(9)));

    // Without a document nothing is rendered, and image mode names the vector path.
    PDFToSWFPageConverter none(pdfData(QStringLiteral("garbage.pdf")), nullptr, 85);
    EXPECT_TRUE(none.generatePage(1).endsWith(QStringLiteral("/1.swf")));
    EXPECT_FALSE(QFile::exists(none.generateMobilePage(1)));
    EXPECT_EQ(none.renderCount(), 0);
}

TEST_F(Converter, VectorModeQualityAndProgramFailures)
{
    auto converter = make("sizes.pdf", 65);
    const QString out = Paths::join(converter->converterWorkFolder(), QStringLiteral("3.swf"));
    EXPECT_TRUE(converter->pdf2swfArguments(3, out).contains(QStringLiteral("-s jpegquality=65")));

    // Programs that cannot be started fail the page.
    Paths::setResources(roots.root() + QStringLiteral("/no-resources"));
    EXPECT_THROW(converter->generatePage(2), FoliantException);

    // The size probe reads "W|H" with anything after it, and refuses output without "|".
    const QString probe = roots.root() + QStringLiteral("/fake/lib/getswfSize");
    Paths::setResources(roots.root() + QStringLiteral("/fake"));
    writeProgram(probe, "#!/bin/sh\nprintf ' 612|792\\n'\n");
    converter->getFileWandH(out);
    EXPECT_EQ(AppSettings::shareInstance()->PageWidth(), 612);
    EXPECT_EQ(AppSettings::shareInstance()->PageHeight(), 792);
    writeProgram(probe, "#!/bin/sh\necho 'no size'\n");
    EXPECT_THROW(converter->getFileWandH(out), FoliantException);
    writeProgram(probe, "#!/bin/sh\necho '0|0'\n");
    EXPECT_THROW(converter->getFileWandH(out), FoliantException);
    EXPECT_EQ(AppSettings::shareInstance()->PageWidth(), 612);
}

TEST_F(Converter, VectorModeRunsTheConverterProgramsAndProbesPageOneOnly)
{
    ASSERT_TRUE(haveVectorConverter()) << "pdf2swf and getswfSize are not built";
    auto converter = make("sizes.pdf");
    AppSettings::shareInstance()->setPageWidth(1);
    const QString second = converter->generatePage(2);
    EXPECT_TRUE(QFileInfo(second).size() > 0);
    EXPECT_EQ(converter->programRuns(), 1);
    EXPECT_EQ(AppSettings::shareInstance()->PageWidth(), 1); // no probe for page 2
    const QString first = converter->generatePage(1);
    EXPECT_TRUE(first.endsWith(QStringLiteral("/1.swf")));
    EXPECT_EQ(converter->programRuns(), 2); // the page from the server, then getswfSize
    EXPECT_GT(AppSettings::shareInstance()->PageWidth(), 1);
    EXPECT_GT(AppSettings::shareInstance()->PageHeight(), AppSettings::shareInstance()->PageWidth());
    // Thumbnail and mobile image still come from one rendering.
    converter->generateThumbPage(1);
    converter->generateMobilePage(1);
    EXPECT_EQ(converter->renderCount(), 2); // pages 1 and 2

    // Without mobile images a vector page still gets its thumbnail.
    auto thumbsOnly = make("sizes.pdf");
    thumbsOnly->setMakesMobileImages(false);
    thumbsOnly->generatePage(1);
    EXPECT_EQ(jpegSize(thumbsOnly->generateThumbPage(1)), QSize(135, 180));
    EXPECT_FALSE(QFile::exists(Paths::join(thumbsOnly->converterWorkFolder(), QStringLiteral("1_mobile.jpg"))));
}

// Pages come from the import's pdf2swf server as a run of the program makes
// them, and a page that crashes the converter costs only that page.
TEST_F(Converter, TheServerMakesRunsPagesAndOutlivesACrashingPage)
{
    ASSERT_TRUE(haveVectorConverter()) << "pdf2swf and getswfSize are not built";
    qputenv("FOLIANT_PDF2SWF_FAULT", "crash:2");
    auto served = make("sizes.pdf");
    served->willGeneratePages({1, 2, 3, 4});
    QStringList pages;
    for (int page = 1; page <= 4; ++page)
        pages << served->generatePage(page);
    EXPECT_EQ(served->programRuns(), 2); // the server and getswfSize: no page ran on its own
    qputenv("FOLIANT_PDF2SWF_SERVER", "0");
    auto runs = make("sizes.pdf");
    for (int page = 1; page <= 4; ++page) {
        EXPECT_EQ(QFileInfo::exists(pages[page - 1]), page != 2) << page;
        if (page != 2) {
            EXPECT_EQ(readAll(pages[page - 1]), readAll(runs->generatePage(page))) << page;
        }
    }
    EXPECT_EQ(runs->programRuns(), 4);
    qunsetenv("FOLIANT_PDF2SWF_FAULT");
    qunsetenv("FOLIANT_PDF2SWF_SERVER");
}
