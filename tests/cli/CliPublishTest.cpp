// The tool against the desktop application's commands: the same choices must
// give the same published folder, byte for byte but for time stamps.

#include "CliTestSupport.h"

#include "templates/FlashTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <csignal>

namespace {

QStringList stylesOf(const QString &tmpl)
{
    QStringList styles;
    for (const QString &style : FlashTemplate::tmplStyleNamesForTmpl(tmpl))
        styles << QFileInfo(style).fileName();
    styles.sort();
    return styles;
}

// A template other than the start-up one, with a style other than its first.
QPair<QString, QString> otherTemplateAndStyle()
{
    for (const QString &folder : FlashTemplate::tmplNames()) {
        const QString name = QFileInfo(folder).fileName();
        if (name == QStringLiteral("float") || name == QStringLiteral("Panoramic"))
            continue;
        const QStringList styles = stylesOf(name);
        if (styles.size() >= 2)
            return {name, styles.last()};
    }
    return {};
}

} // namespace

class CliPublishTest : public CliTest
{
protected:
    // Publishes `c` with the desktop application and with the tool, which
    // prints the book's `page`: the two folders must match.
    void expectSameAsDesktop(const BookChoices &c, const QString &page)
    {
        publishLikeDesktop(c, path(QStringLiteral("desktop")));
        const CliRun run = runCli(c.cliArguments(path(QStringLiteral("cli"))));
        ASSERT_FALSE(run.crashed);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.trimmed(), path(QStringLiteral("cli/") + page));
        expectSameBook(path(QStringLiteral("desktop")), path(QStringLiteral("cli")));
    }
};

// Page images with links and outline, a page range, a quality level, another
// template and style, a settings file, edited properties and the flip edition.
TEST_F(CliPublishTest, ImageBookWithEveryChoiceMatchesTheDesktop)
{
    const auto [tmplName, style] = otherTemplateAndStyle();
    if (tmplName.isEmpty())
        GTEST_SKIP() << "needs a second template with two styles";
    const FlashTemplate tmpl(tmplName);
    const QString textKey = keyOfType(tmpl, pt_text, {QStringLiteral("languageSetting")});
    const QString boolKey = keyOfType(tmpl, pt_bool);
    ASSERT_FALSE(textKey.isEmpty());

    // Settings exported from another style, then read back by both.
    const QString settings = path(QStringLiteral("first-style.txt"));
    exportLikeDesktop(tmplName, stylesOf(tmplName).first(), settings);
    ASSERT_TRUE(QFileInfo(settings).isFile());

    BookChoices c;
    c.pdf = pdfData(QStringLiteral("links.pdf"));
    c.pages = QStringLiteral("1-3,5");
    c.quality = 2;
    c.images = true;
    c.links = true;
    c.bookmarks = true;
    c.tmpl = tmplName;
    c.style = style;
    c.settingsFile = settings;
    c.sets = {{textKey, QStringLiteral("Quarterly <report> & more")}};
    if (!boolKey.isEmpty())
        c.sets.append({boolKey, tmpl.propertyFor(boolKey)->boolValue() ? QStringLiteral("NO") : QStringLiteral("YES")});
    c.name = QStringLiteral("report");
    c.title = QStringLiteral("Quarterly report");
    c.mobile = 0;
    expectSameAsDesktop(c, QStringLiteral("report.html"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("cli/mobile/javascript/main.js"))).isFile());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("cli/files/page/5.jpg"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("cli/files/page/4.jpg"))));
    // Every page image has its screen-sized copy, half its size and the same
    // picture; the phone edition's image is the page image itself. All three
    // come from one rendering.
    for (const char *n : {"1", "5"}) {
        const QString pageFile = path(QStringLiteral("cli/files/page/%1.jpg").arg(QLatin1String(n)));
        const QImage page(pageFile);
        const QImage screen(path(QStringLiteral("cli/files/page/%1.screen.jpg").arg(QLatin1String(n))));
        EXPECT_FALSE(screen.isNull()) << n;
        EXPECT_EQ(screen.size(), QSize((page.width() + 1) / 2, (page.height() + 1) / 2)) << n;
        const QImage halved = page.scaled(screen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                difference += std::abs(qGray(screen.pixel(x, y)) - qGray(halved.pixel(x, y)));
        EXPECT_LT(double(difference) / (screen.width() * screen.height()), 3.0) << n;
        EXPECT_EQ(readAll(path(QStringLiteral("cli/files/mobile/%1.jpg").arg(QLatin1String(n)))), readAll(pageFile));
    }
    expectNoLeftovers(roots.root());
}

