#include "platform/PdfRasterizer.h"

#include "platform/AtomicFile.h"
#include "platform/BorrowPool.h"
#include "platform/PdfDocument.h"

#include "platform/Logging.h"

#include <QFile>

#include <ErrorCodes.h>
#include <GlobalParams.h>
#include <PDFDoc.h>
#include <SplashOutputDev.h>
#include <Stream.h>
#include <Page.h>
#include <TextOutputDev.h>
#include <goo/GooString.h>
#include <splash/Splash.h>
#include <splash/SplashBitmap.h>
#include <turbojpeg.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <unistd.h>

namespace {

const auto logger = Logging::logger("PdfRasterizer");

// A ten-thousandth of `extent`, clamped to the page: words drawn partly
// outside the crop box still get a box that lies on the page.
int fraction(double value, double extent)
{
    if (!(extent > 0) || !std::isfinite(value))
        return 0;
    return int(std::lround(std::clamp(value / extent, 0.0, 1.0) * 10000.0));
}

// Ligatures become their letters and control characters go, so that a search
// for "find" finds a word set with an fi ligature and a line stays one line.
QString plainWord(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFB00 && u <= 0xFB06)
            out += QString(c).normalized(QString::NormalizationForm_KC);
        else if (u >= 0x20 && u != 0x7F && u != 0xFFFD && !(u >= 0x80 && u < 0xA0))
            out += c;
        else if (u == 0x09)
            out += QLatin1Char(' ');
    }
    return out.trimmed();
}

// `size` is the page as shown (crop box, rotation applied) in the units of
// the words' boxes.
QByteArray wordLines(TextWordList &list, const QSizeF &size)
{
    QByteArray lines;
    // Poppler gives the words in reading order, with the origin at the top
    // left; text drawn invisibly (the text layer of a searchable scan) is
    // included.
    const int count = list.getLength();
    for (int i = 0; i < count; ++i) {
        const TextWord *word = list.get(i);
        const std::unique_ptr<GooString> raw(word->getText());
        const QString text = plainWord(raw ? QString::fromUtf8(raw->c_str()) : QString());
        if (text.isEmpty())
            continue;
        double left = 0, top = 0, right = 0, bottom = 0;
        word->getBBox(&left, &top, &right, &bottom);
        const int x = fraction(left, size.width());
        const int y = fraction(top, size.height());
        const int w = fraction(right, size.width()) - x;
        const int h = fraction(bottom, size.height()) - y;
        const char after = word->nextWord() ? (word->hasSpaceAfter() ? '1' : '0') : '2';
        QByteArray line = QByteArray::number(x) + ' ' + QByteArray::number(y) + ' ' + QByteArray::number(w) + ' ' +
                          QByteArray::number(h) + ' ' + after + ' ' + text.toUtf8() + '\n';
        if (lines.size() + line.size() > PdfRasterizer::kMaxWordBytes) {
            LOG4CXX_WARN(logger, "a page holds more than " << PdfRasterizer::kMaxWordBytes
                                                           << " bytes of words; the rest is left out");
            break;
        }
        lines += line;
    }
    return lines;
}

// Poppler's process-wide settings live while any document does; held for the
// whole process, they are made once. Poppler reports damage in a file on
// standard error; it goes to the log instead.
void initPoppler()
{
    static GlobalParamsIniter initer([](ErrorCategory, Goffset position, const char *message) {
        LOG4CXX_DEBUG(logger, "poppler: " << message << " (at " << position << ")");
    });
}

// Splash draws a page onto clear paper and lays the result on white at the
// end, a pass over every pixel. Drawn straight onto opaque white, a page comes
// out the same unless something on it blends by a mode for which a white
// backdrop is not neutral: Normal, Multiply and Darken leave the source's
// colour over white, Screen, Lighten, Difference and the rest do not. This
// looks for such a mode in every graphics state the page can reach (its
// resources, forms, patterns, Type3 glyphs and annotation appearances); a page
// too tangled to look through in full counts as blending.
class BlendScan
{
public:
    explicit BlendScan(XRef *xref) : m_xref(xref) {}

