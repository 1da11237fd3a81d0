#include "cli/CliSession.h"

#include "app/ImportWindowDelegate.h"
#include "app/OutputWindowDelegate.h"
#include "cli/Interruption.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/SelectTemplateWindowDelegate.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>

namespace {

// The dialogs answer the overwrite question and "Open the result files?" with
// their second button ("NO" and "No"): the tool decides about replacing itself
// and opens nothing.
constexpr int kSecondButton = 1;

} // namespace

CliSession::CliSession() : m_controller(std::make_unique<Foliant_for_macAppDelegate>(&m_window))
{
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

QString CliSession::messageSince(qsizetype mark) const
{
    const auto &asked = m_window.scripted.asked;
    for (qsizetype i = mark; i < asked.size(); ++i)
        if (asked.at(i).kind == QStringLiteral("message"))
            return asked.at(i).text.simplified();
    return QString();
}

bool CliSession::chooseTemplate(const QString &tmplName, const QString &styleName, QString *error)
{
    bool found = false;
    m_window.templateSheet = [&](SelectTemplateWindowDelegate &d) {
        for (int row = 0; row < d.tmplList().size(); ++row)
            if (d.tmplNameAt(row) == tmplName)
                d.selectTmplRow(row);
        if (d.tmplNameAt(d.selectedTmplRow()) != tmplName)
            return 0;
        for (int i = 0; i < d.styles().size(); ++i) {
            if (d.styles().at(i).styleName == styleName) {
                found = true;
                int code = 0;
                QObject::connect(
                    &d, &SelectTemplateWindowDelegate::sheetEnded, &d, [&code](int c) { code = c; },
                    Qt::SingleShotConnection);
                d.imageBrowserCellWasDoubleClickedAtIndex(i);
                return code;
            }
        }
        return 0;
    };
    const qsizetype mark = m_window.scripted.asked.size();
    m_controller->onSelectTemplate();
    m_window.templateSheet = nullptr;
    if (!found) {
        *error = QStringLiteral("the template chooser has no style \"%1\" of \"%2\"").arg(styleName, tmplName);
        return false;
    }
    const QString message = messageSince(mark);
    if (!message.isEmpty()) {
        *error = message;
        return false;
    }
    const FlashTemplatePtr &tmpl = m_controller->flashTmpl();
    if (!tmpl || tmpl->tmplName() != tmplName || tmpl->properties().isEmpty()) {
        *error = QStringLiteral("template \"%1\" could not be loaded (see the log)").arg(tmplName);
        return false;
    }
    return true;
}

bool CliSession::importSettings(const QString &path, QString *error)
{
    const qsizetype mark = m_window.scripted.asked.size();
    m_window.scripted.fileAnswers = {QStringList{path}};
    m_controller->OnImportTmplSettings();
    m_window.scripted.fileAnswers.clear();
    const QString message = messageSince(mark);
    if (!message.isEmpty()) {
        *error = message;
        return false;
    }
    return true;
}

bool CliSession::setProperties(const QList<QPair<QString, QString>> &values, QString *error)
{
    if (values.isEmpty())
        return true;
    FlashTemplateOutlineDelegate *editor = m_controller->outlineDelegate();
    const FlashTemplatePtr tmpl = m_controller->flashTmpl();
    if (!editor || !tmpl) {
        *error = QStringLiteral("there is no template to set properties of");
        return false;
    }
    // The outline shows the tree the template holds now, as the window's reload does.
    editor->reloadData();
    for (const auto &[key, value] : values) {
        const FlashTemplatePropertyPtr node = tmpl->propertyFor(key);
        if (!node) {
            *error = QStringLiteral("unknown property key \"%1\" in template \"%2\"").arg(key, tmpl->tmplName());
            return false;
        }
        const QModelIndex index = editor->indexOf(node.get(), FlashTemplateOutlineDelegate::ValueColumn);
        if (node->propertyType() == pt_bool)
            editor->setData(index, value == QStringLiteral("YES") ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        else
            editor->setData(index, value, Qt::EditRole);
        if (node->value() != value) {
            *error = QStringLiteral("property \"%1\" did not take the value \"%2\"").arg(key, value);
            return false;
        }
    }
    m_controller->OnApplyChange();
    return true;
}

bool CliSession::exportSettings(const QString &path, QString *written, QString *error)
{
    const qsizetype mark = m_window.scripted.asked.size();
    m_window.scripted.saveAnswers = {path};
    m_controller->OnExportTmplSettings();
    m_window.scripted.saveAnswers.clear();
    const QString message = messageSince(mark);
    if (!message.isEmpty()) {
        *error = message;
        return false;
    }
    *written = QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".txt") : path;
    if (!QFileInfo(*written).isFile()) {
        *error = QStringLiteral("%1 was not written").arg(*written);
        return false;
    }
    return true;
}

CliSession::Outcome CliSession::importPdf(const ImportChoices &choices, const ProgressFn &progress, QString *error)
{
    Outcome outcome = Outcome::Failed;
    QString reason;
    m_window.importSheet = [&](ImportWindowDelegate &d) {
        d.txtImportFile = choices.pdf;
        d.pageRangeType = choices.pages.compare(QStringLiteral("ALL"), Qt::CaseInsensitive) == 0 ? 0 : 1;
        d.txtPageRange = d.pageRangeType == 1 ? choices.pages : QString();
        d.importQuality = choices.quality;
        d.PageFormat = choices.images ? 1 : 0;
        d.btnImportLinks = choices.links;
        d.btnImportBookMark = choices.bookmarks;
        d.txtPassword = choices.password;
        d.btnImportText = choices.text;
        emit d.fieldsChanged();

        QEventLoop loop;
        int code = -1;
        QObject::connect(&d, &ImportWindowDelegate::sheetEnded, &loop, [&](int c) {
            code = c;
            loop.quit();
        });
        d.onImportAction();
        if (code < 0 && !d.isImporting()) {
            reason = d.infoText();
            return 0;
        }
        // The dialog reports a failed import only by going idle with a message
        // and staying open; a look every few milliseconds notices that, and Ctrl-C.
        bool cancelled = false;
        QTimer watch;
        watch.setInterval(50);
        QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
            if (Interruption::requested() && !cancelled) {
                cancelled = true;
                d.onCancelAction();
            }
            if (code < 0 && !d.isImporting())
                loop.quit();
        });
        watch.start();
        if (code < 0)
            loop.exec();
        watch.stop();
        if (code == 1)
            return 1;
        reason = d.infoText();
        return 0;
    };
    m_progress = progress;
    const qsizetype mark = m_window.scripted.asked.size();
    m_controller->OnImportPDF();
    m_window.importSheet = nullptr;
    m_progress = nullptr;

    const ImportWindowDelegate *d = m_controller->importDelegate();
    if (Interruption::requested()) {
        outcome = Outcome::Interrupted;
        reason = QStringLiteral("interrupted");
    } else if (d && d->flashPageSource() && m_controller->flashPageSource() == d->flashPageSource()) {
        outcome = Outcome::Done;
    } else {
        const QString message = messageSince(mark);
        if (!message.isEmpty())
            reason = message;
        if (reason.isEmpty())
            reason = QStringLiteral("the PDF could not be imported (see the log)");
    }
    if (outcome != Outcome::Done)
        *error = reason.simplified();
    return outcome;
}

