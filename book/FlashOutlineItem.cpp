#include "book/FlashOutlineItem.h"

#include "platform/FoliantException.h"
#include "platform/TextScan.h"

XmlDocument FlashOutlineItem::outlineItemAsXMLNode() const
{
    XmlDocument doc = XmlDocument::create(QStringLiteral("o"));
    fillXMLNode(doc.root());
    return doc;
}

XmlNode FlashOutlineItem::appendXMLNodeTo(XmlNode parent) const
{
    XmlNode o = parent.addChild(QStringLiteral("o"));
    fillXMLNode(o);
    return o;
}

void FlashOutlineItem::fillXMLNode(XmlNode o) const
{
    o.addChild(QStringLiteral("c"), m_caption);
    o.addChild(QStringLiteral("p"), QString::number(m_pageIndex));
    o.addChild(QStringLiteral("l"), QString::number(m_level));
    XmlNode ci = o.addChild(QStringLiteral("ci"));
    for (const FlashOutlineItemPtr &child : m_childItems)
        if (child)
            child->appendXMLNodeTo(ci);
}

void FlashOutlineItem::loadItemFromXMLNode(const XmlNode &node)
{
    if (node.isNull() || node.name() != QStringLiteral("o"))
        throw FoliantException(QStringLiteral("ERROR_INIT_OUTLINE_ITEM"), QStringLiteral("Not a flash outline item"));
    if (XmlNode c = node.firstChild(QStringLiteral("c")))
        m_caption = c.text();
    if (XmlNode p = node.firstChild(QStringLiteral("p")))
        m_pageIndex = TextScan::leadingInt(p.text());
    if (XmlNode l = node.firstChild(QStringLiteral("l")))
        m_level = TextScan::leadingInt(l.text());
    m_childItems.clear();
    const FlashOutlineItemPtr self = weak_from_this().lock();
    for (const XmlNode &ci : node.children(QStringLiteral("ci"))) {
        for (const XmlNode &o : ci.children(QStringLiteral("o"))) {
            auto child = std::make_shared<FlashOutlineItem>();
            child->loadItemFromXMLNode(o);
            child->setParent(self);
            m_childItems.append(child);
        }
    }
}

bool FlashOutlineItem::sameTreeAs(const FlashOutlineItem &other) const
{
    if (m_caption != other.m_caption || m_pageIndex != other.m_pageIndex || m_level != other.m_level ||
        m_childItems.size() != other.m_childItems.size())
        return false;
    for (qsizetype i = 0; i < m_childItems.size(); ++i) {
        const FlashOutlineItemPtr &a = m_childItems.at(i);
        const FlashOutlineItemPtr &b = other.m_childItems.at(i);
        if (!a || !b ? a != b : !a->sameTreeAs(*b))
            return false;
    }
    return true;
}
