#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a program to its end and collects what it wrote. Safe on any thread.
struct ProcessResult
{
    bool started = false;  // the program could be started at all
    bool timedOut = false; // killed after the time limit
    bool crashed = false;  // ended by a signal
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;

    bool ok() const { return started && !timedOut && !crashed && exitCode == 0; }
};

namespace ProcessRunner {

// timeoutMs < 0 waits as long as it takes.
ProcessResult run(const QString &program, const QStringList &arguments, int timeoutMs = -1);

} // namespace ProcessRunner
