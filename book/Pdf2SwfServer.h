#pragma once

#include "platform/ProcessRunner.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

// One `pdf2swf --serve` for an import: the program started once with the
// document open, which makes each page in a process of its own forked from
// it. A page that crashes or hangs the converter ends only its process; the
// answer is the one a run of the program would give. Safe to use from
// several threads at once (pages are made side by side).
class Pdf2SwfServer
{
public:
    // Starts the server for `pdf`; null with `error` when it cannot start or
    // does not greet in time.
    static std::unique_ptr<Pdf2SwfServer> start(const QString &program, const QString &pdf, QString *error);
    ~Pdf2SwfServer();

    // Makes one page with the arguments a run of the program takes; the time
    // limit is the page's. Empty when the server is gone (it is not used
    // again): the caller runs the program itself.
    std::optional<ProcessResult> run(const QStringList &arguments, int timeoutMs);

    // How long past a page's time limit its answer may take before the server
    // is taken for hung.
    static constexpr int kGraceMs = 5000;

private:
    enum class Read { Reply, Waiting, Gone };
    Pdf2SwfServer() = default;
    // Reads what the server sent until one whole answer is in (for the page
    // `id`; no result when no process could be made for it) or `waitMs`
    // passed. Called by one thread at a time, without the lock.
    Read readReply(int waitMs, quint64 &id, std::optional<ProcessResult> &result);
    void stop();

    WorkerProcess m_process;
    std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_reading = false; // a thread reads the socket for everyone
    bool m_gone = false;
    quint64 m_lastId = 0;
    QHash<quint64, std::optional<ProcessResult>> m_replies;
    QByteArray m_buffer; // only the reading thread touches it
};
