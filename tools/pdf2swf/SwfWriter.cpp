#include "SwfWriter.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTagEnd = 0;
constexpr int kTagShowFrame = 1;
constexpr int kTagSetBackgroundColor = 9;
constexpr int kTagDefineBitsJpeg2 = 21;
constexpr int kTagPlaceObject2 = 26;
constexpr int kTagDefineShape3 = 32;
constexpr int kTagDefineBitsJpeg3 = 35;
constexpr int kTagFileAttributes = 69;
constexpr int kTagPlaceObject3 = 70;
constexpr int kTagDefineShape4 = 83;

// Edge deltas are limited to 17 signed bits; longer edges are split.
constexpr int kMaxDelta = 65535;
// Coordinates far outside any page are clamped so that bit widths stay sane.
constexpr double kMaxCoord = 1 << 24;
// Tolerance, in twips, of the quadratic approximation of cubic curves.
constexpr double kCurveTolerance = 1.0;

int bitsForSigned(int64_t v)
{
    if (v < 0)
        v = ~v;
    int n = 1;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

// Writes SWF bit fields (most significant bit first).
class BitWriter
{
public:
    explicit BitWriter(QByteArray &out) : m_out(out) {}
    ~BitWriter() { align(); }

    void ub(uint32_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            m_acc = uint8_t((m_acc << 1) | ((value >> i) & 1));
            if (++m_n == 8) {
                m_out.append(char(m_acc));
                m_acc = 0;
                m_n = 0;
            }
        }
    }
    void sb(int32_t value, int bits) { ub(uint32_t(value) & (bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1)), bits); }
    void align()
    {
        if (m_n)
            ub(0, 8 - m_n);
    }

private:
    QByteArray &m_out;
    uint8_t m_acc = 0;
    int m_n = 0;
};

void u8(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
}
void u16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void u32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void rect(QByteArray &out, int xmin, int xmax, int ymin, int ymax)
{
    const int n = std::max({bitsForSigned(xmin), bitsForSigned(xmax), bitsForSigned(ymin), bitsForSigned(ymax)});
    BitWriter w(out);
    w.ub(uint32_t(n), 5);
    w.sb(xmin, n);
    w.sb(xmax, n);
    w.sb(ymin, n);
    w.sb(ymax, n);
}

int32_t fixed16(double v)
{
    return int32_t(std::lround(std::clamp(v, -32767.0, 32767.0) * 65536.0));
}

void matrix(QByteArray &out, const QTransform &m)
{
    BitWriter w(out);
    const bool scale = m.m11() != 1.0 || m.m22() != 1.0;
    w.ub(scale, 1);
    if (scale) {
        const int32_t sx = fixed16(m.m11()), sy = fixed16(m.m22());
        const int n = std::max(bitsForSigned(sx), bitsForSigned(sy));
        w.ub(uint32_t(n), 5);
        w.sb(sx, n);
        w.sb(sy, n);
    }
    const bool rotate = m.m12() != 0.0 || m.m21() != 0.0;
    w.ub(rotate, 1);
    if (rotate) {
        const int32_t r0 = fixed16(m.m12()), r1 = fixed16(m.m21());
        const int n = std::max(bitsForSigned(r0), bitsForSigned(r1));
        w.ub(uint32_t(n), 5);
        w.sb(r0, n);
        w.sb(r1, n);
    }
    const int32_t tx = int32_t(std::lround(std::clamp(m.dx(), -kMaxCoord, kMaxCoord)));
    const int32_t ty = int32_t(std::lround(std::clamp(m.dy(), -kMaxCoord, kMaxCoord)));
    const int n = (tx == 0 && ty == 0) ? 0 : std::max(bitsForSigned(tx), bitsForSigned(ty));
    w.ub(uint32_t(n), 5);
    if (n) {
        w.sb(tx, n);
        w.sb(ty, n);
    }
}

void rgba(QByteArray &out, const QColor &c)
{
    u8(out, c.red());
    u8(out, c.green());
    u8(out, c.blue());
    u8(out, c.alpha());
}

