#include "TestRoots.h"
#include "app/Foliant_for_macAppDelegate.h"
#include "platform/MarlspanUtility.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

class ControllerLifecycle : public RootedTest
{
protected:
    void SetUp() override { app(); }
    HeadlessWindowView window;
};

} // namespace

TEST_F(ControllerLifecycle, StartUpLogsMakesThePreviewAndLoadsTheSampleBook)
{
    window.screen = QRect(0, 0, 1600, 1000);
    Foliant_for_macAppDelegate controller(&window);
    controller.applicationDidFinishLaunching();

    const QString log = roots.userData() + QStringLiteral("/Tessaloom/Platewise/Foliant Pro for Mac.log");
    EXPECT_EQ(Foliant_for_macAppDelegate::logFilePath(), log);
    EXPECT_TRUE(QFileInfo(log).isFile());
    EXPECT_EQ(window.title, QStringLiteral("Foliant Pro for Mac"));
    EXPECT_EQ(window.frame, QRect(0, 0, 1600, 1000));

    EXPECT_EQ(controller.flashPreviewFolder(), roots.userData() + QStringLiteral("/Tomefold/preview"));
    EXPECT_TRUE(QFileInfo(controller.flashPreviewFolder() + QStringLiteral("/index.html")).isFile());
    EXPECT_EQ(window.loadedUrl, QUrl::fromLocalFile(controller.flashPreviewFolder() + QStringLiteral("/index.html")));
    EXPECT_TRUE(readAll(MarlspanUtility::trustFilePath()).size() > 2);

    ASSERT_TRUE(controller.flashPageSource());
    const FlashPageList pages = controller.flashPageSource()->normalPages();
    ASSERT_GE(pages.size(), 1);
    EXPECT_EQ(pages.first()->pageIndex(), 1);
    EXPECT_TRUE(pages.first()->pageFilePath().endsWith(QStringLiteral("DemoImgs/large/1.jpg")));

    controller.applicationWillTerminate();
    Logging::configure(QString(), QString());
}

TEST_F(ControllerLifecycle, EmptySampleFolderStillStarts)
{
    QDir().mkpath(roots.root() + QStringLiteral("/res/DemoImgs/large"));
    roots.writeFile(QStringLiteral("res/DemoImgs/large/readme.txt"), "not a page");
    Paths::setResources(roots.root() + QStringLiteral("/res"));
    Foliant_for_macAppDelegate controller(&window);
    controller.applicationDidFinishLaunching();
    ASSERT_TRUE(controller.flashPageSource());
    EXPECT_TRUE(controller.flashPageSource()->pages().isEmpty());
    EXPECT_TRUE(QFileInfo(controller.flashPreviewFolder()).isDir());
    controller.applicationWillTerminate();
    Logging::configure(QString(), QString());
}

TEST_F(ControllerLifecycle, TerminationRemovesWorkAndPreviewFolders)
{
    Foliant_for_macAppDelegate controller(&window);
    controller.applicationDidFinishLaunching();
    const QString work = MarlspanUtility::forceTmpDiractory(QStringLiteral("Quirefold"));
    ASSERT_TRUE(QFileInfo(work).isDir());
    controller.applicationWillTerminate();
    EXPECT_FALSE(QFileInfo::exists(roots.temp() + QStringLiteral("/Quirefold")));
    EXPECT_FALSE(QFileInfo::exists(controller.flashPreviewFolder()));
    // Twice, and with nothing left to remove: no error.
    controller.applicationWillTerminate();
    Logging::configure(QString(), QString());
}
