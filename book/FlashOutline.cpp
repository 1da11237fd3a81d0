#include "book/FlashOutline.h"

#include "platform/FoliantException.h"

XmlDocument FlashOutline::outlineAsXMLNode() const
{
    XmlDocument doc = XmlDocument::create(QStringLiteral("ols"));
    XmlNode ols = doc.root();
    for (const FlashOutlineItemPtr &item : m_items)
        if (item)
            item->appendXMLNodeTo(ols);
    return doc;
}

XmlNode FlashOutline::appendXMLNodeTo(XmlNode parent) const
{
    XmlNode ols = parent.addChild(QStringLiteral("ols"));
    for (const FlashOutlineItemPtr &item : m_items)
        if (item)
            item->appendXMLNodeTo(ols);
    return ols;
}

void FlashOutline::loadFromXMLNode(const XmlNode &node)
{
    if (node.isNull() || node.name() != QStringLiteral("ols"))
        throw FoliantException(QStringLiteral("ERROR_INIT_OUTLINES"), QStringLiteral("Not a flash outline"));
    FlashOutlineItemList loaded;
    for (const XmlNode &o : node.children(QStringLiteral("o"))) {
        auto item = std::make_shared<FlashOutlineItem>();
        item->loadItemFromXMLNode(o);
        loaded.append(item);
    }
    m_items = loaded;
}

bool FlashOutline::sameTreeAs(const FlashOutline &other) const
{
    if (m_items.size() != other.m_items.size())
        return false;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const FlashOutlineItemPtr &a = m_items.at(i);
        const FlashOutlineItemPtr &b = other.m_items.at(i);
        if (!a || !b ? a != b : !a->sameTreeAs(*b))
            return false;
    }
    return true;
}