    bool pageBlendsOnlyNeutrally(Page *page)
    {
        if (!page)
            return false;
        if (Object *resources = page->getResourceDictObject();
            resources && !resources->isNull() && !resourcesNeutral(*resources))
            return false;
        const Object annots = page->getAnnotsObject(m_xref);
        if (annots.isArray())
            for (int i = 0; i < annots.arrayGetLength(); ++i) {
                const Object annot = follow(annots.arrayGetNF(i));
                if (!m_ok)
                    return false;
                if (!annot.isDict())
                    continue;
                const Object appearances = follow(annot.dictLookupNF("AP"));
                const Object normal = appearances.isDict() ? follow(appearances.dictLookupNF("N")) : Object(objNull);
                if (normal.isStream()) {
                    if (!formNeutral(normal))
                        return false;
                } else if (normal.isDict()) {
                    for (int j = 0; j < normal.dictGetLength(); ++j)
                        if (!formNeutral(follow(normal.dictGetValNF(j))))
                            return false;
                }
            }
        return m_ok;
    }

private:
    static constexpr int kMaxObjects = 4000;

    // The object itself, or what a reference names when it was not seen
    // before (null then otherwise).
    Object follow(const Object &object)
    {
        if (--m_budget < 0)
            m_ok = false;
        if (!m_ok)
            return Object(objNull);
        if (!object.isRef())
            return object.copy();
        if (!m_seen.insert({object.getRefNum(), object.getRefGen()}).second)
            return Object(objNull);
        return object.fetch(m_xref);
    }

    static bool neutralMode(const Object &mode)
    {
        if (mode.isNull())
            return true;
        if (mode.isArray()) {
            for (int i = 0; i < mode.arrayGetLength(); ++i)
                if (!neutralMode(mode.arrayGetNF(i)))
                    return false;
            return mode.arrayGetLength() > 0;
        }
        return mode.isName("Normal") || mode.isName("Compatible") || mode.isName("Multiply") || mode.isName("Darken");
    }

    bool formNeutral(const Object &form)
    {
        if (!m_ok)
            return false;
        if (!form.isStream())
            return true;
        Dict *dict = form.streamGetDict();
        return !dict || resourcesNeutral(dict->lookupNF("Resources"));
    }

    bool resourcesNeutral(const Object &reference)
    {
        const Object resources = follow(reference);
        if (!m_ok)
            return false;
        if (!resources.isDict())
            return true;
        const auto each = [&](const char *key, const auto &check) {
            const Object group = follow(resources.dictLookupNF(key));
            if (!group.isDict())
                return m_ok;
            for (int i = 0; i < group.dictGetLength() && m_ok; ++i)
                if (!check(follow(group.dictGetValNF(i))))
                    return false;
            return m_ok;
        };
        return each("ExtGState",
                    [&](const Object &state) { return !state.isDict() || neutralMode(state.dictLookup("BM")); }) &&
               each("XObject", [&](const Object &xobject) { return formNeutral(xobject); }) &&
               each("Pattern",
                    [&](const Object &pattern) {
                        if (pattern.isStream())
                            return formNeutral(pattern);
                        if (!pattern.isDict())
                            return true;
                        const Object state = follow(pattern.dictLookupNF("ExtGState"));
                        return !state.isDict() || neutralMode(state.dictLookup("BM"));
                    }) &&
               each("Font", [&](const Object &font) {
                   return !font.isDict() || !font.dictLookup("Subtype").isName("Type3") ||
                          resourcesNeutral(font.dictLookupNF("Resources"));
               });
    }

    XRef *m_xref;
    std::set<std::pair<int, int>> m_seen;
    int m_budget = kMaxObjects;
    bool m_ok = true;
};

// Draws pages at the bitmap's exact size, shapes and text smoothed. On clear
// paper, Splash lays the drawing on white at the end of a page; on opaque
// paper (see BlendScan) the page is drawn onto white from the start: made
// without a paper colour, Splash keeps the page as drawn.
class PagePainter : public SplashOutputDev
{
public:
    PagePainter(bool opaque, PDFDoc *doc)
        : SplashOutputDev(splashModeXBGR8, 4, false, opaque ? nullptr : white()), m_opaque(opaque)
    {
        setPaperColor(white());
        setFontAntialias(true);
        setVectorAntialias(true);
        startDoc(doc);
    }

