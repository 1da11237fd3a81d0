#include "ImportTestSupport.h"
#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "book/FlashPageSourcePDF.h"
#include "book/FlashPagesAnnotationsPDF.h"
#include "book/ImportPDFOperation.h"
#include "platform/NotificationCenter.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Import : public RootedTest
{
protected:
    void SetUp() override { AppSettings::shareInstance()->setImportType(1); }

    ImportPDFOperationPtr make(const char *file, const char *range = "ALL", bool links = true, bool outline = true)
    {
        auto op = std::make_shared<ImportPDFOperation>(pdfData(QString::fromLatin1(file)), QString::fromLatin1(range),
                                                       144, 85);
        op->setImportLinks(links);
        op->setImportBookmarks(outline);
        return op;
    }

    void run(const ImportPDFOperationPtr &op)
    {
        OperationQueue queue;
        queue.addOperation(op);
        ASSERT_TRUE(op->waitUntilFinished(300000));
        EXPECT_TRUE(op->isFinished());
    }
};

} // namespace

TEST_F(Import, CompleteImportWithLinksAndOutline)
{
    auto op = make("links.pdf", "1-3");
    LogCapture log("ImportPDFOperation");
    run(op);
    ASSERT_TRUE(op->flashPageSource());
    EXPECT_EQ(op->flashPageSource()->pages().size(), 3);
    EXPECT_EQ(op->flashPageSource()->normalPages().size(), 3);
    ASSERT_TRUE(op->flashPagesAnnotation());
    EXPECT_EQ(op->flashPagesAnnotation()->pagesAnnotationsNode().children().size(), 3);
    ASSERT_TRUE(op->flashOutline());
    EXPECT_EQ(op->flashOutline()->items().size(), 2);
    EXPECT_EQ(log.messages(),
              (QStringList{QStringLiteral("before generate pages"), QStringLiteral("after generate pages"),
                           QStringLiteral("before generate Thumbnail"), QStringLiteral("after generate Thumbnail"),
                           QStringLiteral("before generateNormalPages"), QStringLiteral("after generateNormalPages")}));

    // Neither extra asked for: only pages.
    auto plain = make("links.pdf", "1", false, false);
    run(plain);
    EXPECT_TRUE(plain->flashPageSource());
    EXPECT_FALSE(plain->flashPagesAnnotation());
    EXPECT_FALSE(plain->flashOutline());
}

TEST_F(Import, CancelledBeforeStartMakesNothing)
{
    auto op = make("links.pdf");
    op->cancel();
    run(op);
    EXPECT_FALSE(op->flashPageSource());
    EXPECT_FALSE(op->flashPagesAnnotation());
    EXPECT_FALSE(op->flashOutline());
    EXPECT_FALSE(QFileInfo::exists(Paths::join(roots.temp(), QStringLiteral("Quirefold"))));
}

TEST_F(Import, CancelMidwayLeavesNoResultsAndNoFiles)
{
    auto op = make("real100.pdf");
    LogCapture log("ImportPDFOperation");
    ScopedObserver canceller(QStringLiteral("ImportProgressInfoMSG"), [&](const Notification &n) {
        if (n.userInfo.value(QStringLiteral("pageIndex")).toInt() == 2)
            op->cancel();
    });
    run(op);
    EXPECT_TRUE(op->isCancelled());
    EXPECT_FALSE(op->flashPageSource());
    EXPECT_FALSE(op->flashPagesAnnotation());
    EXPECT_FALSE(op->flashOutline());
    EXPECT_TRUE(log.contains(QStringLiteral("import pdf is cancelled")));
    EXPECT_TRUE(QDir(Paths::join(roots.temp(), QStringLiteral("Quirefold")))
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                    .isEmpty());
}

TEST_F(Import, PageStepFailureStillYieldsEmptyAnnotationsAndOutline)
{
    AppSettings::shareInstance()->setImportType(0);
    Paths::setResources(roots.root() + QStringLiteral("/no-converter")); // pdf2swf cannot start
    auto op = make("links.pdf", "1-2");
    LogCapture log("ImportPDFOperation");
    run(op);
    EXPECT_FALSE(op->flashPageSource());
    ASSERT_TRUE(op->flashPagesAnnotation());
    // Read from no document: the range's pages, without links.
    const QList<XmlNode> pages = op->flashPagesAnnotation()->pagesAnnotationsNode().children();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].children().isEmpty());
    ASSERT_TRUE(op->flashOutline());
    EXPECT_TRUE(op->flashOutline()->items().isEmpty());
    EXPECT_TRUE(log.contains(QStringLiteral("Run Import PDF Operation error,import pages:")));
}

TEST_F(Import, LinkFailureKeepsThePagesAndTheOutline)
{
    auto op = make("bad_names.pdf");
    LogCapture log("ImportPDFOperation");
    run(op);
    ASSERT_TRUE(op->flashPageSource());
    EXPECT_EQ(op->flashPageSource()->pages().size(), 1);
    EXPECT_FALSE(op->flashPagesAnnotation());
    EXPECT_TRUE(op->flashOutline());
    EXPECT_TRUE(log.contains(QStringLiteral("Run Import PDF Operation error,import links:")));
}

TEST_F(Import, BrokenFilesEndWithoutABookAndSayWhy)
{
    for (const char *name : {"truncated.pdf", "garbage.pdf", "empty.pdf", "encrypted_user.pdf", "zero_pages.pdf"}) {
        LogCapture log("FlashPageSourcePDF");
        auto op = make(name);
        run(op);
        // A locked PDF fails the page step itself; the others leave an empty page source.
        if (QString::fromLatin1(name) == QStringLiteral("encrypted_user.pdf")) {
            EXPECT_FALSE(op->flashPageSource());
        } else {
            ASSERT_TRUE(op->flashPageSource()) << name;
            EXPECT_TRUE(op->flashPageSource()->pages().isEmpty()) << name;
        }
        ASSERT_TRUE(op->flashPagesAnnotation()) << name;
        EXPECT_TRUE(op->flashPagesAnnotation()->pagesAnnotationsNode().children().isEmpty());
        if (QString::fromLatin1(name) != QStringLiteral("zero_pages.pdf")) {
            EXPECT_TRUE(log.contains(QStringLiteral("cannot open PDF"))) << name;
        }
    }
}

TEST_F(Import, LargeDocumentReadsAllLinksAndImportsARange)
{
    auto op = make("large2000.pdf", "1-3,1999-2005");
    run(op);
    ASSERT_TRUE(op->flashPageSource());
    EXPECT_EQ(op->flashPageSource()->pages().size(), 5);
    auto links = std::make_shared<FlashPagesAnnotationsPDF>();
    links->loadLinksFromPDF(PdfDocument::open(pdfData(QStringLiteral("large2000.pdf"))), QStringLiteral("ALL"));
    const QList<XmlNode> pages = links->pagesAnnotationsNode().children();
    ASSERT_EQ(pages.size(), 2000);
    EXPECT_EQ(pages[1999].children().size(), 6);
}

TEST_F(Import, FinishedStateReachesTheMainThread)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    auto op = make("sizes.pdf", "1", false, false);
    bool seen = false;
    QEventLoop loop;
    QObject context;
    op->whenFinished(&context, [&] {
        seen = QThread::currentThread() == app.thread() && op->isFinished();
        loop.quit();
    });
    OperationQueue queue;
    queue.addOperation(op);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(seen);
    EXPECT_EQ(queue.operationCount(), 0);
}
