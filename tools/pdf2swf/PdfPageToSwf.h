#pragma once

#include <QByteArray>
#include <QString>
#include <QRectF>
#include <QStringList>

#include <utility>
#include <vector>

namespace Poppler {
class Document;
}

// Renders one page of an opened PDF into an SWF movie through SwfPaintEngine.
class PdfPageToSwf
{
public:
    // page counts from 1; zoom is in pixels per inch. Empty on failure, with `error` set.
    // `notes`, when given, receives what was drawn as a picture because the
    // movie cannot express it, one line each.
    // `lost` are further device areas to cover with the page's picture, each
    // with what it would otherwise lose.
    static QByteArray convert(Poppler::Document &document, int page, double zoom, int jpegQuality, bool compress,
                              QString &error, QStringList *notes = nullptr,
                              const std::vector<std::pair<QRectF, QString>> &lost = {});
};
