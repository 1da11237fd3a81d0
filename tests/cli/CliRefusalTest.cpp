// What the tool refuses, and how: a clear line, the right exit status, no
// crash, and nothing of the user's lost.

#include "CliTestSupport.h"

#include "templates/FlashTemplate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

class CliRefusalTest : public CliTest
{
protected:
    // A run that must fail with `code` and say `reason` in its one line.
    void expectRefused(const QStringList &arguments, int code, const QString &reason)
    {
        const CliRun run = runCli(arguments);
        ASSERT_FALSE(run.crashed) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.exitCode, code) << run.err.toStdString();
        const QStringList lines = run.errLines();
        ASSERT_EQ(lines.size(), 1) << run.err.toStdString();
        EXPECT_TRUE(lines.first().startsWith(QStringLiteral("foliant-cli: "))) << run.err.toStdString();
        EXPECT_TRUE(lines.first().contains(reason)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        expectNoLeftovers(roots.root());
    }

    QStringList sample(const QString &out, const QStringList &more = {}) const
    {
        return QStringList{QStringLiteral("publish"), QStringLiteral("--sample"), QStringLiteral("-q"),
                           QStringLiteral("--out"), out} +
               more;
    }
};

TEST_F(CliRefusalTest, BadInputsGiveOneLineAndAnExitStatus)
{
    const QString out = path(QStringLiteral("out"));
    const QString garbage = pdfData(QStringLiteral("garbage.pdf"));
    expectRefused({QStringLiteral("publish"), garbage, QStringLiteral("-q"), QStringLiteral("--out"), out}, 1,
                  QStringLiteral("garbage.pdf: not a readable PDF file"));
    EXPECT_FALSE(QFileInfo::exists(out));
    expectRefused({QStringLiteral("publish"), pdfData(QStringLiteral("sizes.pdf")), QStringLiteral("--pages"),
                   QStringLiteral("40-50"), QStringLiteral("-q"), QStringLiteral("--out"), out},
                  1, QStringLiteral("selects none of its"));
    expectRefused(sample(out, {QStringLiteral("--template"), QStringLiteral("NoSuchTemplate")}), 2,
                  QStringLiteral("unknown template \"NoSuchTemplate\""));
    expectRefused(sample(out, {QStringLiteral("--style"), QStringLiteral("NoSuchStyle")}), 2,
                  QStringLiteral("unknown style \"NoSuchStyle\""));
    expectRefused(sample(out, {QStringLiteral("--set"), QStringLiteral("noSuchKey=1")}), 2,
                  QStringLiteral("unknown property key \"noSuchKey\""));
    expectRefused(sample(out, {QStringLiteral("--quality"), QStringLiteral("5")}), 2, QStringLiteral("--quality"));
    expectRefused(sample(out, {QStringLiteral("--app"), QStringLiteral("--mobile"), QStringLiteral("flip")}), 2,
                  QStringLiteral("--mobile"));
    expectRefused({QStringLiteral("publish"), path(QStringLiteral("missing.pdf")), QStringLiteral("--out"), out}, 1,
                  QStringLiteral("missing.pdf: no such file"));
    expectRefused({QStringLiteral("frobnicate")}, 2, QStringLiteral("unknown command"));
    // A PDF that crashes the reader takes down only the worker reading it.
    qputenv("FOLIANT_RENDER_WORKER_FAULT", "crash:check");
    expectRefused({QStringLiteral("publish"), pdfData(QStringLiteral("sizes.pdf")), QStringLiteral("-q"),
                   QStringLiteral("--out"), out},
                  1, QStringLiteral("sizes.pdf: not a readable PDF file (reading the document crashed the reader"));
    qunsetenv("FOLIANT_RENDER_WORKER_FAULT");
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(CliRefusalTest, PropertyValuesAreCheckedAgainstTheirType)
{
    const FlashTemplate tmpl(QStringLiteral("float"));
    const QString number = keyOfType(tmpl, pt_number);
    const QString flag = keyOfType(tmpl, pt_bool);
    const QString file = keyOfType(tmpl, pt_file);
    const QString out = path(QStringLiteral("out"));
    if (!number.isEmpty())
        expectRefused(sample(out, {QStringLiteral("--set"), number + QStringLiteral("=wide")}), 2,
                      QStringLiteral("is a number"));
    if (!flag.isEmpty())
        expectRefused(sample(out, {QStringLiteral("--set"), flag + QStringLiteral("=perhaps")}), 2,
                      QStringLiteral("is yes or no"));
    if (!file.isEmpty()) {
        expectRefused(sample(out, {QStringLiteral("--set"), file + QStringLiteral("=no-such-logo.png")}), 2,
                      QStringLiteral("names a file"));
        // A relative path is the caller's: it is found from the tool's working folder.
        roots.writeFile(QStringLiteral("logo.png"),
                        readAll(QStringLiteral(FOLIANT_RESOURCES_DIR "/DemoImgs/large/1.jpg")));
        const CliRun run = runCli(sample(out, {QStringLiteral("--set"), file + QStringLiteral("=logo.png")}));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
}

TEST_F(CliRefusalTest, UnwritableOutputIsReportedNotIgnored)
{
    roots.writeFile(QStringLiteral("plain-file"), "not a folder");
    expectRefused(sample(path(QStringLiteral("plain-file/book"))), 1, QStringLiteral("cannot create the folder"));
    expectRefused(sample(path(QStringLiteral("plain-file"))), 1, QStringLiteral("is not a folder"));
    // A place no one can write, whatever the user (tests may run as root).
    expectRefused(sample(QStringLiteral("/proc/foliant-book")), 1, QStringLiteral("/proc"));
    EXPECT_EQ(readAll(path(QStringLiteral("plain-file"))), QByteArray("not a folder"));

    // A write that fails (past the file size limit, as onto a full disk) fails
    // the run with the system's reason, and the earlier book stays whole.
    const QString book = path(QStringLiteral("book"));
    ASSERT_EQ(runCli(sample(book)).exitCode, 0);
    const auto before = folderContents(book);
    CliRun run;
    underFileSizeLimit(16 * 1024, [&] {
        run = runCli(sample(book, {QStringLiteral("--force")}));
        return true;
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errLines().last().startsWith(QStringLiteral("foliant-cli: sample book: cannot write ") + book +
                                                 QLatin1Char('/')))
        << run.err.toStdString();
    EXPECT_EQ(folderContents(book), before);
}

// --force replaces a book published before, and nothing else.
TEST_F(CliRefusalTest, ForceReplacesOnlyAnEarlierBook)
{
    const QString book = path(QStringLiteral("book"));
    ASSERT_EQ(runCli(sample(book)).exitCode, 0);
    roots.writeFile(QStringLiteral("book/stale.txt"), "from the first run");

    expectRefused(sample(book), 1, QStringLiteral("add --force"));
    // A replacement that fails leaves the earlier book as it was.
    expectRefused({QStringLiteral("publish"), pdfData(QStringLiteral("garbage.pdf")), QStringLiteral("-q"),
                   QStringLiteral("--force"), QStringLiteral("--out"), book},
                  1, QStringLiteral("not a readable PDF file"));
    EXPECT_EQ(readAll(path(QStringLiteral("book/stale.txt"))), QByteArray("from the first run"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("book/files/config.xml"))).isFile());
    const CliRun again =
        runCli(sample(book, {QStringLiteral("--force"), QStringLiteral("--title"), QStringLiteral("Second")}));
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("book/stale.txt"))));
    EXPECT_TRUE(readAll(path(QStringLiteral("book/index.html"))).contains("Second"));
    expectNoLeftovers(roots.root());

    // A folder with other content, with or without --force.
    roots.writeFile(QStringLiteral("mine/notes.txt"), "keep me");
    expectRefused(sample(path(QStringLiteral("mine")), {QStringLiteral("--force")}), 1,
                  QStringLiteral("holds no book published by Foliant"));
    EXPECT_EQ(readAll(path(QStringLiteral("mine/notes.txt"))), QByteArray("keep me"));
    expectRefused(sample(QStringLiteral("/"), {QStringLiteral("--force")}), 1, QStringLiteral("/"));

    // A book folder that holds the home folder is still never replaced.
    QDir().mkpath(home() + QStringLiteral("/Documents"));
    ASSERT_TRUE(QDir(roots.root()).rename(QStringLiteral("home"), QStringLiteral("book/home")));
    QFile::link(path(QStringLiteral("book/home")), home());
    const CliRun homeRun = runCli(sample(book, {QStringLiteral("--force")}));
    EXPECT_EQ(homeRun.exitCode, 1);
    EXPECT_TRUE(homeRun.err.contains(QStringLiteral("never replaced"))) << homeRun.err.toStdString();
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("book/home/Documents"))).isDir());
}

