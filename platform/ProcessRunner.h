#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// How a program that was run to its end ended, and what it wrote.
struct ProcessResult
{
    bool started = false;  // the program could be started at all
    bool timedOut = false; // killed after the time limit
    bool crashed = false;  // ended by a signal (not the time limit's)
    int signal = 0;        // the signal that ended it
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError; // why it could not start, when it did not

    bool ok() const { return started && !timedOut && !crashed && exitCode == 0; }
};

// A program started to be talked to: its standard input and output are one
// end of a socket pair, and the caller holds the other end. The caller reaps
// it (waitpid) once done.
struct WorkerProcess
{
    pid_t pid = -1;
    int socket = -1;
};

// The one way this code starts programs: posix_spawn, which is safe on any
// thread (the import runs programs on its own), with no shell in between.
namespace ProcessRunner {

// Runs a program to its end; timeoutMs < 0 waits as long as it takes. Standard
// input holds `input` (a few lines at most: it is handed over before the
// program's output is read), empty by default. A program without a slash is
// looked for on PATH.
ProcessResult run(const QString &program, const QStringList &arguments, int timeoutMs = -1,
                  const QByteArray &input = {});

// Starts a program to keep and talk to.
Result<WorkerProcess> startWorker(const QString &program, const QStringList &arguments);

// Sends all of `bytes` to a kept worker; false when it is gone.
bool sendAll(const WorkerProcess &worker, const QByteArray &bytes);

// Closes the worker's socket (a worker ends at the end of its input) and reaps
// it, killing it when it has not gone after `graceMs`.
void stopWorker(WorkerProcess &worker, int graceMs);

} // namespace ProcessRunner
