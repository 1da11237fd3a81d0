#pragma once

#include "book/FlashOutlineItem.h"

#include <memory>

class FlashOutline;
using FlashOutlinePtr = std::shared_ptr<FlashOutline>;

// A book's table of contents: its top-level entries in document order.
//
// XML form: <ols><o>...</o><o>...</o></ols>, each "o" as FlashOutlineItem writes it.
class FlashOutline
{
public:
    FlashOutline() = default;
    virtual ~FlashOutline() = default;
    FlashOutline(const FlashOutline &) = delete;
    FlashOutline &operator=(const FlashOutline &) = delete;

    const FlashOutlineItemList &items() const { return m_items; }
    void setItems(const FlashOutlineItemList &items) { m_items = items; }

    // A new document whose root is the "ols" element of the whole outline.
    XmlDocument outlineAsXMLNode() const;
    // Appends the "ols" element to `parent`; returns it.
    XmlNode appendXMLNodeTo(XmlNode parent) const;

    // Replaces the entries with the "o" children of an "ols" element. Throws
    // FoliantException "ERROR_INIT_OUTLINES" before changing anything when
    // `node` is not an "ols" element.
    void loadFromXMLNode(const XmlNode &node);

    bool sameTreeAs(const FlashOutline &other) const;

protected:
    FlashOutlineItemList &mutableItems() { return m_items; }

private:
    FlashOutlineItemList m_items;
};
