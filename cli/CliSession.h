#pragma once

#include "app/Foliant_for_macAppDelegate.h"
#include "app/MainWindowView.h"
#include "platform/NotificationCenter.h"

#include <QObject>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// The desktop application's controller, run without a window: each method
// carries out one of the main window's commands and plays its dialog with the
// choices given, exactly as a person would fill it in, so that the tool makes
// the same folders as the application. Failures come back as one line.
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

    // Template chooser: picks the style of the template, as a double-click would.
    bool chooseTemplate(const QString &tmplName, const QString &styleName, QString *error);
    // Import Settings with the file chosen.
    bool importSettings(const QString &path, QString *error);
    // Edits in the property editor, then Apply.
    bool setProperties(const QList<QPair<QString, QString>> &values, QString *error);
    // Export Settings to `path`; `written` is the file written (".txt" appended
    // to a name without extension, as the application does).
    bool exportSettings(const QString &path, QString *written, QString *error);

    struct ImportChoices
    {
        QString pdf;
        QString pages = QStringLiteral("ALL");
        int quality = 0;
        bool images = false;
        bool links = false;
        bool bookmarks = false;
        QString password;
        bool text = true;
    };
    enum class Outcome { Done, Failed, Interrupted };
    // Called on the main thread for each page of each import pass.
    using ProgressFn = std::function<void(int pageIndex, int totalPage)>;
    // The import dialog: fills it, presses Import and waits for the book, which
    // becomes the current book. Ctrl-C presses Cancel.
    Outcome importPdf(const ImportChoices &choices, const ProgressFn &progress, QString *error);

    struct PublishChoices
    {
        QString folder; // the dialog's output folder
        QString name;   // without ".html"
        QString title;
        bool app = false;
        bool mobile = false;
        int mobileType = 0; // 0 flip, 1 slide
    };
    // The publish dialog with these fields. False with the reason when the
    // publication failed or wrote nothing.
    bool publish(const PublishChoices &choices, QString *error);

    Foliant_for_macAppDelegate &controller() { return *m_controller; }

private:
    // The first message the controller or a dialog showed since `mark`, or "".
    QString messageSince(qsizetype mark) const;

    HeadlessWindowView m_window;
    std::unique_ptr<Foliant_for_macAppDelegate> m_controller;
    ScopedObserver m_progressObserver;
    ProgressFn m_progress;
    bool m_started = false;
};