// A book saved as a project (imported pages, links, outline, edited values
// with a file of the user's, a picture placed with the page editor) and
// published by the tool in a fresh process gives the folder the application
// published before saving; a damaged project is refused with a reason.
TEST_F(CliPublishTest, SavedProjectPublishesTheSameBookInAFreshProcess)
{
    const QString logo = path(QStringLiteral("my logo.png"));
    QImage(64, 32, QImage::Format_RGB32).save(logo);
    const FlashTemplate tmpl(QStringLiteral("float"));
    BookChoices c;
    c.pdf = pdfData(QStringLiteral("links.pdf"));
    c.images = true;
    c.links = true;
    c.bookmarks = true;
    c.sets = {{keyOfType(tmpl, pt_file), logo}, {QStringLiteral("Title"), QStringLiteral("Annual <report>")}};
    c.title = QStringLiteral("Annual report");
    c.project = path(QStringLiteral("annual.foliant"));
    publishLikeDesktop(c, path(QStringLiteral("desktop")));
    ASSERT_TRUE(QFileInfo(c.project).isFile());
    ASSERT_TRUE(QFileInfo(path(QStringLiteral("desktop/files/editor/set/placed.png"))).isFile()) << "nothing placed";

    CliRun run = runCli({QStringLiteral("publish"), c.project, QStringLiteral("--out"), path(QStringLiteral("cli")),
                         QStringLiteral("--title"), c.title});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    expectSameBook(path(QStringLiteral("desktop")), path(QStringLiteral("cli")));

    QFile damaged(c.project);
    ASSERT_TRUE(damaged.resize(damaged.size() / 2));
    run = runCli({QStringLiteral("publish"), c.project, QStringLiteral("--out"), path(QStringLiteral("again"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("damaged"))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("again/index.html"))));
}

// Vector pages through the converter program, published as an application.
TEST_F(CliPublishTest, VectorApplicationMatchesTheDesktop)
{
    if (!haveVectorConverter())
        GTEST_SKIP() << "the converter programs are not built";
    BookChoices c;
    c.pdf = pdfData(QStringLiteral("sizes.pdf"));
    c.name = QStringLiteral("Sizes");
    c.app = true;
    expectSameAsDesktop(c, QStringLiteral("Sizes.app"));
    EXPECT_FALSE(QDir(path(QStringLiteral("cli/Sizes.app/Contents/Resources/files/page")))
                     .entryList({QStringLiteral("*.swf")})
                     .isEmpty());
    expectNoLeftovers(path(QStringLiteral("cli")));
}

// The panorama template, whose faces travel through the preview folder, with
// the slide edition.
TEST_F(CliPublishTest, PanoramaWithSlideEditionMatchesTheDesktop)
{
    const QStringList styles = stylesOf(QStringLiteral("Panoramic"));
    if (styles.isEmpty())
        GTEST_SKIP() << "the panorama template is not installed";
    BookChoices c;
    c.pdf = pdfData(QStringLiteral("sizes.pdf"));
    c.images = true;
    c.quality = 4;
    c.tmpl = QStringLiteral("Panoramic");
    c.style = styles.last();
    c.mobile = 1;
    expectSameAsDesktop(c, QStringLiteral("index.html"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("cli/mobile/index.html"))).isFile());
    EXPECT_EQ(readAll(path(QStringLiteral("cli/files/extfiles/b.jpg"))),
              readAll(FlashTemplate::stylePathFor(QStringLiteral("Panoramic"), c.style) + QStringLiteral("/b.jpg")));
}

// Reading the file back is the image book test's: it reads the desktop's.
TEST_F(CliPublishTest, ExportedSettingsMatchTheDesktop)
{
    const auto [tmplName, style] = otherTemplateAndStyle();
    if (tmplName.isEmpty())
        GTEST_SKIP() << "needs a second template with two styles";
    exportLikeDesktop(tmplName, style, path(QStringLiteral("desktop.txt")));
    // As in the desktop, a name without extension gets ".txt".
    const CliRun run = runCli({QStringLiteral("export-settings"), QStringLiteral("--template"), tmplName.toLower(),
                               QStringLiteral("--style"), style, path(QStringLiteral("cli"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), path(QStringLiteral("cli.txt")));
    EXPECT_EQ(readAll(path(QStringLiteral("cli.txt"))), readAll(path(QStringLiteral("desktop.txt"))));
}

// Several PDFs: one folder per book, named after the file, repeats numbered;
// a bad file fails alone and the exit status says so.
TEST_F(CliPublishTest, SeveralInputsPublishOneFolderEachAndABadOneFailsAlone)
{
    QDir().mkpath(path(QStringLiteral("other")));
    const QString twin = path(QStringLiteral("other/links.pdf"));
    ASSERT_TRUE(QFile::copy(pdfData(QStringLiteral("links.pdf")), twin));
    const QString out = path(QStringLiteral("books"));
    const CliRun run = runCli({QStringLiteral("publish"), pdfData(QStringLiteral("links.pdf")),
                               pdfData(QStringLiteral("garbage.pdf")), twin, QStringLiteral("--images"),
                               QStringLiteral("--pages"), QStringLiteral("1-2"), QStringLiteral("--out"), out});
    ASSERT_FALSE(run.crashed);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              QStringList({out + QStringLiteral("/links/index.html"), out + QStringLiteral("/links-2/index.html")}));
    EXPECT_EQ(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot), names({"links", "links-2"}));
    EXPECT_TRUE(run.err.contains(QStringLiteral("garbage.pdf: not a readable PDF file")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("foliant-cli: 2 of 3 books published")));
    // Plain progress lines, since standard error is no terminal.
    EXPECT_TRUE(run.err.contains(QStringLiteral("[1/3] ")));
    EXPECT_FALSE(run.err.contains(QLatin1Char('\r')));
    expectNoLeftovers(out);
}

