#pragma once

#include "platform/PdfRasterizer.h"

#include <QString>

// Renders in worker processes (the pdfrender program in resources/lib) so that
// a file that crashes or hangs Poppler costs one page, not the application.
// Each concurrent renderer has a worker of its own, kept across pages; a worker
// that dies or runs past the time limit is killed, its page fails with a log
// line, and the next page starts a fresh one.
class IsolatedPdfRasterizer
{
public:
    static constexpr int kDefaultPageTimeoutMs = 60'000;

    // Opens `path` in a first worker; null (with `error`) when the worker cannot
    // start, the file cannot be rendered, or opening it crashed or timed out.
    static PdfRasterizerPtr open(const QString &path, int maxConcurrent = 2, QString *error = nullptr,
                                 int pageTimeoutMs = kDefaultPageTimeoutMs);

    // The rasteriser the import uses: isolated, unless FOLIANT_RENDER_IN_PROCESS=1
    // asks for in-process rendering or the worker program is missing. The time
    // limit per page may be set with FOLIANT_RENDER_TIMEOUT_MS.
    static PdfRasterizerPtr openPreferred(const QString &path, int maxConcurrent = 2, QString *error = nullptr);

    // Reads the document's structure (pages, boxes, rotations, links, outline)
    // once in a worker before this process opens it, so that a file which
    // crashes or hangs the document model fails here instead of taking the
    // application down. False, with `error`, only when the worker died or ran
    // past the time limit; true when isolation is off or there is no worker.
    static bool checkDocumentInWorker(const QString &path, QString *error = nullptr);

    // resources/lib/pdfrender.
    static QString workerProgram();
};
