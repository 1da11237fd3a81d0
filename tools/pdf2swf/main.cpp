// pdf2swf: writes one page of a PDF as a vector SWF movie; with --serve, many
// pages of one PDF, each in a process of its own (see serve()).
#include "Pdf2SwfOptions.h"
#include "PdfPageToSwf.h"
#include "PdfTransparencyScan.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <poppler-qt6.h>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>

#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

// Glyph outlines are taken unscaled (at their em size) by Qt's font engine,
// which still lets FreeType run the font's hinting program for each glyph:
// most of the time spent on text, for outlines that must not be hinted
// anyway (they are drawn at every zoom). This program asks for none.
extern "C" FT_Error FT_Load_Glyph(FT_Face face, FT_UInt glyph, FT_Int32 flags)
{
    using Load = FT_Error (*)(FT_Face, FT_UInt, FT_Int32);
    static const auto load = reinterpret_cast<Load>(dlsym(RTLD_NEXT, "FT_Load_Glyph"));
    return load ? load(face, glyph, flags | FT_LOAD_NO_HINTING) : FT_Err_Invalid_Argument;
}

namespace {

// Qt's own notes (font fallbacks, runtime folders) are no concern of the caller,
// who reads only the exit status and our messages.
void quietQt(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "pdf2swf: %s\n", qPrintable(message));
}

int fail(const QString &message)
{
    std::fprintf(stderr, "pdf2swf: %s\n", qPrintable(message));
    return 1;
}

// FOLIANT_PDF2SWF_FAULT=crash:N or hang:N makes the program abort or stall on
// page N: tests use it to stand in for a page that brings the converter down.
void injectFault(int page)
{
    const QByteArray fault = qgetenv("FOLIANT_PDF2SWF_FAULT");
    const qsizetype colon = fault.indexOf(':');
    if (colon < 0 || fault.mid(colon + 1).toInt() != page)
        return;
    if (fault.startsWith("crash"))
        std::abort();
    if (fault.startsWith("hang"))
        for (;;)
            ::pause();
}

// Glyph outlines come from Qt's font engines, which need a GUI application
// with a font database; the minimal platform has none (text would vanish),
// the offscreen one has. No window is ever shown, so a platform inherited
// from the caller (xcb without a display) must not be used.
std::unique_ptr<QGuiApplication> startGui(char *program)
{
    qInstallMessageHandler(quietQt);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char *qtArgv[] = {program, nullptr};
    return std::make_unique<QGuiApplication>(qtArgc, qtArgv);
}

// One page, written as the options say. `opened` is the document when it is
// already open (the server's), null to open options.input here.
int convertPage(const Pdf2SwfOptions &options, Poppler::Document *opened)
{
    injectFault(options.page);
    std::unique_ptr<Poppler::Document> own;
    Poppler::Document *document = opened;
    if (!document) {
        own = Poppler::Document::load(options.input);
        document = own.get();
    }
    if (!document)
        return fail(QStringLiteral("cannot open \"%1\" as a PDF document").arg(options.input));
    if (document->isLocked())
        return fail(QStringLiteral("\"%1\" is protected by a password").arg(options.input));

    std::vector<std::pair<QRectF, QString>> lost;
    for (const auto &area : PdfTransparencyScan::lostAreas(options.input, options.page, options.zoom))
        lost.emplace_back(area.rect, area.reason);
    QStringList notes;
    QString error;
    const QByteArray movie = PdfPageToSwf::convert(*document, options.page, options.zoom, options.jpegQuality,
                                                   options.compress, error, &notes, lost);
    if (movie.isEmpty())
        return fail(error);
    // Even with -qq: the caller's log is where a user learns why part of a page is not vector.
    for (const QString &note : notes)
        std::fprintf(stderr, "pdf2swf: %s\n", qPrintable(note));

    QSaveFile file(options.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(movie) != movie.size() || !file.commit())
        return fail(QStringLiteral("cannot write \"%1\": %2").arg(options.output, file.errorString()));
    return 0;
}

// Room at the top of the heap, left there for the page processes (see
// reserveHeapForPages()).
struct HeapRoom
{
    char *start = nullptr;
    size_t prefault = 0;
};
HeapRoom heapRoom;