// Fill style record; matrices are made relative to the shape's origin.
void fillStyle(QByteArray &out, const SwfFill &fill, QPoint origin)
{
    const QTransform toShape = QTransform::fromTranslate(-origin.x(), -origin.y());
    switch (fill.kind) {
    case SwfFill::Solid:
        u8(out, 0x00);
        rgba(out, fill.color);
        break;
    case SwfFill::LinearGradient:
    case SwfFill::RadialGradient: {
        u8(out, fill.kind == SwfFill::LinearGradient ? 0x10 : 0x12);
        matrix(out, fill.matrix * toShape);
        const int count = int(std::min<size_t>(fill.stops.size(), 15));
        u8(out, count); // pad spread, RGB interpolation
        int lastRatio = 0;
        for (int i = 0; i < count; ++i) {
            // Drop stops beyond 15 from the middle rather than the end.
            const size_t src = count < int(fill.stops.size()) ? size_t(i) * (fill.stops.size() - 1) / (count - 1) : i;
            int ratio = int(std::lround(std::clamp(fill.stops[src].first, 0.0, 1.0) * 255));
            ratio = std::max(ratio, lastRatio);
            lastRatio = ratio;
            u8(out, ratio);
            rgba(out, fill.stops[src].second);
        }
        break;
    }
    case SwfFill::Bitmap:
        u8(out, fill.smooth ? 0x41 : 0x43);
        u16(out, fill.bitmapId);
        matrix(out, fill.matrix * toShape);
        break;
    }
}

// Collects shape records in integer twips relative to the shape origin.
class ShapeEncoder
{
public:
    ShapeEncoder(QByteArray &out, bool stroke) : m_bits(out), m_stroke(stroke) {}

    void moveTo(QPoint p)
    {
        m_bits.ub(0, 1); // style change record
        const bool first = !m_started;
        m_bits.ub(0, 1);                  // new styles
        m_bits.ub(first && m_stroke, 1);  // line style
        m_bits.ub(0, 1);                  // fill style 1
        m_bits.ub(first && !m_stroke, 1); // fill style 0
        m_bits.ub(1, 1);                  // move to
        const int n = std::max(bitsForSigned(p.x()), bitsForSigned(p.y()));
        m_bits.ub(uint32_t(n), 5);
        m_bits.sb(p.x(), n);
        m_bits.sb(p.y(), n);
        if (first)
            m_bits.ub(1, 1); // style index 1 (one bit wide)
        m_started = true;
        m_cur = p;
        extend(p);
    }

    void lineTo(QPoint p)
    {
        int dx = p.x() - m_cur.x(), dy = p.y() - m_cur.y();
        if (dx == 0 && dy == 0)
            return;
        if (std::abs(dx) > kMaxDelta || std::abs(dy) > kMaxDelta) {
            lineTo(QPoint(m_cur.x() + dx / 2, m_cur.y() + dy / 2));
            lineTo(p);
            return;
        }
        const int n = std::max({bitsForSigned(dx), bitsForSigned(dy), 2});
        m_bits.ub(1, 1);
        m_bits.ub(1, 1);
        m_bits.ub(uint32_t(n - 2), 4);
        if (dx != 0 && dy != 0) {
            m_bits.ub(1, 1);
            m_bits.sb(dx, n);
            m_bits.sb(dy, n);
        } else {
            m_bits.ub(0, 1);
            m_bits.ub(dx == 0, 1);
            m_bits.sb(dx == 0 ? dy : dx, n);
        }
        m_cur = p;
        extend(p);
    }

    void quadTo(QPointF c, QPointF a, QPointF from)
    {
        const QPoint ci(int(std::lround(c.x())), int(std::lround(c.y())));
        const QPoint ai(int(std::lround(a.x())), int(std::lround(a.y())));
        const int cdx = ci.x() - m_cur.x(), cdy = ci.y() - m_cur.y();
        const int adx = ai.x() - ci.x(), ady = ai.y() - ci.y();
        if (std::max({std::abs(cdx), std::abs(cdy), std::abs(adx), std::abs(ady)}) > kMaxDelta) {
            const QPointF m1 = (from + c) / 2, m2 = (c + a) / 2, mid = (m1 + m2) / 2;
            quadTo(m1, mid, from);
            quadTo(m2, a, mid);
            return;
        }
        if ((cdx == 0 && cdy == 0) || (adx == 0 && ady == 0)) {
            lineTo(ai);
            return;
        }
        const int n = std::max({bitsForSigned(cdx), bitsForSigned(cdy), bitsForSigned(adx), bitsForSigned(ady), 2});
        m_bits.ub(1, 1);
        m_bits.ub(0, 1);
        m_bits.ub(uint32_t(n - 2), 4);
        m_bits.sb(cdx, n);
        m_bits.sb(cdy, n);
        m_bits.sb(adx, n);
        m_bits.sb(ady, n);
        m_cur = ai;
        extend(ci);
        extend(ai);
    }

