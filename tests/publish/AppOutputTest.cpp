#include "publish/FlashBookOutputApp.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST_F(RootedTest, applicationBundleIsReplacedWhole)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("float"));
    const QString folder = roots.root() + QStringLiteral("/out");
    const auto book = makeBook(roots.root() + QStringLiteral("/src"), {1, 2});

    FlashBookOutputApp first(book, tmpl, folder, QStringLiteral("my.book.html"));
    EXPECT_EQ(first.outputHTMLFileName(), folder + QStringLiteral("/my.book.app/Contents/Resources/index.html"));
    first.ouputTheBook();
    const QString bundle = folder + QStringLiteral("/my.book.app");
    EXPECT_EQ(readAll(bundle + QStringLiteral("/Contents/Info.plist")), QByteArray("<plist/>"));
    EXPECT_EQ(readAll(bundle + QStringLiteral("/Contents/MacOS/player")), QByteArray("binary"));
    EXPECT_EQ(readAll(bundle + QStringLiteral("/Contents/Resources/index.html")), templatePage());
    EXPECT_TRUE(QFileInfo::exists(bundle + QStringLiteral("/Contents/Resources/files/config.xml")));
    EXPECT_TRUE(QFileInfo::exists(bundle + QStringLiteral("/Contents/Resources/files/page/2.jpg")));

    roots.writeFile(QStringLiteral("out/my.book.app/Contents/Resources/leftover.txt"), "x");
    FlashBookOutputApp second(makeBook(roots.root() + QStringLiteral("/src"), {1}), tmpl, folder,
                              QStringLiteral("my.book.html"));
    second.ouputTheBook();
    EXPECT_FALSE(QFileInfo::exists(bundle + QStringLiteral("/Contents/Resources/leftover.txt")));
    EXPECT_FALSE(QFileInfo::exists(bundle + QStringLiteral("/Contents/Resources/files/page/2.jpg")));
    EXPECT_TRUE(QFileInfo::exists(bundle + QStringLiteral("/Contents/Resources/files/page/1.jpg")));

    // Without the bundle skeleton the web book is still assembled.
    QDir(roots.root() + QStringLiteral("/res/AppFiles/TmplData/mac.app")).removeRecursively();
    FlashBookOutputApp bare(book, tmpl, folder, QStringLiteral("Other"));
    bare.ouputTheBook();
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Other.app/Contents/Resources/files/config.xml")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Other.app/Contents/Info.plist")));
}
