#pragma once

// The program's QApplication is made by this folder's main(); widgets and web
// views need it before the first widget exists.
#include "TestRoots.h"

#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

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
    return waitUntil(
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