    void startPage(int pageNum, GfxState *state, XRef *xref) override
    {
        SplashOutputDev::startPage(pageNum, state, xref);
        if (m_opaque)
            getSplash()->clear(white(), 255);
    }

private:
    static SplashColorPtr white()
    {
        static SplashColor color = {255, 255, 255, 255};
        return color;
    }

    bool m_opaque;
};

// An open document with the devices that draw it and read its words. The
// devices are kept from page to page, as are the fonts, glyphs and colour
// transforms they hold: a document's pages mostly share them.
struct OpenedPdf
{
    QByteArray bytes; // the file when it is read whole; it outlives the document
    std::unique_ptr<PDFDoc> doc;
    std::unique_ptr<PagePainter> clearPainter;
    std::unique_ptr<PagePainter> opaquePainter;
    std::unique_ptr<TextOutputDev> reader;

    // The page as shown, in points: the crop box with the rotation applied.
    QSizeF shownSize(int page)
    {
        const double w = doc->getPageCropWidth(page + 1);
        const double h = doc->getPageCropHeight(page + 1);
        const int rotate = doc->getPageRotate(page + 1);
        return rotate == 90 || rotate == 270 ? QSizeF(h, w) : QSizeF(w, h);
    }

    // The device that draws the page, chosen by what it blends; null for a
    // page Poppler cannot load, which nothing draws (a device would keep
    // what it held).
    PagePainter *painterFor(int page)
    {
        Page *loaded = doc->getPage(page + 1);
        if (!loaded)
            return nullptr;
        return BlendScan(doc->getXRef()).pageBlendsOnlyNeutrally(loaded) ? opaquePainter.get() : clearPainter.get();
    }

    // The page drawn by `device` at exactly `to` pixels; null when it could not be.
    QImage draw(PagePainter *device, int page, const QSizeF &points, const QSize &to)
    {
        if (!device)
            return {};
        doc->displayPageSlice(device, page + 1, 72.0 * to.width() / points.width(),
                              72.0 * to.height() / points.height(), 0, false, true, false, 0, 0, to.width(),
                              to.height());
        SplashBitmap *bitmap = device->takeBitmap();
        if (!bitmap || bitmap->getWidth() != to.width() || bitmap->getHeight() != to.height() ||
            bitmap->getRowSize() < 4 * to.width()) {
            delete bitmap;
            return {};
        }
        // The bitmap's rows are 0xFFRRGGBB words; the image owns it from here.
        return QImage(
            bitmap->getDataPtr(), to.width(), to.height(), bitmap->getRowSize(), QImage::Format_RGB32,
            [](void *owned) { delete static_cast<SplashBitmap *>(owned); }, bitmap);
    }

    // Nothing for a page Poppler cannot load: the text device still holds the
    // words of the page it read last.
    std::optional<QByteArray> words(int page, const QSizeF &points)
    {
        if (!doc->getPage(page + 1))
            return std::nullopt;
        doc->displayPageSlice(reader.get(), page + 1, 72, 72, 0, false, false, false, -1, -1, -1, -1);
        const std::unique_ptr<TextWordList> list = reader->makeWordList();
        return list ? wordLines(*list, points) : QByteArray();
    }
};

// Poppler documents are not safe to share between threads, and opening one is
// the costly part; each concurrent renderer borrows one, and they are kept.
class PopplerRasterizer : public PdfRasterizer
{
public:
    PopplerRasterizer(QString path, int pages, int maxConcurrent, std::unique_ptr<OpenedPdf> first)
        : m_path(std::move(path)), m_pageCount(pages), m_documents(maxConcurrent, std::move(first))
    {}

    int pageCount() const override { return m_pageCount; }
    int renderCount() const override { return m_renders.load(); }

    Output render(int page, int quality, bool wantPage, bool wantThumb, bool wantScreen) override
    {
        return renderPage(page, quality, wantPage, wantThumb, wantScreen, nullptr);
    }

