// Merging a page list file into the book configuration: arbitrary bytes in the
// file must either be merged whole or refused, and the merged document must
// still serialise and parse back.
#include "FuzzSupport.h"

#include "platform/Xml.h"
#include "publish/FlashBookOutput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    const QString path = FuzzSupport::writeScratch(data, size, QStringLiteral("pages.xml"));
    XmlDocument doc = XmlDocument::create(QStringLiteral("book"));
    XmlNode root = doc.root();
    if (FlashBookOutput::MergeXML(root, path)) {
        const QByteArray bytes = doc.toBytes(false);
        if (XmlDocument::parse(bytes).isNull())
            std::abort();
    }
    return 0;
}
