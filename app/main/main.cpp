#include "app/Foliant_for_macAppDelegate.h"
#include "app/widgets/MainWindow.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Answered before any window system is needed, so they work on a console.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("Foliant %s\n", FOLIANT_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: foliant [--version] [--help]\n\n"
                        "Turns a PDF into a page-turning book for the web. foliant-cli does the same\n"
                        "from a terminal; see \"man foliant-cli\".\n");
            return 0;
        }
    }
    // The web engine refuses to start its sandbox as root (CI, containers).
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Foliant"));
    QApplication::setApplicationDisplayName(QStringLiteral("Foliant"));
    QApplication::setOrganizationName(QStringLiteral("Foliant"));
    QApplication::setDesktopFileName(QStringLiteral("org.foliant.foliant"));
    QApplication::setWindowIcon(QIcon(Paths::resource(QStringLiteral("icons/foliant.svg"))));

    MainWindow window;
    Foliant_for_macAppDelegate controller(&window);
    window.setController(&controller);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &controller,
                     &Foliant_for_macAppDelegate::applicationWillTerminate);
    controller.applicationDidFinishLaunching();
    return QApplication::exec();
}
