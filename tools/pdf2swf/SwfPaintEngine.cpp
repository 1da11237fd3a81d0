#include "SwfPaintEngine.h"

#include <QCryptographicHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

#include <turbojpeg.h>

#include <cmath>
#include <cstring>

namespace {

// A path is drawn even-odd by every SWF renderer; a non-zero path whose
// subpaths may overlap has to be resolved into one that means the same even-odd.
bool needsResolving(const QPainterPath &path)
{
    if (path.fillRule() != Qt::WindingFill)
        return false;
    int moves = 0;
    for (int i = 0; i < path.elementCount(); ++i) {
        if (path.elementAt(i).type == QPainterPath::MoveToElement && ++moves > 1)
            return true;
    }
    return false;
}

// True when the path is an axis-aligned rectangle covering `area`: such a clip changes nothing.
bool coversRect(const QPainterPath &path, const QRectF &area)
{
    const int n = path.elementCount();
    if (n < 4 || n > 5)
        return false;
    const QRectF b = path.boundingRect();
    for (int i = 0; i < n; ++i) {
        const auto e = path.elementAt(i);
        if (e.type == QPainterPath::CurveToElement)
            return false;
        const bool onX = qFuzzyCompare(e.x + 1, b.left() + 1) || qFuzzyCompare(e.x + 1, b.right() + 1);
        const bool onY = qFuzzyCompare(e.y + 1, b.top() + 1) || qFuzzyCompare(e.y + 1, b.bottom() + 1);
        if (!onX || !onY)
            return false;
    }
    return b.adjusted(-0.01, -0.01, 0.01, 0.01).contains(area);
}

// Qt's composition modes as Poppler sets them for PDF blend modes: SWF's own
// equivalent, or the name of a mode SWF lacks.
SwfWriter::Blend blendFor(QPainter::CompositionMode mode, QString &unsupported)
{
    unsupported.clear();
    switch (mode) {
    case QPainter::CompositionMode_SourceOver:
        return SwfWriter::Normal;
    case QPainter::CompositionMode_Multiply:
        return SwfWriter::Multiply;
    case QPainter::CompositionMode_Screen:
        return SwfWriter::Screen;
    case QPainter::CompositionMode_Lighten:
        return SwfWriter::Lighten;
    case QPainter::CompositionMode_Darken:
        return SwfWriter::Darken;
    case QPainter::CompositionMode_Difference:
        return SwfWriter::Difference;
    case QPainter::CompositionMode_Overlay:
        return SwfWriter::Overlay;
    case QPainter::CompositionMode_HardLight:
        return SwfWriter::HardLight;
    case QPainter::CompositionMode_SoftLight:
        unsupported = QStringLiteral("soft-light");
        break;
    case QPainter::CompositionMode_ColorDodge:
        unsupported = QStringLiteral("colour-dodge");
        break;
    case QPainter::CompositionMode_ColorBurn:
        unsupported = QStringLiteral("colour-burn");
        break;
    case QPainter::CompositionMode_Exclusion:
        unsupported = QStringLiteral("exclusion");
        break;
    default:
        unsupported = QStringLiteral("composition %1").arg(int(mode));
        break;
    }
    return SwfWriter::Normal;
}

// Lines thinner than a pixel are drawn one pixel wide by rasterisers, which
// also move them onto whole pixels (stroke adjustment): a 0.1 pt rule is one
// dark row, not two grey ones. Paths made only of horizontal and vertical
// segments (rules, boxes, form field borders) are moved the same way here.
QPainterPath snappedHairline(const QPainterPath &path, double width)
{
    const int n = path.elementCount();
    for (int i = 0; i < n; ++i) {
        const auto e = path.elementAt(i);
        if (e.type == QPainterPath::CurveToElement)
            return path;
        if (e.type == QPainterPath::LineToElement) {
            const auto p = path.elementAt(i - 1);
            if (std::abs(e.x - p.x) > 0.01 && std::abs(e.y - p.y) > 0.01)
                return path;
        }
    }
    const auto snap = [width](double v) { return std::floor(v - width / 2 + 0.5) + 0.5; };
    QPainterPath out = path;
    for (int i = 0; i < n; ++i) {
        const auto e = path.elementAt(i);
        out.setElementPositionAt(i, snap(e.x), snap(e.y));
    }
    return out;
}

QColor withOpacity(QColor c, double opacity)
{
    c.setAlphaF(float(c.alphaF() * opacity));
    return c;
}

// Splits polylines into dashes; lengths in device pixels; the pattern restarts
// at each subpath, as PDF dashing does.
QPainterPath dashed(const QPainterPath &path, const QList<qreal> &pattern, double offset)
{
    double total = 0;
    for (qreal v : pattern)
        total += v;
    if (pattern.size() < 2 || total <= 0)
        return path;
    QPainterPath out;
    for (const QPolygonF &poly : path.toSubpathPolygons()) {
        int index = 0;
        double left = pattern[0];
        bool on = true;
        double skip = std::fmod(offset, total);
        if (skip < 0)
            skip += total;
        while (skip > 0) {
            const double step = std::min(skip, left);
            skip -= step;
            left -= step;
            if (left <= 0) {
                index = (index + 1) % int(pattern.size());
                left = pattern[index];
                on = !on;
            }
        }
        for (int i = 1; i < poly.size(); ++i) {
            QPointF a = poly[i - 1];
            const QPointF b = poly[i];
            double seg = std::hypot(b.x() - a.x(), b.y() - a.y());
            if (on)
                out.moveTo(a);
            int guard = 0;
            while (seg > 0 && ++guard < 100000) {
                const double step = std::min(seg, left);
                const QPointF next = a + (b - a) * (step / seg);
                if (on)
                    out.lineTo(next);
                seg -= step;
                left -= step;
                a = next;
                if (left <= 1e-9) {
                    index = (index + 1) % int(pattern.size());
                    left = std::max(pattern[index], 1e-3);
                    on = !on;
                    if (on)
                        out.moveTo(a);
                }
            }
        }
    }
    return out;
}

} // namespace

