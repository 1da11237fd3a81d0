#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "platform/OperationQueue.h"
#include "platform/PdfDocument.h"

#include <atomic>

#include <mutex>

class ImportPDFOperation;
using ImportPDFOperationPtr = std::shared_ptr<ImportPDFOperation>;

// Imports one PDF in the background: builds the book's page source and has it
// make every page file, then, when asked, reads the links and the outline.
// Results are read on the main thread once the operation has finished; a
// cancelled import leaves none.
class ImportPDFOperation : public Operation
{
public:
    ImportPDFOperation(const QString &pdfPath, const QString &pageRange, int DPI, int quality);

    bool importLinks() const { return m_importLinks; }
    void setImportLinks(bool on) { m_importLinks = on; }
    // The password of a PDF locked with a user password; never logged.
    void setPassword(const QString &password) { m_password = password; }
    // After main(): PasswordNeeded or WrongPassword when the document stayed
    // locked (and nothing was imported).
    PdfDocument::Lock lock() const { return m_lock.load(); }

    bool importBookmarks() const { return m_importBookmarks; }
    void setImportBookmarks(bool on) { m_importBookmarks = on; }
    // Whether the pages' words are extracted (on unless turned off).
    bool importText() const { return m_importText; }
    void setImportText(bool on) { m_importText = on; }
    // Whether the phone edition's page images are made (on unless turned off).
    bool importMobileImages() const { return m_importMobileImages; }
    void setImportMobileImages(bool on) { m_importMobileImages = on; }

    FlashPageSourcePtr flashPageSource() const;
    FlashPagesAnnotationsPtr flashPagesAnnotation() const { return m_flashPagesAnnotation; }
    FlashOutlinePtr flashOutline() const { return m_flashOutline; }

    const QString &pdfPath() const { return m_pdfPath; }
    const QString &pageRange() const { return m_pageRange; }
    int DPI() const { return m_DPI; }
    int quality() const { return m_quality; }

    void main() override;
    // Stops the page source at its next page, then marks the operation cancelled.
    void cancel() override;

private:
    void setFlashPageSource(const FlashPageSourcePtr &source);

    mutable std::mutex m_mutex; // guards m_flashPageSource against cancel()
    FlashPageSourcePtr m_flashPageSource;
    FlashPagesAnnotationsPtr m_flashPagesAnnotation;
    FlashOutlinePtr m_flashOutline;
    int m_DPI;
    int m_quality;
    QString m_pdfPath;
    QString m_pageRange;
    QString m_password;
    std::atomic<PdfDocument::Lock> m_lock{PdfDocument::Lock::None};
    bool m_importBookmarks = false;
    bool m_importLinks = false;
    bool m_importText = true;
    bool m_importMobileImages = true;
};
