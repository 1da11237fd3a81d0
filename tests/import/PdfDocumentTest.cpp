#include "ImportTestSupport.h"
#include "TestRoots.h"

#include "platform/PdfDocument.h"
#include "platform/PdfRasterizer.h"
#include "platform/ProcessRunner.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

PdfDocumentPtr openLinks()
{
    QString error;
    PdfDocumentPtr doc = PdfDocument::open(pdfData(QStringLiteral("links.pdf")), {}, &error);
    EXPECT_TRUE(doc) << error.toStdString();
    return doc;
}

// Mean absolute difference of the colour channels (0..255) of two images of one size.
double meanDifference(const QImage &first, const QImage &second)
{
    const QImage a = first.convertToFormat(QImage::Format_RGB32);
    const QImage b = second.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

TEST(PdfDocument, PagesBoxesAndInheritedRotation)
{
    PdfDocumentPtr doc = openLinks();
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->pageCount(), 10);
    EXPECT_EQ(doc->cropBox(0), QRectF(0, 0, 600, 800));
    // The crop box keeps its origin.
    EXPECT_EQ(doc->cropBox(8), QRectF(100, 50, 600, 800));
    EXPECT_EQ(doc->rotation(0), 0);
    EXPECT_EQ(doc->rotation(1), 90);
    EXPECT_EQ(doc->rotation(5), 180);
    EXPECT_EQ(doc->rotation(6), 270); // from the intermediate page-tree node
    EXPECT_EQ(doc->rotation(7), 45);  // its own value wins over the node's
    EXPECT_EQ(doc->rotation(9), 90);  // stored as a real
    EXPECT_TRUE(doc->cropBox(10).isNull());
    EXPECT_TRUE(doc->annotations(-1).isEmpty());
}

TEST(PdfDocument, AnnotationsInStoredOrderWithDestinations)
{
    PdfDocumentPtr doc = openLinks();
    ASSERT_TRUE(doc);
    const QList<PdfDocument::Annotation> a = doc->annotations(3);
    ASSERT_EQ(a.size(), 8);
    EXPECT_EQ(a[0].destinationPage, 1); // explicit array
    EXPECT_EQ(a[1].destinationPage, 6); // name tree entry holding << /D [...] >>
    EXPECT_EQ(a[2].destinationPage, 8); // GoTo action naming a /Dests entry
    EXPECT_EQ(a[3].subtype, QStringLiteral("Text"));
    EXPECT_FALSE(a[4].hasDestination);
    EXPECT_TRUE(a[4].url.isEmpty());
    // Raw items as stored; bounds() puts the corners in order.
    EXPECT_EQ(a[5].rect[0], 180);
    EXPECT_EQ(a[5].bounds(), QRectF(60, 700, 120, 40));
    EXPECT_EQ(a[5].url, QStringLiteral("http://example.com/reversed"));
    EXPECT_TRUE(a[7].hasDestination);
    EXPECT_EQ(a[7].destinationPage, -1); // unknown name
}

TEST(PdfDocument, BrokenAndProtectedFilesDoNotOpen)
{
    for (const char *name : {"empty.pdf", "garbage.pdf", "truncated.pdf", "encrypted_user.pdf", "missing.pdf"}) {
        QString error;
        EXPECT_FALSE(PdfDocument::open(pdfData(QString::fromLatin1(name)), {}, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_FALSE(PdfRasterizer::openPoppler(pdfData(QString::fromLatin1(name)))) << name;
    }
    // An empty user password opens like an unprotected file; the right one opens too.
    PdfDocumentPtr open = PdfDocument::open(pdfData(QStringLiteral("encrypted_open.pdf")));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->pageCount(), 4);
    EXPECT_TRUE(PdfDocument::open(pdfData(QStringLiteral("encrypted_user.pdf")), QStringLiteral("secret")));
    PdfDocumentPtr none = PdfDocument::open(pdfData(QStringLiteral("zero_pages.pdf")));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->pageCount(), 0);
    EXPECT_FALSE(none->hasOutline());
}

TEST(PdfDocument, UnlockWritesAnOpenCopyOnlyWithTheRightPassword)
{
    TestRoots roots;
    const QString copy = roots.root() + QStringLiteral("/unlocked.pdf");
    const QString locked = pdfData(QStringLiteral("encrypted_user.pdf"));
    using Lock = PdfDocument::Lock;
    struct Case
    {
        QString source, password;
        Lock expected;
    } cases[] = {
        {pdfData(QStringLiteral("links.pdf")), QString(), Lock::None},
        {pdfData(QStringLiteral("encrypted_open.pdf")), QStringLiteral("secret"), Lock::None},
        {locked, QString(), Lock::PasswordNeeded},
        {locked, QStringLiteral("Secret"), Lock::WrongPassword},
        // Not a PDF at all: nothing to unlock, the import reports it as unreadable.
        {pdfData(QStringLiteral("garbage.pdf")), QStringLiteral("secret"), Lock::None},
    };
    for (const Case &c : cases) {
        QString error;
        EXPECT_EQ(PdfDocument::unlock(c.source, c.password, copy, &error), c.expected) << c.source.toStdString();
        EXPECT_FALSE(QFile::exists(copy)) << c.source.toStdString();
        EXPECT_FALSE(!c.password.isEmpty() && error.contains(c.password)) << error.toStdString();
        if (c.expected == Lock::WrongPassword) {
            EXPECT_EQ(error, QStringLiteral("wrong password"));
        }
    }
    QString error;
    ASSERT_EQ(PdfDocument::unlock(locked, QStringLiteral("secret"), copy, &error), Lock::Unlocked)
        << error.toStdString();
    // The copy opens without a password, in qpdf and in Poppler.
    PdfDocumentPtr opened = PdfDocument::open(copy);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->pageCount(), PdfDocument::open(locked, QStringLiteral("secret"))->pageCount());
    EXPECT_TRUE(PdfRasterizer::openPoppler(copy));
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".part")));
}

