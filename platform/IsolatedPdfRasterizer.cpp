#include "platform/IsolatedPdfRasterizer.h"

#include "platform/BorrowPool.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const auto logger = Logging::logger("IsolatedPdfRasterizer");

// One worker process and the socket it reads requests from and answers on. A
// socket rather than pipes: send() with MSG_NOSIGNAL cannot raise SIGPIPE in
// the application when the worker has died.
class Worker
{
public:
    ~Worker() { stop(); }

    // Starts the worker on `path` and reads its greeting. False with `error`.
    bool start(const QString &path, int timeoutMs, int &pageCount, QString &error)
    {
        return spawn(path, false, error) && greet(timeoutMs, pageCount, error);
    }

    // Starts the worker without waiting for it; with `check` it reads the
    // document's structure before it greets.
    bool spawn(const QString &path, bool check, QString &error, IsolatedPdfRasterizer::Reads reads = {})
    {
        QStringList arguments;
        if (check)
            arguments << QStringLiteral("--check");
        if (check && !reads.links)
            arguments << QStringLiteral("--no-links");
        if (check && !reads.outline)
            arguments << QStringLiteral("--no-outline");
        arguments << path;
        const Result<WorkerProcess> started =
            ProcessRunner::startWorker(IsolatedPdfRasterizer::workerProgram(), arguments);
        if (!started) {
            error = QStringLiteral("the render worker %1").arg(started.error());
            return false;
        }
        m_worker = started.value();
        return true;
    }

    // Reads the greeting of a spawned worker. False with `error`; locked()
    // tells a file locked by a password.
    bool greet(int timeoutMs, int &pageCount, QString &error)
    {
        QElapsedTimer timer;
        timer.start();
        QByteArray line;
        if (!readLine(line, timer, timeoutMs, error))
            return false;
        m_greeted = true;
        if (line.startsWith("OPEN ")) {
            pageCount = line.mid(5).trimmed().toInt();
            return true;
        }
        m_locked = line.trimmed() == "LOCKED";
        error = m_locked ? PdfRasterizer::kLocked
                         : QString::fromUtf8(line.startsWith("ERR ") ? line.mid(4) : line).trimmed();
        stop();
        return false;
    }

    // Waits for a checking worker to say it read the structure ("CHECKED").
    // False when it died, ran past the time limit or said anything else.
    bool awaitCheck(int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        QByteArray line;
        QString error;
        if (!readLine(line, timer, timeoutMs, error))
            return false;
        if (line.trimmed() == "CHECKED")
            return true;
        stop();
        return false;
    }

    bool greeted() const { return m_greeted; }
    bool locked() const { return m_locked; }
    // How the worker ended before it answered: killed at the time limit, or by
    // a signal (0 when neither).
    bool timedOut() const { return m_timedOut; }
    int signal() const { return m_signal; }

    // Tells the worker to end without waiting for it.
    void closeInput()
    {
        if (m_worker.socket >= 0) {
            ::shutdown(m_worker.socket, SHUT_WR);
        }
    }

    // Sends a page request and reads its answer line. False with `error` when
    // the worker died, timed out or answered other than "OK" and `fields`
    // fields (it is stopped then); true with `fields` empty and `refusal` set
    // when it could not do the page, else with the answer's fields. `timer`
    // starts with the request, for what follows the line.
    bool exchange(const QByteArray &request, qsizetype fields, QElapsedTimer &timer, int timeoutMs,
                  QList<QByteArray> &answer, QString &refusal, QString &error)
    {
        if (!sendAll(request)) {
            error = describeEnd();
            return false;
        }
        timer.start();
        QByteArray line;
        if (!readLine(line, timer, timeoutMs, error))
            return false;
        if (line.startsWith("ERR ")) {
            refusal = QString::fromUtf8(line.mid(4)).trimmed();
            answer.clear();
            return true;
        }
        answer = line.trimmed().split(' ');
        if (answer.size() != fields || answer.at(0) != "OK") {
            error = QStringLiteral("the render worker answered nonsense");
            stop();
            return false;
        }
        return true;
    }

