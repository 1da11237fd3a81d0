#include "app/ImportService.h"

#include "book/FlashPageSourcePDF.h"
#include "book/ImportPDFOperation.h"
#include "book/PDFToPageConverter.h"
#include "platform/AppSettings.h"
#include "platform/Logging.h"
#include "platform/OperationQueue.h"
#include "platform/PdfDocument.h"

#include <QFileInfo>

#include <cmath>

namespace {
const auto logger = Logging::logger("ImportService");

// The DPI every import renders at; page images are twice the page size in points.
constexpr int kImportDPI = 144;
} // namespace

ImportService::ImportService(QObject *parent) : QObject(parent), m_queue(std::make_unique<OperationQueue>()) {}

ImportService::~ImportService()
{
    m_queue->cancelAllOperations();
    m_queue->waitUntilAllOperationsAreFinished();
}

QString ImportService::cancelledMessage()
{
    return QStringLiteral("the import was cancelled");
}

QString ImportService::lockedMessage()
{
    return QStringLiteral("the PDF is locked with a password");
}

QString ImportService::wrongPasswordMessage()
{
    return QStringLiteral("wrong password");
}

void ImportService::start(const ImportRequest &request, Done done)
{
    m_queue->cancelAllOperations();
    // The converter reads the page format from the settings.
    AppSettings::shareInstance()->setImportType(request.images ? 1 : 0);
    const int quality = AppSettings::qualityForLevel(request.qualityLevel);
    m_operation = std::make_shared<ImportPDFOperation>(request.pdf, request.pageRange, kImportDPI, quality);
    m_operation->setImportLinks(request.links);
    m_operation->setImportBookmarks(request.bookmarks);
    m_operation->setImportText(request.text);
    m_operation->setImportMobileImages(request.mobileImages);
    m_operation->setPassword(request.password);
    // The results are taken on this thread, and only from the latest import.
    std::weak_ptr<ImportPDFOperation> operation = m_operation;
    m_operation->whenFinished(this, [this, operation, request, done = std::move(done)] {
        if (operation.lock() != m_operation)
            return;
        const Result<ImportedBook> result = takeResult(request);
        if (done)
            done(result);
    });
    LOG4CXX_DEBUG(logger, "before add operation");
    m_queue->addOperation(m_operation);
    LOG4CXX_DEBUG(logger, "after add operation");
}

void ImportService::cancel()
{
    m_queue->cancelAllOperations();
}

bool ImportService::isRunning() const
{
    return m_queue->operationCount() > 0;
}

Result<ImportedBook> ImportService::takeResult(const ImportRequest &request) const
{
    const ImportPDFOperation &op = *m_operation;
    if (op.isCancelled())
        return Failure{cancelledMessage()};
    if (op.lock() == PdfDocument::Lock::WrongPassword)
        return Failure{wrongPasswordMessage()};
    if (op.lock() == PdfDocument::Lock::PasswordNeeded)
        return Failure{lockedMessage()};
    ImportedBook book;
    book.pageSource = op.flashPageSource();
    book.annotations = op.flashPagesAnnotation();
    book.outline = op.flashOutline();
    const auto *pdfSource = dynamic_cast<const FlashPageSourcePDF *>(book.pageSource.get());
    if (!book.pageSource || !pdfSource)
        return Failure{QStringLiteral("the PDF could not be imported (see the log)")};
    // A document that could not be opened yields a page source that still
    // walks an explicit range, with page files that were never made: that is
    // no book to replace the current one with.
    const PdfDocumentPtr document = pdfSource->pdfDocument();
    if (!document)
        return Failure{QStringLiteral("not a readable PDF file (%1)").arg(pdfSource->openError())};
    if (document->pageCount() <= 0)
        return Failure{QStringLiteral("the PDF has no pages")};
    if (pdfSource->pagesToImport().isEmpty())
        return Failure{QStringLiteral("the page range %1 selects none of its %2 pages")
                           .arg(request.pageRange)
                           .arg(document->pageCount())};
    for (const FlashPagePtr &page : book.pageSource->pages()) {
        if (page && QFileInfo(page->pageFilePath()).isFile())
            ++book.pagesMade;
        else if (page)
            book.pagesFailed.append({page->pageIndex(), QStringLiteral("no page file was made (see the log)")});
    }
    if (book.pagesMade == 0)
        return Failure{QStringLiteral("no page of the PDF could be converted (see the log)")};

    const QRectF crop = document->cropBox(0);
    book.pageWidth = int(std::trunc(crop.width()));
    book.pageHeight = int(std::trunc(crop.height()));
    if (request.images) {
        AppSettings *settings = AppSettings::shareInstance();
        settings->setPageWidth(2 * book.pageWidth);
        settings->setPageHeight(2 * book.pageHeight);
        settings->saveSettings();
    }
    return book;
}
