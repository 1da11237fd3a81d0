#pragma once

#include "book/FlashOutline.h"
#include "platform/PdfDocument.h"

class FlashOutlinePDF;
using FlashOutlinePDFPtr = std::shared_ptr<FlashOutlinePDF>;

// Fills an outline from a PDF document's bookmarks, at any depth.
class FlashOutlinePDF : public FlashOutline
{
public:
    // Appends the document's outline to items(); nothing without a document or
    // an outline. An entry whose destination lies on no page gets page index 0.
    void loadOutlineFromPDF(const PdfDocumentPtr &doc);
    // Adds the children of `node` below `parent`, one level deeper than `level`.
    void addOutelineToItems(const FlashOutlineItemPtr &parent, const PdfDocument::OutlineNode &node, int level,
                            const PdfDocumentPtr &doc);
};
