#pragma once

#include "platform/PdfDocument.h"

#include <QList>
#include <QString>

#include <atomic>
#include <memory>

class PDFToPageConverter;
using PDFToPageConverterPtr = std::shared_ptr<PDFToPageConverter>;

// Turns single pages of a PDF into files in its own work folder. Each generate
// call takes a PDF page number counted from 1 and returns the path of the file
// (whether or not it could be made).
class PDFToPageConverter
{
public:
    virtual ~PDFToPageConverter() = default;
    PDFToPageConverter(const PDFToPageConverter &) = delete;
    PDFToPageConverter &operator=(const PDFToPageConverter &) = delete;

    int quality() const { return m_quality; }
    void setQuality(int quality) { m_quality = quality; }
    const QString &PDFPath() const { return m_PDFPath; }
    void setPDFPath(const QString &path) { m_PDFPath = path; }
    const QString &converterWorkFolder() const { return m_converterWorkFolder; }
    void setConverterWorkFolder(const QString &folder) { m_converterWorkFolder = folder; }
    int DPI() const { return m_DPI; }
    void setDPI(int dpi) { m_DPI = dpi; }
    const PdfDocumentPtr &PDFDoc() const { return m_PDFDoc; }
    void setPDFDoc(const PdfDocumentPtr &doc) { m_PDFDoc = doc; }
    // Whether each page's words are saved beside its page file as
    // "<page>.words" (PdfRasterizer::Words lines). Set before the first page.
    bool extractText() const { return m_extractText; }
    void setExtractText(bool on) { m_extractText = on; }
    // Whether the phone edition's page images are made. Set before the first page.
    bool makesMobileImages() const { return m_makesMobileImages.load(); }
    void setMakesMobileImages(bool on) { m_makesMobileImages.store(on); }

    // The words file of the page file `pagePath` made for PDF page `page`.
    static QString wordsPathFor(const QString &pagePath, int page);

    virtual QString generateMobilePage(int) { return {}; }
    virtual QString generateThumbPage(int) { return {}; }
    virtual QString generatePage(int) { return {}; }
    virtual void generateAllPage() {}
    virtual void generatePages(const QList<int> &) {}

    // The pages that are about to be asked for, in order: a converter may start
    // on them ahead of the calls. Results are the same either way.
    virtual void willGeneratePages(const QList<int> &) {}
    // Work started ahead and not yet asked for is no longer wanted.
    virtual void cancelPendingWork() {}
    // Every page file has been asked for: what was kept to make them (worker
    // processes) may go. A later call starts again.
    virtual void pagesDone() {}

protected:
    PDFToPageConverter() = default;

private:
    int m_quality = 100;
    QString m_PDFPath;
    QString m_converterWorkFolder;
    int m_DPI = 144;
    PdfDocumentPtr m_PDFDoc;
    bool m_extractText = true;
    std::atomic<bool> m_makesMobileImages{true}; // page jobs may run already
};
