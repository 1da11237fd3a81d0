#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <memory>
#include <mutex>

class PdfDocument;
using PdfDocumentPtr = std::shared_ptr<PdfDocument>;

// A PDF document's structure as the import reads it: pages, their crop boxes and
// rotation, link annotations and the outline. Built on qpdf, which reads objects
// lazily, so a document of thousands of pages costs little until it is read.
// Calls are serialised internally; the document may be shared between the
// objects of one import. Reading errors inside the file surface as
// FoliantException("PDFReadError", ...).
class PdfDocument
{
public:
    // Files up to this size are read whole before they are parsed.
    static constexpr qint64 kMaxInMemoryBytes = 64LL * 1024 * 1024;
    // The whole file when it is no larger than kMaxInMemoryBytes and could be
    // read; empty otherwise (the caller then reads through the file). Parsers
    // reading through a file seek and read a small block for every object.
    static QByteArray readWhole(const QString &path);

    // One annotation as stored on its page.
    struct Annotation
    {
        QString subtype;     // "Link", "Text", ... without the slash
        double rect[4] = {}; // the /Rect array items as stored (corners may be swapped)
        bool hasRect = false;
        QString url;                 // a URI action's address; empty when none
        int destinationPage = -1;    // page (counted from 0) of the destination; -1 when none or unresolved
        bool hasDestination = false; // the link names a destination, resolved or not

        // The rectangle with its corners put in order: (left, bottom, width, height).
        QRectF bounds() const;
    };

    // One entry of the outline, with its children in document order.
    struct OutlineNode
    {
        QString label;
        int destinationPage = -1; // counted from 0; -1 when missing or on no page
        QList<OutlineNode> children;
    };

    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    // Opens and parses the file; null when it cannot be read as a PDF (missing,
    // empty, garbage, damaged beyond repair, or encrypted with a password other
    // than `password`). `error` then says why.
    static PdfDocumentPtr open(const QString &path, const QString &password = {}, QString *error = nullptr);

    // What unlock() found and did.
    enum class Lock { None, Unlocked, PasswordNeeded, WrongPassword, Unreadable };
    // Writes an unencrypted copy of `source` to `destination` (with the qpdf
    // program) when the document is locked with a user password and `password`
    // opens it. Leaves
    // `destination` alone for a document that opens without one (None), a
    // missing or wrong password, or a file that is no readable PDF; `error` then
    // says why. The password is never part of `error`.
    static Lock unlock(const QString &source, const QString &password, const QString &destination,
                       QString *error = nullptr);

    const QString &path() const { return m_path; }
    int pageCount() const;

    // The page's crop box (falling back to its media box, both inherited through
    // the page tree) in default user space, corners in order; an empty rectangle
    // when the page has neither.
    QRectF cropBox(int page) const;
    // The /Rotate value in degrees as stored (inherited; may be real, negative or
    // not a multiple of 90); 0 when absent.
    double rotation(int page) const;
    // The page's annotations in stored order.
    QList<Annotation> annotations(int page) const;

    // Whether the document has an outline root.
    bool hasOutline() const;
    // The outline's top-level entries. Cycles in the outline are cut and very
    // deep nesting is cut at `maxDepth` levels.
    QList<OutlineNode> outline(int maxDepth = 64) const;

private:
    struct Impl;
    explicit PdfDocument(std::unique_ptr<Impl> impl, QString path);

    std::unique_ptr<Impl> m_impl;
    QString m_path;
    mutable std::mutex m_mutex;
};
