#include "FuzzSupport.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <log4cxx/level.h>
#include <log4cxx/logger.h>

#include <cstdlib>

namespace {

QTemporaryDir *dir()
{
    // Made on first use and removed at exit: the folder must outlive every
    // input, whatever order libFuzzer's exit destroys static objects in.
    static QTemporaryDir *d = [] {
        auto *made = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/foliant-fuzz-XXXXXX"));
        std::atexit([] { delete dir(); });
        return made;
    }();
    return d;
}

} // namespace

namespace FuzzSupport {

void init()
{
    static const bool done = [] {
        log4cxx::Logger::getRootLogger()->setLevel(log4cxx::Level::getOff());
        const QString root = dir()->path();
        for (const char *sub : {"userdata", "system", "tmp", "Desktop", "config"})
            QDir(root).mkpath(QString::fromLatin1(sub));
        Paths::setUserData(root + QStringLiteral("/userdata"));
        Paths::setSystemData(root + QStringLiteral("/system"));
        Paths::setTemp(root + QStringLiteral("/tmp"));
        Paths::setDesktop(root + QStringLiteral("/Desktop"));
        Paths::setConfig(root + QStringLiteral("/config"));
        if (qEnvironmentVariableIsEmpty("FOLIANT_RESOURCES"))
            Paths::setResources(QStringLiteral(FOLIANT_RESOURCES_DIR));
        return true;
    }();
    (void)done;
}

QString scratchDir()
{
    init();
    return dir()->path();
}

QString writeScratch(const uint8_t *data, size_t size, const QString &name)
{
    const QString path = scratchDir() + QLatin1Char('/') + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

} // namespace FuzzSupport