// A page's process allocates what it draws (outlines, shapes, the movie) from
// fresh memory, and in a virtual machine faulting that in a page at a time
// costs a good part of a small page's conversion. The server leaves free,
// untouched room at the top of its heap, where a page's allocations land
// first, large ones too (no mapping of their own); each page process asks for
// the start of that room in one call (prefaultHeapRoom()). Untouched, the room
// costs the server nothing and a fork nothing.
void reserveHeapForPages()
{
    constexpr size_t kRoom = 4 << 20;
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    void *block = std::malloc(kRoom);
    if (!block)
        return;
    const auto page = uintptr_t(::sysconf(_SC_PAGESIZE));
    const uintptr_t start = (reinterpret_cast<uintptr_t>(block) + page - 1) & ~(page - 1);
    // Freed, the block becomes the top of the heap again, and stays mapped:
    // only its address is kept.
    std::free(block);
    heapRoom = {reinterpret_cast<char *>(start), 1 << 20}; // NOLINT(performance-no-int-to-ptr)
}

void prefaultHeapRoom()
{
#ifdef MADV_POPULATE_WRITE
    // Older kernels refuse the advice; the pages then fault in one by one.
    if (heapRoom.start)
        ::madvise(heapRoom.start, heapRoom.prefault, MADV_POPULATE_WRITE);
#endif
}

// Poppler finds a system font for each font a document names without
// embedding it, asking fontconfig each time a page process first meets it;
// the answer is kept for later pages. Found here for the document's first
// pages, it is known to every page process (pages mostly share their fonts).
void findFontsOfFirstPages(const Poppler::Document &document)
{
    constexpr int kPages = 50;
    const std::unique_ptr<Poppler::FontIterator> fonts = document.newFontIterator();
    for (int page = 0; page < kPages && fonts && fonts->hasNext(); ++page)
        fonts->next();
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A page being made by a forked copy of the server.
struct Child
{
    QByteArray id;
    pid_t pid = -1;
    int errorFd = -1; // its standard error
    QByteArray error;
    QElapsedTimer started;
    int timeoutMs = 0;
    bool timedOut = false;
};

// Makes one page in a copy of this process: it converts exactly as a run of
// the program would and ends with the same exit status, so a page that
// crashes the converter ends only its copy.
bool forkPage(const QList<QByteArray> &arguments, Poppler::Document *document, const QString &path,
              std::vector<Child> &children, Child &child)
{
    int err[2];
    if (::pipe2(err, O_CLOEXEC) != 0)
        return false;
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(err[0]);
        ::close(err[1]);
        return false;
    }
    if (pid == 0) {
        prefaultHeapRoom();
        ::dup2(err[1], STDERR_FILENO);
        ::close(err[0]);
        // The socket is the server's: a page must not hold it open.
        const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        for (const Child &other : children)
            ::close(other.errorFd);
        ::signal(SIGPIPE, SIG_DFL);
        QStringList args;
        for (const QByteArray &argument : arguments)
            args << QFile::decodeName(argument);
        QString error;
        const auto options = Pdf2SwfOptions::parse(args, error);
        const int rc = !options ? fail(error) : convertPage(*options, options->input == path ? document : nullptr);
        std::fflush(stderr);
        ::_exit(rc);
    }
    ::close(err[1]);
    child.pid = pid;
    child.errorFd = err[0];
    child.started.start();
    return true;
}

