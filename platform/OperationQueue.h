#pragma once

#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class Operation;
using OperationPtr = std::shared_ptr<Operation>;

// A unit of background work: main() runs once on a queue's thread. Cancelling
// only raises a flag that main() reads at its own boundaries. The finished state
// can be waited for, or observed on the main thread through whenFinished().
class Operation : public std::enable_shared_from_this<Operation>
{
public:
    Operation() = default;
    virtual ~Operation() = default;
    Operation(const Operation &) = delete;
    Operation &operator=(const Operation &) = delete;

    virtual void main() = 0;
    virtual void cancel() { m_cancelled.store(true); }

    bool isCancelled() const { return m_cancelled.load(); }
    bool isExecuting() const { return m_executing.load(); }
    bool isFinished() const { return m_finished.load(); }

    // Calls `handler` on `context`'s thread (through its event loop) once the
    // operation has finished; at once, queued, when it already has. Dropped when
    // `context` is destroyed first.
    void whenFinished(QObject *context, std::function<void()> handler);
    // Called on the operation's own thread right after it has finished.
    void setCompletionBlock(std::function<void()> block);
    // Blocks until finished; false when `timeoutMs` (>= 0) ran out first.
    bool waitUntilFinished(int timeoutMs = -1) const;

    // Runs main() with the state changes around it; what a queue calls. An
    // operation cancelled before it starts still finishes, without running main().
    void start();

private:
    void markFinished();

    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_executing{false};
    std::atomic<bool> m_finished{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_done;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_handlers;
    std::function<void()> m_completionBlock;
};

// Runs operations on a private QThreadPool. Operations are kept alive by the
// queue until they have run.
class OperationQueue
{
public:
    explicit OperationQueue(int maxConcurrent = 1);
    // Cancels what is queued and waits for what runs.
    ~OperationQueue();
    OperationQueue(const OperationQueue &) = delete;
    OperationQueue &operator=(const OperationQueue &) = delete;

    void addOperation(const OperationPtr &operation);
    void cancelAllOperations();
    void waitUntilAllOperationsAreFinished();
    // Operations added and not yet finished.
    std::vector<OperationPtr> operations() const;
    int operationCount() const { return int(operations().size()); }

private:
    QThreadPool m_pool;
    mutable std::mutex m_mutex;
    std::vector<std::weak_ptr<Operation>> m_operations;
};

// Runs `work` for 0 .. count-1 on the calling thread and one more thread per
// further core; returns when every index is done.
void onEveryCore(qsizetype count, const std::function<void(qsizetype)> &work);