// An empty folder the user made is published into, not swapped for another.
TEST_F(CliRefusalTest, AnEmptyFolderIsKept)
{
    const QString empty = path(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    const QFile::Permissions chosen =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
    ASSERT_TRUE(QFile::setPermissions(empty, chosen));
    const CliRun run = runCli(sample(empty));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(empty + QStringLiteral("/index.html")).isFile());
    EXPECT_EQ(QFileInfo(empty).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), chosen);
    expectNoLeftovers(roots.root());
}

// An application replaces only its own bundle, never the folder around it.
TEST_F(CliRefusalTest, ApplicationLeavesItsFolderAlone)
{
    roots.writeFile(QStringLiteral("apps/notes.txt"), "keep me");
    const QString apps = path(QStringLiteral("apps"));
    const CliRun first = runCli(sample(apps, {QStringLiteral("--app")}));
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out.trimmed(), apps + QStringLiteral("/Sample.app"));
    expectRefused(sample(apps, {QStringLiteral("--app")}), 1, QStringLiteral("add --force"));
    const CliRun again = runCli(sample(apps, {QStringLiteral("--app"), QStringLiteral("--force")}));
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(readAll(apps + QStringLiteral("/notes.txt")), QByteArray("keep me"));
    EXPECT_TRUE(QFileInfo(apps + QStringLiteral("/Sample.app/Contents/Resources/index.html")).isFile());
    expectNoLeftovers(apps);
}

TEST_F(CliRefusalTest, ForceNeverDeletesTheFilesItReads)
{
    const QString book = path(QStringLiteral("book"));
    ASSERT_EQ(runCli(sample(book)).exitCode, 0);
    const QString pdf = book + QStringLiteral("/source.pdf");
    ASSERT_TRUE(QFile::copy(pdfData(QStringLiteral("sizes.pdf")), pdf));
    expectRefused({QStringLiteral("publish"), pdf, QStringLiteral("--images"), QStringLiteral("-q"),
                   QStringLiteral("--force"), QStringLiteral("--out"), book},
                  1, QStringLiteral("lies inside"));
    EXPECT_TRUE(QFileInfo(pdf).isFile());
}
