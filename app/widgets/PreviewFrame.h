#pragma once

#include <QFrame>
#include <QPointer>

class QWebEngineView;

// Holds the preview's web view as one stop of the window's Tab chain. The
// book's links are not walked by Tab from the outside: Enter (or F6) steps
// into the page, where Tab moves between its links and leaves after the last;
// Escape comes back out to this frame.
class PreviewFrame : public QFrame
{
    Q_OBJECT

public:
    explicit PreviewFrame(QWidget *parent = nullptr);

    QWebEngineView *view() const { return m_view; }
    // Moves the keyboard into the page.
    void enterPage();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The engine draws the page in a child widget of the view that it makes
    // (and may replace) on its own; that child must not take Tab focus.
    void tameRenderWidget();

    QWebEngineView *m_view;
    QPointer<QWidget> m_renderWidget;
};
