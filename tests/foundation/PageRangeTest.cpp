#include "book/FlashPageSource.h"
#include "book/FlashPageSourceImg.h"

#include <gtest/gtest.h>

TEST(PageRange, ReadsListsAndRangesAsTheImportDialogTakesThem)
{
    const struct
    {
        const char *text;
        int total;
        QList<int> pages;
    } cases[] = {
        {"ALL", 3, {1, 2, 3}},
        {"all", 3, {1, 2, 3}},
        {"All", 3, {1, 2, 3}},
        {"ALL", 0, {}},
        {"all", -4, {}},
        // Sorted, without duplicates.
        {"3,1,2,2", 10, {1, 2, 3}},
        {"2-4,3", 10, {2, 3, 4}},
        {"1, 2", 10, {1, 2}},
        {"9,9,9", 10, {9}},
        // A range takes its first two numbers; a missing first one is 0.
        {"5-3", 10, {}},
        {"1-3-9", 10, {1, 2, 3}},
        {"-3", 10, {0, 1, 2, 3}},
        {"7-", 10, {}},
        {" 2 - 4 ", 10, {2, 3, 4}},
        // Text that is no number counts as 0.
        {"", 10, {0}},
        {"abc", 10, {0}},
        {"4x,+2", 10, {2, 4}},
        // Numbers past the end stay; the import reports them.
        {"9", 5, {9}},
        {"4-7", 5, {4, 5, 6, 7}},
        {"99999999999999999999", 10, {INT_MAX}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FlashPageSource::parsePageRange(QString::fromUtf8(c.text), c.total), c.pages) << c.text;

    // A typing slip must not allocate billions of entries or overflow.
    const QList<int> pages = FlashPageSource::parsePageRange(QStringLiteral("1-2000000000"), 12);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(pages.first(), 1);
    EXPECT_LE(pages.size(), 100000);
    EXPECT_LE(FlashPageSource::parsePageRange(QStringLiteral("-99999999999999999999"), 10).size(), 100001);
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
