#pragma once

#include "platform/Xml.h"

#include <QList>
#include <QString>

#include <memory>

class FlashOutlineItem;
using FlashOutlineItemPtr = std::shared_ptr<FlashOutlineItem>;
using FlashOutlineItemList = QList<FlashOutlineItemPtr>;

// One entry of a book's table of contents: a caption, the PDF page it points at
// (counted from 1), its depth (1 for a top-level entry) and its children. The
// parent is a back reference only; a parent owns its children.
//
// XML form: <o><c>caption</c><p>page</p><l>level</l><ci>...child o...</ci></o>
class FlashOutlineItem : public std::enable_shared_from_this<FlashOutlineItem>
{
public:
    FlashOutlineItem() = default;
    FlashOutlineItem(const FlashOutlineItem &) = delete;
    FlashOutlineItem &operator=(const FlashOutlineItem &) = delete;

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    int pageIndex() const { return m_pageIndex; }
    void setPageIndex(int pageIndex) { m_pageIndex = pageIndex; }
    // Null for a top-level entry, and once the parent is gone.
    FlashOutlineItemPtr parent() const { return m_parent.lock(); }
    void setParent(const FlashOutlineItemPtr &parent) { m_parent = parent; }
    const FlashOutlineItemList &childItems() const { return m_childItems; }
    void setChildItems(const FlashOutlineItemList &items) { m_childItems = items; }
    int level() const { return m_level; }
    void setLevel(int level) { m_level = level; }

    // Neither sets the child's parent; callers do.
    void addChild(const FlashOutlineItemPtr &child) { m_childItems.append(child); }
    void removeChild(const FlashOutlineItemPtr &child) { m_childItems.removeAll(child); }

    // A new document whose root is this entry's "o" element with its whole subtree.
    XmlDocument outlineItemAsXMLNode() const;
    // Appends this entry's "o" element (with its subtree) to `parent`; returns it.
    XmlNode appendXMLNodeTo(XmlNode parent) const;

    // Fills the entry from an "o" element: the first "c", "p" and "l" children
    // give caption, page index and level (each kept when absent); the children
    // are replaced by the "o" elements inside "ci" children. Throws
    // FoliantException "ERROR_INIT_OUTLINE_ITEM" before changing anything when
    // `node` is not an "o" element. Children get this entry as parent when the
    // entry is held by a shared pointer.
    void loadItemFromXMLNode(const XmlNode &node);

    // Same captions, page indexes, levels and shape, recursively (parents are
    // implied by the shape).
    bool sameTreeAs(const FlashOutlineItem &other) const;

private:
    void fillXMLNode(XmlNode o) const;

    QString m_caption;
    int m_pageIndex = 0;
    std::weak_ptr<FlashOutlineItem> m_parent;
    FlashOutlineItemList m_childItems;
    int m_level = 0;
};