    // One page; false with `error` when the worker refused, died or timed out
    // (the worker is then stopped and must not be reused).
    bool render(int page, int quality, bool wantPage, bool wantThumb, bool wantScreen, int timeoutMs,
                PdfRasterizer::Output &out, QString &error)
    {
        const QByteArray request = QByteArray("RENDER ") + QByteArray::number(page) + ' ' +
                                   QByteArray::number(quality) + ' ' + (wantPage ? '1' : '0') + ' ' +
                                   (wantThumb ? '1' : '0') + ' ' + (wantScreen ? '1' : '0') + '\n';
        QElapsedTimer timer;
        QList<QByteArray> f;
        if (!exchange(request, 8, timer, timeoutMs, f, out.error, error))
            return false;
        if (f.isEmpty())
            return true; // the worker is fine; the page is not
        out.pageSize = QSize(f.at(1).toInt(), f.at(2).toInt());
        out.thumbSize = QSize(f.at(3).toInt(), f.at(4).toInt());
        const qint64 pageLength = f.at(5).toLongLong();
        const qint64 thumbLength = f.at(6).toLongLong();
        const qint64 screenLength = f.at(7).toLongLong();
        // A page image is bounded by the pixel limit; anything larger is damage.
        const qint64 limit = PdfRasterizer::kMaxPixels * 4;
        if (pageLength < 0 || thumbLength < 0 || screenLength < 0 || pageLength > limit || thumbLength > limit ||
            screenLength > limit) {
            error = QStringLiteral("the render worker announced an impossible length");
            stop();
            return false;
        }
        if (!readExact(out.pageJpeg, pageLength, timer, timeoutMs, error) ||
            !readExact(out.thumbJpeg, thumbLength, timer, timeoutMs, error) ||
            !readExact(out.screenJpeg, screenLength, timer, timeoutMs, error))
            return false;
        return true;
    }

    // One page written to files by the worker; false as render() is.
    bool renderFiles(int page, int quality, const PdfRasterizer::PageFiles &files, int timeoutMs,
                     PdfRasterizer::Written &out, QString &error)
    {
        const auto field = [](const QString &path) {
            return path.isEmpty() ? QByteArray("-") : QFile::encodeName(path).toHex();
        };
        const QByteArray request = "WRITE " + QByteArray::number(page) + ' ' + QByteArray::number(quality) + ' ' +
                                   field(files.image) + ' ' + field(files.screen) + ' ' + field(files.mobile) + ' ' +
                                   field(files.thumb) + ' ' + field(files.words) + '\n';
        QElapsedTimer timer;
        QList<QByteArray> f;
        if (!exchange(request, 6, timer, timeoutMs, f, out.error, error))
            return false;
        if (f.isEmpty())
            return true; // the worker is fine; the page is not
        out.pageSize = QSize(f.at(1).toInt(), f.at(2).toInt());
        out.thumbSize = QSize(f.at(3).toInt(), f.at(4).toInt());
        if (f.at(5) != "-")
            out.wordsError = QString::fromUtf8(QByteArray::fromHex(f.at(5)));
        return true;
    }

    // The words of one page; false as render() is.
    bool words(int page, int timeoutMs, PdfRasterizer::Words &out, QString &error)
    {
        QElapsedTimer timer;
        QList<QByteArray> f;
        if (!exchange("WORDS " + QByteArray::number(page) + '\n', 2, timer, timeoutMs, f, out.error, error))
            return false;
        if (f.isEmpty())
            return true;
        const qint64 length = f.at(1).toLongLong();
        if (length < 0 || length > PdfRasterizer::kMaxWordBytes) {
            error = QStringLiteral("the render worker answered nonsense");
            stop();
            return false;
        }
        return readExact(out.lines, length, timer, timeoutMs, error);
    }

    // Closes the socket (the worker ends on end of input) and reaps it, killing
    // it when it does not go within a moment.
    void stop() { ProcessRunner::stopWorker(m_worker, 100); }

private:
    bool sendAll(const QByteArray &bytes) { return ProcessRunner::sendAll(m_worker, bytes); }

