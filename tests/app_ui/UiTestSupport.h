#pragma once

#include <QApplication>
#include <QElapsedTimer>

#include <functional>

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
