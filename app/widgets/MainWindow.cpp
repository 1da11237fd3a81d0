#include "app/widgets/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
}

void MainWindow::bringToFront()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::setTitle(const QString &title)
{
    setWindowTitle(title);
}

QRect MainWindow::screenFrame() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void MainWindow::setFrame(const QRect &frame)
{
    if (!frame.isEmpty())
        setGeometry(frame);
}

void MainWindow::loadPreview(const QUrl &)
{
}

void MainWindow::setApplyImage(const QString &)
{
}

void MainWindow::showPropertyTip(const QString &, const QString &)
{
}