    // Waits for input until the deadline; false (worker killed, `error` set)
    // when it passed or the worker closed its end.
    bool fill(const QElapsedTimer &timer, int timeoutMs, QString &error)
    {
        for (;;) {
            const qint64 left = timeoutMs - timer.elapsed();
            if (left <= 0) {
                error = QStringLiteral("the render worker took longer than %1 ms and was stopped").arg(timeoutMs);
                m_timedOut = true;
                ::kill(m_worker.pid, SIGKILL);
                stop();
                return false;
            }
            pollfd p{m_worker.socket, POLLIN, 0};
            const int ready = ::poll(&p, 1, int(std::min<qint64>(left, 1000)));
            if (ready < 0 && errno != EINTR) {
                error = QStringLiteral("waiting for the render worker failed");
                stop();
                return false;
            }
            if (ready <= 0)
                continue;
            char chunk[65536];
            const ssize_t n = ::recv(m_worker.socket, chunk, sizeof chunk, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = describeEnd();
                return false;
            }
            m_buffer.append(chunk, n);
            return true;
        }
    }

    bool readLine(QByteArray &line, const QElapsedTimer &timer, int timeoutMs, QString &error)
    {
        for (;;) {
            const qsizetype newline = m_buffer.indexOf('\n');
            if (newline >= 0) {
                line = m_buffer.left(newline);
                m_buffer.remove(0, newline + 1);
                return true;
            }
            if (m_buffer.size() > 65536) {
                error = QStringLiteral("the render worker answered nonsense");
                stop();
                return false;
            }
            if (!fill(timer, timeoutMs, error))
                return false;
        }
    }

    bool readExact(QByteArray &bytes, qint64 length, const QElapsedTimer &timer, int timeoutMs, QString &error)
    {
        while (m_buffer.size() < length) {
            if (!fill(timer, timeoutMs, error))
                return false;
        }
        bytes = m_buffer.left(length);
        m_buffer.remove(0, length);
        return true;
    }

    // Why the worker is gone, after its end of the socket closed.
    QString describeEnd()
    {
        int status = 0;
        pid_t reaped = 0;
        if (m_worker.pid > 0) {
            // The socket closes a moment before the process is reaped.
            for (int i = 0; i < 500 && (reaped = ::waitpid(m_worker.pid, &status, WNOHANG)) == 0; ++i)
                ::usleep(2000);
            if (reaped == 0) {
                ::kill(m_worker.pid, SIGKILL);
                ::waitpid(m_worker.pid, &status, 0);
            }
            m_worker.pid = -1;
        }
        if (m_worker.socket >= 0) {
            ::close(m_worker.socket);
            m_worker.socket = -1;
        }
        if (WIFSIGNALED(status)) {
            m_signal = WTERMSIG(status);
            return QStringLiteral("the render worker crashed (signal %1)").arg(m_signal);
        }
        return QStringLiteral("the render worker ended unexpectedly (exit %1)").arg(WEXITSTATUS(status));
    }

    WorkerProcess m_worker;
    QByteArray m_buffer;
    bool m_greeted = false;
    bool m_locked = false;
    bool m_timedOut = false;
    int m_signal = 0;
};

class IsolatedRasterizer : public PdfRasterizer
{
public:
    IsolatedRasterizer(QString path, int pages, int maxConcurrent, int timeoutMs, std::unique_ptr<Worker> first)
        : m_path(std::move(path)), m_pageCount(pages), m_timeoutMs(timeoutMs),
          m_workers(maxConcurrent, std::move(first))
    {}

    ~IsolatedRasterizer() override
    {
        // All end at once rather than one after the other.
        m_workers.forEachFree([](Worker &worker) { worker.closeInput(); });
    }

    // A worker started ahead, greeted when first borrowed.
    void addWorker(std::unique_ptr<Worker> worker) { m_workers.add(std::move(worker)); }
    // Keeps a place for a worker that is still busy elsewhere (reading the
    // structure), which then joins or gives the place up.
    void reserveWorker() { m_workers.reserve(); }
    void giveReservedWorker(std::unique_ptr<Worker> worker) { m_workers.giveBack(std::move(worker)); }
    void dropReservedWorker() { m_workers.discard(); }

    int pageCount() const override { return m_pageCount; }
    int renderCount() const override { return m_renders.load(); }

