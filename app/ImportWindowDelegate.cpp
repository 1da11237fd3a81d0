#include "app/ImportWindowDelegate.h"

#include "platform/AppSettings.h"
#include "app/UserPrompts.h"
#include "platform/Logging.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>

#include <cmath>

#include "book/FlashPageSourcePDF.h"
#include "book/ImportPDFOperation.h"
#include "book/PDFToPageConverter.h"
#include "platform/OperationQueue.h"
#include "platform/PdfDocument.h"

namespace {
const auto logger = Logging::logger("ImportWindowDelegate");
} // namespace

ImportWindowDelegate::ImportWindowDelegate(UserPrompts *prompts, QObject *parent)
    : QObject(parent), m_prompts(prompts), iQueue(std::make_unique<OperationQueue>())
{}

ImportWindowDelegate::~ImportWindowDelegate()
{
    iQueue->cancelAllOperations();
    iQueue->waitUntilAllOperationsAreFinished();
}

int ImportWindowDelegate::qualityForLevel(int level)
{
    switch (level) {
    case 1:
        return 85;
    case 2:
        return 65;
    case 3:
        return 45;
    case 4:
        return 25;
    default:
        return 100;
    }
}

void ImportWindowDelegate::awakeFromNib()
{
    const AppSettings *s = AppSettings::shareInstance();
    txtImportFile = s->lastImportedFile();
    pageRangeType = s->importPageRangeType();
    txtPageRange = s->importPageRange();
    importQuality = s->importQualityLevel();
    btnImportLinks = s->importLinks() == 1;
    btnImportBookMark = s->importBookmark() == 1;
    btnImportText = s->importText() != 0;
    PageFormat = s->ImportType();
    m_progressObserver = ScopedObserver(QStringLiteral("ImportProgressInfoMSG"),
                                        [this](const Notification &n) { anyThread_handleMSG(n); });
    emit fieldsChanged();
    enableButtons(true);
}

void ImportWindowDelegate::enableButtons(bool idle)
{
    m_idle = idle;
    m_infoHidden = idle;
    emit stateChanged();
}

void ImportWindowDelegate::showInfo(const QString &text)
{
    m_infoText = text;
    m_infoHidden = false;
    emit stateChanged();
}

void ImportWindowDelegate::onPageRangeTypeChangeAction()
{
    enableButtons(true);
}

QString ImportWindowDelegate::effectivePageRange() const
{
    return pageRangeType == 1 ? txtPageRange : QStringLiteral("ALL");
}

void ImportWindowDelegate::onImportAction()
{
    if (!QFileInfo(txtImportFile).isFile()) {
        showInfo(QCoreApplication::translate("ImportWindowDelegate", "Import PDF file does not exist."));
        return;
    }
    m_isImporting = true;
    m_cancelRequested = false;
    AppSettings *s = AppSettings::shareInstance();
    s->setLastImportedFile(txtImportFile);
    s->setImportPageRangeType(pageRangeType);
    s->setImportQualityLevel(importQuality);
    s->setImportPageRange(txtPageRange);
    s->setImportBookmark(btnImportBookMark ? 1 : 0);
    s->setImportLinks(btnImportLinks ? 1 : 0);
    s->setImportText(btnImportText ? 1 : 0);
    s->setImportType(PageFormat);
    enableButtons(false);
    m_infoText = QCoreApplication::translate("ImportWindowDelegate", "Importing...");
    m_pagesDone = m_pagesTotal = 0;
    emit stateChanged();
    s->saveSettings();
    iFlashPageSource.reset();
    iFlashPagesAnnotations.reset();
    iFlashOutline.reset();
    LOG4CXX_DEBUG(logger, "start to import pdf now...");
    startImport();
}

void ImportWindowDelegate::startImport()
{
    m_pageWidth = 0;
    m_pageHeight = 0;
    iQueue->cancelAllOperations();
    const QString range = effectivePageRange();
    LOG4CXX_DEBUG(logger, "page range is:" << range);
    const int quality = qualityForLevel(AppSettings::shareInstance()->importQualityLevel());
    m_importPDF = std::make_shared<ImportPDFOperation>(txtImportFile, range, 144, quality);
    m_importPDF->setPassword(txtPassword);
    m_importPDF->setImportLinks(AppSettings::shareInstance()->importLinks() == 1);
    m_importPDF->setImportBookmarks(AppSettings::shareInstance()->importBookmark() == 1);
    m_importPDF->setImportText(AppSettings::shareInstance()->importText() != 0);
    // The results are taken on the main thread, and only from the latest import.
    std::weak_ptr<ImportPDFOperation> operation = m_importPDF;
    m_importPDF->whenFinished(this, [this, operation] {
        if (operation.lock() == m_importPDF)
            importFinished();
    });
    LOG4CXX_DEBUG(logger, "before add operation");
    iQueue->addOperation(m_importPDF);
    LOG4CXX_DEBUG(logger, "after add operation");
}

