#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

// A bounded pool of costly objects (open documents, worker processes) that
// concurrent callers borrow one at a time: a free one is handed out, another is
// opened while fewer than the limit exist, otherwise the caller waits.
template <typename T> class BorrowPool
{
public:
    BorrowPool(int maxOpen, std::unique_ptr<T> first) : m_maxOpen(maxOpen < 1 ? 1 : maxOpen)
    {
        if (first) {
            m_free.push_back(std::move(first));
            m_open = 1;
        }
    }

    // `open` runs outside the lock; a null result gives the slot back.
    template <typename Open> std::unique_ptr<T> borrow(Open &&open)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (!m_free.empty()) {
                auto item = std::move(m_free.back());
                m_free.pop_back();
                return item;
            }
            if (m_open < m_maxOpen) {
                ++m_open;
                lock.unlock();
                std::unique_ptr<T> item = open();
                if (!item)
                    discard();
                return item;
            }
            m_returned.wait(lock);
        }
    }

    void giveBack(std::unique_ptr<T> item)
    {
        {
            std::lock_guard lock(m_mutex);
            m_free.push_back(std::move(item));
        }
        m_returned.notify_one();
    }

    // An object opened ahead of need joins the free ones while there is room.
    bool add(std::unique_ptr<T> item)
    {
        {
            std::lock_guard lock(m_mutex);
            if (!item || m_open >= m_maxOpen)
                return false;
            ++m_open;
            m_free.push_back(std::move(item));
        }
        m_returned.notify_one();
        return true;
    }

    // Counts an object that is not here yet as borrowed: it comes with
    // giveBack(), or its place is freed with discard().
    void reserve()
    {
        std::lock_guard lock(m_mutex);
        ++m_open;
    }

    // Calls `f` on each object not borrowed now.
    template <typename F> void forEachFree(F &&f)
    {
        std::lock_guard lock(m_mutex);
        for (const std::unique_ptr<T> &item : m_free)
            f(*item);
    }

    // A borrowed object that is gone for good frees its slot for a new one.
    void discard()
    {
        {
            std::lock_guard lock(m_mutex);
            --m_open;
        }
        m_returned.notify_one();
    }

private:
    const int m_maxOpen;
    std::mutex m_mutex;
    std::condition_variable m_returned;
    std::vector<std::unique_ptr<T>> m_free;
    int m_open = 0;
};
