#include "ImportTestSupport.h"
#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "book/ImportPDFOperation.h"
#include "book/PDFToPageConverter.h"
#include "platform/IsolatedPdfRasterizer.h"
#include "platform/OperationQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable for the life of the object; the render workers
// inherit it.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value) : m_name(name) { qputenv(name, value); }
    ~ScopedEnv() { qunsetenv(m_name); }

private:
    const char *m_name;
};

class IsolatedRender : public RootedTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo(IsolatedPdfRasterizer::workerProgram()).isExecutable())
            << "the render worker is not built";
        AppSettings::shareInstance()->setImportType(1);
    }

    // Imports pages 1-3 of links.pdf and returns which of their page images exist.
    QList<bool> importThreePages()
    {
        auto op =
            std::make_shared<ImportPDFOperation>(pdfData(QStringLiteral("links.pdf")), QStringLiteral("1-3"), 144, 85);
        op->setImportLinks(true);
        op->setImportBookmarks(true);
        OperationQueue queue;
        queue.addOperation(op);
        EXPECT_TRUE(op->waitUntilFinished(300000));
        QList<bool> present;
        if (!op->flashPageSource())
            return present;
        for (const FlashPagePtr &page : op->flashPageSource()->pages()) {
            present << QFile::exists(page->pageFilePath());
            // The words travel beside the page file (text is on by default).
            EXPECT_EQ(QFile::exists(page->pageFilePath()),
                      QFile::exists(PDFToPageConverter::wordsPathFor(page->pageFilePath(), page->pageIndex())));
        }
        // The links and outline come from the document model, not the renderer.
        EXPECT_TRUE(op->flashPagesAnnotation());
        EXPECT_TRUE(op->flashOutline());
        return present;
    }
};

} // namespace

TEST_F(IsolatedRender, RendersTheSameBytesAsInProcess)
{
    const QString pdf = pdfData(QStringLiteral("links.pdf"));
    QString error;
    const PdfRasterizerPtr isolated = IsolatedPdfRasterizer::open(pdf, 2, &error);
    ASSERT_TRUE(isolated) << error.toStdString();
    const PdfRasterizerPtr local = PdfRasterizer::openPoppler(pdf, 1);
    ASSERT_TRUE(local);
    EXPECT_EQ(isolated->pageCount(), local->pageCount());
    for (int page : {0, 1, 8}) {
        const PdfRasterizer::Output a = isolated->render(page, 80, true, true);
        const PdfRasterizer::Output b = local->render(page, 80, true, true);
        ASSERT_TRUE(a.ok()) << a.error.toStdString();
        EXPECT_EQ(a.pageSize, b.pageSize);
        EXPECT_EQ(a.thumbSize, b.thumbSize);
        EXPECT_EQ(a.pageJpeg, b.pageJpeg) << page;
        EXPECT_EQ(a.thumbJpeg, b.thumbJpeg) << page;
        const PdfRasterizer::Words wa = isolated->words(page);
        ASSERT_TRUE(wa.ok()) << wa.error.toStdString();
        EXPECT_EQ(wa.lines, local->words(page).lines) << page;
    }
    // Page 2 is turned by 90 degrees: its heading, at the top of the page as
    // stored, runs down the right edge of the page as shown (where pdftotext
    // -bbox puts it too), and the boxes are fractions of the shown page.
    EXPECT_TRUE(isolated->words(1).lines.startsWith("9103 800 323 1115 1 Page\n9103 2045 323 260 2 2\n"));
    EXPECT_FALSE(isolated->words(10).ok());
    // Only what was asked for travels back.
    const PdfRasterizer::Output thumbOnly = isolated->render(2, 80, false, true);
    EXPECT_TRUE(thumbOnly.pageJpeg.isEmpty());
    EXPECT_FALSE(thumbOnly.thumbJpeg.isEmpty());
    EXPECT_FALSE(isolated->render(10, 80, true, true).ok());
    EXPECT_EQ(isolated->renderCount(), 4);

    // A worker writes the page's files itself, the same bytes; one it cannot
    // write fails the page with its name and the reason.
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/a folder XXXXXX"));
    const auto in = [&dir](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    PdfRasterizer::PageFiles files{in("p.jpg"), in("p.screen.jpg"), in("p_mobile.jpg"), in("t.jpg"), in("p.words")};
    ASSERT_TRUE(isolated->renderFiles(1, 80, files).ok());
    const PdfRasterizer::Output b = local->render(1, 80, true, true, true);
    const auto bytes = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    };
    for (const auto &[path, expected] : {std::pair{files.image, b.pageJpeg},
                                         {files.screen, b.screenJpeg},
                                         {files.mobile, b.pageJpeg},
                                         {files.thumb, b.thumbJpeg},
                                         {files.words, local->words(1).lines}})
        EXPECT_EQ(bytes(path), expected) << path.toStdString();
    files.screen = in("gone/p.screen.jpg");
    EXPECT_EQ(isolated->renderFiles(1, 80, files).error,
              QStringLiteral("cannot write %1: %2").arg(files.screen, QString::fromLocal8Bit(std::strerror(ENOENT))));
}