bool CliSession::publish(const PublishChoices &choices, QString *error)
{
    bool published = false;
    m_window.publishSheet = [&](OutputWindowDelegate &d) {
        d.txtOutputFolder = choices.folder;
        d.txtOutputName = choices.name;
        d.txtTitle = choices.title;
        d.mOutputType = choices.app ? 1 : 0;
        d.OnClickOutputType();
        d.chkCreateMobile = choices.mobile;
        d.btnMobileType = choices.mobileType;
        emit d.fieldsChanged();
        int code = 0;
        QObject::connect(
            &d, &OutputWindowDelegate::sheetEnded, &d, [&code](int c) { code = c; }, Qt::SingleShotConnection);
        d.onPublish();
        published = code == 1;
        return code;
    };
    const qsizetype mark = m_window.scripted.asked.size();
    m_window.scripted.alertAnswers = {kSecondButton, kSecondButton};
    m_controller->OnExportFlipBook();
    m_window.scripted.alertAnswers.clear();
    m_window.publishSheet = nullptr;

    const QString message = messageSince(mark);
    if (!message.isEmpty()) {
        *error = message;
        return false;
    }
    if (!published) {
        *error = QStringLiteral("the publish dialog did not publish into %1").arg(choices.folder);
        return false;
    }
    return true;
}
