#pragma once

#include <QList>
#include <QString>

// Collects the writes that failed on this thread while a journal is open, so
// that an operation made of many small copies and writes (publishing a book)
// can end as a failure naming the first file that could not be written and
// the operating system's reason, without every step passing errors up.
// Journals nest: an inner one sees only its own writes and hands nothing on.
class WriteJournal
{
public:
    struct Entry
    {
        QString path;
        QString reason;
    };

    WriteJournal();
    ~WriteJournal();
    WriteJournal(const WriteJournal &) = delete;
    WriteJournal &operator=(const WriteJournal &) = delete;

    // Records a failed write in the thread's open journal; nothing when none is open.
    static void recordFailure(const QString &path, const QString &reason);

    const QList<Entry> &failures() const { return m_failures; }

private:
    WriteJournal *m_outer;
    QList<Entry> m_failures;
};
