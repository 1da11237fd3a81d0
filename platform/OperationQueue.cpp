#include "platform/OperationQueue.h"

#include "platform/FoliantException.h"
#include "platform/Logging.h"

#include <QMetaObject>
#include <QRunnable>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

const auto logger = Logging::logger("OperationQueue");

} // namespace

void Operation::whenFinished(QObject *context, std::function<void()> handler)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_finished.load()) {
            m_handlers.emplace_back(QPointer<QObject>(context), std::move(handler));
            return;
        }
    }
    if (context)
        QMetaObject::invokeMethod(context, std::move(handler), Qt::QueuedConnection);
}

bool Operation::waitUntilFinished(int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    if (timeoutMs < 0) {
        m_done.wait(lock, [this] { return m_finished.load(); });
        return true;
    }
    return m_done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_finished.load(); });
}

void Operation::start()
{
    if (m_finished.load() || m_executing.exchange(true))
        return;
    if (!isCancelled()) {
        // Background work must never take the application down.
        try {
            main();
        } catch (const std::exception &e) {
            LOG4CXX_ERROR(logger, "operation failed: " << describeException(e));
        } catch (...) {
            LOG4CXX_ERROR(logger, "operation failed with an unknown exception");
        }
    }
    m_executing.store(false);
    markFinished();
}

void Operation::setCompletionBlock(std::function<void()> block)
{
    std::lock_guard lock(m_mutex);
    m_completionBlock = std::move(block);
}

void Operation::markFinished()
{
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> handlers;
    std::function<void()> completion;
    {
        std::lock_guard lock(m_mutex);
        m_finished.store(true);
        handlers.swap(m_handlers);
        completion.swap(m_completionBlock);
    }
    m_done.notify_all();
    if (completion) {
        try {
            completion();
        } catch (...) {
            LOG4CXX_ERROR(logger, "completion block failed");
        }
    }
    for (auto &[context, handler] : handlers)
        if (context)
            QMetaObject::invokeMethod(context.data(), std::move(handler), Qt::QueuedConnection);
}

OperationQueue::OperationQueue(int maxConcurrent)
{
    m_pool.setMaxThreadCount(std::max(1, maxConcurrent));
}

OperationQueue::~OperationQueue()
{
    cancelAllOperations();
    m_pool.waitForDone();
}

void OperationQueue::addOperation(const OperationPtr &operation)
{
    if (!operation)
        return;
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_operations, [](const std::weak_ptr<Operation> &w) {
            auto op = w.lock();
            return !op || op->isFinished();
        });
        m_operations.push_back(operation);
    }
    m_pool.start(QRunnable::create([operation] { operation->start(); }));
}

void OperationQueue::cancelAllOperations()
{
    for (const OperationPtr &op : operations())
        op->cancel();
}

void OperationQueue::waitUntilAllOperationsAreFinished()
{
    m_pool.waitForDone();
}

std::vector<OperationPtr> OperationQueue::operations() const
{
    std::lock_guard lock(m_mutex);
    std::vector<OperationPtr> out;
    for (const auto &w : m_operations)
        if (auto op = w.lock(); op && !op->isFinished())
            out.push_back(op);
    return out;
}

void onEveryCore(qsizetype count, const std::function<void(qsizetype)> &work)
{
    std::atomic<qsizetype> next{0};
    const auto take = [&] {
        for (qsizetype i = next++; i < count; i = next++)
            work(i);
    };
    const qsizetype helpers = std::min<qsizetype>(count, std::max(1U, std::thread::hardware_concurrency())) - 1;
    std::vector<std::thread> threads;
    for (qsizetype t = 0; t < helpers; ++t)
        threads.emplace_back(take);
    take();
    for (std::thread &thread : threads)
        thread.join();
}
