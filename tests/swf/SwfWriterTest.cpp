#include "SwfTestSupport.h"
#include "TestRoots.h"

#include "SwfPaintDevice.h"
#include "SwfWriter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr int kDefineShape3 = 32;
constexpr int kDefineShape4 = 83;
constexpr int kPlaceObject2 = 26;
constexpr int kJpeg2 = 21;

QPainterPath glyphLike(QPointF at)
{
    QPainterPath p;
    p.addEllipse(QRectF(at, QSizeF(7.3, 9.1)));
    p.addEllipse(QRectF(at + QPointF(2, 2), QSizeF(3.3, 5.1)));
    return p;
}

struct Placement
{
    uint8_t flags = 0;
    int depth = 0;
    int clipDepth = 0;
};

std::vector<Placement> placements(const SwfInfo &info)
{
    std::vector<Placement> out;
    for (const SwfTag &t : tagsWithCode(info, kPlaceObject2)) {
        const uint8_t *b = info.movie.data() + t.offset;
        Placement p;
        p.flags = b[0];
        p.depth = b[1] | b[2] << 8;
        // Nothing follows the clip depth in these records.
        if (p.flags & 0x40)
            p.clipDepth = b[t.length - 2] | b[t.length - 1] << 8;
        out.push_back(p);
    }
    return out;
}

class SwfPaintEngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { testApp(); }

    // Draws with QPainter onto a 400x300 movie and reads it back.
    template <typename Draw> SwfInfo paint(Draw draw, int quality = 80)
    {
        SwfWriter writer(QSize(400, 300));
        {
            SwfPaintDevice device(writer, quality);
            QPainter painter(&device);
            draw(painter);
        }
        return readMovie(writer.finish());
    }
};

} // namespace

TEST(SwfWriter, DefinesARepeatedOutlineOnceAndPlacesItWhereverItOccurs)
{
    SwfWriter writer(QSize(200, 100));
    SwfFill black;
    const SwfShapeRef a = writer.defineFill(glyphLike({10.25, 20.5}), black);
    const SwfShapeRef b = writer.defineFill(glyphLike({60.7, 20.5}), black);
    SwfFill red;
    red.color = Qt::red;
    const SwfShapeRef c = writer.defineFill(glyphLike({90.0, 20.5}), red);
    EXPECT_EQ(a.id, b.id);
    EXPECT_NE(a.origin, b.origin);
    const QPointF first(glyphLike({60.7, 20.5}).elementAt(0));
    EXPECT_EQ(b.origin, (first * 20).toPoint()) << "origins are in twips";
    EXPECT_NE(a.id, c.id) << "another colour is another shape";
    EXPECT_FALSE(writer.defineFill(QPainterPath(), black).valid());
}

TEST(SwfWriter, ClipLayersCoverExactlyWhatWasDrawnInsideThem)
{
    SwfWriter writer(QSize(200, 100));
    SwfFill fill;
    QPainterPath box;
    box.addRect(10, 10, 50, 50);
    const SwfShapeRef shape = writer.defineFill(box, fill);
    writer.place(shape);     // depth 1
    writer.beginClip(shape); // depth 2
    writer.place(shape);     // 3
    writer.beginClip(shape); // 4, nested
    writer.place(shape);     // 5
    writer.endClip();
    writer.place(shape); // 6
    writer.endClip();
    writer.beginClip(shape); // an empty clip is left out
    writer.endClip();
    writer.place(shape, 0.5); // 8
    const auto placed = placements(readMovie(writer.finish()));
    ASSERT_EQ(placed.size(), 7u);
    EXPECT_EQ(placed[1].depth, 2);
    EXPECT_EQ(placed[1].clipDepth, 6);
    EXPECT_EQ(placed[3].depth, 4);
    EXPECT_EQ(placed[3].clipDepth, 5);
    EXPECT_EQ(placed[0].flags & 0x40, 0);
    EXPECT_EQ(placed[6].depth, 8);
    EXPECT_NE(placed[6].flags & 0x08, 0) << "opacity travels as a colour transform";
}

TEST(SwfWriter, SaysWhenAPageNeedsMoreThanAMovieHolds)
{
    SwfWriter writer(QSize(100, 100));
    SwfFill fill;
    for (int i = 0; i < 65535; ++i) {
        QPainterPath p;
        p.addRect(0, 0, 1 + i * 0.05, 1); // one twip wider each time
        ASSERT_TRUE(writer.defineFill(p, fill).valid());
    }
    EXPECT_FALSE(writer.overflowed());
    QPainterPath one;
    one.addRect(5, 5, 50, 50);
    EXPECT_FALSE(writer.defineFill(one, fill).valid()) << "no character id is left";
    EXPECT_TRUE(writer.overflowed());
}

