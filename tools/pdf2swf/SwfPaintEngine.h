#pragma once

#include "SwfWriter.h"

#include <QPaintEngine>

#include <vector>

// Turns QPainter drawing into SWF shapes: paths and glyph outlines become
// filled or stroked shapes, images become JPEG bitmaps, clipping becomes clip
// layers. Poppler's QPainter backend drives it.
class SwfPaintEngine : public QPaintEngine
{
public:
    SwfPaintEngine(SwfWriter &writer, int jpegQuality);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    void drawPath(const QPainterPath &path) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawRects(const QRectF *rects, int rectCount) override;
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override;
    Type type() const override { return QPaintEngine::User; }

    int imagesWritten() const { return m_imagesWritten; }

private:
    struct Clip
    {
        QByteArray key;
        SwfShapeRef shape;
    };

    void fillPath(const QPainterPath &devicePath, const QBrush &brush, const QTransform &brushTransform);
    void strokePath(const QPainterPath &localPath);
    void setClip(const QPainterPath &devicePath, Qt::ClipOperation op);
    void syncClips();
    bool clippedOut() const;
    uint16_t jpegFor(const QImage &image);
    bool fillFromBrush(const QBrush &brush, const QTransform &toDevice, SwfFill &fill) const;

    SwfWriter &m_writer;
    int m_quality;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QPointF m_brushOrigin;
    double m_opacity = 1.0;
    bool m_inText = false;
    bool m_clipEnabled = false;
    std::vector<Clip> m_clips; // wanted, outermost first
    std::vector<Clip> m_open;  // clip layers open in the writer
    QHash<QByteArray, uint16_t> m_bitmaps;
    int m_imagesWritten = 0;
};
