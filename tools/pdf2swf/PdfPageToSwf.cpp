#include "PdfPageToSwf.h"

#include "SwfPaintDevice.h"

#include <QImage>
#include <QPainter>

#include <poppler-qt6.h>

#include <cmath>
#include <memory>

QByteArray PdfPageToSwf::convert(Poppler::Document &document, int page, double zoom, int jpegQuality, bool compress,
                                 QString &error)
{
    const int pages = document.numPages();
    if (page < 1 || page > pages) {
        error = QStringLiteral("page %1 does not exist: the document has %2 page(s)").arg(page).arg(pages);
        return {};
    }
    const std::unique_ptr<Poppler::Page> p(document.page(page - 1));
    if (!p) {
        error = QStringLiteral("page %1 cannot be read").arg(page);
        return {};
    }
    // Already turned by the page's /Rotate, as the page is drawn.
    const QSizeF points = p->pageSizeF();
    const QSize frame(std::max(1, int(std::lround(points.width() * zoom / 72.0))),
                      std::max(1, int(std::lround(points.height() * zoom / 72.0))));
    if (frame.width() > 32767 || frame.height() > 32767) {
        error = QStringLiteral("page %1 is too large at zoom %2").arg(page).arg(zoom);
        return {};
    }
    document.setRenderBackend(Poppler::Document::QPainterBackend);
    SwfWriter writer(frame);
    {
        SwfPaintDevice device(writer, jpegQuality);
        QPainter painter(&device);
        if (!p->renderToPainter(&painter, zoom, zoom, 0, 0, frame.width(), frame.height())) {
            error = QStringLiteral("page %1 could not be drawn").arg(page);
            return {};
        }
    }
    if (!writer.overflowed())
        return writer.finish(compress);

    // A page of more drawing operations than one frame can hold (dense maps,
    // plots) would lose the rest; it is shipped as one picture instead.
    document.setRenderBackend(Poppler::Document::SplashBackend);
    document.setRenderHint(Poppler::Document::Antialiasing);
    document.setRenderHint(Poppler::Document::TextAntialiasing);
    const QImage image = p->renderToImage(zoom, zoom, 0, 0, frame.width(), frame.height());
    if (image.isNull()) {
        error = QStringLiteral("page %1 could not be drawn").arg(page);
        return {};
    }
    SwfWriter raster(frame);
    {
        SwfPaintDevice device(raster, jpegQuality);
        QPainter painter(&device);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(frame)), image);
    }
    return raster.finish(compress);
}