// pdf2swf --serve FILE.pdf: the libraries loaded and FILE opened once for a
// whole import. Standard input and output are one socket to the application.
// The server greets with "READY"; each "RUN <id> <time limit ms> <bytes>"
// followed by that many bytes of arguments (each ended by a zero byte, as a
// run of the program would take them) is answered, once that page's process
// has ended, by "DONE <id> exit <code> <bytes>", "DONE <id> signal <number>
// <bytes>" or "DONE <id> timeout <signal> <bytes>" and the page's standard
// error; "FAIL <id>" when no process could be made for it. Pages run side by
// side. At end of input the pages still running are stopped and it ends.
int serve(char **argv, const QString &path)
{
    // Every page would otherwise look up the same library symbols again on
    // first use: they are bound once, here, in a fresh start of the program.
    if (!qEnvironmentVariableIsSet("LD_BIND_NOW")) {
        ::setenv("LD_BIND_NOW", "1", 1);
        ::execv("/proc/self/exe", argv);
    }
    ::signal(SIGPIPE, SIG_IGN);
    const auto gui = startGui(argv[0]);
    std::unique_ptr<Poppler::Document> document(Poppler::Document::load(path));
    // A document the pages cannot use is reported by each page as a run would.
    if (document && document->isLocked())
        document.reset();
    // What every page does first is done here once: the document read for the
    // transparency scan, the font configuration read and Qt's font database
    // filled, the system fonts of the first pages found, the option patterns
    // compiled.
    PdfTransparencyScan::preload(path);
    FcInit();
    QFontDatabase::families();
    if (document)
        findFontsOfFirstPages(*document);
    QString unused;
    Pdf2SwfOptions::parse({path, QStringLiteral("-o-"), QStringLiteral("-p 1-1"), QStringLiteral("-s zoom=72")},
                          unused);
    reserveHeapForPages();
    if (!writeAll(STDOUT_FILENO, "READY\n"))
        return 1;

    std::vector<Child> children;
    QByteArray input;
    bool reading = true;
    const auto reply = [](const QByteArray &bytes) { return writeAll(STDOUT_FILENO, bytes); };
    while (reading || !children.empty()) {
        std::vector<pollfd> fds;
        int wait = -1;
        if (reading)
            fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (const Child &c : children) {
            fds.push_back({c.errorFd, POLLIN, 0});
            if (!c.timedOut) {
                const int left = int(std::max<qint64>(0, c.timeoutMs - c.started.elapsed()));
                wait = wait < 0 ? left : std::min(wait, left);
            }
        }
        if (::poll(fds.data(), fds.size(), wait) < 0 && errno != EINTR)
            break;
        for (Child &c : children)
            if (!c.timedOut && c.started.elapsed() >= c.timeoutMs) {
                c.timedOut = true;
                ::kill(c.pid, SIGKILL);
            }
        size_t at = 0;
        if (reading) {
            if (fds[0].revents) {
                char chunk[65536];
                const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
                if (n > 0)
                    input.append(chunk, n);
                else if (n == 0 || errno != EINTR)
                    reading = false;
            }
            at = 1;
        }
        if (!reading) {
            for (const Child &c : children)
                ::kill(c.pid, SIGKILL);
        }
        for (size_t i = 0; i < children.size(); ++i, ++at) {
            Child &c = children[i];
            if (!fds[at].revents)
                continue;
            char chunk[65536];
            const ssize_t n = ::read(c.errorFd, chunk, sizeof chunk);
            if (n > 0) {
                c.error.append(chunk, n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            ::close(c.errorFd);
            c.errorFd = -1;
            int status = 0;
            while (::waitpid(c.pid, &status, 0) < 0 && errno == EINTR) {
            }
            QByteArray how;
            int code = 0;
            if (c.timedOut) {
                how = "timeout";
                code = WIFSIGNALED(status) ? WTERMSIG(status) : SIGKILL;
            } else if (WIFSIGNALED(status)) {
                how = "signal";
                code = WTERMSIG(status);
            } else {
                how = "exit";
                code = WEXITSTATUS(status);
            }
            if (reading && !reply("DONE " + c.id + ' ' + how + ' ' + QByteArray::number(code) + ' ' +
                                  QByteArray::number(c.error.size()) + '\n' + c.error))
                reading = false;
        }
        std::erase_if(children, [](const Child &c) { return c.errorFd < 0; });

        // Whole requests that came in.
        for (;;) {
            const qsizetype newline = input.indexOf('\n');
            if (newline < 0) {
                if (input.size() > 256)
                    return 1;
                break;
            }
            const QList<QByteArray> f = input.left(newline).split(' ');
            const qint64 size = f.size() == 4 && f[0] == "RUN" ? f[3].toLongLong() : -1;
            if (size < 0 || size > (1 << 20))
                return 1;
            if (input.size() < newline + 1 + size)
                break;
            QList<QByteArray> arguments = input.mid(newline + 1, size).split('\0');
            arguments.removeLast(); // after the last argument's zero byte
            input.remove(0, newline + 1 + size);
            Child child;
            child.id = f[1];
            child.timeoutMs = std::max(1, f[2].toInt());
            if (forkPage(arguments, document.get(), path, children, child))
                children.push_back(std::move(child));
            else if (!reply("FAIL " + child.id + '\n'))
                reading = false;
        }
    }
    for (const Child &c : children) {
        ::kill(c.pid, SIGKILL);
        ::waitpid(c.pid, nullptr, 0);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--serve") == 0)
        return serve(argv, QFile::decodeName(argv[2]));
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString error;
    const auto options = Pdf2SwfOptions::parse(args, error);
    if (!options)
        return fail(error);
    const auto gui = startGui(argv[0]);
    return convertPage(*options, nullptr);
}