    Written renderFiles(int page, int quality, const PageFiles &files) override
    {
        Words words;
        const bool wantWords = !files.words.isEmpty();
        const Output out = renderPage(page, quality, !files.image.isEmpty() || !files.mobile.isEmpty(),
                                      !files.thumb.isEmpty(), !files.screen.isEmpty(), wantWords ? &words : nullptr);
        return writeFiles(out, words, files);
    }

private:
    // One rendering of the page and, when `words` is given, the words of the
    // same page object: the document is parsed for the page once.
    Output renderPage(int page, int quality, bool wantPage, bool wantThumb, bool wantScreen, Words *words)
    {
        Output out;
        if (page < 0 || page >= m_pageCount) {
            out.error = QStringLiteral("no page %1 in a document of %2").arg(page + 1).arg(m_pageCount);
            return out;
        }
        std::unique_ptr<OpenedPdf> doc = m_documents.borrow([this] { return openDocument(m_path); });
        if (!doc) {
            out.error = QStringLiteral("the document could not be opened again");
            return out;
        }
        QImage image;
        QImage small; // the thumbnail's own rendering
        QSize size;
        QSizeF points;
        // Without a screen copy to scale it from, the thumbnail is drawn on its
        // own at twice its size and halved (four samples a pixel): the same
        // pixels whether or not the whole page is wanted too (a book imported
        // for the phone edition or not).
        const bool ownThumb = wantThumb && !wantScreen;
        try {
            points = doc->shownSize(page);
            size = pageImageSize(points);
            if (size.isValid() && points.width() > 0 && points.height() > 0) {
                PagePainter *painter = doc->painterFor(page);
                if (wantPage || wantScreen)
                    image = doc->draw(painter, page, points, size);
                if (ownThumb)
                    small = doc->draw(painter, page, points, thumbnailSize(points * 2.0) * 2);
                m_renders.fetch_add(1);
            }
            if (words) {
                std::optional<QByteArray> lines;
                try {
                    lines = doc->words(page, points);
                } catch (...) {
                }
                if (lines)
                    words->lines = *lines;
                else
                    words->error = QStringLiteral("page %1 could not be read").arg(page + 1);
            }
        } catch (...) {
            image = small = QImage();
        }
        m_documents.giveBack(std::move(doc));
        if ((image.isNull() && (wantPage || wantScreen)) || (small.isNull() && ownThumb) || !size.isValid()) {
            out.error = QStringLiteral("page %1 could not be rendered").arg(page + 1);
            return out;
        }
        out.pageSize = size;
        if (wantPage)
            out.pageJpeg = encodeJpeg(image, quality);
        // With a screen copy, the thumbnail is scaled from it.
        const QImage half = wantScreen ? halfImage(image) : QImage();
        if (wantScreen)
            out.screenJpeg = encodeJpeg(half, kScreenQuality);
        if (wantThumb) {
            out.thumbSize = thumbnailSize(points * 2.0);
            const QImage from = ownThumb ? halfImage(small)
                                : half.width() >= out.thumbSize.width() && half.height() >= out.thumbSize.height()
                                    ? half
                                    : image;
            out.thumbJpeg = encodeJpeg(from.size() == out.thumbSize ? from
                                                                    : from.scaled(out.thumbSize, Qt::IgnoreAspectRatio,
                                                                                  Qt::SmoothTransformation),
                                       quality);
        }
        if ((wantPage && out.pageJpeg.isEmpty()) || (wantThumb && out.thumbJpeg.isEmpty()) ||
            (wantScreen && out.screenJpeg.isEmpty()))
            out.error = QStringLiteral("page %1 could not be encoded").arg(page + 1);
        return out;
    }

public:
    Words words(int page) override
    {
        Words out;
        if (page < 0 || page >= m_pageCount) {
            out.error = QStringLiteral("no page %1 in a document of %2").arg(page + 1).arg(m_pageCount);
            return out;
        }
        std::unique_ptr<OpenedPdf> doc = m_documents.borrow([this] { return openDocument(m_path); });
        if (!doc) {
            out.error = QStringLiteral("the document could not be opened again");
            return out;
        }
        std::optional<QByteArray> lines;
        try {
            lines = doc->words(page, doc->shownSize(page));
        } catch (...) {
        }
        if (lines)
            out.lines = *lines;
        else
            out.error = QStringLiteral("page %1 could not be read").arg(page + 1);
        m_documents.giveBack(std::move(doc));
        return out;
    }

public:
    // Null for a file that is no PDF, and when `locked` is given, for one locked
    // by a password, setting `locked` then.
    static std::unique_ptr<OpenedPdf> openDocument(const QString &path, bool *locked = nullptr)
    {
        initPoppler();
        auto opened = std::make_unique<OpenedPdf>();
        opened->bytes = PdfDocument::readWhole(path);
        if (!opened->bytes.isEmpty())
            opened->doc = std::make_unique<PDFDoc>(
                new MemStream(opened->bytes.constData(), 0, opened->bytes.size(), Object(objNull)));
        else
            opened->doc = std::make_unique<PDFDoc>(std::make_unique<GooString>(QFile::encodeName(path).constData()));
        if (!opened->doc->isOk()) {
            if (locked && opened->doc->getErrorCode() == errEncrypted)
                *locked = true;
            return nullptr;
        }
        // Splash honours soft masks and transparency groups.
        opened->clearPainter = std::make_unique<PagePainter>(false, opened->doc.get());
        opened->opaquePainter = std::make_unique<PagePainter>(true, opened->doc.get());
        opened->reader = std::make_unique<TextOutputDev>(nullptr, false, 0, false, false);
        if (!opened->reader->isOk())
            return nullptr;
        return opened;
    }

private:
    QString m_path;
    int m_pageCount;
    BorrowPool<OpenedPdf> m_documents;
    std::atomic<int> m_renders{0};
};

} // namespace

