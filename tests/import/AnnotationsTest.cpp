#include "ImportTestSupport.h"

#include "book/FlashPagesAnnotationsPDF.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Attrs = QList<QPair<QString, QString>>;

Attrs geometry(const char *first, const char *firstValue, const char *x, const char *y, const char *w, const char *h,
               const char *action)
{
    auto s = [](const char *t) { return QString::fromLatin1(t); };
    return {{s(first), s(firstValue)}, {s("x"), s(x)},      {s("y"), s(y)},
            {s("width"), s(w)},        {s("height"), s(h)}, {s("action"), s(action)}};
}

Attrs webAnno(const char *url, const char *x, const char *y, const char *w, const char *h)
{
    return geometry("url", url, x, y, w, h, "web");
}

QList<Attrs> annosOf(const XmlNode &pageAnnos)
{
    QList<Attrs> out;
    for (const XmlNode &a : pageAnnos.children(QStringLiteral("anno")))
        out.append(a.attributes());
    return out;
}

std::shared_ptr<FlashPagesAnnotationsPDF> load(const QString &range)
{
    auto annotations = std::make_shared<FlashPagesAnnotationsPDF>();
    annotations->loadLinksFromPDF(PdfDocument::open(pdfData(QStringLiteral("links.pdf"))), range);
    return annotations;
}

} // namespace

TEST(FlashPagesAnnotationsPDF, RangeNumbersBookPagesAndKeepsEmptyOnes)
{
    auto annotations = load(QStringLiteral("3,5"));
    const XmlNode root = annotations->pagesAnnotationsNode();
    ASSERT_EQ(root.name(), QStringLiteral("pagesAnnos"));
    const QList<XmlNode> pages = root.children();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].attributes(), (Attrs{{QStringLiteral("pageIndex"), QStringLiteral("1")}}));
    EXPECT_TRUE(pages[0].children().isEmpty());
    EXPECT_EQ(pages[1].attribute(QStringLiteral("pageIndex")), QStringLiteral("2"));
    EXPECT_EQ(annosOf(pages[1]),
              QList<Attrs>{webAnno("https://example.org/five", "0.100000", "0.075000", "0.200000", "0.050000")});
    EXPECT_TRUE(annotations->needFiles().isEmpty());
}

TEST(FlashPagesAnnotationsPDF, GeometryForEveryRotationAndACropBoxAwayFromTheOrigin)
{
    auto annotations = load(QStringLiteral("ALL"));
    const QList<XmlNode> pages = annotations->pagesAnnotationsNode().children();
    ASSERT_EQ(pages.size(), 10);
    const Attrs rot0 = webAnno("http://example.com/one", "0.100000", "0.075000", "0.200000", "0.050000");
    EXPECT_EQ(annosOf(pages[0]),
              (QList<Attrs>{rot0, geometry("pageIndex", "3", "0.500000", "0.812500", "0.166667", "0.062500", "page")}));
    EXPECT_EQ(annosOf(pages[1]),
              QList<Attrs>{webAnno("http://example.com/two", "0.300000", "0.075000", "0.066667", "0.150000")});
    EXPECT_EQ(annosOf(pages[5]),
              QList<Attrs>{webAnno("http://example.com/six", "0.300000", "0.125000", "0.200000", "0.050000")});
    EXPECT_EQ(annosOf(pages[6]), // rotation inherited from the page tree
              QList<Attrs>{webAnno("http://example.com/seven", "0.100000", "0.125000", "0.066667", "0.150000")});
    EXPECT_EQ(annosOf(pages[7]),
              QList<Attrs>{webAnno("http://example.com/eight", "0.000000", "1.000000", "0.000000", "0.000000")});
    EXPECT_EQ(annosOf(pages[8]),
              QList<Attrs>{webAnno("http://example.com/nine", "0.100000", "0.075000", "0.200000", "0.050000")});
    EXPECT_EQ(annosOf(pages[9]), // /Rotate 90.0
              QList<Attrs>{webAnno("http://example.com/ten", "0.300000", "0.075000", "0.066667", "0.150000")});
}

TEST(FlashPagesAnnotationsPDF, PageLinksUseDocumentPageNumbersAndSkipWhatLeadsNowhere)
{
    auto annotations = load(QStringLiteral("4"));
    const QList<XmlNode> pages = annotations->pagesAnnotationsNode().children();
    ASSERT_EQ(pages.size(), 1);
    QStringList targets;
    for (const XmlNode &a : pages[0].children())
        targets << a.attribute(QStringLiteral("pageIndex"), a.attribute(QStringLiteral("url")));
    // Page 2 though it was not imported; a named destination in the name tree;
    // one in the catalogue's /Dests; a reversed rectangle. Left out: a text note,
    // a link without target, a script address and an unknown name.
    EXPECT_EQ(targets, (QStringList{QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("9"),
                                    QStringLiteral("http://example.com/reversed")}));
    EXPECT_EQ(pages[0].children()[3].attribute(QStringLiteral("x")), QStringLiteral("0.100000"));
}

TEST(FlashPagesAnnotationsPDF, WithoutADocumentAndOnReload)
{
    FlashPagesAnnotationsPDF annotations;
    annotations.setNeedFiles({QStringLiteral("/tmp/x")});
    annotations.loadLinksFromPDF(nullptr, QStringLiteral("2,4"));
    EXPECT_EQ(annotations.pagesAnnotationsNode().children().size(), 2);
    EXPECT_TRUE(annotations.needFiles().isEmpty());
    annotations.loadLinksFromPDF(nullptr, QStringLiteral("ALL"));
    EXPECT_TRUE(annotations.pagesAnnotationsNode().children().isEmpty());
    // Pages past the end of an open document are not part of the book.
    annotations.loadLinksFromPDF(PdfDocument::open(pdfData(QStringLiteral("links.pdf"))), QStringLiteral("9-12"));
    EXPECT_EQ(annotations.pagesAnnotationsNode().children().size(), 2);
}

TEST(FlashPagesAnnotations, DegenerateCropBoxWritesZerosAndTreeCopies)
{
    const auto f = FlashPagesAnnotationsPDF::fractionsFor(QRectF(10, 10, 10, 10), QRectF(0, 0, 0, 800), 0);
    EXPECT_FALSE(std::isfinite(f[0]));
    EXPECT_EQ(FlashPagesAnnotations::formatFraction(f[0]), QStringLiteral("0.000000"));
    EXPECT_EQ(FlashPagesAnnotations::formatFraction(0.0666667f), QStringLiteral("0.066667"));
    // Negative rotations name the same turn.
    EXPECT_EQ(FlashPagesAnnotationsPDF::fractionsFor(QRectF(60, 700, 120, 40), QRectF(0, 0, 600, 800), -90),
              FlashPagesAnnotationsPDF::fractionsFor(QRectF(60, 700, 120, 40), QRectF(0, 0, 600, 800), 270));

    FlashPagesAnnotations copy;
    {
        FlashPagesAnnotations original;
        XmlNode page = FlashPagesAnnotations::addPageAnnos(original.resetPagesAnnotationsNode(), 1);
        FlashPagesAnnotations::addPageAnno(page, 5, 0.5, 0.5, 0.1, 0.1);
        copy.setPagesAnnotationsNode(original.pagesAnnotationsNode());
    }
    EXPECT_EQ(
        copy.pagesAnnotationsNode().child(QStringLiteral("pageAnnos/anno")).attribute(QStringLiteral("pageIndex")),
        QStringLiteral("5"));
    copy.setPagesAnnotationsNode(XmlNode());
    EXPECT_TRUE(copy.pagesAnnotationsNode().isNull());
}
