#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

#include <functional>

namespace {

struct Overrides
{
    QMutex mutex;
    QString userData, systemData, temp, desktop, resources, config;
};

Overrides &overrides()
{
    static Overrides o;
    return o;
}

QString pick(QString Overrides::*field, const char *env, const std::function<QString()> &fallback)
{
    {
        QMutexLocker lock(&overrides().mutex);
        const QString &set = overrides().*field;
        if (!set.isEmpty())
            return set;
    }
    const QByteArray fromEnv = qgetenv(env);
    if (!fromEnv.isEmpty())
        return QString::fromLocal8Bit(fromEnv);
    return fallback();
}

void put(QString Overrides::*field, const QString &path)
{
    QMutexLocker lock(&overrides().mutex);
    overrides().*field = path;
}

QString defaultResources()
{
    // Installed and build-tree layouts both keep resources beside bin/.
    QString appDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    if (appDir.isEmpty())
        appDir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    for (const char *candidate : {"../resources", "../share/foliant", "resources", "../../resources"}) {
        const QString dir = QDir::cleanPath(appDir + QLatin1Char('/') + QLatin1String(candidate));
        if (QFileInfo(dir + QStringLiteral("/AppFiles")).isDir())
            return dir;
    }
    return QDir::cleanPath(appDir + QStringLiteral("/../resources"));
}

} // namespace

QString Paths::userData()
{
    return pick(&Overrides::userData, "FOLIANT_USER_DATA",
                [] { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); });
}

QString Paths::systemData()
{
    return pick(&Overrides::systemData, "FOLIANT_SYSTEM_DATA", [] {
        // The computer-wide folder is the last of the system data folders.
        const QStringList all = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        return all.size() > 1 ? all.last() : QStringLiteral("/usr/share");
    });
}

QString Paths::temp()
{
    return pick(&Overrides::temp, "FOLIANT_TEMP", [] { return QDir::tempPath(); });
}

QString Paths::desktop()
{
    return pick(&Overrides::desktop, "FOLIANT_DESKTOP",
                [] { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); });
}

QString Paths::resources()
{
    return pick(&Overrides::resources, "FOLIANT_RESOURCES", defaultResources);
}

QString Paths::config()
{
    return pick(&Overrides::config, "FOLIANT_CONFIG",
                [] { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation); });
}

void Paths::setUserData(const QString &path)
{
    put(&Overrides::userData, path);
}
void Paths::setSystemData(const QString &path)
{
    put(&Overrides::systemData, path);
}
void Paths::setTemp(const QString &path)
{
    put(&Overrides::temp, path);
}
void Paths::setDesktop(const QString &path)
{
    put(&Overrides::desktop, path);
}
void Paths::setResources(const QString &path)
{
    put(&Overrides::resources, path);
}
void Paths::setConfig(const QString &path)
{
    put(&Overrides::config, path);
}

void Paths::reset()
{
    for (auto field : {&Overrides::userData, &Overrides::systemData, &Overrides::temp, &Overrides::desktop,
                       &Overrides::resources, &Overrides::config})
        put(field, QString());
}

QString Paths::join(const QString &base, const QString &component)
{
    QString joined = base;
    if (!component.isEmpty()) {
        if (!joined.isEmpty() && !joined.endsWith(QLatin1Char('/')))
            joined += QLatin1Char('/');
        joined += component;
    }
    // Collapse doubled separators and drop the trailing one.
    QString out;
    out.reserve(joined.size());
    for (QChar c : joined) {
        if (c == QLatin1Char('/') && out.endsWith(QLatin1Char('/')))
            continue;
        out += c;
    }
    if (out.size() > 1 && out.endsWith(QLatin1Char('/')))
        out.chop(1);
    return out;
}

QString Paths::resource(const QString &relative)
{
    return join(resources(), relative);
}

QString Paths::program(const QString &name)
{
    // The build tree keeps the programs in resources/lib; installed, they live
    // in lib/foliant beside share/foliant, where architecture-bound files belong.
    const QString beside = resource(QStringLiteral("lib/") + name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(resources() + QStringLiteral("/../../lib/foliant/") + name);
    return QFileInfo::exists(installed) ? installed : beside;
}
