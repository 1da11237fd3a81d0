#pragma once

#include "platform/PdfRasterizer.h"

#include <QString>

#include <functional>

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

    struct Checked
    {
        PdfRasterizerPtr rasterizer; // null when the file cannot be rendered
        bool locked = false;         // a user password locks the file
        QString error;               // why there is no rasterizer
        // Waits until the document's structure was read in a worker: true when
        // this process may read the file with PdfDocument, else false with why.
        std::function<bool(QString *error)> vouch = [](QString *) { return true; };
    };
    // The rasteriser of an import, ready as soon as a worker has opened the
    // file (and told whether a password locks it), while one more worker
    // reads the document's structure (pages, boxes, rotations, links,
    // outline), so that a file which crashes or hangs the document model
    // fails there instead of taking the application down; that worker then
    // renders too. Rendering in this process (see openPreferred()) checks
    // nothing. The pages, boxes and rotations are always read; the links and
    // the outline only when `links` and `outline` say this process will read
    // them from its document.
    struct Reads
    {
        bool links = true;
        bool outline = true;
    };
    static Checked openChecked(const QString &path, int maxConcurrent, Reads reads);
    static Checked openChecked(const QString &path, int maxConcurrent = 2)
    {
        return openChecked(path, maxConcurrent, Reads());
    }

    // resources/lib/pdfrender.
    static QString workerProgram();
};
