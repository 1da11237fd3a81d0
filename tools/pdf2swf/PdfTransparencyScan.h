#pragma once

#include <QRectF>
#include <QString>

#include <vector>

// Transparency that Poppler's QPainter route flattens away: transparency
// groups painted at an opacity below 1 (drawn opaque) and soft masks (drawn
// unmasked). The page's content is walked for them with qpdf, following the
// graphics state; each is returned with the device area it may cover.
class PdfTransparencyScan
{
public:
    struct Area
    {
        QRectF rect; // device pixels at the zoom
        QString reason;
    };

    // page counts from 1; zoom in pixels per inch, as the page is drawn
    // (crop box, /Rotate). A file qpdf cannot read gives no areas.
    static std::vector<Area> lostAreas(const QString &pdfPath, int page, double zoom);
    // Reads the document once for every later lostAreas() of the same file
    // (the pdf2swf server, whose pages are forked from it).
    static void preload(const QString &pdfPath);
};
