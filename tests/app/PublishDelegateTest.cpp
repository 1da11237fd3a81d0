#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "app/OutputWindowDelegate.h"
#include "app/ScriptedPrompts.h"
#include "book/FlashPageSourceImg.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFileInfo>

namespace {

class PublishDelegateTest : public RootedTest
{
protected:
    void SetUp() override
    {
        testApp();
        // Home is a throw-away folder too: these tests try to replace it.
        savedHome = qgetenv("HOME");
        qputenv("HOME", roots.root().toUtf8());
        auto book = std::make_shared<FlashPageSourceImg>();
        for (const QString &jpg :
             QDir(Paths::resource(QStringLiteral("DemoImgs/large"))).entryList({QStringLiteral("*.jpg")}))
            book->addImgPageFromFile(Paths::resource(QStringLiteral("DemoImgs/large/") + jpg));
        book->generateNormalPages();
        dialog.setFlashPageSource(book);
        dialog.setFlashTmpl(std::make_shared<FlashTemplate>());
        dialog.awakeFromNib();
        QObject::connect(&dialog, &OutputWindowDelegate::sheetEnded, &dialog, [this](int c) { ended = c; });
        dialog.txtOutputName = QStringLiteral("book");
        dialog.txtTitle = QStringLiteral("My Book");
        prompts.alertAnswers << 1; // default: "No" to opening the result
    }
    void TearDown() override { qputenv("HOME", savedHome); }

