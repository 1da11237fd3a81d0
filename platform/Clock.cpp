#include "platform/Clock.h"

#include <QMutex>

namespace {
QMutex gMutex;
std::function<QDateTime()> gSource;
} // namespace

QDateTime Clock::now()
{
    QMutexLocker lock(&gMutex);
    return gSource ? gSource() : QDateTime::currentDateTime();
}

void Clock::setNow(std::function<QDateTime()> source)
{
    QMutexLocker lock(&gMutex);
    gSource = std::move(source);
}

QString Clock::stamp(const QDateTime &when)
{
    // "YY" is the year of the ISO week, which differs from the calendar year
    // around New Year (31 December 2024 belongs to week 1 of 2025).
    int weekYear = 0;
    when.date().weekNumber(&weekYear);
    const QString two = QStringLiteral("%1").arg(((weekYear % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
    return when.toString(QStringLiteral("ddMM")) + two + when.toString(QStringLiteral("HHmmss"));
}
