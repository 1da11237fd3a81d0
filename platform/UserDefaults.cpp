#include "platform/UserDefaults.h"

#include "platform/Paths.h"

QString UserDefaults::storePath()
{
    return Paths::join(Paths::config(), QStringLiteral("Foliant/Foliant.conf"));
}

std::unique_ptr<QSettings> UserDefaults::open()
{
    return std::make_unique<QSettings>(storePath(), QSettings::IniFormat);
}
