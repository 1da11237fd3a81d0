#include "book/Pdf2SwfServer.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Opening a large document takes a moment; a server that has not greeted by
// then is given up on.
constexpr int kGreetMs = 30000;

} // namespace

std::unique_ptr<Pdf2SwfServer> Pdf2SwfServer::start(const QString &program, const QString &pdf, QString *error)
{
    const Result<WorkerProcess> started = ProcessRunner::startWorker(program, {QStringLiteral("--serve"), pdf});
    if (!started) {
        if (error)
            *error = started.error();
        return nullptr;
    }
    std::unique_ptr<Pdf2SwfServer> server(new Pdf2SwfServer);
    server->m_process = started.value();
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const qsizetype newline = server->m_buffer.indexOf('\n');
        if (newline >= 0) {
            if (server->m_buffer.left(newline) == "READY") {
                server->m_buffer.remove(0, newline + 1);
                return server;
            }
            break;
        }
        const qint64 left = kGreetMs - timer.elapsed();
        pollfd p{server->m_process.socket, POLLIN, 0};
        if (left <= 0 || server->m_buffer.size() > 256)
            break;
        if (::poll(&p, 1, int(left)) <= 0)
            continue;
        char chunk[256];
        const ssize_t n = ::recv(server->m_process.socket, chunk, sizeof chunk, 0);
        if (n == 0 || (n < 0 && errno != EINTR))
            break;
        if (n > 0)
            server->m_buffer.append(chunk, n);
    }
    if (error)
        *error = QStringLiteral("%1 --serve did not start").arg(program);
    return nullptr; // the destructor stops what did start
}

Pdf2SwfServer::~Pdf2SwfServer()
{
    stop();
}

void Pdf2SwfServer::stop()
{
    // At the end of its input the server stops the pages still running and ends.
    ProcessRunner::stopWorker(m_process, 200);
}

Pdf2SwfServer::Read Pdf2SwfServer::readReply(int waitMs, quint64 &id, std::optional<ProcessResult> &result)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const qsizetype newline = m_buffer.indexOf('\n');
        if (newline >= 0) {
            const QList<QByteArray> f = m_buffer.left(newline).split(' ');
            if (f.size() == 2 && f[0] == "FAIL") {
                id = f[1].toULongLong();
                result.reset();
                m_buffer.remove(0, newline + 1);
                return Read::Reply;
            }
            const qint64 size = f.size() == 5 && f[0] == "DONE" ? f[4].toLongLong() : -1;
            if (size < 0 || size > (64 << 20))
                return Read::Gone;
            if (m_buffer.size() >= newline + 1 + size) {
                id = f[1].toULongLong();
                ProcessResult r;
                r.started = true;
                const int code = f[3].toInt();
                if (f[2] == "exit") {
                    r.exitCode = code;
                } else {
                    r.signal = code;
                    r.timedOut = f[2] == "timeout";
                    r.crashed = !r.timedOut;
                }
                r.standardError = m_buffer.mid(newline + 1, size);
                m_buffer.remove(0, newline + 1 + size);
                result = std::move(r);
                return Read::Reply;
            }
        } else if (m_buffer.size() > 256) {
            return Read::Gone;
        }
        const qint64 left = waitMs - timer.elapsed();
        if (left <= 0)
            return Read::Waiting;
        pollfd p{m_process.socket, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno != EINTR)
            return Read::Gone;
        if (ready <= 0)
            continue;
        char chunk[65536];
        const ssize_t n = ::recv(m_process.socket, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Read::Gone;
        m_buffer.append(chunk, n);
    }
}

std::optional<ProcessResult> Pdf2SwfServer::run(const QStringList &arguments, int timeoutMs)
{
    QByteArray payload;
    for (const QString &argument : arguments)
        payload += QFile::encodeName(argument) + '\0';
    std::unique_lock lock(m_mutex);
    if (m_gone)
        return std::nullopt;
    const quint64 id = ++m_lastId;
    if (!ProcessRunner::sendAll(m_process, "RUN " + QByteArray::number(id) + ' ' + QByteArray::number(timeoutMs) + ' ' +
                                               QByteArray::number(payload.size()) + '\n' + payload)) {
        m_gone = true;
        return std::nullopt;
    }
    QElapsedTimer timer;
    timer.start();
    const qint64 limit = qint64(timeoutMs) + kGraceMs;
    for (;;) {
        if (const auto it = m_replies.constFind(id); it != m_replies.constEnd()) {
            std::optional<ProcessResult> result = it.value();
            m_replies.erase(it);
            return result;
        }
        if (m_gone)
            return std::nullopt;
        const qint64 left = limit - timer.elapsed();
        if (left <= 0) {
            // The server stops a page at its time limit; one that does not
            // answer after it is hung itself. Its socket closes with it.
            m_gone = true;
            ::kill(m_process.pid, SIGKILL);
            m_answered.notify_all();
            return std::nullopt;
        }
        const int wait = int(std::min<qint64>(left, 1000));
        if (m_reading) {
            m_answered.wait_for(lock, std::chrono::milliseconds(wait));
            continue;
        }
        m_reading = true;
        lock.unlock();
        quint64 replyId = 0;
        std::optional<ProcessResult> result;
        const Read read = readReply(wait, replyId, result);
        lock.lock();
        m_reading = false;
        if (read == Read::Reply)
            m_replies.insert(replyId, result);
        else if (read == Read::Gone)
            m_gone = true;
        m_answered.notify_all();
    }
}
