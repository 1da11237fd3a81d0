#pragma once

#include "SwfWriter.h"

#include <QPaintEngine>
#include <QStringList>

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
    // Device areas drawn with something the movie cannot express (blend modes
    // SWF lacks): they are to be covered by a picture of the page.
    const std::vector<QRectF> &rasterAreas() const { return m_rasterAreas; }
    // What those areas lost, one phrase each (e.g. "the soft-light blend mode").
    const QStringList &rasterReasons() const { return m_rasterReasons; }

private:
    struct Clip
    {
        QByteArray key;
        SwfShapeRef shape;
        QRectF bounds; // device pixels
    };

    void fillPath(const QPainterPath &devicePath, const QBrush &brush, const QTransform &brushTransform);
    // Fills a glyph outline; false when it is to be filled as any path.
    bool fillGlyph(const QPainterPath &localPath);
    void strokePath(const QPainterPath &localPath);
    void setClip(const QPainterPath &devicePath, Qt::ClipOperation op);
    void syncClips();
    bool clippedOut() const;
    bool drawnAsPicture(const QRectF &deviceBounds);
    uint16_t jpegFor(const QImage &image);
    bool fillFromBrush(const QBrush &brush, const QTransform &toDevice, SwfFill &fill) const;

    SwfWriter &m_writer;
    int m_quality;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QPointF m_brushOrigin;
    double m_opacity = 1.0;
    SwfWriter::Blend m_blend = SwfWriter::Normal;
    QString m_unsupportedBlend; // set while a blend mode SWF lacks is in force
    std::vector<QRectF> m_rasterAreas;
    QStringList m_rasterReasons;
    bool m_inText = false;
    bool m_clipEnabled = false;
    std::vector<Clip> m_clips; // wanted, outermost first
    std::vector<Clip> m_open;  // clip layers open in the writer
    QHash<QByteArray, uint16_t> m_bitmaps;
    struct Glyph
    {
        uint16_t id;
        QRectF bounds; // device pixels, less the text's position
    };
    QHash<QByteArray, Glyph> m_glyphs; // by outline, size and turn, colour
    int m_imagesWritten = 0;
};
