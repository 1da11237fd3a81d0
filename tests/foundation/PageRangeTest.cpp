#include "book/FlashPageSource.h"
#include "book/FlashPageSourceImg.h"

#include <gtest/gtest.h>

namespace {

QList<int> range(const char *text, int total = 10)
{
    return FlashPageSource::parsePageRange(QString::fromUtf8(text), total);
}

} // namespace

TEST(PageRange, AllInAnyCaseIsEveryPage)
{
    EXPECT_EQ(range("ALL", 3), (QList<int>{1, 2, 3}));
    EXPECT_EQ(range("all", 3), (QList<int>{1, 2, 3}));
    EXPECT_EQ(range("All", 3), (QList<int>{1, 2, 3}));
    EXPECT_TRUE(range("ALL", 0).isEmpty());
    EXPECT_TRUE(range("all", -4).isEmpty());
}

TEST(PageRange, ListsAreSortedAndWithoutDuplicates)
{
    EXPECT_EQ(range("3,1,2,2"), (QList<int>{1, 2, 3}));
    EXPECT_EQ(range("2-4,3"), (QList<int>{2, 3, 4}));
    EXPECT_EQ(range("1, 2"), (QList<int>{1, 2}));
    EXPECT_EQ(range("9,9,9"), (QList<int>{9}));
}

TEST(PageRange, RangesTakeTheFirstTwoNumbers)
{
    EXPECT_TRUE(range("5-3").isEmpty());
    EXPECT_EQ(range("1-3-9"), (QList<int>{1, 2, 3}));
    EXPECT_EQ(range("-3"), (QList<int>{0, 1, 2, 3}));
    EXPECT_TRUE(range("7-").isEmpty());
    EXPECT_EQ(range(" 2 - 4 "), (QList<int>{2, 3, 4}));
}

TEST(PageRange, TextThatIsNoNumberCountsAsZero)
{
    EXPECT_EQ(range(""), (QList<int>{0}));
    EXPECT_EQ(range("abc"), (QList<int>{0}));
    EXPECT_EQ(range("4x,+2"), (QList<int>{2, 4}));
}

TEST(PageRange, NumbersPastTheEndStay)
{
    EXPECT_EQ(range("9", 5), (QList<int>{9}));
    EXPECT_EQ(range("4-7", 5), (QList<int>{4, 5, 6, 7}));
}

TEST(PageRange, HugeInputStaysBounded)
{
    // A typing slip must not allocate billions of entries or overflow.
    const QList<int> pages = range("1-2000000000", 12);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(pages.first(), 1);
    EXPECT_LE(pages.size(), 100000);
    EXPECT_EQ(range("99999999999999999999"), (QList<int>{INT_MAX}));
    EXPECT_LE(range("-99999999999999999999").size(), 100001);
}

TEST(ImagePageSource, NumbersPagesInOrderAndCopiesThemOnce)
{
    FlashPageSourceImg source;
    source.addImgPageFromFile(QStringLiteral("/a.jpg"));
    source.addImgPageFromFile(QStringLiteral("/b.jpg"));
    source.addImgPageFromFile(QStringLiteral("/c.jpg"));
    source.generateNormalPages();
    source.generateNormalPages();

    ASSERT_EQ(source.normalPages().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const FlashPagePtr page = source.pages().at(i);
        const FlashPagePtr normal = source.normalPages().at(i);
        EXPECT_EQ(page->pageIndex(), i + 1);
        EXPECT_EQ(normal->pageIndex(), i + 1);
        EXPECT_EQ(normal->pageFilePath(), page->pageFilePath());
        EXPECT_NE(normal.get(), page.get());
        EXPECT_NE(dynamic_cast<FlashPageImage *>(normal.get()), nullptr);
    }
    EXPECT_EQ(source.getPageAtIndex(3), nullptr);
    EXPECT_EQ(source.getThumbPageAtIndex(1), nullptr);
    EXPECT_EQ(source.getNormalPageAtIndex(2)->pageFilePath(), QStringLiteral("/b.jpg"));
}

TEST(ImagePageSource, OutOfOrderNumbersNeverWriteOutOfBounds)
{
    FlashPageSourceImg source;
    source.setPages({std::make_shared<FlashPageImage>(QStringLiteral("/x.jpg"), 7), nullptr,
                     std::make_shared<FlashPageImage>(QStringLiteral("/y.jpg"), 2)});
    source.generateNormalPages();
    ASSERT_EQ(source.normalPages().size(), 2);
    EXPECT_EQ(source.getNormalPageAtIndex(7)->pageFilePath(), QStringLiteral("/x.jpg"));
}
