#include "TestRoots.h"

#include "app/Foliant_for_macAppDelegate.h"
#include "app/PageEditorWindowDelegate.h"
#include "app/ProjectArchive.h"
#include "book/FlashPageSourceImg.h"
#include "platform/Paths.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/SelectTemplateWindowDelegate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class ControllerCommandsTest : public RootedTest
{
protected:
    void SetUp() override
    {
        testApp();
        controller.applicationDidFinishLaunching();
        preview = controller.flashPreviewFolder();
        pagesXml = preview + QStringLiteral("/pages.xml");
    }
    void TearDown() override { controller.applicationWillTerminate(); }

    void writePages(const QByteArray &bytes)
    {
        QFile f(pagesXml);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    HeadlessWindowView window;
    Foliant_for_macAppDelegate controller{&window};
    QString preview, pagesXml;
};

TEST_F(ControllerCommandsTest, PageListBaseIsSetForTheEditorAndRestoredWithoutDamagingText)
{
    const QByteArray original =
        QStringLiteral("<pages bace=\"\"><page title=\"Crème brûlée — 東京\"/></pages>").toUtf8();
    writePages(original);
    controller.ReplaceXMLPath(true);
    EXPECT_EQ(QString::fromUtf8(readAll(pagesXml)),
              QStringLiteral("<pages bace=\"%1/files/\"><page title=\"Crème brûlée — 東京\"/></pages>").arg(preview));
    controller.ReplaceXMLPath(false);
    EXPECT_EQ(readAll(pagesXml), original);

    writePages("<pages base=\"x\"/>");
    controller.ReplaceXMLPath(true);
    EXPECT_EQ(readAll(pagesXml), QByteArray("<pages base=\"x\"/>"));
}

TEST_F(ControllerCommandsTest, PageEditorGetsAnEmptyLinkSetAndLeavingWithoutSavingRestoresTheBase)
{
    // No links: none stays none.
    PageEditorWindowDelegate *seen = nullptr;
    QByteArray listWhileOpen;
    window.pageEditorSheet = [&](PageEditorWindowDelegate &d) {
        seen = &d;
        listWhileOpen = readAll(pagesXml);
        return 0;
    };
    controller.OnPageEditor();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->flashPagesAnnotations(), nullptr);
    EXPECT_EQ(seen->baseFolder(), preview);
    EXPECT_TRUE(listWhileOpen.contains(QStringLiteral("bace=\"%1/files/\"").arg(preview).toUtf8()));
    EXPECT_TRUE(readAll(pagesXml).contains("bace=\"\""));

    // Links: the editor gets a new, empty set, and so does the book.
    auto links = std::make_shared<FlashPagesAnnotations>();
    FlashPagesAnnotations::addPageAnnos(links->resetPagesAnnotationsNode(), 1);
    controller.setFlashPagesAnnotations(links);
    controller.OnPageEditor();
    ASSERT_TRUE(seen->flashPagesAnnotations());
    EXPECT_NE(seen->flashPagesAnnotations(), links);
    EXPECT_EQ(controller.flashPagesAnnotations(), seen->flashPagesAnnotations());
}

TEST_F(ControllerCommandsTest, SettingsExportAddsTxtAndCancelledImportStillRefreshes)
{
    const QString bare = roots.root() + QStringLiteral("/mysettings");
    const QString withExt = roots.root() + QStringLiteral("/other.cfg");
    window.scripted.saveAnswers << bare << withExt;
    controller.OnExportTmplSettings();
    controller.OnExportTmplSettings();
    EXPECT_TRUE(QFileInfo::exists(bare + QStringLiteral(".txt")));
    EXPECT_FALSE(QFileInfo::exists(bare));
    EXPECT_TRUE(QFileInfo::exists(withExt));
    EXPECT_TRUE(window.status.contains(withExt)) << window.status.toStdString();

    window.status.clear();
    const int loads = window.loadCount, reloads = window.outlineReloads;
    controller.OnImportTmplSettings(); // cancelled
    EXPECT_EQ(window.loadCount, loads + 1);
    EXPECT_EQ(window.outlineReloads, reloads + 1);
    EXPECT_TRUE(window.status.isEmpty()) << "a cancelled import reported success";

    // Importing what was exported after a change brings the value back.
    const QString key = QStringLiteral("Title");
    const QString before = controller.flashTmpl()->propertyValueFor(key, QStringLiteral("<none>"));
    controller.flashTmpl()->setPropertyValue(key, QStringLiteral("Changed"));
    window.scripted.fileAnswers << QStringList{bare + QStringLiteral(".txt")};
    controller.OnImportTmplSettings();
    EXPECT_EQ(controller.flashTmpl()->propertyValueFor(key, QStringLiteral("<none>")), before);
    EXPECT_TRUE(window.status.contains(bare)) << window.status.toStdString();
}