TEST(PdfRasterizer, SizesFollowTheBoxFitAndLimits)
{
    // Plain page and thumbnail sizes are checked on rendered pages by the converter's test.
    EXPECT_EQ(PdfRasterizer::thumbnailSize({1224, 1584}), QSize(139, 180));   // truncated, not rounded
    EXPECT_EQ(PdfRasterizer::thumbnailSize({200.4, 360.6}), QSize(100, 180)); // from the unrounded size
    EXPECT_EQ(PdfRasterizer::thumbnailSize({20000, 2}), QSize(180, 1));
    // A huge page is scaled down instead of asking for gigabytes.
    const QSize huge = PdfRasterizer::pageImageSize({14400, 14400});
    EXPECT_LE(qint64(huge.width()) * huge.height(), PdfRasterizer::kMaxPixels);
    EXPECT_FALSE(PdfRasterizer::pageImageSize({0, 800}).isValid());
}

// Page images drawn straight onto white paper where the page's blending allows
// it, and onto clear paper laid on white where it does not (a Screen or
// Difference square over bare paper keeps its colour): either way, what pdftoppm
// draws. Page 3 blends by Screen only inside a form.
TEST(PdfRasterizer, PageImagesMatchPdftoppmWhateverTheBlendMode)
{
    const QString pdf = pdfData(QStringLiteral("blend.pdf"));
    const PdfRasterizerPtr rasterizer = PdfRasterizer::openPoppler(pdf, 1);
    ASSERT_TRUE(rasterizer);
    QTemporaryDir dir;
    ASSERT_TRUE(ProcessRunner::run(QStringLiteral("pdftoppm"),
                                   {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-png"), pdf,
                                    dir.filePath(QStringLiteral("ref"))})
                    .ok());
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page + 1);
        const PdfRasterizer::Output out = rasterizer->render(page, 100, true, false);
        ASSERT_TRUE(out.ok()) << out.error.toStdString();
        const QImage ours = QImage::fromData(out.pageJpeg).convertToFormat(QImage::Format_RGB32);
        const QImage ref =
            QImage(dir.filePath(QStringLiteral("ref-%1.png").arg(page + 1))).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(ours.size(), ref.size());
        EXPECT_LT(meanDifference(ours, ref), 1.5);
        // The middles of the squares, away from the words and JPEG's edges.
        for (const QPoint at : {QPoint(50, 170), QPoint(350, 170)}) {
            const QRgb a = ours.pixel(at), b = ref.pixel(at);
            EXPECT_NEAR(qRed(a), qRed(b), 6);
            EXPECT_NEAR(qGreen(a), qGreen(b), 6);
            EXPECT_NEAR(qBlue(a), qBlue(b), 6);
        }
    }
}

// A thumbnail drawn on its own (a vector page's) shows what one scaled from the
// page's screen copy (an image page's) shows, in the same place.
TEST(PdfRasterizer, AThumbnailDrawnOnItsOwnMatchesOneScaledFromThePage)
{
    const PdfRasterizerPtr rasterizer = PdfRasterizer::openPoppler(pdfData(QStringLiteral("links.pdf")), 1);
    ASSERT_TRUE(rasterizer);
    for (const int page : {0, 8}) {
        const PdfRasterizer::Output own = rasterizer->render(page, 95, false, true, false);
        const PdfRasterizer::Output scaled = rasterizer->render(page, 95, false, true, true);
        ASSERT_TRUE(own.ok() && scaled.ok());
        const QImage a = QImage::fromData(own.thumbJpeg), b = QImage::fromData(scaled.thumbJpeg);
        ASSERT_EQ(a.size(), own.thumbSize);
        ASSERT_EQ(b.size(), a.size());
        EXPECT_LT(meanDifference(a, b), 3.0) << page;
    }
}

// The devices are kept from page to page: a page that cannot be loaded must
// fail rather than come out with the words or picture of the page before it.
TEST(PdfRasterizer, APageThatCannotBeLoadedFailsAlone)
{
    const PdfRasterizerPtr rasterizer = PdfRasterizer::openPoppler(pdfData(QStringLiteral("hole.pdf")), 1);
    ASSERT_TRUE(rasterizer);
    ASSERT_EQ(rasterizer->pageCount(), 3);
    EXPECT_TRUE(rasterizer->words(0).lines.contains(" first\n"));
    EXPECT_TRUE(rasterizer->words(1).lines.contains(" second\n"));
    EXPECT_FALSE(rasterizer->words(2).ok());
    EXPECT_FALSE(rasterizer->render(2, 85, true, true).ok());
    EXPECT_TRUE(rasterizer->render(1, 85, true, true).ok());
}
