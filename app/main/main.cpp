#include "app/Foliant_for_macAppDelegate.h"
#include "app/widgets/MainWindow.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QIcon>

#include <unistd.h>

int main(int argc, char *argv[])
{
    // The web engine refuses to start its sandbox as root (CI, containers).
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Foliant"));
    // No display name: the platform would append it to every window title, and
    // the main window's title is the product's name alone.
    QApplication::setOrganizationName(QStringLiteral("Foliant"));
    QApplication::setDesktopFileName(QStringLiteral("foliant"));
    QApplication::setWindowIcon(QIcon(Paths::resource(QStringLiteral("icons/foliant.svg"))));

    MainWindow window;
    Foliant_for_macAppDelegate controller(&window);
    window.setController(&controller);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &controller,
                     &Foliant_for_macAppDelegate::applicationWillTerminate);
    controller.applicationDidFinishLaunching();
    return QApplication::exec();
}
