#include "platform/WriteJournal.h"

namespace {
thread_local WriteJournal *t_current = nullptr;
} // namespace

WriteJournal::WriteJournal() : m_outer(t_current)
{
    t_current = this;
}

WriteJournal::~WriteJournal()
{
    t_current = m_outer;
}

void WriteJournal::recordFailure(const QString &path, const QString &reason)
{
    if (t_current)
        t_current->m_failures.append({path, reason});
}
