#include "TestRoots.h"

#include "app/PageEditorWindowDelegate.h"
#include "app/ScriptedPrompts.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class PageEditorDelegateTest : public RootedTest
{
protected:
    void SetUp() override
    {
        testApp();
        preview = roots.userData() + QStringLiteral("/Tomefold/preview");
        QDir().mkpath(preview + QStringLiteral("/files"));
        editor.initWithBookXMLStr(QString(), preview, nullptr);
        editor.setScriptEvaluator([this](const QString &script) {
            asked << script;
            return script == QStringLiteral("ReName()") ? renameAnswer : pageAnswer;
        });
        QObject::connect(&editor, &PageEditorWindowDelegate::sheetEnded, &editor, [this](int c) { ended = c; });
        Clock::setNow([] { return QDateTime(QDate(2026, 12, 5), QTime(14, 37, 59)); });
    }
    void TearDown() override { Clock::setNow({}); }

    QString source(const QString &name) { return roots.writeFile(QStringLiteral("picked/") + name, name.toUtf8()); }

    ScriptedPrompts prompts;
    PageEditorWindowDelegate editor{&prompts};
    QString preview;
    QString renameAnswer, pageAnswer;
    QStringList asked;
    int ended = -1;
};

TEST_F(PageEditorDelegateTest, SaveMakesPathsRelativeAndRefusesAnEmptyOrBrokenAnswer)
{
    const QString list = preview + QStringLiteral("/pages.xml");
    pageAnswer = QStringLiteral("<pages bace=\"%1/files/\"><page src=\"%1/files/1.jpg\" title=\"Ünïcode\"/></pages>")
                     .arg(preview);
    ASSERT_TRUE(editor.OnSave());
    EXPECT_EQ(QString::fromUtf8(readAll(list)),
              QStringLiteral("<pages bace=\"\"><page src=\"1.jpg\" title=\"Ünïcode\"/></pages>"));

    // An empty or malformed answer must not wipe the links already saved.
    const QByteArray good = readAll(list);
    for (const QString &bad : {QString(), QStringLiteral("  \n"), QStringLiteral("<pages><page")}) {
        pageAnswer = bad;
        EXPECT_FALSE(editor.OnSave());
        EXPECT_EQ(readAll(list), good);
    }
    // Leaving "with save" after a failed save is leaving without saving.
    editor.OnSaveAndExit();
    EXPECT_EQ(ended, 0);
    pageAnswer = QStringLiteral("<pages bace=\"\"/>");
    editor.OnSaveAndExit();
    EXPECT_EQ(ended, 1);
}

TEST_F(PageEditorDelegateTest, DeleteStaysInsideTheBooksFiles)
{
    const QString kept = roots.writeFile(QStringLiteral("userdata/Tomefold/preview/pages.xml"), "<pages/>");
    const QString outside = roots.writeFile(QStringLiteral("precious.txt"), "keep me");
    const QString stored = roots.writeFile(QStringLiteral("userdata/Tomefold/preview/files/editor/a.jpg"), "x");
    for (const QString &attack : {QStringLiteral("../pages.xml"), QStringLiteral("editor/../../pages.xml"), outside,
                                  QStringLiteral("../../../../precious.txt"), QString()})
        editor.OnDeleteFile(attack);
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_TRUE(QFileInfo::exists(outside));
    editor.OnDeleteFile(QStringLiteral("editor/a.jpg"));
    EXPECT_FALSE(QFileInfo::exists(stored));
}

TEST_F(PageEditorDelegateTest, ChoosersStoreFilesUnderTheRightNames)
{
    const QString a = source(QStringLiteral("a.png")), b = source(QStringLiteral("b.jpg")),
                  c = source(QStringLiteral("c.gif"));
    const QString stamp = PageEditorWindowDelegate::FormatDate();
    EXPECT_EQ(stamp, QStringLiteral("051226143759"));

    // Several images chosen together share one stamped folder under their own names.
    renameAnswer = QStringLiteral("NO");
    prompts.fileAnswers << QStringList{a, b, c};
    EXPECT_EQ(editor.OnSelectImageFiles(),
              QStringLiteral("editor/%1/a.png|editor/%1/b.jpg|editor/%1/c.gif").arg(stamp));
    EXPECT_TRUE(QFileInfo::exists(preview + QStringLiteral("/files/editor/%1/c.gif").arg(stamp)));
    EXPECT_EQ(asked.first(), QStringLiteral("ReName()"));

    // Renamed: one stamped name per extension; the later copy of the same second wins.
    renameAnswer = QStringLiteral("YES");
    prompts.fileAnswers << QStringList{b};
    EXPECT_EQ(editor.OnSelectImageFiles(), QStringLiteral("editor/%1.jpg").arg(stamp));
    const QString other = roots.writeFile(QStringLiteral("picked2/b.jpg"), "second");
    prompts.fileAnswers << QStringList{other};
    EXPECT_EQ(editor.OnSelectImageFile(), QStringLiteral("editor/%1.jpg").arg(stamp));
    EXPECT_EQ(readAll(preview + QStringLiteral("/files/editor/%1.jpg").arg(stamp)), QByteArray("second"));

    // Cancelled choosers copy nothing.
    const int before =
        int(QDir(preview + QStringLiteral("/files/editor")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
    EXPECT_EQ(editor.OnSelectMovieFile(), QString());
    EXPECT_EQ(editor.OnSelectMusicFile(), QString());
    EXPECT_EQ(editor.OnSelectSWFFile(), QString());
    EXPECT_EQ(
        int(QDir(preview + QStringLiteral("/files/editor")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()),
        before);
    EXPECT_EQ(prompts.asked.last().options, QStringList{QStringLiteral("swf")});
}

TEST_F(PageEditorDelegateTest, OpeningAgainInstallsAFreshEditorPage)
{
    const QString page = preview + QStringLiteral("/PageEditor.html");
    ASSERT_TRUE(QFileInfo::exists(page));
    QFile f(page);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("stale");
    f.close();
    editor.initWithBookXMLStr(QString(), preview, nullptr);
    EXPECT_NE(readAll(page), QByteArray("stale"));
    EXPECT_EQ(editor.htmlPath(), page);
    // Without the editor among the resources, no stale copy stays to be shown.
    Paths::setResources(roots.root() + QStringLiteral("/no-resources"));
    editor.initWithBookXMLStr(QString(), preview, nullptr);
    EXPECT_FALSE(QFileInfo::exists(page));
    EXPECT_FALSE(QFileInfo::exists(preview + QStringLiteral("/PageEditor.swf")));
}

} // namespace