SwfPaintEngine::SwfPaintEngine(SwfWriter &writer, int jpegQuality)
    : QPaintEngine(QPaintEngine::AllFeatures), m_writer(writer), m_quality(std::clamp(jpegQuality, 1, 100))
{}

bool SwfPaintEngine::begin(QPaintDevice *)
{
    m_transform = QTransform();
    m_opacity = 1.0;
    m_blend = SwfWriter::Normal;
    m_unsupportedBlend.clear();
    m_clips.clear();
    m_clipEnabled = false;
    setActive(true);
    return true;
}

bool SwfPaintEngine::end()
{
    while (m_writer.openClips() > 0)
        m_writer.endClip();
    m_open.clear();
    setActive(false);
    return true;
}

void SwfPaintEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyBrushOrigin)
        m_brushOrigin = state.brushOrigin();
    if (flags & DirtyOpacity)
        m_opacity = state.opacity();
    if (flags & DirtyCompositionMode)
        m_blend = blendFor(state.compositionMode(), m_unsupportedBlend);
    if (flags & DirtyClipPath)
        setClip(m_transform.map(state.clipPath()), state.clipOperation());
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        setClip(m_transform.map(path), state.clipOperation());
    }
    // Switching clipping off keeps the clip for when it is switched on again.
    if (flags & DirtyClipEnabled)
        m_clipEnabled = state.isClipEnabled();
}

void SwfPaintEngine::setClip(const QPainterPath &devicePath, Qt::ClipOperation op)
{
    if (op == Qt::NoClip || op == Qt::ReplaceClip)
        m_clips.clear();
    m_clipEnabled = op != Qt::NoClip;
    if (op == Qt::NoClip)
        return;
    const QRectF frame(QPointF(0, 0), QSizeF(m_writer.frameSize()));
    if (coversRect(devicePath, frame))
        return;
    SwfFill fill;
    const QPainterPath shape = needsResolving(devicePath) ? devicePath.simplified() : devicePath;
    const SwfShapeRef ref = m_writer.defineFill(shape, fill);
    // An empty clip hides everything; an invalid ref stands for it.
    QByteArray key;
    key.append(reinterpret_cast<const char *>(&ref.id), sizeof ref.id);
    const int ox = ref.origin.x(), oy = ref.origin.y();
    key.append(reinterpret_cast<const char *>(&ox), sizeof ox);
    key.append(reinterpret_cast<const char *>(&oy), sizeof oy);
    m_clips.push_back(Clip{key, ref, shape.boundingRect()});
}

bool SwfPaintEngine::clippedOut() const
{
    if (!m_clipEnabled)
        return false;
    for (const Clip &clip : m_clips) {
        if (!clip.shape.valid())
            return true;
    }
    return false;
}