    void end()
    {
        m_bits.ub(0, 6);
        m_bits.align();
    }

    QPoint current() const { return m_cur; }
    bool empty() const { return !m_started; }
    QRect bounds() const { return QRect(QPoint(m_minX, m_minY), QPoint(m_maxX, m_maxY)); }

private:
    void extend(QPoint p)
    {
        m_minX = std::min(m_minX, p.x());
        m_minY = std::min(m_minY, p.y());
        m_maxX = std::max(m_maxX, p.x());
        m_maxY = std::max(m_maxY, p.y());
    }

    BitWriter m_bits;
    bool m_stroke;
    bool m_started = false;
    QPoint m_cur;
    int m_minX = INT32_MAX, m_minY = INT32_MAX, m_maxX = INT32_MIN, m_maxY = INT32_MIN;
};

QPointF clampPoint(QPointF p)
{
    return QPointF(std::clamp(p.x(), -kMaxCoord, kMaxCoord), std::clamp(p.y(), -kMaxCoord, kMaxCoord));
}

QPointF cubicPoint(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

QPointF cubicTangent(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t)
{
    const double u = 1 - t;
    return 3 * u * u * (p1 - p0) + 6 * u * t * (p2 - p1) + 3 * t * t * (p3 - p2);
}

// Encodes the path (twips, relative to `base`) into records; fills close every subpath.
QRect encodePath(QByteArray &out, const QPainterPath &path, QPointF base, bool stroke, QPoint &endPoint)
{
    ShapeEncoder enc(out, stroke);
    auto rel = [&](QPointF p) { return clampPoint(p * 20.0) - base; };
    auto round = [](QPointF p) { return QPoint(int(std::lround(p.x())), int(std::lround(p.y()))); };
    QPoint start;
    QPointF last;
    bool open = false;
    auto closeFill = [&] {
        if (open && !stroke && enc.current() != start)
            enc.lineTo(start);
    };
    const int count = path.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p = rel(QPointF(e.x, e.y));
        if (e.type == QPainterPath::MoveToElement) {
            closeFill();
            start = round(p);
            enc.moveTo(start);
            open = true;
        } else if (e.type == QPainterPath::LineToElement) {
            enc.lineTo(round(p));
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < count) {
            const QPointF c2 = rel(QPointF(path.elementAt(i + 1).x, path.elementAt(i + 1).y));
            const QPointF p3 = rel(QPointF(path.elementAt(i + 2).x, path.elementAt(i + 2).y));
            const QPointF p0 = last;
            const double err =
                std::sqrt(3.0) / 36.0 * std::hypot((p3 - 3 * c2 + 3 * p - p0).x(), (p3 - 3 * c2 + 3 * p - p0).y());
            const int pieces = std::clamp(int(std::ceil(std::cbrt(err / kCurveTolerance))), 1, 64);
            QPointF from = p0;
            for (int k = 1; k <= pieces; ++k) {
                const double t0 = double(k - 1) / pieces, t1 = double(k) / pieces;
                const QPointF to = cubicPoint(p0, p, c2, p3, t1);
                const QPointF d0 = cubicTangent(p0, p, c2, p3, t0) * ((t1 - t0) / 3.0);
                const QPointF d1 = cubicTangent(p0, p, c2, p3, t1) * ((t1 - t0) / 3.0);
                const QPointF ctrl = (3.0 * ((from + d0) + (to - d1)) - (from + to)) / 4.0;
                enc.quadTo(ctrl, to, from);
                from = to;
            }
            i += 2;
            last = p3;
            continue;
        }
        last = p;
    }
    closeFill();
    if (enc.empty())
        return {};
    endPoint = enc.current();
    const QRect b = enc.bounds();
    enc.end();
    return b;
}

} // namespace

