#include "publish/OutputMobileVersion.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"
#include "platform/AppSettings.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
class Mobile : public RootedTest
{
protected:
    void SetUp() override
    {
        out = roots.root() + QStringLiteral("/book");
        QDir().mkpath(out);
        AppSettings::shareInstance()->setPageWidth(1080);
        AppSettings::shareInstance()->setPageHeight(1440);
    }
    QString out;
};
} // namespace

TEST_F(Mobile, flipConfigurationOfATemplateWithoutProperties)
{
    OutputMobileVersion mobile(makeBook(roots.root() + QStringLiteral("/src"), {1, 2, 3}), bareTemplate(), out, 0);
    const QString expected = QStringLiteral(
        "function orgt(s){ return binl2hex(core_hx(str2binl(s), s.length * chrsz));} var bookConfig ={"
        "BookmarkButtonVisible:\"Show\",searchColor:\"#00ffff\",searchAlpha:0.3,SearchButtonVisible:\"Hide\","
        "pageBackgroundColor:\"#30373A\",flipshortcutbutton:\"Show\",OriginPageIndex:1,HardPageEnable:\"No\","
        "topMargin:10,bottomMargin:10,leftMargin:10,rightMargin:10,LinkDownColor:\"#808080\",OpenWindow:\"Blank\","
        "LinkAlpha:0.1,appLogoIcon:\"\",appLogoLinkURL:\"\",bookTitle:\"\",bookDescription:\"\","
        "ShareButtonVisible:\"Show\",ThumbnailsButtonVisible:\"Show\",ZoomButtonVisible:\"Show\","
        "enableAutoPlay:\"No\",autoPlayDuration:3,autoPlayLoopCount:0,bgBeginColor:\"#FF9900\","
        "bgEndColor:\"#e8ac4d\",bgMRotation:90,backGroundImgURL:\"\",RightToLeft:\"No\",googleAnalyticsID:\"\","
        "totalPageCount:3,largePageWidth:1080,largePageHeight:1440,normalPath:\"../files/mobile/\","
        "largePath:\"../files/mobile/\",thumbPath:\"../files/mobile/\"};var pageEditor = [];ols=[]");
    EXPECT_EQ(mobile.flipConfigText(), expected);
}

TEST_F(Mobile, flipPlayerGetsItsScriptAndPageImages)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("float"));
    setProperties(tmpl, {{"Title", "Say \"hi\" \\ o/\nnext \u2028 </script>"},
                         {"GradientStartColor", "FF9900"},
                         {"Interval", "3;alert(1)"},
                         {"GradientAngle", "-45.5"},
                         {"LogoFile", "/x/logo.gif"},
                         {"direction", "Left"}});
    OutputMobileVersion mobile(makeBook(roots.root() + QStringLiteral("/src"), {1, 2}), tmpl, out, 0);
    mobile.PublishMobileConfig();

    EXPECT_EQ(QDir(out + QStringLiteral("/files/mobile")).entryList(QDir::Files), names({"1.jpg", "2.jpg"}));
    EXPECT_EQ(readAll(out + QStringLiteral("/files/mobile/2.jpg")), QByteArray("mobile 2"));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/mobile/javascript/main_preview.js")));
    const QString mainJs = out + QStringLiteral("/mobile/javascript/main.js");
    const QString script = QString::fromUtf8(readAll(mainJs));
    EXPECT_TRUE(script.startsWith(QStringLiteral("var preview = 1;\nfunction orgt(s)")));
    EXPECT_TRUE(script.contains(QStringLiteral("bgBeginColor:\"FF9900\",")));
    EXPECT_TRUE(script.contains(QStringLiteral("autoPlayDuration:3,")));
    EXPECT_TRUE(script.contains(QStringLiteral("bgMRotation:-45.5,")));
    EXPECT_TRUE(script.contains(QStringLiteral("appLogoIcon:\"../files/extfiles/LogoFile.gif\",")));
    EXPECT_TRUE(script.contains(QStringLiteral("RightToLeft:\"Yes\",")));

    // The script is valid JavaScript and gives back the title exactly.
    roots.writeFile(QStringLiteral("check.js"),
                    readAll(mainJs) + "\nif (bookConfig.bookTitle !== \"Say \\\"hi\\\" \\\\ o/\\nnext \\u2028 "
                                      "</script>\") process.exit(3);\n");
    int code = -1;
    const QByteArray output = runProgram(QStringLiteral("node"), {roots.root() + QStringLiteral("/check.js")}, &code);
    EXPECT_EQ(code, 0) << output.constData();
}

TEST_F(Mobile, slidePlayerHasItsPlaceholdersFilled)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("Panoramic"));
    setProperties(tmpl, {{"bookTitle", "Atlas"}, {"ImagePath", "/x/bg.png"}});
    OutputMobileVersion mobile(makeBook(roots.root() + QStringLiteral("/src"), {1, 2, 3, 4}), tmpl, out, 1);
    mobile.PublishMobileConfig();
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/mobile/javascript/main.js")));
    EXPECT_EQ(readAll(out + QStringLiteral("/mobile/index.html")),
              QByteArray("<title>Atlas</title>\n<script>var o = {pageWidth:1080,pageHeight:1440,totalPage:4,"
                         "zoomPageDir:\"../files/mobile/\",normalPageDir:\"../files/mobile/\",bookTitle:\"Atlas\","
                         "appLogoIcon:\"\",appLogoLinkURL:\"\",enableAutoPlay:\"No\",autoPlayDuration:3,"
                         "autoPlayLoopCount:0,bgBeginColor:\"#FF9900\",bgEndColor:\"#e8ac4d\",bgMRotation:90,"
                         "backGroundImgURL:\"../files/extfiles/b.jpg\",RightToLeft:\"No\"};</script>\n"
                         "<h1>Atlas</h1>"));
    EXPECT_TRUE(mobile.flipConfigText().contains(QStringLiteral("backGroundImgURL:\"../files/extfiles/b.jpg\",")));
}

TEST_F(Mobile, slideTitleFallsBackToTheBookTitleAndIsEscaped)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("Panoramic"));
    setProperties(tmpl, {{"Title", "Tom & Jerry </script>\"x\""}, {"direction", "Left"}, {"Interval", "2"}});
    OutputMobileVersion mobile(makeBook(roots.root() + QStringLiteral("/src"), {1}), tmpl, out, 1);
    mobile.PublishMobileConfig();
    const QByteArray page = readAll(out + QStringLiteral("/mobile/index.html"));
    EXPECT_TRUE(page.startsWith("<title>Tom &amp; Jerry &lt;/script&gt;&quot;x&quot;</title>")) << page.constData();
    // Inside the script element the title cannot end it.
    EXPECT_TRUE(page.contains("bookTitle:\"Tom & Jerry \\u003c/script>\\\"x\\\"\",")) << page.constData();
    EXPECT_TRUE(page.contains("autoPlayDuration:2,")) << page.constData();
    EXPECT_TRUE(page.contains("RightToLeft:\"Yes\"}")) << page.constData();
}

TEST_F(Mobile, aBookWithoutMobileImagesGetsNoPlayer)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("float"));
    roots.writeFile(QStringLiteral("book/files/mobile/9.jpg"), "stale");
    OutputMobileVersion mobile(makeBook(roots.root() + QStringLiteral("/src"), {1}, QStringLiteral("jpg"), true, false),
                               tmpl, out, 0);
    mobile.PublishMobileConfig();
    EXPECT_TRUE(QFileInfo(out + QStringLiteral("/files/mobile")).isDir());
    EXPECT_TRUE(QDir(out + QStringLiteral("/files/mobile")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/mobile")));
}