TEST(SwfWriter, EncodesShapesFarBeyondTheEdgeLimits)
{
    // Edges longer than 17-bit deltas and absurd coordinates must still give a valid file.
    SwfWriter writer(QSize(100, 100));
    QPainterPath path;
    path.moveTo(-5000, -5000);
    path.lineTo(9000, 40);
    path.cubicTo(1e9, 1e9, -1e9, 3, 50, 50);
    path.closeSubpath();
    SwfLine line;
    writer.place(writer.defineFill(path, SwfFill{}));
    writer.place(writer.defineStroke(path, line));
    const SwfInfo info = readMovie(writer.finish());
    EXPECT_EQ(tagsWithCode(info, kDefineShape3).size(), 1u);
    EXPECT_EQ(tagsWithCode(info, kDefineShape4).size(), 1u);
}

TEST_F(SwfPaintEngineTest, HugePicturesAreKeptAtTwiceTheirShownSize)
{
    QImage scan(2400, 1800, QImage::Format_RGB32);
    scan.fill(qRgb(90, 120, 200));
    const SwfInfo info = paint([&](QPainter &p) { p.drawImage(QRectF(10, 10, 120, 90), scan); });
    const SwfTag jpeg = tagsWithCode(info, kJpeg2).at(0);
    const QByteArray data(reinterpret_cast<const char *>(info.movie.data() + jpeg.offset + 2),
                          qsizetype(jpeg.length - 2));
    const QImage stored = QImage::fromData(data, "JPEG");
    EXPECT_EQ(stored.size(), QSize(240, 180));
}

TEST_F(SwfPaintEngineTest, ClippingBecomesClipLayersAndAnEmptyClipHidesEverything)
{
    const SwfInfo info = paint([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 400, 300), Qt::white);
        p.save();
        QPainterPath circle;
        circle.addEllipse(QRectF(50, 50, 100, 100));
        p.setClipPath(circle);
        p.fillRect(QRectF(0, 0, 400, 300), Qt::red);
        p.setClipRect(QRectF(60, 60, 10, 10), Qt::IntersectClip);
        p.fillRect(QRectF(0, 0, 400, 300), Qt::blue);
        p.restore();
        p.setClipRect(QRectF(0, 0, 400, 300)); // the whole frame: no layer needed
        p.fillRect(QRectF(10, 10, 20, 20), Qt::green);
        p.setClipRect(QRectF(500, 500, 0, 0));
        p.fillRect(QRectF(0, 0, 400, 300), Qt::black);
        p.setClipping(false);
        p.fillRect(QRectF(0, 0, 5, 5), Qt::gray);
        p.setClipping(true); // the empty clip again
        p.fillRect(QRectF(0, 0, 400, 300), Qt::black);
    });
    const auto placed = placements(info);
    ASSERT_EQ(placed.size(), 7u); // white, circle clip, red, box clip, blue, green, grey
    EXPECT_EQ(placed[1].clipDepth, placed[4].depth);
    EXPECT_EQ(placed[3].clipDepth, placed[4].depth);
    EXPECT_EQ(placed[5].flags & 0x40, 0);
    EXPECT_EQ(placed[5].depth, 6);
}

TEST_F(SwfPaintEngineTest, StrokesKeepTheirWidthAndDashesBecomeSegments)
{
    const SwfInfo info = paint([](QPainter &p) {
        p.scale(2, 2);
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QLineF(10, 10, 100, 10));
        QPen dashed(Qt::black, 1, Qt::DashLine);
        p.setPen(dashed);
        p.drawLine(QLineF(10, 30, 100, 30));
    });
    const auto strokes = tagsWithCode(info, kDefineShape4);
    ASSERT_EQ(strokes.size(), 2u);
    // Line style width sits after id, two bounding rectangles, flags and the style counts.
    const SwfTag solid = strokes[0];
    const uint8_t *b = info.movie.data() + solid.offset;
    const int nbits = b[2] >> 3;
    const size_t rect = (5 + 4 * size_t(nbits) + 7) / 8;
    const size_t edgeRectStart = 2 + rect;
    const int nbits2 = b[edgeRectStart] >> 3;
    const size_t widthAt = edgeRectStart + (5 + 4 * size_t(nbits2) + 7) / 8 + 1 + 1 + 1;
    EXPECT_EQ(b[widthAt] | b[widthAt + 1] << 8, 120) << "3 units scaled by 2 is 6 pixels, 120 twips";
    EXPECT_GT(strokes[1].length, strokes[0].length * 3) << "a dashed line is many segments";
}
