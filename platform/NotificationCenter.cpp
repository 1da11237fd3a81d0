#include "platform/NotificationCenter.h"

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverId NotificationCenter::addObserver(const QString &name, Handler handler)
{
    std::lock_guard lock(m_mutex);
    const ObserverId id = m_nextId++;
    m_entries.push_back({id, name, std::make_shared<Handler>(std::move(handler))});
    return id;
}

void NotificationCenter::removeObserver(ObserverId id)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [id](const Entry &e) { return e.id == id; });
}

void NotificationCenter::postNotificationName(const QString &name, const void *object, const QVariantMap &userInfo)
{
    // Handlers run outside the lock, so they may post or (un)register themselves.
    std::vector<std::shared_ptr<Handler>> targets;
    {
        std::lock_guard lock(m_mutex);
        for (const Entry &e : m_entries)
            if (e.name == name)
                targets.push_back(e.handler);
    }
    const Notification note{name, object, userInfo};
    for (const auto &handler : targets)
        (*handler)(note);
}

ScopedObserver::ScopedObserver(const QString &name, NotificationCenter::Handler handler)
    : m_id(NotificationCenter::defaultCenter().addObserver(name, std::move(handler)))
{}

ScopedObserver::~ScopedObserver()
{
    if (m_id)
        NotificationCenter::defaultCenter().removeObserver(m_id);
}

ScopedObserver::ScopedObserver(ScopedObserver &&other) noexcept : m_id(other.m_id)
{
    other.m_id = 0;
}

ScopedObserver &ScopedObserver::operator=(ScopedObserver &&other) noexcept
{
    if (this != &other) {
        if (m_id)
            NotificationCenter::defaultCenter().removeObserver(m_id);
        m_id = other.m_id;
        other.m_id = 0;
    }
    return *this;
}