PdfRasterizerPtr PdfRasterizer::openPoppler(const QString &path, int maxConcurrent, QString *error)
{
    if (!QFile::exists(path)) {
        if (error)
            *error = QStringLiteral("no such file");
        return nullptr;
    }
    std::unique_ptr<OpenedPdf> doc;
    bool locked = false;
    try {
        doc = PopplerRasterizer::openDocument(path, &locked);
    } catch (...) {
        doc.reset();
    }
    if (!doc) {
        if (error)
            *error = locked ? kLocked : QStringLiteral("not a readable PDF, or locked by a password");
        return nullptr;
    }
    const int pages = doc->doc->getNumPages();
    return std::make_shared<PopplerRasterizer>(path, pages, maxConcurrent, std::move(doc));
}

PdfRasterizer::Written PdfRasterizer::renderFiles(int page, int quality, const PageFiles &files)
{
    const Output out = render(page, quality, !files.image.isEmpty() || !files.mobile.isEmpty(), !files.thumb.isEmpty(),
                              !files.screen.isEmpty());
    return writeFiles(out, out.ok() && !files.words.isEmpty() ? words(page) : Words(), files);
}

PdfRasterizer::Written PdfRasterizer::writeFiles(const Output &rendered, const Words &words, const PageFiles &files)
{
    Written out;
    if (!rendered.ok()) {
        out.error = rendered.error;
        return out;
    }
    out.pageSize = rendered.pageSize;
    out.thumbSize = rendered.thumbSize;
    const auto write = [&out](const QString &path, const QByteArray &bytes) {
        QString reason;
        if (path.isEmpty() || AtomicFile::write(path, bytes, &reason, false))
            return true;
        out.error = QStringLiteral("cannot write %1: %2").arg(path, reason);
        return false;
    };
    if (!write(files.image, rendered.pageJpeg) || !write(files.screen, rendered.screenJpeg))
        return out;
    // The mobile image is the same bytes: a second name of the page image when
    // it was written, else a file of its own.
    if (!files.mobile.isEmpty()) {
        const QByteArray mobile = QFile::encodeName(files.mobile);
        ::unlink(mobile.constData());
        if ((files.image.isEmpty() || ::link(QFile::encodeName(files.image).constData(), mobile.constData()) != 0) &&
            !write(files.mobile, rendered.pageJpeg))
            return out;
    }
    if (!write(files.thumb, rendered.thumbJpeg))
        return out;
    if (!files.words.isEmpty()) {
        if (!words.ok())
            out.wordsError = words.error;
        else if (!write(files.words, words.lines))
            return out;
    }
    return out;
}

QSize PdfRasterizer::pageImageSize(const QSizeF &points)
{
    double w = points.width() * 2.0;
    double h = points.height() * 2.0;
    if (!(w >= 0.5 && h >= 0.5) || !std::isfinite(w) || !std::isfinite(h))
        return {};
    double scale = 1.0;
    scale = std::min(scale, kMaxSide / w);
    scale = std::min(scale, kMaxSide / h);
    scale = std::min(scale, std::sqrt(double(kMaxPixels) / (w * h)));
    if (scale < 1.0) {
        LOG4CXX_WARN(logger, "page of " << points.width() << "x" << points.height()
                                        << " points is rendered scaled down by " << scale);
        return QSize(std::max(1, int(w * scale)), std::max(1, int(h * scale)));
    }
    return QSize(std::max(1, int(std::lround(w))), std::max(1, int(std::lround(h))));
}

