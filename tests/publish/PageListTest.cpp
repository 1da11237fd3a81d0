#include "publish/FlashBookOutput.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"
#include "platform/AppSettings.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class PageList : public RootedTest
{
protected:
    void SetUp() override
    {
        out = roots.root() + QStringLiteral("/book");
        QDir().mkpath(out);
    }
    XmlDocument written(FlashBookOutput &output)
    {
        const auto path = output.BookPageConfig(QString(), true);
        EXPECT_TRUE(path.has_value());
        return XmlDocument::parseFile(path.value_or(QString()));
    }
    QStringList sizes(int w, int h)
    {
        AppSettings::shareInstance()->setPageWidth(w);
        AppSettings::shareInstance()->setPageHeight(h);
        FlashBookOutput output(nullptr, bareTemplate(), out, QString());
        const XmlDocument doc = written(output);
        const XmlNode root = doc.root();
        QStringList values;
        for (const char *name : {"largeWidth", "largeHeight", "width", "height", "thumbWidth", "thumbHeight"})
            values << root.attribute(QString::fromLatin1(name));
        return values;
    }
    QString out;
};

QStringList items(const XmlNode &page, const QString &attribute)
{
    QStringList values;
    for (const XmlNode &item : page.children(QStringLiteral("Item")))
        values << (attribute.isEmpty() ? item.text() : item.attribute(attribute));
    return values;
}

} // namespace

TEST_F(PageList, pageSizesScaleToTheirLimits)
{
    EXPECT_EQ(sizes(1400, 1000), names({"1400", "1000", "700", "500", "252", "180"}));
    EXPECT_EQ(sizes(600, 150), names({"600", "150", "600", "150", "600", "150"}));
    EXPECT_EQ(sizes(701, 1000).at(3), QStringLiteral("998"));
    // Products that would overflow 32 bits still give the true quotient.
    EXPECT_EQ(sizes(5000000, 4000000).mid(2), names({"700", "560", "225", "180"}));
}

TEST_F(PageList, pagesNameTheirPublishedFilesAndLinks)
{
    AppSettings::shareInstance()->setPageWidth(800);
    AppSettings::shareInstance()->setPageHeight(600);
    auto book = makeBook(roots.root() + QStringLiteral("/src"), {3, 4, 5}, QStringLiteral("swf"));
    auto links = std::make_shared<FlashPagesAnnotations>();
    XmlNode root = links->resetPagesAnnotationsNode();
    XmlNode first = FlashPagesAnnotations::addPageAnnos(root, 1);
    FlashPagesAnnotations::addWebAnno(first, QStringLiteral("http://example.com/?a=1&b=2"), 0.1, 0.075, 0.2, 0.05);
    FlashPagesAnnotations::addPageAnno(first, 2, 0.5, 0.5, 0.1, 0.1); // page 2 is not in the book
    FlashPagesAnnotations::addPageAnnos(root, 2);
    XmlNode third = FlashPagesAnnotations::addPageAnnos(root, 3);
    FlashPagesAnnotations::addWebAnno(third, QStringLiteral("mailto:x@y"), 0, 0, 1, 1);

    FlashBookOutput output(book, bareTemplate(), out, QString());
    output.setFlashPagesAnnotations(links);
    const XmlDocument doc = written(output);
    const QList<XmlNode> pages = doc.root().children(QStringLiteral("Page"));
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(doc.root().attribute(QStringLiteral("bace")), QString());
    EXPECT_EQ(pages[0].attribute(QStringLiteral("type")), QStringLiteral("Image"));
    EXPECT_EQ(items(pages[0], QString()), names({"thumb/3.jpg", "page/3.swf", "page/3.swf", ""}));
    EXPECT_EQ(items(pages[0], QStringLiteral("name")), names({"thumb", "normal", "large", "Link"}));
    const XmlNode link = pages[0].children(QStringLiteral("Item")).last();
    EXPECT_EQ(link.attributes(), pairs({{"name", "Link"},
                                        {"type", "rect"},
                                        {"action", "web"},
                                        {"x", "0.100000"},
                                        {"y", "0.075000"},
                                        {"width", "0.200000"},
                                        {"height", "0.050000"},
                                        {"href", "http://example.com/?a=1&b=2"}}));
    EXPECT_EQ(items(pages[1], QString()).size(), 3);
    EXPECT_EQ(items(pages[2], QStringLiteral("href")).last(), QStringLiteral("mailto:x@y"));

    // Without thumbnails every thumb item names the normal page; without links, no link items.
    book->setThumbPages({});
    output.setFlashPagesAnnotations(nullptr);
    const XmlDocument plain = written(output);
    EXPECT_EQ(items(plain.root().children(QStringLiteral("Page"))[1], QString()),
              names({"page/4.swf", "page/4.swf", "page/4.swf"}));
}

TEST_F(PageList, linksToDocumentPagesLeadToTheirPlaceInTheBook)
{
    auto book = makeBook(roots.root() + QStringLiteral("/src"), {3, 4, 5}, QStringLiteral("swf"));
    auto links = std::make_shared<FlashPagesAnnotations>();
    XmlNode root = links->resetPagesAnnotationsNode();
    XmlNode first = FlashPagesAnnotations::addPageAnnos(root, 1);
    FlashPagesAnnotations::addPageAnno(first, 5, 0.25, 0.5, 0.125, 0.0625);
    FlashPagesAnnotations::addPageAnno(first, 9, 0.5, 0.5, 0.1, 0.1); // a page that was not imported

    FlashBookOutput output(book, bareTemplate(), out, QString());
    output.setFlashPagesAnnotations(links);
    const XmlDocument doc = written(output);
    const QList<XmlNode> items = doc.root().children(QStringLiteral("Page")).first().children(QStringLiteral("Item"));
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items.last().attributes(), pairs({{"name", "Link"},
                                                {"type", "rect"},
                                                {"action", "page"},
                                                {"x", "0.250000"},
                                                {"y", "0.500000"},
                                                {"width", "0.125000"},
                                                {"height", "0.062500"},
                                                {"href", "3"}}));
}

TEST_F(PageList, withoutTheEditorFlagNothingIsWritten)
{
    const QString path = out + QStringLiteral("/pages.xml");
    roots.writeFile(QStringLiteral("book/pages.xml"), "<Pages bace=\"kept\"/>");
    FlashBookOutput output(makeBook(roots.root() + QStringLiteral("/src"), {1}), bareTemplate(), out, QString());
    EXPECT_FALSE(output.BookPageConfig(QStringLiteral("x"), false).has_value());
    EXPECT_EQ(readAll(path), QByteArray("<Pages bace=\"kept\"/>"));

    // A missing save folder is logged and reported, not thrown.
    FlashBookOutput nowhere(nullptr, bareTemplate(), roots.root() + QStringLiteral("/missing"), QString());
    EXPECT_FALSE(nowhere.BookPageConfig(QString(), true).has_value());
}
