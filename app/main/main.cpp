#include "app/Foliant_for_macAppDelegate.h"
#include "app/widgets/MainWindow.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
// Qt's own messages and the web pages' console lines go to the log file with
// the application's; only warnings and worse reach the terminal, through the
// log's console appender.
void logQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static const auto qtLogger = Logging::logger("Qt");
    const char *category = context.category ? context.category : "default";
    switch (type) {
    case QtDebugMsg:
        LOG4CXX_DEBUG(qtLogger, category << ": " << message);
        break;
    case QtInfoMsg:
        LOG4CXX_INFO(qtLogger, category << ": " << message);
        break;
    case QtWarningMsg:
        LOG4CXX_WARN(qtLogger, category << ": " << message);
        break;
    case QtCriticalMsg:
    case QtFatalMsg:
        LOG4CXX_ERROR(qtLogger, category << ": " << message);
        break;
    }
}
} // namespace

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
    qInstallMessageHandler(logQtMessage);
    // The web engine refuses to start its sandbox as root (CI, containers).
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Foliant"));
    // No display name: the platform would append it to every window title, and
    // the main window's title is the product's name alone.
    QApplication::setOrganizationName(QStringLiteral("Foliant"));
    QApplication::setDesktopFileName(QStringLiteral("org.foliant.foliant"));
    Translations::install();
    QApplication::setWindowIcon(QIcon(Paths::resource(QStringLiteral("icons/foliant.svg"))));

    MainWindow window;
    Foliant_for_macAppDelegate controller(&window);
    window.setController(&controller);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &controller,
                     &Foliant_for_macAppDelegate::applicationWillTerminate);
    controller.applicationDidFinishLaunching();
    return QApplication::exec();
}