bool SwfPaintEngine::drawnAsPicture(const QRectF &deviceBounds)
{
    if (m_unsupportedBlend.isEmpty())
        return false;
    QRectF area = deviceBounds.intersected(QRectF(QPointF(0, 0), QSizeF(m_writer.frameSize())));
    if (m_clipEnabled) {
        for (const Clip &clip : m_clips)
            area = area.intersected(clip.bounds);
    }
    if (!area.isEmpty())
        m_rasterAreas.push_back(area);
    const QString reason = QStringLiteral("the %1 blend mode").arg(m_unsupportedBlend);
    if (!m_rasterReasons.contains(reason))
        m_rasterReasons << reason;
    return true;
}

void SwfPaintEngine::syncClips()
{
    static const std::vector<Clip> none;
    const std::vector<Clip> &wanted = m_clipEnabled ? m_clips : none;
    size_t same = 0;
    while (same < m_open.size() && same < wanted.size() && m_open[same].key == wanted[same].key)
        ++same;
    while (m_open.size() > same) {
        m_writer.endClip();
        m_open.pop_back();
    }
    for (size_t i = same; i < wanted.size(); ++i) {
        m_writer.beginClip(wanted[i].shape);
        m_open.push_back(wanted[i]);
    }
}

bool SwfPaintEngine::fillFromBrush(const QBrush &brush, const QTransform &toDevice, SwfFill &fill) const
{
    const QGradient *g = brush.gradient();
    if (g && g->coordinateMode() == QGradient::LogicalMode &&
        (g->type() == QGradient::LinearGradient || g->type() == QGradient::RadialGradient) && !g->stops().isEmpty()) {
        QTransform square;
        if (g->type() == QGradient::LinearGradient) {
            const auto *lg = static_cast<const QLinearGradient *>(g);
            const QPointF s = lg->start(), d = lg->finalStop() - lg->start();
            square = QTransform(d.x() / 32768, d.y() / 32768, -d.y() / 32768, d.x() / 32768, s.x() + d.x() / 2,
                                s.y() + d.y() / 2);
            fill.kind = SwfFill::LinearGradient;
        } else {
            const auto *rg = static_cast<const QRadialGradient *>(g);
            const double r = rg->radius() / 16384;
            square = QTransform(r, 0, 0, r, rg->center().x(), rg->center().y());
            fill.kind = SwfFill::RadialGradient;
        }
        fill.matrix = square * brush.transform() * toDevice * QTransform::fromScale(20, 20);
        for (const auto &stop : g->stops())
            fill.stops.emplace_back(stop.first, withOpacity(stop.second, m_opacity));
        return true;
    }
    if (brush.style() == Qt::NoBrush)
        return false;
    fill.kind = SwfFill::Solid;
    fill.color = withOpacity(g && !g->stops().isEmpty() ? g->stops().first().second : brush.color(), m_opacity);
    return true;
}

void SwfPaintEngine::fillPath(const QPainterPath &devicePath, const QBrush &brush, const QTransform &brushTransform)
{
    SwfFill fill;
    if (clippedOut() || !fillFromBrush(brush, brushTransform, fill))
        return;
    if (drawnAsPicture(devicePath.boundingRect()))
        return;
    const QPainterPath shape = !m_inText && needsResolving(devicePath) ? devicePath.simplified() : devicePath;
    const SwfShapeRef ref = m_writer.defineFill(shape, fill);
    if (!ref.valid())
        return;
    syncClips();
    m_writer.place(ref, 1.0, m_blend);
}

void SwfPaintEngine::strokePath(const QPainterPath &localPath)
{
    if (m_pen.style() == Qt::NoPen || m_pen.brush().style() == Qt::NoBrush || clippedOut())
        return;
    const double scale = std::sqrt(std::abs(m_transform.determinant()));
    const bool cosmetic = m_pen.isCosmetic() || m_pen.widthF() <= 0;
    const double width = cosmetic ? std::max(m_pen.widthF(), 1.0) : m_pen.widthF() * scale;
    QPainterPath device = m_transform.map(localPath);
    if (width <= 1.0)
        device = snappedHairline(device, width);
    if (drawnAsPicture(device.boundingRect().adjusted(-width, -width, width, width)))
        return;
    if (m_pen.style() != Qt::SolidLine) {
        QList<qreal> pattern = m_pen.dashPattern();
        const double unit = std::max(width, 1e-3);
        for (qreal &v : pattern)
            v *= unit;
        device = dashed(device, pattern, m_pen.dashOffset() * unit);
    }
    SwfLine line;
    line.width = width;
    const QGradient *g = m_pen.brush().gradient();
    line.color = withOpacity(g && !g->stops().isEmpty() ? g->stops().first().second : m_pen.color(), m_opacity);
    line.cap = m_pen.capStyle();
    line.join = m_pen.joinStyle() == Qt::SvgMiterJoin ? Qt::MiterJoin : m_pen.joinStyle();
    line.miterLimit = m_pen.miterLimit();
    const SwfShapeRef ref = m_writer.defineStroke(device, line);
    if (!ref.valid())
        return;
    syncClips();
    m_writer.place(ref, 1.0, m_blend);
}

