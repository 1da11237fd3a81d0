#include "cli/PrivateRoots.h"

#include "platform/Paths.h"

#include <QDir>

PrivateRoots::PrivateRoots() : m_dir(Paths::join(Paths::temp(), QStringLiteral("foliant-cli-XXXXXX"))) {}

PrivateRoots::~PrivateRoots()
{
    remove();
}

void PrivateRoots::apply()
{
    const QString base = m_dir.path();
    const QString userData = base + QStringLiteral("/data");
    const QString temp = base + QStringLiteral("/tmp");
    const QString system = base + QStringLiteral("/system");
    const QString config = base + QStringLiteral("/config");
    for (const QString &folder : {userData, temp, system, config})
        QDir().mkpath(folder);
    Paths::setUserData(userData);
    Paths::setTemp(temp);
    Paths::setSystemData(system);
    Paths::setConfig(config);
}

void PrivateRoots::remove()
{
    if (m_dir.isValid())
        m_dir.remove();
}