    Output render(int page, int quality, bool wantPage, bool wantThumb, bool wantScreen) override
    {
        Output out = ask<Output>(page, "page", QStringLiteral("page %1 could not be rendered: %2"),
                                 [&](Worker &worker, Output &reply, QString &error) {
                                     return worker.render(page, quality, wantPage, wantThumb, wantScreen, m_timeoutMs,
                                                          reply, error);
                                 });
        if (out.ok())
            m_renders.fetch_add(1);
        return out;
    }

    Written renderFiles(int page, int quality, const PageFiles &files) override
    {
        Written out = ask<Written>(page, "page", QStringLiteral("page %1 could not be rendered: %2"),
                                   [&](Worker &worker, Written &reply, QString &error) {
                                       return worker.renderFiles(page, quality, files, m_timeoutMs, reply, error);
                                   });
        if (out.ok())
            m_renders.fetch_add(1);
        return out;
    }

    Words words(int page) override
    {
        return ask<Words>(page, "the words of page", QStringLiteral("the words of page %1 could not be read: %2"),
                          [&](Worker &worker, Words &reply, QString &error) {
                              return worker.words(page, m_timeoutMs, reply, error);
                          });
    }

private:
    // One request to a borrowed worker. A page that brought a worker down
    // would do it again: once is enough, and the worker goes with it.
    template <typename Reply, typename Request>
    Reply ask(int page, const char *what, const QString &failure, Request request)
    {
        Reply out;
        if (page < 0 || page >= m_pageCount) {
            out.error = QStringLiteral("no page %1 in a document of %2").arg(page + 1).arg(m_pageCount);
            return out;
        }
        {
            std::lock_guard lock(m_mutex);
            if (m_failed.count(page)) {
                out.error = QStringLiteral("page %1 failed to render before").arg(page + 1);
                return out;
            }
        }
        QString error;
        std::unique_ptr<Worker> worker = m_workers.borrow([this, &error] { return startWorker(error); });
        int pages = 0;
        if (worker && !worker->greeted() && !worker->greet(m_timeoutMs, pages, error)) {
            LOG4CXX_ERROR(logger, "a render worker for " << m_path << " could not start: " << error);
            worker.reset();
            m_workers.discard();
            worker = m_workers.borrow([this, &error] { return startWorker(error); });
        }
        if (!worker) {
            out.error = error;
            return out;
        }
        if (!request(*worker, out, error)) {
            LOG4CXX_ERROR(logger, what << " " << page + 1 << " of " << m_path << " failed: " << error);
            out = Reply();
            out.error = failure.arg(page + 1).arg(error);
            worker.reset();
            {
                std::lock_guard lock(m_mutex);
                m_failed.insert(page);
            }
            m_workers.discard();
            return out;
        }
        m_workers.giveBack(std::move(worker));
        return out;
    }

    std::unique_ptr<Worker> startWorker(QString &error)
    {
        auto worker = std::make_unique<Worker>();
        int pages = 0;
        if (worker->start(m_path, m_timeoutMs, pages, error))
            return worker;
        LOG4CXX_ERROR(logger, "a render worker for " << m_path << " could not start: " << error);
        return nullptr;
    }

    QString m_path;
    int m_pageCount;
    int m_timeoutMs;
    BorrowPool<Worker> m_workers;
    std::mutex m_mutex; // guards m_failed
    std::set<int> m_failed;
    std::atomic<int> m_renders{0};
};

} // namespace

QString IsolatedPdfRasterizer::workerProgram()
{
    return Paths::program(QStringLiteral("pdfrender"));
}

PdfRasterizerPtr IsolatedPdfRasterizer::open(const QString &path, int maxConcurrent, QString *error, int pageTimeoutMs)
{
    if (!QFile::exists(path)) {
        if (error)
            *error = QStringLiteral("no such file");
        return nullptr;
    }
    auto worker = std::make_unique<Worker>();
    int pages = 0;
    QString why;
    if (!worker->start(path, pageTimeoutMs, pages, why)) {
        LOG4CXX_WARN(logger, "cannot render " << path << ": " << why);
        if (error)
            *error = why;
        return nullptr;
    }
    return std::make_shared<IsolatedRasterizer>(path, pages, maxConcurrent, pageTimeoutMs, std::move(worker));
}

