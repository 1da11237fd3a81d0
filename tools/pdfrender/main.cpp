// pdfrender [--check [--no-links] [--no-outline]] FILE.pdf: renders pages of
// one PDF on request.
//
// Standard input and output are one socket to the application. The worker
// greets with "OPEN <pages>" (or "LOCKED" for a file locked by a user password,
// or "ERR <why>", and exits), then answers each
// "RENDER <page from 0> <quality> <want page 0|1> <want thumb 0|1> <want screen 0|1>"
// with "OK <pw> <ph> <tw> <th> <page bytes> <thumb bytes> <screen bytes>" and
// the three JPEGs, or
// with "ERR <why>".
// "WRITE <page from 0> <quality> <image> <screen> <mobile> <thumb> <words>"
// renders the page once and writes the files named (paths in hex, "-" for a
// file not wanted; see PdfRasterizer::renderFiles()); it is answered with
// "OK <pw> <ph> <tw> <th> <why the words are missing, in hex, or ->" or with
// "ERR <why>", which names a file that could not be written and the reason.
// "WORDS <page from 0>" is answered with "OK <bytes>" and
// the page's words (PdfRasterizer::Words), or with "ERR <why>". It ends at end
// of input. With --check it first reads the whole structure the application
// reads with its document model (see checkDocument()) and says "CHECKED", so
// that one process both vouches for the file and renders it; --no-links and
// --no-outline leave out what the application will not read.
//
// FOLIANT_RENDER_WORKER_FAULT=crash:N or hang:N makes it abort or stall on
// page N (counted from 1): tests use it to stand in for a hostile file.
#include "platform/MemoryTuning.h"
#include "platform/PdfDocument.h"
#include "platform/PdfRasterizer.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <log4cxx/level.h>
#include <log4cxx/logger.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include <unistd.h>

namespace {

bool writeAll(const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool writeAll(const QByteArray &bytes)
{
    return writeAll(bytes.constData(), size_t(bytes.size()));
}

// Requests arrive one line each; they are read in blocks, not a byte a call.
bool readLine(QByteArray &line)
{
    static QByteArray pending;
    for (;;) {
        const qsizetype newline = pending.indexOf('\n');
        if (newline >= 0) {
            line = pending.left(newline);
            pending.remove(0, newline + 1);
            return true;
        }
        if (pending.size() > 256 * 1024)
            return false;
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        pending.append(chunk, n);
    }
}

void injectFault(int page)
{
    const QByteArray fault = qgetenv("FOLIANT_RENDER_WORKER_FAULT");
    const qsizetype colon = fault.indexOf(':');
    if (colon < 0 || fault.mid(colon + 1).toInt() != page + 1)
        return;
    if (fault.startsWith("crash"))
        std::abort();
    if (fault.startsWith("hang"))
        for (;;)
            ::pause();
}

QString fromHex(const QByteArray &field)
{
    return field == "-" ? QString() : QFile::decodeName(QByteArray::fromHex(field));
}

QByteArray oneLine(const QString &text)
{
    return text.toUtf8().replace('\n', ' ');
}

} // namespace

// Reads the whole structure the import reads with the document model; the
// application runs this first so that a file which crashes or hangs it ends
// only this process.
void checkDocument(const QString &path, bool links, bool outline)
{
    const QByteArray fault = qgetenv("FOLIANT_RENDER_WORKER_FAULT");
    if (fault == "crash:check")
        std::abort();
    if (fault == "hang:check")
        for (;;)
            ::pause();
    QString error;
    const PdfDocumentPtr doc = PdfDocument::open(path, {}, &error);
    if (!doc)
        return;
    // A part that the model refuses with an exception is a handled failure the
    // import reports itself; only a crash or a hang is this check's business.
    const auto attempt = [](const auto &read) {
        try {
            read();
        } catch (const std::exception &) {
        }
    };
    for (int page = 0; page < doc->pageCount(); ++page) {
        attempt([&] { doc->cropBox(page); });
        attempt([&] { doc->rotation(page); });
        if (links)
            attempt([&] { doc->annotations(page); });
    }
    if (outline)
        attempt([&] {
            if (doc->hasOutline())
                doc->outline();
        });
}

int main(int argc, char **argv)
{
    MemoryTuning::keepPageBuffers();
    bool check = false;
    bool links = true;
    bool outline = true;
    bool usage = argc < 2;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--no-links") == 0)
            links = false;
        else if (std::strcmp(argv[i], "--no-outline") == 0)
            outline = false;
        else
            usage = true;
    }
    if (usage || (!check && argc != 2)) {
        writeAll(QByteArray("ERR usage: pdfrender [--check [--no-links] [--no-outline]] FILE.pdf\n"));
        return 2;
    }
    // Poppler's complaints about damaged files go nowhere; the application
    // logs the outcome of each page.
    log4cxx::Logger::getRootLogger()->setLevel(log4cxx::Level::getOff());
    const QString path = QString::fromLocal8Bit(argv[argc - 1]);
    if (check) {
        checkDocument(path, links, outline);
        if (!writeAll(QByteArray("CHECKED\n")))
            return 1;
    }

