#pragma once

#include <QDateTime>

#include <functional>

// The time the application stamps into its output. Tests replace it so that
// stamped files come out the same every run.
namespace Clock {

QDateTime now();
void setNow(std::function<QDateTime()> source); // an empty function restores the real clock

// Local time formatted with the pattern "ddMMYYHHmmss": day, month, two-digit
// week-based year, hour 00-23, minute, second.
QString stamp(const QDateTime &when);

} // namespace Clock
