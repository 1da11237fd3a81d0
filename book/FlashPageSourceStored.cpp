#include "book/FlashPageSourceStored.h"

FlashPagePtr FlashPageSourceStored::getNormalPageAtIndex(int pageIndex) const
{
    return findByIndex(normalPages(), pageIndex, false);
}

FlashPagePtr FlashPageSourceStored::getThumbPageAtIndex(int pageIndex) const
{
    return findByIndex(thumbPages(), pageIndex, false);
}

FlashPagePtr FlashPageSourceStored::getZoomedPageAtIndex(int pageIndex) const
{
    return findByIndex(zoomedPages(), pageIndex, false);
}

FlashPagePtr FlashPageSourceStored::getMobilePageAtIndex(int pageIndex) const
{
    return findByIndex(mobilePages(), pageIndex, false);
}