    QString error;
    const PdfRasterizerPtr rasterizer = PdfRasterizer::openPoppler(path, 1, &error);
    if (!rasterizer) {
        writeAll(error == PdfRasterizer::kLocked ? QByteArray("LOCKED\n") : "ERR " + error.toUtf8() + '\n');
        return 1;
    }
    if (!writeAll("OPEN " + QByteArray::number(rasterizer->pageCount()) + '\n'))
        return 1;

    QByteArray line;
    while (readLine(line)) {
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.size() == 2 && f.at(0) == "WORDS") {
            const int page = f.at(1).toInt();
            injectFault(page);
            const PdfRasterizer::Words words = rasterizer->words(page);
            const QByteArray reply = words.ok() ? "OK " + QByteArray::number(words.lines.size()) + '\n' + words.lines
                                                : "ERR " + words.error.toUtf8().replace('\n', ' ') + '\n';
            if (!writeAll(reply))
                return 1;
            continue;
        }
        if (f.size() == 8 && f.at(0) == "WRITE") {
            const int page = f.at(1).toInt();
            injectFault(page);
            const PdfRasterizer::PageFiles files{fromHex(f.at(3)), fromHex(f.at(4)), fromHex(f.at(5)), fromHex(f.at(6)),
                                                 fromHex(f.at(7))};
            const PdfRasterizer::Written out = rasterizer->renderFiles(page, f.at(2).toInt(), files);
            const QByteArray reply =
                out.ok()
                    ? "OK " + QByteArray::number(out.pageSize.width()) + ' ' +
                          QByteArray::number(out.pageSize.height()) + ' ' + QByteArray::number(out.thumbSize.width()) +
                          ' ' + QByteArray::number(out.thumbSize.height()) + ' ' +
                          (out.wordsError.isEmpty() ? QByteArray("-") : out.wordsError.toUtf8().toHex()) + '\n'
                    : "ERR " + oneLine(out.error) + '\n';
            if (!writeAll(reply))
                return 1;
            continue;
        }
        if (f.size() != 6 || f.at(0) != "RENDER") {
            writeAll(QByteArray("ERR unknown request\n"));
            continue;
        }
        const int page = f.at(1).toInt();
        injectFault(page);
        const PdfRasterizer::Output out =
            rasterizer->render(page, f.at(2).toInt(), f.at(3) == "1", f.at(4) == "1", f.at(5) == "1");
        QByteArray reply;
        if (!out.ok()) {
            reply = "ERR " + out.error.toUtf8().replace('\n', ' ') + '\n';
        } else {
            reply = "OK " + QByteArray::number(out.pageSize.width()) + ' ' + QByteArray::number(out.pageSize.height()) +
                    ' ' + QByteArray::number(out.thumbSize.width()) + ' ' + QByteArray::number(out.thumbSize.height()) +
                    ' ' + QByteArray::number(out.pageJpeg.size()) + ' ' + QByteArray::number(out.thumbJpeg.size()) +
                    ' ' + QByteArray::number(out.screenJpeg.size()) + '\n';
            reply += out.pageJpeg;
            reply += out.thumbJpeg;
            reply += out.screenJpeg;
        }
        if (!writeAll(reply))
            return 1;
    }
    return 0;
}