    QByteArray savedHome;
    ScriptedPrompts prompts;
    OutputWindowDelegate dialog{&prompts};
    int ended = -1;
};

TEST_F(PublishDelegateTest, OnlyAnEarlierBookIsReplacedAndOnlyAfterYes)
{
    const QString out = roots.root() + QStringLiteral("/out");
    const QString page = out + QStringLiteral("/book.html");
    dialog.txtOutputFolder = out;
    dialog.onPublish();
    ASSERT_EQ(ended, 1);
    EXPECT_EQ(prompts.count(QStringLiteral("alert")), 1); // a new folder: only "open the result?"
    ASSERT_TRUE(QFileInfo::exists(page));

    ended = -1;
    prompts.asked.clear();
    dialog.txtTitle = QStringLiteral("Second Book");
    prompts.alertAnswers = {1}; // NO
    dialog.onPublish();
    EXPECT_EQ(prompts.asked.first().text,
              QStringLiteral("Output directory already exists. Do you want to over write it?"));
    EXPECT_EQ(ended, -1);
    EXPECT_FALSE(readAll(page).contains("Second Book"));

    prompts.alertAnswers = {0, 1}; // YES, then do not open
    dialog.onPublish();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(readAll(page).contains("Second Book"));
    EXPECT_EQ(prompts.asked.last().text, QStringLiteral("Publish finished! Open the it?"));
    AppSettings::resetSharedInstance();
    const AppSettings *s = AppSettings::shareInstance();
    EXPECT_EQ(s->lastOutputFileFolder(), out);
    EXPECT_EQ(s->lastOutputFileName(), QStringLiteral("book"));
    EXPECT_EQ(s->lastOutputFileTitle(), QStringLiteral("Second Book"));

    // A folder of the user's own files is never replaced, and the message says why.
    roots.writeFile(QStringLiteral("mine/letter.txt"), "dear");
    const QString note = roots.writeFile(QStringLiteral("mine/notes/a.txt"), "a");
    ended = -1;
    prompts.asked.clear();
    prompts.alertAnswers = {0, 1};
    dialog.txtOutputFolder = roots.root() + QStringLiteral("/mine");
    dialog.onPublish();
    EXPECT_EQ(prompts.count(QStringLiteral("alert")), 0);
    ASSERT_EQ(prompts.count(QStringLiteral("message")), 1);
    EXPECT_TRUE(prompts.asked.first().text.contains(QStringLiteral("3 files or folders")))
        << prompts.asked.first().text.toStdString();
    EXPECT_TRUE(QFileInfo::exists(note));
    EXPECT_EQ(ended, -1);
}

// A write that fails (past the file size limit here, as onto a full disk)
// ends in a message naming the file and the system's reason instead of
// "Publish finished!", and the earlier book stays as it was.
TEST_F(PublishDelegateTest, AFailedWriteKeepsTheEarlierBookAndSaysWhy)
{
    const QString out = roots.root() + QStringLiteral("/out");
    dialog.txtOutputFolder = out;
    dialog.onPublish();
    ASSERT_EQ(ended, 1);
    const auto before = folderContents(out);
    ended = -1;
    prompts.asked.clear();
    prompts.alertAnswers = {0, 1}; // YES to replacing it
    underFileSizeLimit(16 * 1024, [&] {
        dialog.onPublish();
        return true;
    });
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(prompts.count(QStringLiteral("alert")), 1); // the question, no "Publish finished!"
    ASSERT_EQ(prompts.count(QStringLiteral("message")), 1);
    const QString why = prompts.asked.last().text;
    EXPECT_TRUE(why.startsWith(QStringLiteral("cannot write ") + out + QLatin1Char('/'))) << why.toStdString();
    EXPECT_GT(why.indexOf(QStringLiteral(": "), out.size()), 0) << why.toStdString(); // and the reason
    EXPECT_EQ(folderContents(out), before);
    EXPECT_TRUE(
        QDir(roots.root()).entryList({QStringLiteral(".foliant-staging-*")}, QDir::Hidden | QDir::Dirs).isEmpty());
}

TEST_F(PublishDelegateTest, HomeAndItsParentsAreNeverDeleted)
{
    const QString mine = roots.writeFile(QStringLiteral("letter.txt"), "dear");
    for (const QString &folder : {roots.root(), QFileInfo(roots.root()).path(), QStringLiteral("/")}) {
        prompts.asked.clear();
        prompts.alertAnswers = {0, 1};
        dialog.txtOutputFolder = folder;
        dialog.onPublish();
        EXPECT_EQ(prompts.count(QStringLiteral("alert")), 0) << folder.toStdString();
        EXPECT_EQ(prompts.count(QStringLiteral("message")), 1) << folder.toStdString();
        EXPECT_TRUE(QFileInfo::exists(mine));
        EXPECT_EQ(ended, -1);
    }
}

TEST_F(PublishDelegateTest, DesktopIsWrittenIntoWithoutAskingAndFilesAreNotAsked)
{
    const QString onDesktop = roots.writeFile(QStringLiteral("Desktop/notes.txt"), "keep");
    dialog.txtOutputFolder = Paths::desktop();
    dialog.onPublish();
    EXPECT_EQ(prompts.asked.size(), 1); // only "open the result?"
    EXPECT_TRUE(QFileInfo::exists(onDesktop));
    EXPECT_TRUE(QFileInfo::exists(Paths::desktop() + QStringLiteral("/book.html")));

    const QString file = roots.writeFile(QStringLiteral("afile"), "x");
    prompts.asked.clear();
    prompts.alertAnswers = {1};
    EXPECT_TRUE(dialog.CheckOutputDir(file));
    EXPECT_TRUE(prompts.asked.isEmpty());
}

// The phone options' switching is the publish dialog UI test's.
TEST_F(PublishDelegateTest, ApplicationOutputSkipsTheMobileEdition)
{
    const QString out = roots.root() + QStringLiteral("/app");
    dialog.txtOutputFolder = out;
    dialog.mOutputType = 1;
    dialog.chkCreateMobile = true;
    dialog.onPublish();
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/files/mobile")));

    const QString web = roots.root() + QStringLiteral("/web");
    dialog.txtOutputFolder = web;
    dialog.mOutputType = 0;
    prompts.alertAnswers = {1};
    dialog.onPublish();
    EXPECT_TRUE(QFileInfo::exists(web + QStringLiteral("/files/mobile")));
}

TEST_F(PublishDelegateTest, EmptyOrRelativeFolderIsRefused)
{
    for (const QString &folder : {QString(), QStringLiteral("relative/book")}) {
        dialog.txtOutputFolder = folder;
        dialog.onPublish();
        EXPECT_EQ(ended, -1);
    }
    EXPECT_EQ(prompts.count(QStringLiteral("message")), 2);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("relative")));
}

TEST_F(PublishDelegateTest, EmptyNameGivesAVisiblePage)
{
    dialog.txtOutputFolder = roots.root() + QStringLiteral("/named");
    dialog.txtOutputName.clear();
    dialog.onPublish();
    EXPECT_TRUE(QFileInfo::exists(roots.root() + QStringLiteral("/named/index.html")));
    EXPECT_FALSE(QFileInfo::exists(roots.root() + QStringLiteral("/named/.html")));
}

} // namespace
