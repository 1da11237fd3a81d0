#include "book/FlashOutlinePDF.h"

#include "platform/Logging.h"

namespace {

const auto logger = Logging::logger("FlashOutlinePDF");

FlashOutlineItemPtr itemFor(const PdfDocument::OutlineNode &node, int level)
{
    auto item = std::make_shared<FlashOutlineItem>();
    item->setCaption(node.label);
    LOG4CXX_DEBUG(logger, node.label);
    item->setPageIndex(node.destinationPage + 1);
    item->setLevel(level);
    return item;
}

} // namespace

void FlashOutlinePDF::loadOutlineFromPDF(const PdfDocumentPtr &doc)
{
    if (!doc || !doc->hasOutline())
        return;
    for (const PdfDocument::OutlineNode &node : doc->outline()) {
        FlashOutlineItemPtr item = itemFor(node, 1);
        mutableItems().append(item);
        addOutelineToItems(item, node, 1, doc);
    }
}

void FlashOutlinePDF::addOutelineToItems(const FlashOutlineItemPtr &parent, const PdfDocument::OutlineNode &node,
                                         int level, const PdfDocumentPtr &doc)
{
    for (const PdfDocument::OutlineNode &child : node.children) {
        FlashOutlineItemPtr item = itemFor(child, level + 1);
        item->setParent(parent);
        parent->addChild(item);
        addOutelineToItems(item, child, item->level(), doc);
    }
}
