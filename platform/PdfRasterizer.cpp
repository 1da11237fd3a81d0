#include "platform/PdfRasterizer.h"

#include "platform/AtomicFile.h"
#include "platform/BorrowPool.h"

#include "platform/Logging.h"

#include <QFile>

#include <poppler-qt6.h>
#include <turbojpeg.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
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

QByteArray wordLines(const Poppler::Page &page)
{
    const QSizeF size = page.pageSizeF(); // the crop box as shown, rotation applied
    QByteArray lines;
    // Poppler returns the words in reading order, in points of the shown page
    // with its origin at the top left; text drawn invisibly (the text layer of
    // a searchable scan) is included.
    const std::vector<std::unique_ptr<Poppler::TextBox>> boxes = page.textList();
    for (const std::unique_ptr<Poppler::TextBox> &box : boxes) {
        const QString text = plainWord(box->text());
        if (text.isEmpty())
            continue;
        const QRectF r = box->boundingBox();
        const int x = fraction(r.left(), size.width());
        const int y = fraction(r.top(), size.height());
        const int w = fraction(r.right(), size.width()) - x;
        const int h = fraction(r.bottom(), size.height()) - y;
        const char after = box->nextWord() ? (box->hasSpaceAfter() ? '1' : '0') : '2';
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

// Poppler documents are not safe to share between threads, and opening one is
// the costly part; each concurrent renderer borrows one, and they are kept.
class PopplerRasterizer : public PdfRasterizer
{
public:
    PopplerRasterizer(QString path, int pages, int maxConcurrent, std::unique_ptr<Poppler::Document> first)
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
        std::unique_ptr<Poppler::Document> doc = m_documents.borrow([this] { return openDocument(m_path); });
        if (!doc) {
            out.error = QStringLiteral("the document could not be opened again");
            return out;
        }
        QImage image;
        QImage small; // the thumbnail's own rendering
        QSize size;
        QSizeF points;
        // Without a screen copy to scale it from, the thumbnail is drawn at half
        // resolution on its own: a quarter of the pixels, and the same pixels
        // whether or not the whole page is wanted too (a book imported for the
        // phone edition or not).
        const bool ownThumb = wantThumb && !wantScreen;
        try {
            std::unique_ptr<Poppler::Page> p = doc->page(page);
            if (p) {
                points = p->pageSizeF();
                size = pageImageSize(points);
                if (size.isValid() && points.width() > 0 && points.height() > 0) {
                    // Poppler scales by resolution; aim both axes at the exact size.
                    const auto draw = [&](QSize to) {
                        return p->renderToImage(72.0 * to.width() / points.width(),
                                                72.0 * to.height() / points.height(), 0, 0, to.width(), to.height());
                    };
                    if (wantPage || wantScreen)
                        image = draw(size);
                    if (ownThumb) {
                        const QSize box = thumbnailSize(points * 2.0);
                        const QSize half((size.width() + 1) / 2, (size.height() + 1) / 2);
                        small = draw(half.width() >= box.width() && half.height() >= box.height() ? half : box);
                    }
                    m_renders.fetch_add(1);
                }
                if (words) {
                    try {
                        words->lines = wordLines(*p);
                    } catch (...) {
                        words->error = QStringLiteral("page %1 could not be read").arg(page + 1);
                    }
                }
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
            const QImage &from = ownThumb ? small
                                 : half.width() >= out.thumbSize.width() && half.height() >= out.thumbSize.height()
                                     ? half
                                     : image;
            out.thumbJpeg =
                encodeJpeg(from.scaled(out.thumbSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), quality);
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
        std::unique_ptr<Poppler::Document> doc = m_documents.borrow([this] { return openDocument(m_path); });
        if (!doc) {
            out.error = QStringLiteral("the document could not be opened again");
            return out;
        }
        try {
            if (std::unique_ptr<Poppler::Page> p = doc->page(page))
                out.lines = wordLines(*p);
            else
                out.error = QStringLiteral("page %1 could not be read").arg(page + 1);
        } catch (...) {
            out.error = QStringLiteral("page %1 could not be read").arg(page + 1);
        }
        m_documents.giveBack(std::move(doc));
        return out;
    }

public:
    // Null for a file that is no PDF, and when `locked` is given, for one locked
    // by a password, setting `locked` then.
    static std::unique_ptr<Poppler::Document> openDocument(const QString &path, bool *locked = nullptr)
    {
        // Poppler reads a file through a buffer of a few hundred bytes, one seek
        // and read call each; a document of ordinary size is read whole instead.
        std::unique_ptr<Poppler::Document> doc;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxInMemoryBytes) {
            const QByteArray bytes = file.readAll();
            if (bytes.size() == file.size())
                doc = Poppler::Document::loadFromData(bytes);
        } else {
            doc = Poppler::Document::load(path);
        }
        if (doc && doc->isLocked() && locked)
            *locked = true;
        if (!doc || doc->isLocked())
            return nullptr;
        // Splash honours soft masks, which the QPainter backend drops.
        doc->setRenderBackend(Poppler::Document::SplashBackend);
        doc->setRenderHint(Poppler::Document::Antialiasing, true);
        doc->setRenderHint(Poppler::Document::TextAntialiasing, true);
        doc->setPaperColor(Qt::white);
        return doc;
    }

private:
    QString m_path;
    int m_pageCount;
    BorrowPool<Poppler::Document> m_documents;
    std::atomic<int> m_renders{0};
};

} // namespace

PdfRasterizerPtr PdfRasterizer::openPoppler(const QString &path, int maxConcurrent, QString *error)
{
    // Poppler reports damage in the file on standard error; keep it in the log.
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        Poppler::setDebugErrorFunction(
            [](const QString &message, const QVariant &) { LOG4CXX_DEBUG(logger, "poppler: " << message); }, {});
    });
    if (!QFile::exists(path)) {
        if (error)
            *error = QStringLiteral("no such file");
        return nullptr;
    }
    std::unique_ptr<Poppler::Document> doc;
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
    const int pages = doc->numPages();
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
