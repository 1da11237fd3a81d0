// The Poppler rasteriser on mutated PDFs: the first page is rendered and
// encoded; a failure must come back as an error, never as a crash.
#include "FuzzSupport.h"

#include "platform/PdfRasterizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::writeScratch(data, size, QStringLiteral("render.pdf"));
    QString error;
    const PdfRasterizerPtr rasterizer = PdfRasterizer::openPoppler(path, 1, &error);
    if (!rasterizer || rasterizer->pageCount() < 1)
        return 0;
    (void)rasterizer->render(0, 50, true, true);
    return 0;
}