TEST_F(IsolatedRender, WordsOfHostileTextComeBackWhole)
{
    QString error;
    const PdfRasterizerPtr r = IsolatedPdfRasterizer::open(pdfData(QStringLiteral("text.pdf")), 1, &error);
    ASSERT_TRUE(r) << error.toStdString();
    const auto texts = [&](int page) {
        const PdfRasterizer::Words words = r->words(page);
        EXPECT_TRUE(words.ok()) << words.error.toStdString();
        QStringList out;
        for (const QByteArray &line : words.lines.split('\n'))
            if (!line.isEmpty())
                out << QString::fromUtf8(line.split(' ').mid(5).join(' '));
        return out;
    };
    // The ligature becomes its letters; invisible text counts; the words drawn
    // beyond the page and the garbage ToUnicode map cost nothing else.
    const QStringList first = texts(0);
    for (const char *word : {"find", "field", "invisible", "scanned", "broken"})
        EXPECT_TRUE(first.contains(QString::fromLatin1(word))) << word << first.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(first.contains(QStringLiteral("before")));
    EXPECT_TRUE(texts(1).isEmpty());
    EXPECT_FALSE(texts(2).isEmpty()); // about 2 MB of text on one page
}

TEST_F(IsolatedRender, UnreadableFilesAreRefusedWithAReason)
{
    for (const char *name : {"garbage.pdf", "empty.pdf", "encrypted_user.pdf"}) {
        QString error;
        EXPECT_FALSE(IsolatedPdfRasterizer::open(pdfData(QString::fromLatin1(name)), 1, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    QString error;
    EXPECT_FALSE(IsolatedPdfRasterizer::open(roots.root() + QStringLiteral("/missing.pdf"), 1, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(IsolatedRender, ARendererCrashFailsOnlyItsPage)
{
    ScopedEnv fault("FOLIANT_RENDER_WORKER_FAULT", "crash:2");
    LogCapture log("IsolatedPdfRasterizer");
    EXPECT_EQ(importThreePages(), (QList<bool>{true, false, true}));
    EXPECT_TRUE(log.contains(QStringLiteral("crashed"))) << log.messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(IsolatedRender, ARendererThatHangsIsStoppedAtTheTimeLimit)
{
    ScopedEnv fault("FOLIANT_RENDER_WORKER_FAULT", "hang:1");
    ScopedEnv limit("FOLIANT_RENDER_TIMEOUT_MS", "8000");
    LogCapture log("IsolatedPdfRasterizer");
    EXPECT_EQ(importThreePages(), (QList<bool>{false, true, true}));
    EXPECT_TRUE(log.contains(QStringLiteral("took longer than 8000 ms")))
        << log.messages().join(QLatin1Char('\n')).toStdString();
}

// A file that crashes or hangs the document model ends as an import without a
// book, the process alive.
TEST_F(IsolatedRender, ADocumentReaderCrashOrHangEndsTheImportWithoutABook)
{
    // Links are checked exactly when the import reads them.
    for (const auto &[fault, links] :
         {std::pair{"crash:check", true}, {"hang:check", true}, {"crash:links", true}, {"crash:links", false}}) {
        ScopedEnv env("FOLIANT_RENDER_WORKER_FAULT", fault);
        ScopedEnv limit("FOLIANT_RENDER_TIMEOUT_MS", "3000");
        LogCapture log("FlashPageSourcePDF");
        auto op =
            std::make_shared<ImportPDFOperation>(pdfData(QStringLiteral("links.pdf")), QStringLiteral("ALL"), 144, 85);
        op->setImportLinks(links);
        OperationQueue queue;
        queue.addOperation(op);
        ASSERT_TRUE(op->waitUntilFinished(120000)) << fault;
        if (!links) {
            EXPECT_EQ(op->flashPageSource()->pages().size(), 10);
            continue;
        }
        EXPECT_TRUE(!op->flashPageSource() || op->flashPageSource()->pages().isEmpty()) << fault;
        const QString expected = QString::fromLatin1(fault).startsWith(QStringLiteral("crash"))
                                     ? QStringLiteral("crashed")
                                     : QStringLiteral("longer than");
        EXPECT_TRUE(log.contains(expected)) << fault << ": " << log.messages().join(QLatin1Char('\n')).toStdString();
    }
    // Without a fault the one reading tells a sound, a locked and a damaged file apart.
    for (const auto &[name, renders, locked] :
         {std::tuple{"links.pdf", true, false}, std::tuple{"encrypted_user.pdf", false, true},
          std::tuple{"garbage.pdf", false, false}}) {
        const IsolatedPdfRasterizer::Checked checked =
            IsolatedPdfRasterizer::openChecked(pdfData(QString::fromLatin1(name)));
        QString why;
        EXPECT_TRUE(checked.vouch(&why)) << name << ": " << why.toStdString();
        EXPECT_EQ(bool(checked.rasterizer), renders) << name;
        EXPECT_EQ(checked.locked, locked) << name;
    }
}
