#include "book/ImportPDFOperation.h"

#include "book/FlashOutlinePDF.h"
#include "book/FlashPageSourcePDF.h"
#include "book/FlashPagesAnnotationsPDF.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"

#include <thread>

namespace {

const auto logger = Logging::logger("ImportPDFOperation");

// Every failure of a step is logged and the import goes on: a hostile or broken
// file must never take the application down.
template <typename F> bool guardedStep(const char *message, F &&step)
{
    try {
        step();
        return true;
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, message << describeException(e));
    } catch (...) {
        LOG4CXX_ERROR(logger, message << "unknown exception");
    }
    return false;
}

} // namespace

ImportPDFOperation::ImportPDFOperation(const QString &pdfPath, const QString &pageRange, int DPI, int quality)
    : m_DPI(DPI), m_quality(quality), m_pdfPath(pdfPath), m_pageRange(pageRange)
{}

FlashPageSourcePtr ImportPDFOperation::flashPageSource() const
{
    std::lock_guard lock(m_mutex);
    return m_flashPageSource;
}

void ImportPDFOperation::setFlashPageSource(const FlashPageSourcePtr &source)
{
    std::lock_guard lock(m_mutex);
    m_flashPageSource = source;
}

void ImportPDFOperation::cancel()
{
    if (FlashPageSourcePtr source = flashPageSource())
        source->setStop(true);
    Operation::cancel();
}

void ImportPDFOperation::main()
{
    if (isCancelled())
        return;

    // Page step. The links and the outline are read meanwhile, on a thread of
    // their own, from the document the page source opened.
    std::shared_ptr<FlashPageSourcePDF> source;
    std::shared_ptr<FlashPagesAnnotationsPDF> annotations;
    std::shared_ptr<FlashOutlinePDF> outline;
    std::thread reader;
    const auto readLinksAndOutline = [this, &annotations, &outline](const PdfDocumentPtr &doc) {
        if (m_importLinks) {
            annotations = std::make_shared<FlashPagesAnnotationsPDF>();
            if (!guardedStep("Run Import PDF Operation error,import links:",
                             [&] { annotations->loadLinksFromPDF(doc, m_pageRange); }))
                annotations.reset();
        }
        if (m_importBookmarks) {
            outline = std::make_shared<FlashOutlinePDF>();
            if (!guardedStep("Run Import PDF Operation error,import outline:",
                             [&] { outline->loadOutlineFromPDF(doc); }))
                outline.reset();
        }
    };
    const bool pagesOk = guardedStep("Run Import PDF Operation error,import pages:", [&] {
        // The document is vouched for what this import reads from it.
        source =
            std::make_shared<FlashPageSourcePDF>(m_pdfPath, m_pageRange, m_DPI, m_quality, m_password, m_importText,
                                                 IsolatedPdfRasterizer::Reads{m_importLinks, m_importBookmarks});
        m_lock = source->lock();
        if (m_lock == PdfDocument::Lock::PasswordNeeded || m_lock == PdfDocument::Lock::WrongPassword)
            throw FoliantException(QStringLiteral("PDFLocked"), QStringLiteral("wrong password"));
        source->toPageConverter()->setExtractText(m_importText);
        source->toPageConverter()->setMakesMobileImages(m_importMobileImages);
        setFlashPageSource(source);
        // A cancel between the creation and the line above found no source to stop.
        if (isCancelled())
            source->setStop(true);
        if (const PdfDocumentPtr doc = source->pdfDocument())
            reader = std::thread(readLinksAndOutline, doc);
        LOG4CXX_DEBUG(logger, "before generate pages");
        source->generatePages();
        LOG4CXX_DEBUG(logger, "after generate pages");
        LOG4CXX_DEBUG(logger, "before generate Thumbnail");
        source->generateThumbPages();
        LOG4CXX_DEBUG(logger, "after generate Thumbnail");
        if (m_importMobileImages)
            source->generateMobilePages();
        source->toPageConverter()->pagesDone();
        LOG4CXX_DEBUG(logger, "before generateNormalPages");
        source->generateNormalPages();
        LOG4CXX_DEBUG(logger, "after generateNormalPages");
    });
    const bool read = reader.joinable();
    if (read)
        reader.join();
    if (!pagesOk) {
        // The page source (and work folder) goes.
        setFlashPageSource(nullptr);
        source.reset();
    }
    if (!pagesOk || !read) {
        // Links and outline are read as from no document then.
        annotations.reset();
        outline.reset();
        if (!isCancelled())
            readLinksAndOutline(nullptr);
    }
    if (!isCancelled()) {
        m_flashPagesAnnotation = annotations;
        m_flashOutline = outline;
    }

    if (!isCancelled())
        return;
    LOG4CXX_DEBUG(logger, "import pdf is cancelled");
    setFlashPageSource(nullptr);
    source.reset();
    m_flashOutline.reset();
    m_flashPagesAnnotation.reset();
}
