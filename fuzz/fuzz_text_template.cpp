// The placeholder scanner on arbitrary text, with values that themselves look
// like placeholders.
#include "publish/TextTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TextTemplate tmpl(text);
    tmpl.setItem(QStringLiteral("title"), QStringLiteral("A ${title} book"));
    tmpl.setItem(QStringLiteral(""), QStringLiteral("empty key"));
    tmpl.setItem(QStringLiteral("a"), QStringLiteral("$"));
    tmpl.setItem(QStringLiteral("bookWidth"), QStringLiteral("${"));
    (void)tmpl.parse();
    return 0;
}