QSize PdfRasterizer::thumbnailSize(const QSizeF &pageImage)
{
    const float w = float(pageImage.width());
    const float h = float(pageImage.height());
    if (w <= 0 || h <= 0)
        return {};
    const float box = float(kThumbBox);
    if (w > h)
        return QSize(kThumbBox, std::max(1, int(h * box / w)));
    return QSize(std::max(1, int(w * box / h)), kThumbBox);
}

QImage PdfRasterizer::halfImage(const QImage &source)
{
    if (source.isNull())
        return {};
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    QImage half((w + 1) / 2, (h + 1) / 2, image.format());
    if (half.isNull())
        return {};
    // Each pixel is the mean of its two by two pixels (an odd last row or
    // column counts twice): the exact halving, at a fraction of the cost of the
    // general smooth scaling.
    const int halfWidth = half.width();
    const int halfHeight = half.height();
    const int pairs = w / 2; // output pixels with two source columns
    for (int y = 0; y < halfHeight; ++y) {
        const auto *top = reinterpret_cast<const quint32 *>(image.constScanLine(2 * y));
        const auto *bottom = reinterpret_cast<const quint32 *>(image.constScanLine(std::min(2 * y + 1, h - 1)));
        auto *out = reinterpret_cast<quint32 *>(half.scanLine(y));
        int x = 0;
#if defined(__SSE2__)
        // Two output pixels a step, their eight channels summed in 16-bit lanes.
        const __m128i zero = _mm_setzero_si128();
        const __m128i two = _mm_set1_epi16(2);
        for (; x + 2 <= pairs; x += 2) {
            const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i *>(top + 2 * x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bottom + 2 * x));
            const __m128i low = _mm_add_epi16(_mm_unpacklo_epi8(t, zero), _mm_unpacklo_epi8(b, zero));
            const __m128i high = _mm_add_epi16(_mm_unpackhi_epi8(t, zero), _mm_unpackhi_epi8(b, zero));
            const __m128i sums = _mm_unpacklo_epi64(_mm_add_epi16(low, _mm_srli_si128(low, 8)),
                                                    _mm_add_epi16(high, _mm_srli_si128(high, 8)));
            const __m128i mean = _mm_srli_epi16(_mm_add_epi16(sums, two), 2);
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + x), _mm_packus_epi16(mean, zero));
        }
#endif
        // Two channels are summed at once in 16-bit lanes.
        constexpr quint32 kEven = 0x00ff00ffU;
        for (; x < halfWidth; ++x) {
            const int left = 2 * x;
            const int right = std::min(left + 1, w - 1);
            const quint32 a = top[left], b = top[right], c = bottom[left], d = bottom[right];
            const quint32 even = (a & kEven) + (b & kEven) + (c & kEven) + (d & kEven) + 0x00020002U;
            const quint32 odd =
                ((a >> 8) & kEven) + ((b >> 8) & kEven) + ((c >> 8) & kEven) + ((d >> 8) & kEven) + 0x00020002U;
            out[x] = ((even >> 2) & kEven) | (((odd >> 2) & kEven) << 8);
        }
    }
    return half;
}

QByteArray PdfRasterizer::encodeJpeg(const QImage &source, int quality)
{
    if (source.isNull())
        return {};
    QImage image = source;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    tjhandle handle = tjInitCompress();
    if (!handle)
        return {};
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    // QImage's 32-bit formats are 0xAARRGGBB words: B, G, R, X in memory here.
    const int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    const int rc = tjCompress2(handle, image.constBits(), image.width(), int(image.bytesPerLine()), image.height(),
                               pixelFormat, &jpeg, &size, TJSAMP_420, std::clamp(quality, 1, 100), 0);
    QByteArray out;
    if (rc == 0 && jpeg)
        out = QByteArray(reinterpret_cast<const char *>(jpeg), qsizetype(size));
    if (jpeg)
        tjFree(jpeg);
    tjDestroy(handle);
    return out;
}
