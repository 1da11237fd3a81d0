#include "book/FlashPagesAnnotations.h"

#include <cmath>

void FlashPagesAnnotations::setPagesAnnotationsNode(const XmlNode &node)
{
    if (node.isNull()) {
        m_tree = XmlDocument();
        return;
    }
    XmlDocument copy = XmlDocument::create(node.name());
    copy.setRootCopy(node);
    m_tree = std::move(copy);
}

XmlNode FlashPagesAnnotations::resetPagesAnnotationsNode()
{
    m_tree = XmlDocument::create(QStringLiteral("pagesAnnos"));
    return m_tree.root();
}

XmlNode FlashPagesAnnotations::addPageAnnos(XmlNode root, int bookPageIndex)
{
    XmlNode page = root.addChild(QStringLiteral("pageAnnos"));
    page.setAttribute(QStringLiteral("pageIndex"), QString::number(bookPageIndex));
    return page;
}

namespace {

void addGeometry(XmlNode &anno, double x, double y, double width, double height, const QString &action)
{
    anno.setAttribute(QStringLiteral("x"), FlashPagesAnnotations::formatFraction(x));
    anno.setAttribute(QStringLiteral("y"), FlashPagesAnnotations::formatFraction(y));
    anno.setAttribute(QStringLiteral("width"), FlashPagesAnnotations::formatFraction(width));
    anno.setAttribute(QStringLiteral("height"), FlashPagesAnnotations::formatFraction(height));
    anno.setAttribute(QStringLiteral("action"), action);
}

} // namespace

XmlNode FlashPagesAnnotations::addWebAnno(XmlNode pageAnnos, const QString &url, double x, double y, double width,
                                          double height)
{
    XmlNode anno = pageAnnos.addChild(QStringLiteral("anno"));
    anno.setAttribute(QStringLiteral("url"), url);
    addGeometry(anno, x, y, width, height, QStringLiteral("web"));
    return anno;
}

XmlNode FlashPagesAnnotations::addPageAnno(XmlNode pageAnnos, int targetPdfPage, double x, double y, double width,
                                           double height)
{
    XmlNode anno = pageAnnos.addChild(QStringLiteral("anno"));
    anno.setAttribute(QStringLiteral("pageIndex"), QString::number(targetPdfPage));
    addGeometry(anno, x, y, width, height, QStringLiteral("page"));
    return anno;
}

QString FlashPagesAnnotations::formatFraction(double value)
{
    return QString::asprintf("%f", std::isfinite(value) ? value : 0.0);
}
