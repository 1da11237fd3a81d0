#include "app/widgets/PreviewFrame.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>
#include <QWebEngineView>

PreviewFrame::PreviewFrame(QWidget *parent) : QFrame(parent), m_view(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("PreviewFrame"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Book preview"));
    setAccessibleDescription(tr("Press Enter to use the book with the keyboard, Escape to leave it"));
    setToolTip(tr("Book preview: press Enter to use it with the keyboard, Escape to leave it"));
    auto *layout = new QVBoxLayout(this);
    // Room for the focus ring around the page.
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_view);
    m_view->setFocusPolicy(Qt::ClickFocus);
    m_view->installEventFilter(this);
    connect(m_view, &QWebEngineView::loadFinished, this, &PreviewFrame::tameRenderWidget);
    tameRenderWidget();
}

void PreviewFrame::tameRenderWidget()
{
    QWidget *render = m_view->focusProxy();
    if (!render || render == m_renderWidget)
        return;
    if (m_renderWidget)
        m_renderWidget->removeEventFilter(this);
    m_renderWidget = render;
    render->setFocusPolicy(Qt::ClickFocus);
    render->installEventFilter(this);
}

void PreviewFrame::enterPage()
{
    tameRenderWidget();
    m_view->setFocus(Qt::OtherFocusReason);
}

bool PreviewFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded)
        tameRenderWidget();
    if (watched == m_renderWidget && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void PreviewFrame::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F6:
        enterPage();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void PreviewFrame::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    update();
}

void PreviewFrame::focusOutEvent(QFocusEvent *event)
{
    QFrame::focusOutEvent(event);
    update();
}

void PreviewFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
