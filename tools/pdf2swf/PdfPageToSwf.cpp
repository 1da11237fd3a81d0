#include "PdfPageToSwf.h"

#include "SwfPaintDevice.h"

#include <QImage>
#include <QPainter>

#include <poppler-qt6.h>

#include <cmath>
#include <memory>

namespace {

QImage renderPicture(Poppler::Document &document, Poppler::Page &page, double zoom, QSize frame)
{
    document.setRenderBackend(Poppler::Document::SplashBackend);
    document.setRenderHint(Poppler::Document::Antialiasing);
    document.setRenderHint(Poppler::Document::TextAntialiasing);
    QImage image = page.renderToImage(zoom, zoom, 0, 0, frame.width(), frame.height());
    document.setRenderBackend(Poppler::Document::QPainterBackend);
    return image;
}

// Whole pixels around each area, overlapping areas joined; many small areas
// (every glyph of a text in a blend mode SWF lacks) become the one rectangle
// around them all.
std::vector<QRect> coverAreas(const std::vector<QRectF> &areas, QSize frame)
{
    std::vector<QRect> rects;
    rects.reserve(areas.size());
    for (const QRectF &a : areas)
        rects.push_back(a.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(QRect(QPoint(0, 0), frame)));
    if (rects.size() > 256) {
        QRect all;
        for (const QRect &r : rects)
            all |= r;
        rects = {all};
    }
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < rects.size() && !merged; ++i) {
            for (size_t j = i + 1; j < rects.size() && !merged; ++j) {
                if (rects[i].intersects(rects[j])) {
                    rects[i] |= rects[j];
                    rects.erase(rects.begin() + std::ptrdiff_t(j));
                    merged = true;
                }
            }
        }
    }
    if (rects.size() > 64) {
        QRect all;
        for (const QRect &r : rects)
            all |= r;
        rects = {all};
    }
    std::erase_if(rects, [](const QRect &r) { return r.isEmpty(); });
    return rects;
}

} // namespace

QByteArray PdfPageToSwf::convert(Poppler::Document &document, int page, double zoom, int jpegQuality, bool compress,
                                 QString &error, QStringList *notes,
                                 const std::vector<std::pair<QRectF, QString>> &lost)
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
        painter.end();
        // What the movie cannot express is covered, on top of everything,
        // by the page's own picture of those areas.
        std::vector<QRectF> wanted = device.engine().rasterAreas();
        QStringList reasons = device.engine().rasterReasons();
        for (const auto &[rect, reason] : lost) {
            wanted.push_back(rect);
            if (!reasons.contains(reason))
                reasons << reason;
        }
        const std::vector<QRect> areas = coverAreas(wanted, frame);
        if (!areas.empty() && !writer.overflowed()) {
            const QImage image = renderPicture(document, *p, zoom, frame);
            if (image.isNull()) {
                error = QStringLiteral("page %1 could not be drawn").arg(page);
                return {};
            }
            QPainter cover(&device);
            for (const QRect &area : areas)
                cover.drawImage(QRectF(area), image.copy(area));
        }
        if (notes) {
            for (const QString &reason : reasons)
                *notes << QStringLiteral("page %1: %2 is drawn as a picture").arg(page).arg(reason);
        }
    }
    if (!writer.overflowed())
        return writer.finish(compress);

    // A page of more drawing operations than one frame can hold (dense maps,
    // plots) would lose the rest; it is shipped as one picture instead.
    const QImage image = renderPicture(document, *p, zoom, frame);
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
