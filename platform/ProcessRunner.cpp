#include "platform/ProcessRunner.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Spawns `program` with the file actions given; the error number, 0 when it started.
int spawn(pid_t *pid, const QString &program, const QStringList &arguments, posix_spawn_file_actions_t *actions)
{
    std::vector<QByteArray> storage;
    storage.reserve(size_t(arguments.size()) + 1);
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray &bytes : storage)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);
    return ::posix_spawnp(pid, storage.front().constData(), actions, nullptr, argv.data(), environ);
}

} // namespace

ProcessResult ProcessRunner::run(const QString &program, const QStringList &arguments, int timeoutMs,
                                 const QByteArray &input)
{
    ProcessResult result;
    int out[2];
    int err[2];
    // A socket for standard input: send() with MSG_NOSIGNAL cannot raise
    // SIGPIPE here when the program ends without reading it.
    int in[2] = {-1, -1};
    const auto fail = [&](int error) {
        for (int fd : {out[0], out[1], err[0], err[1], in[0], in[1]})
            if (fd >= 0)
                ::close(fd);
        result.standardError = systemError(error).toLocal8Bit();
        return result;
    };
    out[0] = out[1] = err[0] = err[1] = -1;
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return fail(errno);
    if (!input.isEmpty() && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in) != 0)
        return fail(errno);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in[1] >= 0)
        posix_spawn_file_actions_adddup2(&actions, in[1], STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // dup2 clears close-on-exec on the copies the program keeps.
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    pid_t pid = -1;
    const int rc = spawn(&pid, program, arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
    for (int *fd : {&out[1], &err[1], &in[1]})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    if (rc != 0)
        return fail(rc);
    result.started = true;
    if (in[0] >= 0) {
        // A few lines fit the socket's buffer whether or not the program reads them.
        qsizetype sent = 0;
        while (sent < input.size()) {
            const ssize_t n = ::send(in[0], input.constData() + sent, size_t(input.size() - sent), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            sent += n;
        }
        ::close(in[0]);
    }

    QElapsedTimer timer;
    timer.start();
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    QByteArray *sinks[2] = {&result.standardOutput, &result.standardError};
    int open = 2;
    while (open > 0) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const qint64 left = timeoutMs - timer.elapsed();
            if (left <= 0) {
                result.timedOut = true;
                ::kill(pid, SIGKILL);
                break;
            }
            wait = int(left);
        }
        const int ready = ::poll(fds, 2, wait);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char chunk[65536];
            const ssize_t n = ::read(fds[i].fd, chunk, sizeof chunk);
            if (n > 0) {
                sinks[i]->append(chunk, n);
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd &p : fds)
        if (p.fd >= 0)
            ::close(p.fd);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
        result.crashed = !result.timedOut;
    } else if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

Result<WorkerProcess> ProcessRunner::startWorker(const QString &program, const QStringList &arguments)
{
    int fds[2];
    // A socket rather than pipes: send() with MSG_NOSIGNAL cannot raise SIGPIPE
    // in this process when the worker has died.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return Failure{QStringLiteral("no socket for %1: %2").arg(program, systemError(errno))};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    WorkerProcess worker;
    const int rc = spawn(&worker.pid, program, arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return Failure{QStringLiteral("%1 could not start: %2").arg(program, systemError(rc))};
    }
    worker.socket = fds[0];
    return worker;
}

bool ProcessRunner::sendAll(const WorkerProcess &worker, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(worker.socket, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void ProcessRunner::stopWorker(WorkerProcess &worker, int graceMs)
{
    if (worker.socket >= 0) {
        ::close(worker.socket);
        worker.socket = -1;
    }
    if (worker.pid <= 0)
        return;
    for (int waited = 0; waited < graceMs; waited += 2) {
        if (::waitpid(worker.pid, nullptr, WNOHANG) != 0) {
            worker.pid = -1;
            return;
        }
        ::usleep(2000);
    }
    ::kill(worker.pid, SIGKILL);
    ::waitpid(worker.pid, nullptr, 0);
    worker.pid = -1;
}
