#include "book/FlashPageSourceImg.h"

#include <algorithm>

void FlashPageSourceImg::addImgPageFromFile(const QString &path)
{
    mutablePages().append(std::make_shared<FlashPageImage>(path, int(pages().size()) + 1));
}

void FlashPageSourceImg::generateNormalPages()
{
    for (const FlashPagePtr &page : pages()) {
        if (!page || getNormalPageAtIndex(page->pageIndex()))
            continue;
        // Pages come numbered 1, 2, 3... so this is the end of the list; a
        // number out of that order is clamped rather than written out of bounds.
        const qsizetype at = std::clamp<qsizetype>(page->pageIndex() - 1, 0, normalPages().size());
        mutableNormalPages().insert(at, page->copyPage(100, 100));
    }
}

FlashPagePtr FlashPageSourceImg::getNormalPageAtIndex(int pageIndex) const
{
    return findByIndex(normalPages(), pageIndex, false);
}
