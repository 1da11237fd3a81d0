#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QPainterPath>
#include <QPoint>
#include <QSize>
#include <QTransform>

#include <cstdint>
#include <vector>

// One fill of a shape: a solid colour, a gradient or a JPEG bitmap. Matrices
// map the fill's own space (gradient square, bitmap pixels) to device twips.
struct SwfFill
{
    enum Kind { Solid, LinearGradient, RadialGradient, Bitmap };
    Kind kind = Solid;
    QColor color = Qt::black;
    std::vector<std::pair<double, QColor>> stops;
    QTransform matrix;
    uint16_t bitmapId = 0;
    bool smooth = true;
};

// How a stroke is drawn; width in device pixels.
struct SwfLine
{
    double width = 1.0;
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::FlatCap;
    Qt::PenJoinStyle join = Qt::MiterJoin;
    double miterLimit = 4.0;
};

// A shape defined in the movie, and where its coordinates start.
struct SwfShapeRef
{
    uint16_t id = 0;
    QPoint origin; // twips
    bool valid() const { return id != 0; }
};

// Writes a one-frame SWF movie (version 8): JPEG bitmaps, filled and stroked
// shapes placed on a display list, and clip layers. Shapes whose outline and
// style repeat (a glyph set many times on a page) are defined once and placed
// where they occur, which keeps text-heavy pages small.
class SwfWriter
{
public:
    // Depths of one frame's display list run from 1 to this.
    static constexpr int kMaxPlaced = 65535;

    explicit SwfWriter(QSize framePixels);

    QSize frameSize() const { return m_frame; }

    // JPEG data (SOI to EOI); alpha, when given, holds width*height bytes.
    uint16_t defineJpeg(const QByteArray &jpeg, const QByteArray &alpha = {});

    // Paths are in device pixels; empty or degenerate paths give an invalid ref.
    SwfShapeRef defineFill(const QPainterPath &path, const SwfFill &fill);
    SwfShapeRef defineStroke(const QPainterPath &path, const SwfLine &line);

    // SWF 8 blend modes (PlaceObject3), as far as a page needs them.
    enum Blend : uint8_t {
        Normal = 0,
        Multiply = 3,
        Screen = 4,
        Lighten = 5,
        Darken = 6,
        Difference = 7,
        Overlay = 13,
        HardLight = 14
    };

    void place(const SwfShapeRef &shape, double opacity = 1.0, Blend blend = Normal);
    // Where a shape defined from a device path that starts at `first` (pixels)
    // is placed, in twips.
    static QPoint originAt(QPointF first);
    // Whether a path within `bounds` (pixels) keeps its shape wherever it is
    // moved within them: no coordinate reaches the movie's limits.
    static bool withinLimits(const QRectF &bounds);
    // Everything placed after beginClip and before the matching endClip is
    // clipped by the shape; clips nest.
    void beginClip(const SwfShapeRef &shape);
    void endClip();
    int openClips() const { return int(m_clipStack.size()); }

    // Number of display-list entries so far; past kMaxPlaced the movie cannot hold them all.
    int placedCount() const { return int(m_display.size()); }
    int definedCount() const { return m_nextId - 1; }
    // True once the page needs more depths or character ids than a movie has:
    // what is written then is incomplete.
    bool overflowed() const { return m_idsExhausted || placedCount() > kMaxPlaced; }

    // The whole file; compressed gives the zlib form ("CWS").
    QByteArray finish(bool compressed = true);

private:
    struct Item
    {
        SwfShapeRef shape;
        int alpha = 256;
        int clipEnd = -1; // for clip layers: index one past the last clipped item
        Blend blend = Normal;
    };

    SwfShapeRef define(const QPainterPath &path, const SwfFill *fill, const SwfLine *line);
    void appendTag(QByteArray &out, int code, const QByteArray &body, bool forceLong = false) const;

    QSize m_frame;
    QByteArray m_defs;
    std::vector<Item> m_display;
    std::vector<int> m_clipStack;
    QHash<QByteArray, SwfShapeRef> m_shapeCache;
    int m_nextId = 1;
    bool m_idsExhausted = false;
};
