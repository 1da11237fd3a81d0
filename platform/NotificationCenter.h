#pragma once

#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// A notification as posted: its name, the posting object (may be null) and the
// user information.
struct Notification
{
    QString name;
    const void *object = nullptr;
    QVariantMap userInfo;
};

// The process-wide notification centre. Observers register for a name and hear
// every sender. A post is delivered synchronously, on the posting thread, to the
// observers registered when the post began; an observer that touches widgets
// hops to the main thread itself.
class NotificationCenter
{
public:
    using Handler = std::function<void(const Notification &)>;
    using ObserverId = quint64;

    static NotificationCenter &defaultCenter();

    ObserverId addObserver(const QString &name, Handler handler);
    void removeObserver(ObserverId id);

    void postNotificationName(const QString &name, const void *object = nullptr, const QVariantMap &userInfo = {});

private:
    struct Entry
    {
        ObserverId id;
        QString name;
        std::shared_ptr<Handler> handler;
    };
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
    ObserverId m_nextId = 1;
};

// Removes its observer when destroyed; keeps handlers from outliving their owner.
class ScopedObserver
{
public:
    ScopedObserver() = default;
    ScopedObserver(const QString &name, NotificationCenter::Handler handler);
    ~ScopedObserver();
    ScopedObserver(ScopedObserver &&other) noexcept;
    ScopedObserver &operator=(ScopedObserver &&other) noexcept;
    ScopedObserver(const ScopedObserver &) = delete;
    ScopedObserver &operator=(const ScopedObserver &) = delete;

private:
    NotificationCenter::ObserverId m_id = 0;
};
