#include "ImportTestSupport.h"

#include "book/FlashOutlinePDF.h"
#include "platform/FoliantException.h"

#include <gtest/gtest.h>

namespace {

FlashOutlineItemPtr item(const char *caption, int page, int level, const FlashOutlineItemPtr &parent = {})
{
    auto i = std::make_shared<FlashOutlineItem>();
    i->setCaption(QString::fromUtf8(caption));
    i->setPageIndex(page);
    i->setLevel(level);
    if (parent) {
        i->setParent(parent);
        parent->addChild(i);
    }
    return i;
}

XmlDocument parse(const char *xml)
{
    return XmlDocument::parse(QByteArray(xml));
}

} // namespace

TEST(FlashOutline, XmlFormAndReadBack)
{
    FlashOutline outline;
    auto a = item("A", 1, 1);
    item("A1", 2, 2, a);
    auto a2 = item("A2 & <more>", 5, 2, a);
    item("deep", 6, 3, a2);
    outline.setItems({a, item("B", 9, 1)});

    XmlDocument doc = outline.outlineAsXMLNode();
    const XmlNode ols = doc.root();
    ASSERT_EQ(ols.name(), QStringLiteral("ols"));
    ASSERT_EQ(ols.children().size(), 2);
    const XmlNode first = ols.children()[0];
    QStringList names;
    for (const XmlNode &c : first.children())
        names << c.name();
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("c"), QStringLiteral("p"), QStringLiteral("l"), QStringLiteral("ci")}));
    EXPECT_EQ(first.child(QStringLiteral("c")).text(), QStringLiteral("A"));
    EXPECT_EQ(first.child(QStringLiteral("ci")).children(QStringLiteral("o")).size(), 2);
    EXPECT_TRUE(ols.children()[1].child(QStringLiteral("ci")).children().isEmpty());

    // Through bytes and back.
    XmlDocument reread = XmlDocument::parse(doc.toBytes());
    FlashOutline loaded;
    loaded.loadFromXMLNode(reread.root());
    EXPECT_TRUE(loaded.sameTreeAs(outline));
    ASSERT_EQ(loaded.items().size(), 2);
    const FlashOutlineItemPtr la2 = loaded.items()[0]->childItems()[1];
    EXPECT_EQ(la2->caption(), QStringLiteral("A2 & <more>"));
    EXPECT_EQ(la2->parent(), loaded.items()[0]);
    EXPECT_EQ(la2->childItems()[0]->parent(), la2);
    EXPECT_FALSE(loaded.items()[0]->parent());

    // The item's own form reads back into the same subtree.
    auto again = std::make_shared<FlashOutlineItem>();
    again->loadItemFromXMLNode(a->outlineItemAsXMLNode().root());
    EXPECT_TRUE(again->sameTreeAs(*a));
    EXPECT_EQ(again->childItems()[0]->parent(), again);
}

TEST(FlashOutline, LoadingIsStrictAtTheTopAndLenientBelow)
{
    FlashOutline outline;
    outline.setItems({item("keep", 1, 1)});
    try {
        outline.loadFromXMLNode(parse("<outline/>").root());
        FAIL() << "no exception";
    } catch (const FoliantException &e) {
        EXPECT_EQ(e.name(), QStringLiteral("ERROR_INIT_OUTLINES"));
        EXPECT_EQ(e.reason(), QStringLiteral("Not a flash outline"));
    }
    EXPECT_EQ(outline.items().size(), 1); // unchanged

    FlashOutlineItem lone;
    EXPECT_THROW(lone.loadItemFromXMLNode(parse("<x/>").root()), FoliantException);

    outline.loadFromXMLNode(
        parse("<ols><o><c>A</c><l> 1x</l><ci><x><c>no</c></x><o><c>kid</c><p>-3</p></o></ci></o><o/></ols>").root());
    ASSERT_EQ(outline.items().size(), 2);
    const FlashOutlineItemPtr a = outline.items()[0];
    EXPECT_EQ(a->pageIndex(), 0); // no "p"
    EXPECT_EQ(a->level(), 1);
    ASSERT_EQ(a->childItems().size(), 1); // only "o" inside "ci"
    EXPECT_EQ(a->childItems()[0]->pageIndex(), -3);
    EXPECT_TRUE(outline.items()[1]->childItems().isEmpty());
}

TEST(FlashOutlinePDF, LevelsParentsAndPagesFromTheDocument)
{
    FlashOutlinePDF outline;
    outline.loadOutlineFromPDF(PdfDocument::open(pdfData(QStringLiteral("links.pdf"))));
    ASSERT_EQ(outline.items().size(), 2);
    const FlashOutlineItemPtr a = outline.items()[0];
    const FlashOutlineItemPtr b = outline.items()[1];
    EXPECT_EQ(a->caption(), QStringLiteral("A"));
    EXPECT_EQ(a->pageIndex(), 1);
    EXPECT_EQ(a->level(), 1);
    EXPECT_FALSE(a->parent());
    ASSERT_EQ(a->childItems().size(), 2);
    EXPECT_EQ(a->childItems()[0]->caption(), QStringLiteral("A1"));
    EXPECT_EQ(a->childItems()[0]->pageIndex(), 2);
    EXPECT_EQ(a->childItems()[1]->pageIndex(), 5);
    for (const auto &child : a->childItems()) {
        EXPECT_EQ(child->level(), 2);
        EXPECT_EQ(child->parent(), a);
    }
    // A third level, a UTF-16 title and a destination named in the name tree.
    const FlashOutlineItemPtr deep = a->childItems()[1]->childItems().value(0);
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->level(), 3);
    EXPECT_EQ(deep->caption(), QString::fromUtf8("Ärst"));
    EXPECT_EQ(deep->pageIndex(), 7);
    EXPECT_TRUE(PdfDocument::open(pdfData(QStringLiteral("links.pdf")))->outline(1)[0].children.isEmpty());
    EXPECT_EQ(b->caption(), QStringLiteral("B"));
    EXPECT_EQ(b->pageIndex(), 9);

    // An outline whose entries point back at themselves ends.
    FlashOutlinePDF looped;
    looped.loadOutlineFromPDF(PdfDocument::open(pdfData(QStringLiteral("cyclic_outline.pdf"))));
    ASSERT_EQ(looped.items().size(), 1);
    EXPECT_TRUE(looped.items()[0]->childItems().isEmpty());

    // A second read appends; a document without an outline adds nothing.
    outline.loadOutlineFromPDF(PdfDocument::open(pdfData(QStringLiteral("zero_pages.pdf"))));
    outline.loadOutlineFromPDF(nullptr);
    EXPECT_EQ(outline.items().size(), 2);
}