// Glyph outlines come at the glyph's own origin, the text's position being in
// the transform. A glyph drawn before at the same size, turn and colour is
// placed again from its definition rather than turned into a shape again: most
// of a text page's glyphs are repeats.
bool SwfPaintEngine::fillGlyph(const QPainterPath &localPath)
{
    const int count = localPath.elementCount();
    if (count < 2 || !m_unsupportedBlend.isEmpty() || !m_transform.isAffine())
        return false;
    SwfFill fill;
    if (!fillFromBrush(m_brush, m_transform, fill) || fill.kind != SwfFill::Solid)
        return false;
    // Written in place: appending a few bytes at a time costs more than the
    // lookup saves.
    constexpr qsizetype kElement = 2 * sizeof(qreal) + 1;
    QByteArray key(4 * qsizetype(sizeof(qreal)) + qsizetype(sizeof(QRgb)) + 1 + count * kElement, Qt::Uninitialized);
    char *out = key.data();
    const auto put = [&out](auto value) {
        std::memcpy(out, &value, sizeof value);
        out += sizeof value;
    };
    put(m_transform.m11());
    put(m_transform.m12());
    put(m_transform.m21());
    put(m_transform.m22());
    put(fill.color.rgba());
    put(char(localPath.fillRule()));
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element &e = localPath.elementAt(i);
        put(e.x);
        put(e.y);
        put(char(e.type));
    }
    if (clippedOut())
        return true;
    const QPointF at(m_transform.dx(), m_transform.dy());
    const QPointF first = m_transform.map(QPointF(localPath.elementAt(0).x, localPath.elementAt(0).y));
    if (const auto it = m_glyphs.constFind(key); it != m_glyphs.constEnd()) {
        if (!SwfWriter::withinLimits(it->bounds.translated(at)))
            return false;
        syncClips();
        m_writer.place(SwfShapeRef{it->id, SwfWriter::originAt(first)}, 1.0, m_blend);
        return true;
    }
    const QPainterPath device = m_transform.map(localPath);
    const SwfShapeRef ref = m_writer.defineFill(device, fill);
    if (!ref.valid())
        return true;
    const QRectF bounds = device.boundingRect();
    if (SwfWriter::withinLimits(bounds))
        m_glyphs.insert(key, Glyph{ref.id, bounds.translated(-at)});
    syncClips();
    m_writer.place(ref, 1.0, m_blend);
    return true;
}

void SwfPaintEngine::drawPath(const QPainterPath &path)
{
    if (m_inText && m_pen.style() == Qt::NoPen && m_brush.style() != Qt::NoBrush && fillGlyph(path))
        return;
    if (m_brush.style() != Qt::NoBrush)
        fillPath(m_transform.map(path), m_brush,
                 QTransform::fromTranslate(m_brushOrigin.x(), m_brushOrigin.y()) * m_transform);
    if (m_pen.style() != Qt::NoPen)
        strokePath(path);
}

void SwfPaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount < 2)
        return;
    QPainterPath path;
    path.moveTo(points[0]);
    for (int i = 1; i < pointCount; ++i)
        path.lineTo(points[i]);
    if (mode == PolylineMode) {
        strokePath(path);
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    drawPath(path);
}

void SwfPaintEngine::drawLines(const QLineF *lines, int lineCount)
{
    QPainterPath path;
    for (int i = 0; i < lineCount; ++i) {
        path.moveTo(lines[i].p1());
        path.lineTo(lines[i].p2());
    }
    strokePath(path);
}

void SwfPaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        QPainterPath path;
        path.addRect(rects[i]);
        drawPath(path);
    }
}

void SwfPaintEngine::drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr)
{
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
}

