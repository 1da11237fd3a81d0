// Loading template metadata (flashTemplate.xml) from arbitrary bytes, then
// using the tree the way the application does.
#include "FuzzSupport.h"

#include "platform/Paths.h"
#include "templates/FlashTemplate.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString templateDir = [] {
        FuzzSupport::init();
        const QString resources = FuzzSupport::scratchDir() + QStringLiteral("/resources");
        Paths::setResources(resources);
        const QString dir = resources + QStringLiteral("/AppFiles/Templates/fuzz");
        QDir().mkpath(dir);
        return dir;
    }();
    QFile file(templateDir + QStringLiteral("/flashTemplate.xml"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    FlashTemplate tmpl(QStringLiteral("fuzz"));
    QStringList entries;
    tmpl.exportPropertiesSettingsToArray(entries, nullptr);
    const QByteArray settings = tmpl.propertiesSettingsBytes();
    tmpl.importPropertiesSettingsFromData(settings);
    tmpl.setPropertyValue(QStringLiteral("pageWidth"), QStringLiteral("800"));
    (void)tmpl.propertyValueFor(QStringLiteral("bgColor"), QString());
    (void)tmpl.tmplHTMLFilePath();
    return 0;
}
