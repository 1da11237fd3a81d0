#pragma once

#include "book/FlashPage.h"

#include <QList>
#include <QString>

#include <atomic>
#include <memory>

class FlashPageSource;
using FlashPageSourcePtr = std::shared_ptr<FlashPageSource>;

// A book: the files of its pages in each form publishing needs, in page order.
// Filled on the import thread, then owned by the main thread; only the stop flag
// is shared between the two.
class FlashPageSource
{
public:
    FlashPageSource() = default;
    virtual ~FlashPageSource() = default;
    FlashPageSource(const FlashPageSource &) = delete;
    FlashPageSource &operator=(const FlashPageSource &) = delete;

    const FlashPageList &pages() const { return m_pages; }
    void setPages(const FlashPageList &list) { m_pages = list; }
    const FlashPageList &normalPages() const { return m_normalPages; }
    void setNormalPages(const FlashPageList &list) { m_normalPages = list; }
    const FlashPageList &zoomedPages() const { return m_zoomedPages; }
    void setZoomedPages(const FlashPageList &list) { m_zoomedPages = list; }
    const FlashPageList &thumbPages() const { return m_thumbPages; }
    void setThumbPages(const FlashPageList &list) { m_thumbPages = list; }
    const FlashPageList &mobilePages() const { return m_mobilePages; }
    void setMobilePages(const FlashPageList &list) { m_mobilePages = list; }
    const QString &sourceFile() const { return m_sourceFile; }
    void setSourceFile(const QString &path) { m_sourceFile = path; }

    bool stop() const { return m_stop.load(std::memory_order_acquire); }
    void setStop(bool stop) { m_stop.store(stop, std::memory_order_release); }

    void clearPages();

    // "ALL" in any case, or comma-separated numbers and a-b ranges; sorted, without
    // duplicates. Numbers are not checked against `totalPage`.
    static QList<int> parsePageRange(const QString &range, int totalPage);

    virtual void generateMobilePages() {}
    virtual void generateThumbPages() {}
    virtual void generatePages() {}
    virtual void generateNormalPages() {}

    // By position in `pages`, counted from 0.
    virtual FlashPagePtr getPageAtIndex(unsigned position) const;
    // By page number: the first record with that `pageIndex`.
    virtual FlashPagePtr getNormalPageAtIndex(int pageIndex) const = 0;
    virtual FlashPagePtr getZoomedPageAtIndex(int pageIndex) const;
    virtual FlashPagePtr getThumbPageAtIndex(int pageIndex) const;
    virtual FlashPagePtr getMobilePageAtIndex(int pageIndex) const;

protected:
    // First record of `list` with that page number; empty slots are skipped.
    // With `honourStop`, gives up as soon as the stop flag is seen.
    FlashPagePtr findByIndex(const FlashPageList &list, int pageIndex, bool honourStop) const;

    FlashPageList &mutablePages() { return m_pages; }
    FlashPageList &mutableNormalPages() { return m_normalPages; }
    FlashPageList &mutableThumbPages() { return m_thumbPages; }
    FlashPageList &mutableMobilePages() { return m_mobilePages; }

private:
    FlashPageList m_pages;
    FlashPageList m_normalPages;
    FlashPageList m_zoomedPages;
    FlashPageList m_thumbPages;
    QString m_sourceFile;
    FlashPageList m_mobilePages;
    std::atomic<bool> m_stop{false};
};
