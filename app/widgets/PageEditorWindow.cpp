#include "app/widgets/PageEditorWindow.h"

#include "app/PageEditorBridge.h"
#include "app/PageEditorWindowDelegate.h"
#include "platform/Logging.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

namespace {
const auto logger = Logging::logger("PageEditorWindow");
} // namespace

PageEditorWindow::PageEditorWindow(PageEditorWindowDelegate &delegate, QWidget *parent)
    : QDialog(parent), m_delegate(&delegate), m_bridge(new PageEditorBridge(&delegate, this)),
      m_channel(new QWebChannel(this))
{
    setWindowTitle(tr("Page Editor"));
    setObjectName(QStringLiteral("PageEditorWindow"));
    setMaximumSize(1440, 720);
    resize(1200, 700);
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_channel->registerObject(QStringLiteral("myconnector"), m_bridge);

    connect(m_delegate, &PageEditorWindowDelegate::showEditorPage, this, &PageEditorWindow::showPage);
    connect(m_delegate, &PageEditorWindowDelegate::sheetEnded, this, &QDialog::done);
    // The page's choice of renaming is asked while a call from the page is
    // running, when the page cannot answer: keep a fresh copy of it instead.
    m_delegate->setScriptEvaluator([this](const QString &script) {
        return script == QStringLiteral("ReName()") ? m_renameAnswer : evaluate(script);
    });
    auto *poll = new QTimer(this);
    poll->setInterval(300);
    connect(poll, &QTimer::timeout, this, [this] {
        if (m_view && isVisible())
            m_view->page()->runJavaScript(QStringLiteral("typeof ReName === 'function' ? String(ReName()) : ''"),
                                          [self = QPointer<PageEditorWindow>(this)](const QVariant &v) {
                                              if (self)
                                                  self->m_renameAnswer = v.toString();
                                          });
    });
    poll->start();
}

PageEditorWindow::~PageEditorWindow()
{
    // The delegate outlives this window; it must not call into it any more.
    if (m_delegate)
        m_delegate->setScriptEvaluator({});
    // Pending page answers are delivered when the view goes; they must find
    // this window whole, so the view goes first.
    delete m_view;
}

void PageEditorWindow::showPage(const QUrl &page)
{
    // Each showing gets a fresh view; the old one goes with its page.
    if (m_view)
        m_view->deleteLater();
    m_view = new QWebEngineView(this);
    m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    m_view->page()->setWebChannel(m_channel);
    layout()->addWidget(m_view);
    m_view->load(page);
}

QString PageEditorWindow::evaluate(const QString &script, int timeoutMs)
{
    if (!m_view)
        return QString();
    // The answer may come after the wait has given up, or never before the
    // engine shuts down: it then lands in state that outlives this call and
    // holds nothing that needs the application to tear down.
    struct Answer
    {
        QString text;
        bool done = false;
        QPointer<QEventLoop> loop;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    m_view->page()->runJavaScript(script, [answer](const QVariant &value) {
        answer->text = value.toString();
        answer->done = true;
        if (answer->loop)
            answer->loop->quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!answer->done)
        loop.exec();
    answer->loop = nullptr;
    if (!answer->done)
        LOG4CXX_WARN(logger, "the editor page did not answer " << script);
    return answer->text;
}

void PageEditorWindow::reject()
{
    // Closing the window is leaving without saving, after asking when the page
    // may hold edits.
    const auto answer = QMessageBox::question(this, tr("Leave the Page Editor"),
                                              tr("Leave the page editor without saving your changes?"),
                                              QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Discard && m_delegate)
        m_delegate->exitWithoutSave();
}
