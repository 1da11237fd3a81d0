#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "platform/Result.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class ImportPDFOperation;
class OperationQueue;

// What to import.
struct ImportRequest
{
    QString pdf;
    QString pageRange = QStringLiteral("ALL"); // "ALL", or numbers and a-b ranges
    int qualityLevel = 0;                      // 0..4, see AppSettings::qualityForLevel
    bool images = false;                       // page images instead of vector pages
    bool links = false;
    bool bookmarks = false;
    bool text = true; // the pages' words, for search and reading aloud
    // The phone edition's page images; a book that will be published without
    // that edition is imported sooner without them.
    bool mobileImages = true;
    QString password; // of a PDF locked with a user password; never logged
};

// A page of the range that has no page file, and why.
struct PageFailure
{
    int pageIndex = 0;
    QString reason;
};

// An imported book.
struct ImportedBook
{
    FlashPageSourcePtr pageSource;
    FlashPagesAnnotationsPtr annotations; // when asked for and readable
    FlashOutlinePtr outline;              // when asked for and readable
    int pageWidth = 0;                    // the first page's crop box in points, truncated
    int pageHeight = 0;
    int pagesMade = 0;
    QList<PageFailure> pagesFailed;
};

// Imports a PDF in the background on a queue of its own, one import at a time:
// a new start cancels the one still running. Progress is posted as
// "ImportProgressInfoMSG" notifications on the import thread. A document that
// cannot be opened (damaged, locked, crashing or hanging the reader, which
// reads it in a worker process first), a range that selects none of its
// pages, or an import that made no page file at all ends as a failure with
// its reason. The import dialog and the command-line tool both import through
// this.
class ImportService : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const Result<ImportedBook> &)>;

    explicit ImportService(QObject *parent = nullptr);
    ~ImportService() override;

    // Starts the import; `done` runs on this object's thread once it has ended,
    // unless a later start() replaced it first. In image mode the settings'
    // page size becomes twice the first page's size.
    void start(const ImportRequest &request, Done done);
    // Stops the running import at its next page; its `done` reports the cancel.
    void cancel();
    bool isRunning() const;
    // The last import started (tests look at what it was given).
    ImportPDFOperation *operation() const { return m_operation.get(); }

    static QString cancelledMessage();
    // Why a locked PDF stayed locked: no password, or not its password.
    static QString lockedMessage();
    static QString wrongPasswordMessage();

private:
    Result<ImportedBook> takeResult(const ImportRequest &request) const;

    std::unique_ptr<OperationQueue> m_queue;
    std::shared_ptr<ImportPDFOperation> m_operation;
};
