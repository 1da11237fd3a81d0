#include "book/FlashPageSource.h"

#include "platform/Logging.h"
#include "platform/TextScan.h"

#include <algorithm>

namespace {

const auto logger = Logging::logger("FlashPageSource");
constexpr int kMaxRangeEnd = 100000;

} // namespace

void FlashPageSource::clearPages()
{
    m_pages.clear();
    m_normalPages.clear();
    m_zoomedPages.clear();
    m_thumbPages.clear();
    m_mobilePages.clear();
}

QList<int> FlashPageSource::parsePageRange(const QString &range, int totalPage)
{
    QList<int> result;
    if (range.toUpper() == QStringLiteral("ALL")) {
        for (int page = 1; page <= totalPage; ++page)
            result.append(page);
        return result;
    }
    for (const QString &piece : range.split(QLatin1Char(','))) {
        if (piece.contains(QLatin1Char('-'))) {
            const QStringList parts = piece.split(QLatin1Char('-'));
            const int a = TextScan::leadingInt(parts.value(0));
            const int b = TextScan::leadingInt(parts.value(1));
            // Pages past the end stay (they produce no file), but a range such as
            // "1-2000000000" must not allocate billions of entries: its end is
            // cut at the larger of the page count and kMaxRangeEnd.
            const long long last = std::min<long long>(b, std::max<long long>(totalPage, kMaxRangeEnd));
            for (long long page = a; page <= last; ++page)
                result.append(int(page));
        } else {
            result.append(TextScan::leadingInt(piece));
        }
    }
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    if (logger->isDebugEnabled())
        for (int i = 0; i < result.size(); ++i)
            LOG4CXX_DEBUG(logger, "range[" << i << "]=" << result.at(i));
    return result;
}

FlashPagePtr FlashPageSource::getPageAtIndex(unsigned position) const
{
    return position < unsigned(m_pages.size()) ? m_pages.at(position) : nullptr;
}

FlashPagePtr FlashPageSource::getZoomedPageAtIndex(int) const
{
    return nullptr;
}

FlashPagePtr FlashPageSource::getThumbPageAtIndex(int) const
{
    return nullptr;
}

FlashPagePtr FlashPageSource::getMobilePageAtIndex(int) const
{
    return nullptr;
}

FlashPagePtr FlashPageSource::findByIndex(const FlashPageList &list, int pageIndex, bool honourStop) const
{
    for (const FlashPagePtr &page : list) {
        if (honourStop && stop())
            return nullptr;
        if (page && page->pageIndex() == pageIndex)
            return page;
    }
    return nullptr;
}
