#pragma once

#include "app/Foliant_for_macAppDelegate.h"
#include "app/ImportService.h"
#include "app/MainWindowView.h"
#include "app/PublishService.h"
#include "platform/NotificationCenter.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// The desktop application's controller, run without a window, with the
// import and publish services the application's dialogs use: the tool keeps a
// current book and template exactly as the application does, so that it makes
// the same folders. Failures come back as one line.
class CliSession : public QObject
{
    Q_OBJECT

public:
    CliSession();
    ~CliSession() override;

    // The start-up sequence: sample book, start-up template, preview folder.
    void start();
    // The termination sequence: work folders and preview folder go. Safe to repeat.
    void finish();

    Result<void> chooseTemplate(const QString &tmplName, const QString &styleName);
    Result<void> importSettings(const QString &path);
    // Values as the property editor stores them, then Apply.
    Result<void> setProperties(const QList<QPair<QString, QString>> &values);
    // The file written (".txt" appended to a name without extension).
    Result<QString> exportSettings(const QString &path);

    enum class Outcome { Done, Failed, Interrupted };
    // Called on the main thread for each page of each import pass.
    using ProgressFn = std::function<void(int pageIndex, int totalPage)>;
    // Imports the PDF and makes it the current book. Ctrl-C cancels the import.
    Outcome importPdf(const ImportRequest &request, const ProgressFn &progress, QString *error);

    // Publishes the current book with the template as it stands.
    Result<PublishedBook> publish(PublishRequest request);

    Foliant_for_macAppDelegate &controller() { return *m_controller; }

private:
    HeadlessWindowView m_window;
    std::unique_ptr<Foliant_for_macAppDelegate> m_controller;
    ImportService m_import;
    ScopedObserver m_progressObserver;
    ProgressFn m_progress;
    bool m_started = false;
};
