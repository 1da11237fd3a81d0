// The page-range parser on arbitrary text and page counts: it must never crash
// nor allocate without bound, and whatever it returns is sorted without
// duplicates.
#include "book/FlashPageSource.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first two bytes pick the page count, small counts being the likely ones.
    const int total = int(data[0]) | (int(data[1] & 0x7f) << 8);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const QList<int> pages = FlashPageSource::parsePageRange(text, total - 64);
    for (qsizetype i = 1; i < pages.size(); ++i) {
        if (pages.at(i) <= pages.at(i - 1))
            std::abort();
    }
    return 0;
}