// Save As, reopen, and files that are no project of this book (damaged,
// foreign, from a later version): each is refused with a message and the
// current book, its values and the page editor's page list stay as they were.
TEST_F(ControllerCommandsTest, ProjectsReopenAndBadOnesLeaveTheBookAsItWas)
{
    const QString key = QStringLiteral("Title");
    EXPECT_EQ(window.title, QStringLiteral("Foliant Pro for Mac"));
    controller.flashTmpl()->setPropertyValue(key, QStringLiteral("Saved\ntwo lines"));
    controller.setModified(true);
    EXPECT_EQ(window.title, QStringLiteral("Untitled* \u2014 Foliant Pro for Mac"));
    const QString project = roots.root() + QStringLiteral("/book.foliant");
    window.scripted.saveAnswers << roots.root() + QStringLiteral("/book");
    ASSERT_TRUE(controller.OnSaveProject());
    EXPECT_EQ(controller.projectPath(), project);
    EXPECT_EQ(window.title, QStringLiteral("book \u2014 Foliant Pro for Mac"));
    EXPECT_TRUE(window.status.contains(project));

    controller.flashTmpl()->setPropertyValue(key, QStringLiteral("Changed"));
    ASSERT_TRUE(controller.openProject(project));
    EXPECT_EQ(controller.flashTmpl()->propertyValueFor(key, {}), QStringLiteral("Saved\ntwo lines"));
    EXPECT_FALSE(controller.isModified());

    const FlashPageSourcePtr book = controller.flashPageSource();
    const QByteArray pageList = readAll(pagesXml);
    const QByteArray saved = readAll(project);
    QString error;
    const QString foreign = roots.root() + QStringLiteral("/foreign.foliant");
    ASSERT_TRUE(ProjectArchive::write(foreign, {{QStringLiteral("project.xml"), "<other/>", {}}}, &error));
    const QString later = roots.root() + QStringLiteral("/later.foliant");
    ASSERT_TRUE(
        ProjectArchive::write(later, {{QStringLiteral("project.xml"), "<foliantProject version=\"9\"/>", {}}}, &error));
    const struct
    {
        const char *name;
        QByteArray bytes; // empty: the file is already written
        const char *reason;
    } cases[] = {
        {"truncated.foliant", saved.left(saved.size() / 2), "damaged"},
        {"renamed-pdf.foliant", "%PDF-1.4\n%%EOF\n", "damaged"},
        {"foreign.foliant", {}, "damaged"},
        {"later.foliant", {}, "version"},
        {"missing.foliant", {}, "No such file"},
    };
    for (const auto &c : cases) {
        const QString file = roots.root() + QLatin1Char('/') + QString::fromLatin1(c.name);
        if (!c.bytes.isEmpty()) {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.bytes);
        }
        const int messages = window.scripted.count(QStringLiteral("message"));
        EXPECT_FALSE(controller.openProject(file, &error)) << c.name;
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.reason))) << c.name << ": " << error.toStdString();
        EXPECT_EQ(window.scripted.count(QStringLiteral("message")), messages + 1) << c.name;
        EXPECT_EQ(controller.flashPageSource(), book) << c.name;
        EXPECT_EQ(readAll(pagesXml), pageList) << c.name;
        EXPECT_EQ(controller.projectPath(), project) << c.name;
    }
}

