#pragma once

#include "app/ImportService.h"
#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "platform/NotificationCenter.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class ImportPDFOperation;
class UserPrompts;

// The import dialog's logic: the user's choices (kept in the settings), the
// background import with its progress line, and the imported book, handed to
// the controller when the dialog has ended with code 1. The dialog window
// mirrors the fields below in its controls and forwards its buttons.
class ImportWindowDelegate : public QObject
{
    Q_OBJECT

public:
    explicit ImportWindowDelegate(UserPrompts *prompts, QObject *parent = nullptr);
    ~ImportWindowDelegate() override;

    // Fills the fields from the settings and listens for progress.
    void awakeFromNib();

    void onImportAction();
    void onCancelAction();
    void onBrowseFileAction();
    void onOpenTheFileAction();
    void onPageRangeTypeChangeAction();
    // Idle (true) or importing (false).
    void enableButtons(bool idle);
    void startImport();
    // The import has ended; runs on the main thread.
    void importFinished(const Result<ImportedBook> &result);
    void anyThread_handleMSG(const Notification &note);
    void mainThread_handleMSG(int pageIndex, int totalPage);

    // The range handed to the import: the field's text for the range option, else "ALL".
    QString effectivePageRange() const;

    // The dialog's controls.
    QString txtImportFile;
    int pageRangeType = 0; // 1: the pages in txtPageRange; otherwise all pages
    QString txtPageRange;
    // The password of a locked PDF; kept only for this dialog, never stored or logged.
    QString txtPassword;
    int importQuality = 0; // item index 0..4
    bool btnImportBookMark = false;
    bool btnImportLinks = false;
    bool btnImportText = true;
    int PageFormat = 0; // 0 vector pages, 1 page images

    // What the controls show; the window reads these after stateChanged().
    bool controlsEnabled() const { return m_idle; }
    bool rangeFieldEnabled() const { return m_idle && pageRangeType == 1; }
    bool infoHidden() const { return m_infoHidden; }
    const QString &infoText() const { return m_infoText; }
    bool progressRunning() const { return !m_idle; }
    // Pages done and pages to do in the current step; 0 of 0 until the first page.
    int pagesDone() const { return m_pagesDone; }
    int pagesTotal() const { return m_pagesTotal; }
    bool isImporting() const { return m_isImporting; }

    int pageWidth() const { return m_pageWidth; }
    void setPageWidth(int v) { m_pageWidth = v; }
    int pageHeight() const { return m_pageHeight; }
    void setPageHeight(int v) { m_pageHeight = v; }
    const FlashPageSourcePtr &flashPageSource() const { return iFlashPageSource; }
    void setFlashPageSource(const FlashPageSourcePtr &v) { iFlashPageSource = v; }
    const FlashPagesAnnotationsPtr &flashPagesAnnotations() const { return iFlashPagesAnnotations; }
    void setFlashPagesAnnotations(const FlashPagesAnnotationsPtr &v) { iFlashPagesAnnotations = v; }
    const FlashOutlinePtr &flashOutline() const { return iFlashOutline; }
    void setFlashOutline(const FlashOutlinePtr &v) { iFlashOutline = v; }

    // The last operation started (tests look at what it was given).
    ImportPDFOperation *importPDF() const { return m_service.operation(); }

signals:
    void fieldsChanged();
    void stateChanged();
    void sheetEnded(int code);

private:
    void showInfo(const QString &text);

    UserPrompts *m_prompts;
    ImportService m_service;
    ScopedObserver m_progressObserver;
    bool m_idle = true;
    bool m_infoHidden = true;
    QString m_infoText;
    bool m_isImporting = false;
    bool m_cancelRequested = false;
    int m_pagesDone = 0;
    int m_pagesTotal = 0;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    FlashPageSourcePtr iFlashPageSource;
    FlashPagesAnnotationsPtr iFlashPagesAnnotations;
    FlashOutlinePtr iFlashOutline;
};