// Ctrl-C during an import stops it, removes every work folder and leaves no book.
TEST_F(CliPublishTest, InterruptStopsTheImportAndCleansUp)
{
    if (!haveVectorConverter())
        GTEST_SKIP() << "the converter programs are not built";
    QProcess process;
    process.setProcessEnvironment(cliEnvironment());
    const QString out = path(QStringLiteral("big"));
    process.start(cliProgram(),
                  {QStringLiteral("publish"), pdfData(QStringLiteral("real100.pdf")), QStringLiteral("--out"), out});
    QByteArray err;
    // Wait until pages are being made, so that the stop lands inside the import.
    for (int i = 0; i < 600 && !err.contains("% ("); ++i) {
        process.waitForReadyRead(100);
        err += process.readAllStandardError();
    }
    ASSERT_TRUE(err.contains("% (")) << err.constData();
    ASSERT_FALSE(QDir(roots.temp()).entryList({QStringLiteral("foliant-cli-*")}, QDir::Dirs).isEmpty());
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));
    err += process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130) << err.constData();
    EXPECT_TRUE(err.contains("interrupted")) << err.constData();
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty()); // no book, and no dialog chatter
    EXPECT_FALSE(err.contains("100% ("));
    EXPECT_FALSE(QFileInfo::exists(out));
    expectNoLeftovers(roots.root());
}

// A PDF locked with a user password: the password comes from a file or the
// environment, never the command line; a missing or wrong one publishes
// nothing, and the password is written nowhere.
TEST_F(CliPublishTest, LockedPdfOpensOnlyWithItsPasswordWhichIsWrittenNowhere)
{
    const QString locked = pdfData(QStringLiteral("encrypted_user.pdf"));
    const QString right = roots.writeFile(QStringLiteral("right.txt"), "secret\n");
    const QString wrong = roots.writeFile(QStringLiteral("wrong.txt"), "Secret\n");
    struct Case
    {
        QStringList extra;
        QByteArray env;
        int exitCode;
        QString says;
    } cases[] = {
        {{}, {}, 1, QStringLiteral("locked with a password")},
        {{QStringLiteral("--password-file"), wrong}, {}, 1, QStringLiteral("wrong password")},
        {{}, "not-it", 1, QStringLiteral("wrong password")},
        {{QStringLiteral("--password-file"), right}, {}, 0, {}},
        {{QStringLiteral("--images")}, "secret", 0, {}},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString out = path(QStringLiteral("locked%1").arg(++n));
        if (!c.env.isEmpty())
            qputenv("FOLIANT_PDF_PASSWORD", c.env);
        const CliRun run =
            runCli(QStringList{QStringLiteral("publish"), locked, QStringLiteral("--out"), out} + c.extra);
        qunsetenv("FOLIANT_PDF_PASSWORD");
        ASSERT_FALSE(run.crashed) << n;
        EXPECT_EQ(run.exitCode, c.exitCode) << n << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << n << run.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(out + QStringLiteral("/files/config.xml")), c.exitCode == 0) << n;
        if (c.exitCode == 0) {
            EXPECT_GE(QDir(out + QStringLiteral("/files/page")).entryList(QDir::Files).size(), 4) << n;
        }
        expectNoLeftovers(path(QString()));
    }
    // Neither the published books, nor logs, settings or work folders hold it.
    const QMap<QString, QByteArray> files = folderContents(roots.root());
    for (auto file = files.begin(); file != files.end(); ++file)
        EXPECT_TRUE(file.key().endsWith(QStringLiteral(".txt")) || !file.value().contains("secret"))
            << file.key().toStdString();
}
