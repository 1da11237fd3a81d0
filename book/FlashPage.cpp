#include "book/FlashPage.h"

FlashPagePtr FlashPage::copyPage(int, int) const
{
    return std::make_shared<FlashPage>(m_pageFilePath, m_pageIndex);
}

FlashPagePtr FlashPageImage::copyPage(int, int) const
{
    return std::make_shared<FlashPageImage>(pageFilePath(), pageIndex());
}
