#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <memory>

// The program's QApplication is made by this folder's main(); widgets and web
// views need it before the first widget exists.
inline QApplication &uiApp()
{
    return *static_cast<QApplication *>(QCoreApplication::instance());
}

inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Waits until the page in `view` has loaded and drawn every image it holds (at
// least one when `someImage`), asking the page itself.
inline bool waitForImages(QWebEngineView *view, bool someImage, int timeoutMs = 20000)
{
    const QString script = QStringLiteral("document.readyState === 'complete' && %1"
                                          "[...document.images].every(i => i.complete && i.naturalWidth > 0)")
                               .arg(someImage ? QStringLiteral("document.images.length > 0 && ") : QString());
    struct Answer
    {
        bool asked = false;
        bool yes = false;
    };
    auto answer = std::make_shared<Answer>(); // outlives a late reply
    return waitFor(
        [&] {
            if (!answer->asked) {
                answer->asked = true;
                view->page()->runJavaScript(script, [answer](const QVariant &v) {
                    answer->yes = v.toBool();
                    answer->asked = false;
                });
            }
            return answer->yes;
        },
        timeoutMs);
}
