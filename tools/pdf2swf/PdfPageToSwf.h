#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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
    static QByteArray convert(Poppler::Document &document, int page, double zoom, int jpegQuality, bool compress,
                              QString &error, QStringList *notes = nullptr);
};
