#include "ImportTestSupport.h"
#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "book/FlashPageSourcePDF.h"
#include "book/PDFToSWFPageConverter.h"
#include "platform/NotificationCenter.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <mutex>

namespace {

struct Progress
{
    int pageIndex;
    int totalPage;
    QString type;
};

class PageSource : public RootedTest
{
protected:
    void SetUp() override { AppSettings::shareInstance()->setImportType(1); }

    void generateAll(FlashPageSourcePDF &source)
    {
        source.generatePages();
        source.generateThumbPages();
        source.generateMobilePages();
        source.generateNormalPages();
    }

    std::mutex mutex;
    QList<Progress> progress;
    ScopedObserver observer{QStringLiteral("ImportProgressInfoMSG"), [this](const Notification &n) {
                                std::lock_guard lock(mutex);
                                EXPECT_EQ(n.object, nullptr);
                                progress.append({n.userInfo.value(QStringLiteral("pageIndex")).toInt(),
                                                 n.userInfo.value(QStringLiteral("totalPage")).toInt(),
                                                 n.userInfo.value(QStringLiteral("type")).toString()});
                            }};
};

QList<int> indexes(const FlashPageList &list)
{
    QList<int> out;
    for (const auto &p : list)
        out.append(p->pageIndex());
    return out;
}

} // namespace

TEST_F(PageSource, RangeFillsEveryListAndReportsEachStep)
{
    FlashPageSourcePDF source(pdfData(QStringLiteral("links.pdf")), QStringLiteral("4,2"), 144, 85);
    EXPECT_EQ(source.sourceFile(), pdfData(QStringLiteral("links.pdf")));
    generateAll(source);
    for (const FlashPageList *list :
         {&source.pages(), &source.thumbPages(), &source.mobilePages(), &source.normalPages()})
        EXPECT_EQ(indexes(*list), (QList<int>{2, 4}));
    EXPECT_TRUE(source.zoomedPages().isEmpty());
    EXPECT_EQ(source.normalPages()[1]->pageFilePath(), source.pages()[1]->pageFilePath());
    EXPECT_NE(source.normalPages()[1], source.pages()[1]);
    for (const auto *list : {&source.pages(), &source.thumbPages(), &source.mobilePages()})
        for (const auto &page : *list)
            EXPECT_TRUE(QFileInfo(page->pageFilePath()).size() > 0) << page->pageFilePath().toStdString();

    ASSERT_EQ(progress.size(), 8);
    const QStringList types{QStringLiteral("geneatePage"), QStringLiteral("geneateThumbPage"),
                            QStringLiteral("geneatePage"), QStringLiteral("geneateNormalPage")};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(progress[i].pageIndex, i % 2 + 1);
        EXPECT_EQ(progress[i].totalPage, 2);
        EXPECT_EQ(progress[i].type, types[i / 2]);
    }

    // A second normal pass adds nothing but reports again.
    source.generateNormalPages();
    EXPECT_EQ(source.normalPages().size(), 2);
    EXPECT_EQ(progress.size(), 10);
    EXPECT_TRUE(source.getThumbPageAtIndex(4));
    EXPECT_FALSE(source.getZoomedPageAtIndex(4));
}

TEST_F(PageSource, StopEndsTheLoopsAndLookupsAndFreesTheWorkFolder)
{
    QString folder;
    {
        FlashPageSourcePDF source(pdfData(QStringLiteral("real100.pdf")), QStringLiteral("ALL"), 144, 85);
        folder = source.toPageConverter()->converterWorkFolder();
        ScopedObserver stopper(QStringLiteral("ImportProgressInfoMSG"), [&](const Notification &n) {
            if (n.userInfo.value(QStringLiteral("pageIndex")).toInt() == 3)
                source.setStop(true);
        });
        source.generatePages();
        EXPECT_EQ(source.pages().size(), 3);
        ASSERT_TRUE(source.getPageAtIndex(0));
        EXPECT_FALSE(source.getPageAtIndex(3));
        source.generateThumbPages();
        source.generateMobilePages();
        source.generateNormalPages();
        EXPECT_TRUE(source.thumbPages().isEmpty());
        EXPECT_TRUE(source.normalPages().isEmpty());
        source.setNormalPages(source.pages());
        EXPECT_FALSE(source.getNormalPageAtIndex(1)); // the stop flag wins over a match
        EXPECT_TRUE(QFileInfo::exists(folder));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(PageSource, UnreadableOrEmptyDocumentsGiveAnEmptyBook)
{
    // Unreadable files give no pages (the import operation's test goes through the rest).
    FlashPageSourcePDF missing(pdfData(QStringLiteral("missing.pdf")), QStringLiteral("ALL"), 144, 85);
    generateAll(missing);
    EXPECT_TRUE(missing.pages().isEmpty());
    // An explicit range over no document still walks it; nothing is rendered.
    FlashPageSourcePDF source(pdfData(QStringLiteral("garbage.pdf")), QStringLiteral("1-2"), 144, 85);
    generateAll(source);
    ASSERT_EQ(indexes(source.pages()), (QList<int>{1, 2}));
    EXPECT_FALSE(QFile::exists(source.mobilePages()[0]->pageFilePath()));
    // A password-free encrypted file imports like any other.
    FlashPageSourcePDF open(pdfData(QStringLiteral("encrypted_open.pdf")), QStringLiteral("ALL"), 144, 85);
    generateAll(open);
    ASSERT_EQ(open.pages().size(), 4);
    EXPECT_EQ(jpegSize(open.pages()[0]->pageFilePath()), QSize(1200, 1600));
}

TEST_F(PageSource, PagesOutsideTheDocumentAreLeftOut)
{
    FlashPageSourcePDF source(pdfData(QStringLiteral("sizes.pdf")), QStringLiteral("0,3-9"), 144, 85);
    EXPECT_EQ(source.pagesToImport(), (QList<int>{3, 4}));
    source.generatePages();
    EXPECT_EQ(indexes(source.pages()), (QList<int>{3, 4}));
}
