// The PDF document model (qpdf) on mutated PDFs: pages, boxes, rotation,
// annotations and the outline. Damage surfaces as a refusal or as
// FoliantException, never as a crash or a hang.
#include "FuzzSupport.h"

#include "platform/FoliantException.h"
#include "platform/PdfDocument.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::writeScratch(data, size, QStringLiteral("input.pdf"));
    try {
        const PdfDocumentPtr doc = PdfDocument::open(path);
        if (!doc)
            return 0;
        // A damaged page tree can claim any count; a few pages say enough.
        const int pages = std::min(doc->pageCount(), 8);
        for (int page = 0; page < pages; ++page) {
            (void)doc->cropBox(page);
            (void)doc->rotation(page);
            for (const PdfDocument::Annotation &a : doc->annotations(page))
                (void)a.bounds();
        }
        if (doc->hasOutline())
            (void)doc->outline();
    } catch (const FoliantException &) {
    }
    return 0;
}
