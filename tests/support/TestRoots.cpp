#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <csignal>
#include <sys/resource.h>

TestRoots::TestRoots()
{
    // Warnings and errors on the console, nothing in files, until a test
    // configures logging itself.
    static const bool quiet = (Logging::configure(QString(), QString()), true);
    Q_UNUSED(quiet);
    for (const QString &sub : {QStringLiteral("userdata"), QStringLiteral("system"), QStringLiteral("tmp"),
                               QStringLiteral("Desktop"), QStringLiteral("config")})
        QDir(m_dir.path()).mkpath(sub);
    Paths::setUserData(userData());
    Paths::setSystemData(systemData());
    Paths::setTemp(temp());
    Paths::setDesktop(desktop());
    Paths::setConfig(config());
    Paths::setResources(QStringLiteral(FOLIANT_RESOURCES_DIR));
    AppSettings::resetSharedInstance();
}

TestRoots::~TestRoots()
{
    AppSettings::resetSharedInstance();
    Paths::reset();
}

QString TestRoots::userData() const
{
    return m_dir.path() + QStringLiteral("/userdata");
}
QString TestRoots::systemData() const
{
    return m_dir.path() + QStringLiteral("/system");
}
QString TestRoots::temp() const
{
    return m_dir.path() + QStringLiteral("/tmp");
}
QString TestRoots::desktop() const
{
    return m_dir.path() + QStringLiteral("/Desktop");
}
QString TestRoots::config() const
{
    return m_dir.path() + QStringLiteral("/config");
}

QString TestRoots::writeFile(const QString &relative, const QByteArray &bytes) const
{
    const QString path = m_dir.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QCoreApplication &testApp()
{
    static int argc = 1;
    static char name[] = "foliant-test";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv); // lives until the program ends
    }
    return *QCoreApplication::instance();
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QStringList names(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *item : items)
        out << QString::fromUtf8(item);
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool underFileSizeLimit(long bytes, const std::function<bool()> &write)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool result = write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

QMap<QString, QByteArray> folderContents(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(QDir(folder).relativeFilePath(file), readAll(file));
    }
    return files;
}
