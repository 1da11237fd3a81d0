#pragma once

#include "book/FlashPageSource.h"
#include "book/PDFToPageConverter.h"
#include "platform/IsolatedPdfRasterizer.h"
#include "platform/PdfDocument.h"

class FlashPageSourcePDF;
using FlashPageSourcePDFPtr = std::shared_ptr<FlashPageSourcePDF>;

// A book imported from a PDF document: the requested pages, made into files by
// its converter (which owns the work folder) and recorded page by page. Each
// page done posts "ImportProgressInfoMSG" on the calling thread.
class FlashPageSourcePDF : public FlashPageSource
{
public:
    // A document locked with a user password is unlocked with `password` into
    // the converter's work folder, and every later step reads that copy; it is
    // deleted with the work folder.
    // Page images start as soon as a render worker has opened the file, with
    // the words when `extractText`. The document's links and outline are
    // vouched for only when `reads` says they will be read from it.
    FlashPageSourcePDF(const QString &pdfPath, const QString &pageRange, int DPI, int quality,
                       const QString &password = {}, bool extractText = true, IsolatedPdfRasterizer::Reads reads = {});
    ~FlashPageSourcePDF() override;

    void generatePages() override;
    void generateThumbPages() override;
    void generateMobilePages() override;
    void generateNormalPages() override;

    FlashPagePtr getNormalPageAtIndex(int pageIndex) const override;
    FlashPagePtr getThumbPageAtIndex(int pageIndex) const override;
    FlashPagePtr getZoomedPageAtIndex(int) const override { return nullptr; }

    const PDFToPageConverterPtr &toPageConverter() const { return m_toPageConverter; }
    void setToPageConverter(const PDFToPageConverterPtr &converter) { m_toPageConverter = converter; }

    const PdfDocumentPtr &pdfDocument() const { return m_document; }
    // Why the document could not be opened ("" when it was).
    const QString &openError() const { return m_openError; }
    // Whether the document was locked and whether the password opened it.
    PdfDocument::Lock lock() const { return m_lock; }
    const QString &pageRange() const { return m_pageRange; }
    int DPI() const { return m_DPI; }
    int quality() const { return m_quality; }
    const QList<int> &pagesToImport() const { return m_pagesToImport; }

    // The page numbers a range names in `doc`. Numbers outside the document
    // (0, negative, past the end) are dropped when the document is open, since
    // they can have no file and would shift every later page of the book.
    static QList<int> pagesToImportFor(const QString &pageRange, const PdfDocumentPtr &doc);
    // The same for a document of `total` pages (-1: not known).
    static QList<int> pagesToImportFor(const QString &pageRange, int total);

private:
    enum class Step { Page, Thumb, Mobile };
    void generate(Step step);
    void postProgress(int position, const QString &type) const;

    PdfDocumentPtr m_document;
    QString m_openError;
    PdfDocument::Lock m_lock = PdfDocument::Lock::None;
    QString m_pageRange;
    int m_DPI;
    int m_quality;
    PDFToPageConverterPtr m_toPageConverter;
    QList<int> m_pagesToImport;
};
