// pdf2swf: writes one page of a PDF as a vector SWF movie.
#include "Pdf2SwfOptions.h"
#include "PdfPageToSwf.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <poppler-qt6.h>

#include <cstdio>
#include <memory>

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

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString error;
    const auto options = Pdf2SwfOptions::parse(args, error);
    if (!options)
        return fail(error);

    qInstallMessageHandler(quietQt);
    // Glyph outlines come from Qt's font engines, which need a GUI application
    // with a font database; the minimal platform has none (text would vanish),
    // the offscreen one has. No window is ever shown, so a platform inherited
    // from the caller (xcb without a display) must not be used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    const std::unique_ptr<Poppler::Document> document(Poppler::Document::load(options->input));
    if (!document)
        return fail(QStringLiteral("cannot open \"%1\" as a PDF document").arg(options->input));
    if (document->isLocked())
        return fail(QStringLiteral("\"%1\" is protected by a password").arg(options->input));

    QStringList notes;
    const QByteArray movie = PdfPageToSwf::convert(*document, options->page, options->zoom, options->jpegQuality,
                                                   options->compress, error, &notes);
    if (movie.isEmpty())
        return fail(error);
    // Even with -qq: the caller's log is where a user learns why part of a page is not vector.
    for (const QString &note : notes)
        std::fprintf(stderr, "pdf2swf: %s\n", qPrintable(note));

    QSaveFile file(options->output);
    if (!file.open(QIODevice::WriteOnly) || file.write(movie) != movie.size() || !file.commit())
        return fail(QStringLiteral("cannot write \"%1\": %2").arg(options->output, file.errorString()));
    return 0;
}
