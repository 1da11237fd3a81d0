#include "book/FlashPagesAnnotationsPDF.h"

#include "book/FlashPageSourcePDF.h"
#include "platform/Logging.h"

#include <QUrl>

#include <cmath>

namespace {

const auto logger = Logging::logger("FlashPagesAnnotationsPDF");

// Script and data addresses would run inside the page that publishes the book.
bool isSafeAddress(const QString &url)
{
    const QString scheme = QUrl(url).scheme().toLower();
    return scheme != QStringLiteral("javascript") && scheme != QStringLiteral("vbscript") &&
           scheme != QStringLiteral("data");
}

} // namespace

void FlashPagesAnnotationsPDF::loadLinksFromPDF(const PdfDocumentPtr &doc, const QString &pageRange)
{
    m_pdfDoc = doc;
    m_pagesToRead = FlashPageSourcePDF::pagesToImportFor(pageRange, doc);
    m_currentIndex = 0;
    setNeedFiles({});
    resetPagesAnnotationsNode();
    while (m_currentIndex < m_pagesToRead.size()) {
        parsePage();
        ++m_currentIndex;
    }
}

std::array<float, 4> FlashPagesAnnotationsPDF::fractionsFor(const QRectF &bounds, const QRectF &crop, double rotation)
{
    // Link areas are placed on the page as shown, which starts at the crop box.
    const float bx = float(bounds.x() - crop.x());
    const float by = float(bounds.y() - crop.y());
    const float bw = float(bounds.width());
    const float bh = float(bounds.height());
    const float W = float(crop.width());
    const float H = float(crop.height());
    float ox = 0, oy = 0, ow = 0, oh = 0;
    double r = std::fmod(rotation, 360.0);
    if (r < 0)
        r += 360.0;
    if (r == 0) {
        ox = bx, oy = by + bh, ow = bw, oh = bh;
    } else if (r == 90) {
        ox = bx + bw, oy = by + bh, ow = bh, oh = bw;
    } else if (r == 180) {
        ox = bx + bw, oy = by, ow = bw, oh = bh;
    } else if (r == 270) {
        ox = bx, oy = by, ow = bh, oh = bw;
    }
    return {ox / W, 1.0f - oy / H, ow / W, oh / H};
}

void FlashPagesAnnotationsPDF::parsePage()
{
    const int page = m_pagesToRead.value(m_currentIndex);
    const bool exists = m_pdfDoc && page >= 1 && page <= m_pdfDoc->pageCount();
    LOG4CXX_DEBUG(logger, "page is:" << page);
    XmlNode pageAnnos = addPageAnnos(pagesAnnotationsNode(), m_currentIndex + 1);
    if (!exists)
        return;
    const QList<PdfDocument::Annotation> annotations = m_pdfDoc->annotations(page - 1);
    if (annotations.isEmpty())
        return;
    LOG4CXX_DEBUG(logger, "count is:" << annotations.size());
    const QRectF crop = m_pdfDoc->cropBox(page - 1);
    const double rotation = m_pdfDoc->rotation(page - 1);
    for (qsizetype i = 0; i < annotations.size(); ++i) {
        const PdfDocument::Annotation &a = annotations.at(i);
        LOG4CXX_DEBUG(logger, i << ":" << a.subtype << ",rect " << a.bounds().x() << " " << a.bounds().y() << " "
                                << a.bounds().width() << " " << a.bounds().height() << ",d:" << a.destinationPage + 1
                                << ",url:" << a.url);
        if (a.subtype != QStringLiteral("Link"))
            continue;
        const auto f = fractionsFor(a.bounds(), crop, rotation);
        if (!a.url.isEmpty()) {
            if (!isSafeAddress(a.url)) {
                LOG4CXX_WARN(logger, "page " << page << ": link to a script address left out");
                continue;
            }
            addWebAnno(pageAnnos, a.url, f[0], f[1], f[2], f[3]);
        } else if (a.hasDestination) {
            // A destination on no page of the document leads nowhere.
            if (a.destinationPage < 0) {
                LOG4CXX_DEBUG(logger, "page " << page << ": link to a destination on no page left out");
                continue;
            }
            addPageAnno(pageAnnos, a.destinationPage + 1, f[0], f[1], f[2], f[3]);
        }
    }
}
