// Applying a settings file to a shipped template: arbitrary bytes never crash,
// never change the page size, and the values still export.
#include "FuzzSupport.h"

#include "templates/FlashTemplate.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    static FlashTemplate *tmpl = new FlashTemplate(QStringLiteral("float"));
    // A fresh tree per input, so that a crash reproduces from its input alone.
    tmpl->loadTemplate(QStringLiteral("float"));
    const QString width = tmpl->propertyValueFor(QStringLiteral("pageWidth"), QStringLiteral("?"));
    tmpl->importPropertiesSettingsFromData(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (tmpl->propertyValueFor(QStringLiteral("pageWidth"), QStringLiteral("?")) != width)
        std::abort();
    (void)tmpl->propertiesSettingsBytes();
    return 0;
}
