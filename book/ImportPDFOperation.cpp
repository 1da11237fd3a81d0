#include "book/ImportPDFOperation.h"

#include "book/FlashOutlinePDF.h"
#include "book/FlashPageSourcePDF.h"
#include "book/FlashPagesAnnotationsPDF.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"

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

    // Page step.
    std::shared_ptr<FlashPageSourcePDF> source;
    const bool pagesOk = guardedStep("Run Import PDF Operation error,import pages:", [&] {
        source =
            std::make_shared<FlashPageSourcePDF>(m_pdfPath, m_pageRange, m_DPI, m_quality, m_password, m_importText);
        m_lock = source->lock();
        if (m_lock == PdfDocument::Lock::PasswordNeeded || m_lock == PdfDocument::Lock::WrongPassword)
            throw FoliantException(QStringLiteral("PDFLocked"), QStringLiteral("wrong password"));
        source->toPageConverter()->setExtractText(m_importText);
        setFlashPageSource(source);
        // A cancel between the creation and the line above found no source to stop.
        if (isCancelled())
            source->setStop(true);
        LOG4CXX_DEBUG(logger, "before generate pages");
        source->generatePages();
        LOG4CXX_DEBUG(logger, "after generate pages");
        LOG4CXX_DEBUG(logger, "before generate Thumbnail");
        source->generateThumbPages();
        LOG4CXX_DEBUG(logger, "after generate Thumbnail");
        source->generateMobilePages();
        source->toPageConverter()->pagesDone();
        LOG4CXX_DEBUG(logger, "before generateNormalPages");
        source->generateNormalPages();
        LOG4CXX_DEBUG(logger, "after generateNormalPages");
    });
    // The links and outline read the converter's document; keep it past a failed
    // page step, whose page source (and work folder) goes.
    const PdfDocumentPtr doc =
        source && source->toPageConverter() ? source->toPageConverter()->PDFDoc() : PdfDocumentPtr();
    if (!pagesOk) {
        setFlashPageSource(nullptr);
        source.reset();
    }

    // Links step.
    if (!isCancelled() && m_importLinks) {
        auto annotations = std::make_shared<FlashPagesAnnotationsPDF>();
        m_flashPagesAnnotation = annotations;
        const PdfDocumentPtr linkDoc = pagesOk ? doc : PdfDocumentPtr();
        if (!guardedStep("Run Import PDF Operation error,import links:",
                         [&] { annotations->loadLinksFromPDF(linkDoc, m_pageRange); }))
            m_flashPagesAnnotation.reset();
    }

    // Outline step.
    if (!isCancelled() && m_importBookmarks) {
        auto outline = std::make_shared<FlashOutlinePDF>();
        m_flashOutline = outline;
        const PdfDocumentPtr outlineDoc = pagesOk ? doc : PdfDocumentPtr();
        if (!guardedStep("Run Import PDF Operation error,import outline:",
                         [&] { outline->loadOutlineFromPDF(outlineDoc); }))
            m_flashOutline.reset();
    }

    if (!isCancelled())
        return;
    LOG4CXX_DEBUG(logger, "import pdf is cancelled");
    setFlashPageSource(nullptr);
    source.reset();
    m_flashOutline.reset();
    m_flashPagesAnnotation.reset();
}
