#pragma once

#include "book/FlashPageSource.h"

// A book read back from a saved project: its page records as they were when
// the project was saved, whatever kind of source made them.
class FlashPageSourceStored : public FlashPageSource
{
public:
    FlashPagePtr getNormalPageAtIndex(int pageIndex) const override;
    FlashPagePtr getThumbPageAtIndex(int pageIndex) const override;
    FlashPagePtr getZoomedPageAtIndex(int pageIndex) const override;
    FlashPagePtr getMobilePageAtIndex(int pageIndex) const override;
};
