#pragma once

#include "book/FlashPageSource.h"

// A book whose pages are existing image files (the sample book): nothing is
// rendered, every record names one of the given files.
class FlashPageSourceImg : public FlashPageSource
{
public:
    // Appends a page numbered after the pages already added.
    void addImgPageFromFile(const QString &path);

    void generatePages() override {}
    void generateNormalPages() override;

    FlashPagePtr getNormalPageAtIndex(int pageIndex) const override;
    FlashPagePtr getThumbPageAtIndex(int) const override { return nullptr; }
};
