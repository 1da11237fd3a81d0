#pragma once

#include "book/FlashPagesAnnotations.h"
#include "platform/PdfDocument.h"

#include <QList>

#include <array>

class FlashPagesAnnotationsPDF;
using FlashPagesAnnotationsPDFPtr = std::shared_ptr<FlashPagesAnnotationsPDF>;

// Fills the links tree from the link annotations of a PDF document, one
// "pageAnnos" per imported page, in the order of the imported range.
class FlashPagesAnnotationsPDF : public FlashPagesAnnotations
{
public:
    FlashPagesAnnotationsPDF() = default;

    // Replaces the tree with the links of `doc` (may be null) over the pages of
    // `pageRange`, and empties needFiles. Reading errors inside the file escape
    // as FoliantException.
    void loadLinksFromPDF(const PdfDocumentPtr &doc, const QString &pageRange);
    // Reads the page at the current index and appends its "pageAnnos".
    void parsePage();

    const PdfDocumentPtr &pdfDoc() const { return m_pdfDoc; }
    void setPdfDoc(const PdfDocumentPtr &doc) { m_pdfDoc = doc; }

    // The link rectangle (left, bottom, width, height in page space) of a page
    // whose crop box is `crop` and whose rotation is `rotation` degrees, as the
    // player's fractions x, y, width, height. A rotation that is not a multiple
    // of 90 gives all zeros (y 1).
    static std::array<float, 4> fractionsFor(const QRectF &bounds, const QRectF &crop, double rotation);

private:
    QList<int> m_pagesToRead;
    PdfDocumentPtr m_pdfDoc;
    int m_currentIndex = 0;
};
