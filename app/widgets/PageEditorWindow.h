#pragma once

#include <QDialog>
#include <QPointer>

class PageEditorBridge;
class PageEditorWindowDelegate;
class QWebChannel;
#include <QWebEngineView>

// The page editor window: a web view showing the editor page, with the bridge
// "myconnector" published to it over the web channel.
class PageEditorWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PageEditorWindow(PageEditorWindowDelegate &delegate, QWidget *parent = nullptr);
    ~PageEditorWindow() override;

    QWebEngineView *webView() const { return m_view; }
    // Runs a script in the page and waits (up to `timeoutMs`) for its value as text.
    QString evaluate(const QString &script, int timeoutMs = 5000);

    void reject() override;

private:
    void showPage(const QUrl &page);

    QPointer<PageEditorWindowDelegate> m_delegate;
    PageEditorBridge *m_bridge;
    QWebChannel *m_channel;
    QPointer<QWebEngineView> m_view;
    QString m_renameAnswer;
};
