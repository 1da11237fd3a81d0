// pdf2swf: writes one page of a PDF as a vector SWF movie.
#include "Pdf2SwfOptions.h"
#include "PdfPageToSwf.h"
#include "PdfTransparencyScan.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <poppler-qt6.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <dlfcn.h>

#include <cstdio>
#include <memory>

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

    std::vector<std::pair<QRectF, QString>> lost;
    for (const auto &area : PdfTransparencyScan::lostAreas(options->input, options->page, options->zoom))
        lost.emplace_back(area.rect, area.reason);
    QStringList notes;
    const QByteArray movie = PdfPageToSwf::convert(*document, options->page, options->zoom, options->jpegQuality,
                                                   options->compress, error, &notes, lost);
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