uint16_t SwfPaintEngine::jpegFor(const QImage &source)
{
    // Colours are stored as they are; players multiply them by the alpha channel.
    QImage image = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray alpha;
    if (source.hasAlphaChannel()) {
        alpha.resize(qsizetype(image.width()) * image.height());
        bool opaque = true;
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            char *dst = alpha.data() + qsizetype(y) * image.width();
            for (int x = 0; x < image.width(); ++x) {
                dst[x] = char(qAlpha(line[x]));
                opaque = opaque && qAlpha(line[x]) == 255;
            }
        }
        if (opaque)
            alpha.clear();
    }

    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4));
    QByteArray key = hash.result();
    key.append(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    if (const auto it = m_bitmaps.constFind(key); it != m_bitmaps.constEnd())
        return *it;

    tjhandle tj = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    // Small pictures (icons, glyph pictures, the art of a tiny page) weigh
    // nothing but lose their colours to chroma subsampling: keep them whole.
    const bool small = qint64(image.width()) * image.height() <= 4096;
    const int quality = small ? std::max(m_quality, 95) : m_quality;
    const int sampling = quality >= 90 ? TJSAMP_444 : TJSAMP_420;
    const int rc = tjCompress2(tj, image.constBits(), image.width(), int(image.bytesPerLine()), image.height(),
                               TJPF_BGRX, &jpeg, &size, sampling, quality, TJFLAG_FASTDCT);
    QByteArray data;
    if (rc == 0)
        data = QByteArray(reinterpret_cast<const char *>(jpeg), qsizetype(size));
    tjFree(jpeg);
    tjDestroy(tj);
    if (data.isEmpty())
        return 0;
    const uint16_t id = m_writer.defineJpeg(data, alpha);
    m_bitmaps.insert(key, id);
    ++m_imagesWritten;
    return id;
}

void SwfPaintEngine::drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags)
{
    if (clippedOut() || image.isNull() || sr.width() <= 0 || sr.height() <= 0 || r.isEmpty() ||
        drawnAsPicture(m_transform.mapRect(r)))
        return;
    const QRect src = sr.toAlignedRect().intersected(image.rect());
    if (src.isEmpty())
        return;
    const double sx = r.width() / sr.width(), sy = r.height() / sr.height();
    const QRectF local(r.x() + (src.x() - sr.x()) * sx, r.y() + (src.y() - sr.y()) * sy, src.width() * sx,
                       src.height() * sy);
    QImage picture = src == image.rect() ? image : image.copy(src);

    // Pictures far finer than the page is shown are kept at twice the page's
    // resolution: sharp when zoomed, without megabytes nobody sees.
    const QPointF o = m_transform.map(local.topLeft());
    const double deviceW = QLineF(o, m_transform.map(local.topRight())).length();
    const double deviceH = QLineF(o, m_transform.map(local.bottomLeft())).length();
    if (qint64(picture.width()) * picture.height() > 1'000'000 && picture.width() > 2 * deviceW + 2 &&
        picture.height() > 2 * deviceH + 2)
        picture = picture.scaled(int(std::ceil(2 * deviceW)), int(std::ceil(2 * deviceH)), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);

    const uint16_t id = jpegFor(picture);
    if (!id)
        return;
    // Bitmap pixel -> local coordinates -> device twips.
    const QTransform pixelToLocal(local.width() / picture.width(), 0, 0, local.height() / picture.height(), local.x(),
                                  local.y());
    SwfFill fill;
    fill.kind = SwfFill::Bitmap;
    fill.bitmapId = id;
    fill.matrix = pixelToLocal * m_transform * QTransform::fromScale(20, 20);
    // Strong enlargements of small images stay crisp, as rasterisers draw them.
    const double enlargement = std::sqrt(std::abs((pixelToLocal * m_transform).determinant()));
    fill.smooth = enlargement < 4.0;
    QPainterPath quad;
    quad.addPolygon(m_transform.map(QPolygonF(local)));
    quad.closeSubpath();
    const SwfShapeRef ref = m_writer.defineFill(quad, fill);
    if (!ref.valid())
        return;
    syncClips();
    m_writer.place(ref, m_opacity, m_blend);
}

void SwfPaintEngine::drawTextItem(const QPointF &p, const QTextItem &textItem)
{
    // The base class turns the glyphs into outlines and fills them through drawPath.
    m_inText = true;
    QPaintEngine::drawTextItem(p, textItem);
    m_inText = false;
}