PdfRasterizerPtr IsolatedPdfRasterizer::openPreferred(const QString &path, int maxConcurrent, QString *error)
{
    if (qEnvironmentVariable("FOLIANT_RENDER_IN_PROCESS") == QStringLiteral("1"))
        return PdfRasterizer::openPoppler(path, maxConcurrent, error);
    if (!QFileInfo(workerProgram()).isExecutable()) {
        LOG4CXX_WARN(logger, "no render worker at " << workerProgram() << "; rendering in this process");
        return PdfRasterizer::openPoppler(path, maxConcurrent, error);
    }
    bool ok = false;
    const int timeout = qEnvironmentVariableIntValue("FOLIANT_RENDER_TIMEOUT_MS", &ok);
    return open(path, maxConcurrent, error, ok && timeout > 0 ? timeout : kDefaultPageTimeoutMs);
}

IsolatedPdfRasterizer::Checked IsolatedPdfRasterizer::openChecked(const QString &path, int maxConcurrent, Reads reads)
{
    Checked out;
    if (qEnvironmentVariable("FOLIANT_RENDER_IN_PROCESS") == QStringLiteral("1") ||
        !QFileInfo(workerProgram()).isExecutable()) {
        out.rasterizer = openPreferred(path, maxConcurrent, &out.error);
        out.locked = out.error == PdfRasterizer::kLocked;
        return out;
    }
    if (!QFile::exists(path)) {
        out.error = QStringLiteral("no such file");
        return out;
    }
    bool ok = false;
    int timeoutMs = qEnvironmentVariableIntValue("FOLIANT_RENDER_TIMEOUT_MS", &ok);
    if (!ok || timeoutMs <= 0)
        timeoutMs = kDefaultPageTimeoutMs;

    // One worker reads the structure while the others open the file for
    // rendering; the first of those answers for the file.
    auto checker = std::make_shared<std::unique_ptr<Worker>>(std::make_unique<Worker>());
    QString why;
    if (!(*checker)->spawn(path, true, why, reads)) {
        LOG4CXX_WARN(logger, "cannot render " << path << ": " << why);
        checker->reset(); // no worker to ask: the document opens in this process as before
    }
    std::vector<std::unique_ptr<Worker>> renderers;
    for (int i = 1; i < std::max(2, maxConcurrent); ++i) {
        auto worker = std::make_unique<Worker>();
        if (worker->spawn(path, false, why))
            renderers.push_back(std::move(worker));
    }
    std::shared_ptr<IsolatedRasterizer> rasterizer;
    int pages = 0;
    if (!renderers.empty() && renderers.front()->greet(timeoutMs, pages, out.error)) {
        rasterizer = std::make_shared<IsolatedRasterizer>(path, pages, std::max(2, maxConcurrent), timeoutMs,
                                                          std::move(renderers.front()));
        for (size_t i = 1; i < renderers.size(); ++i)
            rasterizer->addWorker(std::move(renderers[i]));
        if (*checker)
            rasterizer->reserveWorker();
        out.rasterizer = rasterizer;
    } else {
        out.locked = !renderers.empty() && renderers.front()->locked();
        LOG4CXX_WARN(logger, "cannot render " << path << ": " << out.error);
        for (const auto &worker : renderers)
            if (worker)
                worker->closeInput();
    }
    out.vouch = [checker, rasterizer, timeoutMs](QString *error) {
        if (!*checker)
            return true;
        const bool survived = (*checker)->awaitCheck(timeoutMs);
        if (survived && rasterizer)
            rasterizer->giveReservedWorker(std::move(*checker));
        else if (rasterizer)
            rasterizer->dropReservedWorker();
        if (survived)
            return true;
        if (error && (*checker)->timedOut())
            *error = QStringLiteral("reading the document took longer than %1 s").arg(timeoutMs / 1000.0);
        else if (error)
            *error = QStringLiteral("reading the document crashed the reader (signal %1)").arg((*checker)->signal());
        checker->reset();
        return false;
    };
    return out;
}
