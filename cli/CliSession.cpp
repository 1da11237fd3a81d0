#include "cli/CliSession.h"

#include "cli/Interruption.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>

#include <optional>

CliSession::CliSession() : m_controller(std::make_unique<Foliant_for_macAppDelegate>(&m_window))
{
    m_window.previewShown = false;
    // Progress is posted on the import thread; the report is made on ours.
    QPointer<CliSession> self(this);
    m_progressObserver = ScopedObserver(QStringLiteral("ImportProgressInfoMSG"), [self](const Notification &note) {
        const int pageIndex = note.userInfo.value(QStringLiteral("pageIndex")).toInt();
        const int totalPage = note.userInfo.value(QStringLiteral("totalPage")).toInt();
        QMetaObject::invokeMethod(
            self.data(),
            [self, pageIndex, totalPage] {
                if (self && self->m_progress)
                    self->m_progress(pageIndex, totalPage);
            },
            Qt::QueuedConnection);
    });
}

CliSession::~CliSession()
{
    finish();
}

void CliSession::start()
{
    m_controller->applicationDidFinishLaunching();
    m_started = true;
}

void CliSession::finish()
{
    if (!m_started)
        return;
    m_started = false;
    m_controller->applicationWillTerminate();
}

Result<void> CliSession::chooseTemplate(const QString &tmplName, const QString &styleName)
{
    return m_controller->chooseTemplateStyle(tmplName, styleName);
}

Result<void> CliSession::importSettings(const QString &path)
{
    return m_controller->importTmplSettingsFrom(path);
}

Result<void> CliSession::setProperties(const QList<QPair<QString, QString>> &values)
{
    return m_controller->setTmplPropertyValues(values);
}

Result<QString> CliSession::exportSettings(const QString &path)
{
    return m_controller->exportTmplSettingsTo(path);
}

CliSession::Outcome CliSession::importPdf(const ImportRequest &request, const ProgressFn &progress, QString *error)
{
    QEventLoop loop;
    std::optional<Result<ImportedBook>> outcome;
    m_progress = progress;
    m_import.start(request, [&](const Result<ImportedBook> &result) {
        outcome = result;
        loop.quit();
    });
    // Ctrl-C arrives as a flag; a look every few milliseconds cancels the import.
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, &loop, [this] {
        if (Interruption::requested())
            m_import.cancel();
    });
    watch.start();
    if (!outcome)
        loop.exec();
    watch.stop();
    m_progress = nullptr;
    if (Interruption::requested()) {
        *error = QStringLiteral("interrupted");
        return Outcome::Interrupted;
    }
    if (!outcome->ok()) {
        *error = outcome->error().simplified();
        if (*error == ImportService::lockedMessage())
            *error += QStringLiteral(": give it with --password-file FILE or FOLIANT_PDF_PASSWORD");
        return Outcome::Failed;
    }
    m_controller->useImportedBook(outcome->value());
    return Outcome::Done;
}

Result<PublishedBook> CliSession::publish(PublishRequest request)
{
    const PublishRequest current = m_controller->publishRequest();
    request.pageSource = current.pageSource;
    request.tmpl = current.tmpl;
    request.annotations = current.annotations;
    request.outline = current.outline;
    return PublishService::publish(request);
}
