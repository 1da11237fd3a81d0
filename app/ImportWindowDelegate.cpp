#include "app/ImportWindowDelegate.h"

#include "platform/AppSettings.h"
#include "app/UserPrompts.h"
#include "platform/Logging.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>

#include "book/ImportPDFOperation.h"

namespace {
const auto logger = Logging::logger("ImportWindowDelegate");
} // namespace

ImportWindowDelegate::ImportWindowDelegate(UserPrompts *prompts, QObject *parent) : QObject(parent), m_prompts(prompts)
{}

ImportWindowDelegate::~ImportWindowDelegate() = default;

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
    const AppSettings *s = AppSettings::shareInstance();
    ImportRequest request;
    request.pdf = txtImportFile;
    request.pageRange = effectivePageRange();
    LOG4CXX_DEBUG(logger, "page range is:" << request.pageRange);
    request.qualityLevel = s->importQualityLevel();
    request.images = s->ImportType() == 1;
    request.links = s->importLinks() == 1;
    request.bookmarks = s->importBookmark() == 1;
    request.text = s->importText() != 0;
    request.password = txtPassword;
    m_service.start(request, [this](const Result<ImportedBook> &result) { importFinished(result); });
}

void ImportWindowDelegate::importFinished(const Result<ImportedBook> &result)
{
    LOG4CXX_DEBUG(logger, "import pdf isFinished.");
    enableButtons(true);
    if (result) {
        LOG4CXX_DEBUG(logger, "import pdf ok...");
        iFlashPageSource = result->pageSource;
        iFlashPagesAnnotations = result->annotations;
        iFlashOutline = result->outline;
        m_pageWidth = result->pageWidth;
        m_pageHeight = result->pageHeight;
        m_isImporting = false;
        emit sheetEnded(1);
        return;
    }
    LOG4CXX_WARN(logger, "import pdf failed...: " << result.error());
    // The user needs to know why nothing happened; the dialog stays open.
    const QString &why = result.error();
    showInfo(m_cancelRequested ? QCoreApplication::translate("ImportWindowDelegate", "Import cancelled.")
             : why == ImportService::wrongPasswordMessage()
                 ? QCoreApplication::translate("ImportWindowDelegate", "wrong password")
             : why == ImportService::lockedMessage()
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
    if (m_isImporting && m_service.isRunning()) {
        m_cancelRequested = true;
        m_service.cancel();
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