SwfWriter::SwfWriter(QSize framePixels) : m_frame(framePixels) {}

uint16_t SwfWriter::defineJpeg(const QByteArray &jpeg, const QByteArray &alpha)
{
    if (m_nextId > 65535) {
        m_idsExhausted = true;
        return 0;
    }
    const uint16_t id = uint16_t(m_nextId++);
    QByteArray body;
    u16(body, id);
    if (alpha.isEmpty()) {
        body.append(jpeg);
        appendTag(m_defs, kTagDefineBitsJpeg2, body, true);
        return id;
    }
    u32(body, uint32_t(jpeg.size()));
    body.append(jpeg);
    uLongf size = compressBound(uLong(alpha.size()));
    QByteArray packed(int(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(alpha.constData()),
              uLong(alpha.size()), 6);
    packed.resize(int(size));
    body.append(packed);
    appendTag(m_defs, kTagDefineBitsJpeg3, body, true);
    return id;
}

QPoint SwfWriter::originAt(QPointF first)
{
    const QPointF base = clampPoint(first * 20.0);
    return {int(std::lround(base.x())), int(std::lround(base.y()))};
}

bool SwfWriter::withinLimits(const QRectF &bounds)
{
    const double limit = kMaxCoord / 40.0; // pixels, with room to move
    return std::abs(bounds.left()) < limit && std::abs(bounds.right()) < limit && std::abs(bounds.top()) < limit &&
           std::abs(bounds.bottom()) < limit;
}

SwfShapeRef SwfWriter::defineFill(const QPainterPath &path, const SwfFill &fill)
{
    return define(path, &fill, nullptr);
}

SwfShapeRef SwfWriter::defineStroke(const QPainterPath &path, const SwfLine &line)
{
    return define(path, nullptr, &line);
}

SwfShapeRef SwfWriter::define(const QPainterPath &path, const SwfFill *fill, const SwfLine *line)
{
    if (path.elementCount() < 2)
        return {};
    const QPointF first(path.elementAt(0).x, path.elementAt(0).y);
    const QPointF base = clampPoint(first * 20.0);
    const QPoint origin = originAt(first);

    QByteArray records;
    QPoint endPoint;
    const QRect edges = encodePath(records, path, base, line != nullptr, endPoint);
    if (edges.isNull())
        return {};

    QByteArray styles;
    if (fill) {
        u8(styles, 1);
        fillStyle(styles, *fill, origin);
        u8(styles, 0);
        u8(styles, 0x10); // one fill bit, no line bits
    } else {
        u8(styles, 0);
        u8(styles, 1);
        const int width = std::clamp(int(std::lround(line->width * 20.0)), 1, 65535);
        u16(styles, width);
        const int cap = line->cap == Qt::RoundCap ? 0 : line->cap == Qt::SquareCap ? 2 : 1;
        const int join = line->join == Qt::RoundJoin ? 0 : line->join == Qt::BevelJoin ? 1 : 2;
        u8(styles, (cap << 6) | (join << 4)); // no fill, scaled, not pixel-hinted
        u8(styles, cap);                      // no-close off, end cap
        if (join == 2)
            u16(styles, std::clamp(int(std::lround(line->miterLimit * 256.0)), 256, 65535));
        rgba(styles, line->color);
        u8(styles, 0x01); // no fill bits, one line bit
    }

    const QByteArray key = styles + records;
    if (const auto it = m_shapeCache.constFind(key); it != m_shapeCache.constEnd())
        return SwfShapeRef{it->id, origin};

    if (m_nextId > 65535) {
        m_idsExhausted = true;
        return {};
    }
    const uint16_t id = uint16_t(m_nextId++);
    QByteArray body;
    u16(body, id);
    if (fill) {
        rect(body, edges.left(), edges.right(), edges.top(), edges.bottom());
    } else {
        const int half = (std::clamp(int(std::lround(line->width * 20.0)), 1, 65535) + 1) / 2;
        rect(body, edges.left() - half, edges.right() + half, edges.top() - half, edges.bottom() + half);
        rect(body, edges.left(), edges.right(), edges.top(), edges.bottom());
        u8(body, 0x01); // uses scaling strokes
    }
    body.append(styles);
    body.append(records);
    appendTag(m_defs, fill ? kTagDefineShape3 : kTagDefineShape4, body);
    m_shapeCache.insert(key, SwfShapeRef{id, {}});
    return SwfShapeRef{id, origin};
}

void SwfWriter::place(const SwfShapeRef &shape, double opacity, Blend blend)
{
    if (!shape.valid())
        return;
    m_display.push_back(Item{shape, int(std::lround(std::clamp(opacity, 0.0, 1.0) * 256)), -1, blend});
}

void SwfWriter::beginClip(const SwfShapeRef &shape)
{
    m_clipStack.push_back(int(m_display.size()));
    m_display.push_back(Item{shape, 256, -1});
}

void SwfWriter::endClip()
{
    if (m_clipStack.empty())
        return;
    m_display[size_t(m_clipStack.back())].clipEnd = int(m_display.size());
    m_clipStack.pop_back();
}

void SwfWriter::appendTag(QByteArray &out, int code, const QByteArray &body, bool forceLong) const
{
    if (body.size() < 63 && !forceLong) {
        u16(out, (code << 6) | int(body.size()));
    } else {
        u16(out, (code << 6) | 0x3F);
        u32(out, uint32_t(body.size()));
    }
    out.append(body);
}

QByteArray SwfWriter::finish(bool compressed)
{
    while (!m_clipStack.empty())
        endClip();

    QByteArray movie;
    rect(movie, 0, m_frame.width() * 20, 0, m_frame.height() * 20);
    u16(movie, 12 << 8); // 12 frames a second, 8.8 fixed
    u16(movie, 1);
    QByteArray attrs;
    u32(attrs, 0);
    appendTag(movie, kTagFileAttributes, attrs);
    QByteArray white;
    u8(white, 255);
    u8(white, 255);
    u8(white, 255);
    appendTag(movie, kTagSetBackgroundColor, white);
    movie.append(m_defs);

    const size_t count = std::min<size_t>(m_display.size(), kMaxPlaced);
    for (size_t i = 0; i < count; ++i) {
        const Item &item = m_display[i];
        const bool clip = item.clipEnd >= 0;
        if (clip && item.clipEnd == int(i) + 1)
            continue; // a clip with nothing under it
        const bool cx = item.alpha < 256;
        const bool blend = item.blend != Normal && !clip;
        QByteArray body;
        u8(body, (clip ? 0x40 : 0) | (cx ? 0x08 : 0) | 0x04 | 0x02);
        if (blend)
            u8(body, 0x02); // has a blend mode
        u16(body, int(i) + 1);
        u16(body, item.shape.id);
        matrix(body, QTransform::fromTranslate(item.shape.origin.x(), item.shape.origin.y()));
        if (cx) {
            BitWriter w(body);
            w.ub(0, 1); // no add terms
            w.ub(1, 1);
            w.ub(10, 4);
            for (int k = 0; k < 3; ++k)
                w.sb(256, 10);
            w.sb(item.alpha, 10);
        }
        if (clip)
            u16(body, std::min<int>(item.clipEnd, kMaxPlaced));
        if (blend)
            u8(body, item.blend);
        appendTag(movie, blend ? kTagPlaceObject3 : kTagPlaceObject2, body);
    }
    appendTag(movie, kTagShowFrame, {});
    appendTag(movie, kTagEnd, {});

    QByteArray out(compressed ? "CWS" : "FWS");
    u8(out, 8);
    u32(out, uint32_t(movie.size() + 8));
    if (!compressed)
        return out + movie;
    uLongf size = compressBound(uLong(movie.size()));
    QByteArray packed(int(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(packed.data()), &size, reinterpret_cast<const Bytef *>(movie.constData()),
              uLong(movie.size()), 6);
    packed.resize(int(size));
    return out + packed;
}