void ImportWindowDelegate::importFinished()
{
    LOG4CXX_DEBUG(logger, "import pdf isFinished.");
    if (m_importPDF) {
        iFlashPageSource = m_importPDF->flashPageSource();
        iFlashPagesAnnotations = m_importPDF->flashPagesAnnotation();
        iFlashOutline = m_importPDF->flashOutline();
    }
    enableButtons(true);
    // A document that could not be read still yields a page source, without
    // pages: that is no book to replace the current one with.
    if (iFlashPageSource && iFlashPageSource->pages().isEmpty()) {
        iFlashPageSource.reset();
        iFlashPagesAnnotations.reset();
        iFlashOutline.reset();
    }
    if (iFlashPageSource) {
        LOG4CXX_DEBUG(logger, "import pdf ok...");
        const auto *pdfSource = dynamic_cast<const FlashPageSourcePDF *>(iFlashPageSource.get());
        const auto converter = pdfSource ? pdfSource->toPageConverter() : nullptr;
        const auto document = converter ? converter->PDFDoc() : nullptr;
        if (document && document->pageCount() > 0) {
            const QRectF crop = document->cropBox(0);
            m_pageWidth = int(std::trunc(crop.width()));
            m_pageHeight = int(std::trunc(crop.height()));
            if (AppSettings::shareInstance()->ImportType() == 1) {
                AppSettings::shareInstance()->setPageWidth(2 * m_pageWidth);
                AppSettings::shareInstance()->setPageHeight(2 * m_pageHeight);
                AppSettings::shareInstance()->saveSettings();
            }
        }
        m_isImporting = false;
        emit sheetEnded(1);
        return;
    }
    LOG4CXX_WARN(logger, "import pdf failed...");
    // The user needs to know why nothing happened; the dialog stays open.
    const PdfDocument::Lock lock = m_importPDF ? m_importPDF->lock() : PdfDocument::Lock::None;
    showInfo(m_cancelRequested ? QCoreApplication::translate("ImportWindowDelegate", "Import cancelled.")
             : lock == PdfDocument::Lock::WrongPassword
                 ? QCoreApplication::translate("ImportWindowDelegate", "wrong password")
             : lock == PdfDocument::Lock::PasswordNeeded
                 ? QCoreApplication::translate("ImportWindowDelegate",
                                               "The PDF is locked with a password: enter it in the Password field.")
                 : QCoreApplication::translate("ImportWindowDelegate", "The PDF file could not be imported. It may be "
                                                                       "damaged, protected by a password, or have no "
                                                                       "pages in the range."));
    m_isImporting = false;
}

void ImportWindowDelegate::onCancelAction()
{
    LOG4CXX_DEBUG(logger, "cancel import pdf!!," << static_cast<const void *>(this));
    enableButtons(true);
    if (m_isImporting && iQueue->operationCount() > 0) {
        m_cancelRequested = true;
        iQueue->cancelAllOperations();
        return;
    }
    emit sheetEnded(0);
}

void ImportWindowDelegate::onBrowseFileAction()
{
    if (!m_prompts)
        return;
    const QStringList chosen =
        m_prompts->chooseFiles(QCoreApplication::translate("ImportWindowDelegate", "Choose a PDF file"),
                               {QStringLiteral("pdf")}, false, txtImportFile);
    LOG4CXX_DEBUG(logger, "die end," << (chosen.isEmpty() ? QString() : chosen.first()));
    if (!chosen.isEmpty()) {
        txtImportFile = chosen.first();
        emit fieldsChanged();
    }
}

void ImportWindowDelegate::onOpenTheFileAction()
{
    if (m_prompts && QFileInfo(txtImportFile).isFile())
        m_prompts->openFile(txtImportFile);
}

void ImportWindowDelegate::anyThread_handleMSG(const Notification &note)
{
    const int pageIndex = note.userInfo.value(QStringLiteral("pageIndex")).toInt();
    const int totalPage = note.userInfo.value(QStringLiteral("totalPage")).toInt();
    QPointer<ImportWindowDelegate> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, pageIndex, totalPage] {
            if (self)
                self->mainThread_handleMSG(pageIndex, totalPage);
        },
        Qt::QueuedConnection);
}

void ImportWindowDelegate::mainThread_handleMSG(int pageIndex, int totalPage)
{
    if (m_infoHidden)
        return;
    m_infoText =
        QCoreApplication::translate("ImportWindowDelegate", "Importing:%1 of %2 Pages").arg(pageIndex).arg(totalPage);
    m_pagesDone = pageIndex;
    m_pagesTotal = totalPage;
    emit stateChanged();
}