TEST_F(ControllerCommandsTest, PanoramicStyleCopiesItsFacesAndOtherTemplatesRemoveThem)
{
    const QStringList panoramicStyles = FlashTemplate::tmplStyleNamesForTmpl(QStringLiteral("Panoramic"));
    if (panoramicStyles.isEmpty())
        GTEST_SKIP() << "no Panoramic template installed";
    // A style folder with only the front face, in a resource tree of its own.
    const QString res = roots.root() + QStringLiteral("/res");
    for (const QString &sub :
         {QStringLiteral("AppFiles/Templates/Panoramic"), QStringLiteral("AppFiles/Templates/float"),
          QStringLiteral("AppFiles/Styles/Panoramic/Front"), QStringLiteral("AppFiles/Styles/float/Plain")})
        QDir().mkpath(res + QLatin1Char('/') + sub);
    const QString real = QStringLiteral(FOLIANT_RESOURCES_DIR);
    for (const QString &t : {QStringLiteral("Panoramic"), QStringLiteral("float")})
        QFile::copy(real + QStringLiteral("/AppFiles/Templates/%1/flashTemplate.xml").arg(t),
                    res + QStringLiteral("/AppFiles/Templates/%1/flashTemplate.xml").arg(t));
    roots.writeFile(QStringLiteral("res/AppFiles/Styles/Panoramic/Front/f.jpg"), "front");
    roots.writeFile(QStringLiteral("res/AppFiles/Styles/Panoramic/Front/shot.jpg"), "");
    roots.writeFile(QStringLiteral("res/AppFiles/Styles/float/Plain/shot.jpg"), "");
    Paths::setResources(res);

    const QString ext = preview + QStringLiteral("/files/extfiles");
    QDir().mkpath(ext);
    roots.writeFile(QStringLiteral("userdata/Tomefold/preview/files/extfiles/b.jpg"), "stale");
    window.templateSheet = [](SelectTemplateWindowDelegate &d) {
        d.selectTmplRow(int(d.tmplList().indexOf(Paths::resource(QStringLiteral("AppFiles/Templates/Panoramic")))));
        d.selectStyleIndex(0);
        return 1;
    };
    controller.onSelectTemplate();
    EXPECT_EQ(controller.flashTmpl()->tmplName(), QStringLiteral("Panoramic"));
    EXPECT_EQ(controller.flashTmpl()->styleName(), QStringLiteral("Front"));
    EXPECT_EQ(readAll(ext + QStringLiteral("/f.jpg")), QByteArray("front"));
    EXPECT_TRUE(window.outlineExpanded);

    window.templateSheet = [](SelectTemplateWindowDelegate &d) {
        d.selectTmplRow(int(d.tmplList().indexOf(Paths::resource(QStringLiteral("AppFiles/Templates/float")))));
        d.selectStyleIndex(0);
        return 1;
    };
    controller.onSelectTemplate();
    EXPECT_EQ(controller.flashTmpl()->tmplName(), QStringLiteral("float"));
    EXPECT_FALSE(QFileInfo::exists(ext + QStringLiteral("/f.jpg")));
    EXPECT_FALSE(QFileInfo::exists(ext + QStringLiteral("/b.jpg")));

    // Cancelled: nothing changes.
    window.templateSheet = [](SelectTemplateWindowDelegate &) { return 0; };
    controller.onSelectTemplate();
    EXPECT_EQ(controller.flashTmpl()->tmplName(), QStringLiteral("float"));
}

TEST_F(ControllerCommandsTest, SelectedPropertyFillsTheHelpBox)
{
    FlashTemplateOutlineDelegate *model = controller.outlineDelegate();
    const QModelIndex first = model->index(0, 0);
    ASSERT_TRUE(first.isValid());
    window.selectedIndex = first;
    model->outlineViewSelectionDidChange();
    EXPECT_EQ(window.tipTitle, model->propertyAt(first)->title());
    EXPECT_EQ(window.tipDescription, model->propertyAt(first)->desc());
    window.tipTitle = QStringLiteral("unchanged");
    window.selectedIndex = QModelIndex();
    model->outlineViewSelectionDidChange();
    EXPECT_EQ(window.tipTitle, QStringLiteral("unchanged"));
}

TEST_F(ControllerCommandsTest, MissingManualIsReportedNotOpened)
{
    Paths::setResources(roots.root());
    controller.OnOpenHelp();
    EXPECT_TRUE(window.scripted.opened.isEmpty());
    EXPECT_EQ(window.scripted.count(QStringLiteral("message")), 1);
}

} // namespace
