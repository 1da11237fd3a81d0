#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

class PdfRasterizer;
using PdfRasterizerPtr = std::shared_ptr<PdfRasterizer>;

// Renders PDF pages into JPEG page images and thumbnails. The page image is the
// page at twice its size in points; the thumbnail is that same rendering fitted
// into 180 by 180, so one rendering serves the page, mobile and thumbnail files.
// An interface so that rendering can move behind a process boundary without its
// callers changing. render() may be called from several threads at once.
class PdfRasterizer
{
public:
    struct Output
    {
        QByteArray pageJpeg; // empty unless asked for
        QSize pageSize;
        QByteArray thumbJpeg; // empty unless asked for
        QSize thumbSize;
        QByteArray screenJpeg; // half the page image's width and height; empty unless asked for
        QString error;         // why nothing was made; empty on success

        bool ok() const { return error.isEmpty(); }
    };

    // A page's words in reading order, one UTF-8 line each:
    //   "<x> <y> <w> <h> <after> <text>"
    // x, y (top left), w and h are ten-thousandths of the page as it is shown
    // (crop box, page rotation applied), the frame of the page images and of
    // the links; <after> says what follows the word: 0 nothing, 1 a space, 2 the
    // end of its line. A page without text (a scan) has no lines.
    struct Words
    {
        QByteArray lines;
        QString error; // why the page could not be read; empty on success

        bool ok() const { return error.isEmpty(); }
    };

    // Where renderFiles() puts one page's files; an empty path is a file not
    // wanted. The mobile image is the page image under a second name.
    struct PageFiles
    {
        QString image;
        QString screen;
        QString mobile;
        QString thumb;
        QString words;
    };

    struct Written
    {
        QSize pageSize;
        QSize thumbSize;
        QString wordsError; // the words were wanted but could not be read; the images stand
        QString error;      // why the page failed: no rendering, or "cannot write FILE: REASON"

        bool ok() const { return error.isEmpty(); }
    };

    virtual ~PdfRasterizer() = default;

    virtual int pageCount() const = 0;
    // Page `page` counted from 0; `quality` 1..100 (a JPEG compression factor
    // times 100). The screen-sized copy is encoded at kScreenQuality.
    virtual Output render(int page, int quality, bool wantPage, bool wantThumb, bool wantScreen = false) = 0;
    // Renderings made so far (not files written): lets callers prove that one
    // page is never rendered twice.
    virtual int renderCount() const = 0;
    // The words of page `page` counted from 0.
    virtual Words words(int page) = 0;
    // Renders page `page` once and writes the files `files` names, each whole or
    // not at all (a temporary file renamed into place): the page image, its
    // screen-sized copy, the thumbnail, the mobile image and the words. The
    // first file that cannot be written fails the page, named with the OS's
    // reason; the files written before it stay.
    virtual Written renderFiles(int page, int quality, const PageFiles &files);

    // A Poppler-backed rasteriser of the file; null (with `error`) when the file
    // cannot be opened or is locked by a user password (`error` is kLocked then).
    static PdfRasterizerPtr openPoppler(const QString &path, int maxConcurrent = 2, QString *error = nullptr);

    // Pixel size of the page image for a page of `points`: twice the size,
    // scaled down when it would exceed the pixel limits below.
    static QSize pageImageSize(const QSizeF &points);
    // The thumbnail box fit of a page image of unrounded size `pageImage` (the
    // page's points times two): the long side 180, the other truncated, computed
    // in single precision; never below 1.
    static QSize thumbnailSize(const QSizeF &pageImage);
    // Writes what render() and words() gave as renderFiles() does.
    static Written writeFiles(const Output &rendered, const Words &words, const PageFiles &files);
    // Baseline JPEG of the image's pixels (4:2:0); empty on failure.
    static QByteArray encodeJpeg(const QImage &image, int quality);

    // Limits that keep a hostile page size from asking for gigabytes.
    static constexpr int kMaxSide = 12000;
    static constexpr qint64 kMaxPixels = 40'000'000;
    static constexpr int kThumbBox = 180;
    // The JPEG quality of the screen-sized copy of a page image, which a slow
    // connection shows first; it is named "N.screen.jpg" beside "N.jpg".
    static constexpr int kScreenQuality = 80;
    // Half of `image`'s width and height, rounded up.
    static QImage halfImage(const QImage &image);
    // Why a document locked by a user password was not opened.
    static inline const QString kLocked = QStringLiteral("locked by a password");
    // The words kept of one page; a page holding more text is cut there.
    static constexpr qsizetype kMaxWordBytes = 8 * 1024 * 1024;
};
