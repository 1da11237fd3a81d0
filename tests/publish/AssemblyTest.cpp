#include "publish/FlashBookOutput.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class Assembly : public RootedTest
{
protected:
    void SetUp() override
    {
        out = roots.root() + QStringLiteral("/book");
        QDir().mkpath(out);
        tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("float"));
        preview = FlashBookOutput(nullptr, nullptr, QString(), QString()).GetPreviewPath();
        src = roots.root() + QStringLiteral("/src");
    }
    void publish(const FlashPageSourcePtr &book, const FlashPagesAnnotationsPtr &links = nullptr)
    {
        FlashBookOutput output(book, tmpl, out, QStringLiteral("book.html"));
        output.setFlashPagesAnnotations(links);
        output.ouputTheBook();
    }
    QStringList list(const QString &relative) const
    {
        return QDir(out + QLatin1Char('/') + relative).entryList(QDir::Files, QDir::Name);
    }
    // The page list merged into the packed configuration, as its "bace" and page count.
    QString mergedPages(const FlashPageSourcePtr &book)
    {
        FlashBookOutput output(book, tmpl, out, QString());
        const XmlDocument config = output.bookXML();
        const XmlNode pages = config.root().firstChild(QStringLiteral("Pages"));
        return pages.attribute(QStringLiteral("bace")) + QLatin1Char('/') +
               QString::number(pages.children(QStringLiteral("Page")).size());
    }
    QString out, preview, src;
    FlashTemplatePtr tmpl;
};

} // namespace

TEST_F(Assembly, aMissingDestinationGetsNothing)
{
    FlashBookOutput output(makeBook(src, {1}), tmpl, roots.root() + QStringLiteral("/nowhere"), QString());
    output.ouputTheBook();
    EXPECT_FALSE(QFileInfo::exists(roots.root() + QStringLiteral("/nowhere")));
}

TEST_F(Assembly, writesTheCompleteFolder)
{
    publish(makeBook(src, {1, 2}));
    EXPECT_EQ(list(QStringLiteral("files/page")), names({"1.jpg", "2.jpg"}));
    EXPECT_EQ(list(QStringLiteral("files/thumb")), names({"1.jpg", "2.jpg"})); // PNG sources, named .jpg
    EXPECT_EQ(readAll(out + QStringLiteral("/files/thumb/2.jpg")), QByteArray("thumb 2"));
    EXPECT_EQ(list(QStringLiteral("files")),
              names({"book.swf", "config.js", "config.xml", "playerProductInstall.swf", "swfobject.js"}));
    EXPECT_EQ(readAll(out + QStringLiteral("/files/theme/Main.swf")), QByteArray("theme of float"));
    EXPECT_TRUE(QFileInfo(out + QStringLiteral("/files/extfiles")).isDir());
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/files/pageConfig")));
    EXPECT_TRUE(QFileInfo::exists(out + QStringLiteral("/pages.xml")));
    // Without HTML settings the page is the template's, byte for byte.
    EXPECT_EQ(readAll(out + QStringLiteral("/book.html")), templatePage());
}

TEST_F(Assembly, republishingRebuildsPagesButKeepsForeignUserFiles)
{
    publish(makeBook(src, {1, 2, 3}));
    for (const char *name : {"LogoFile.png", "SoundFile.mp3", "ImagePath.gif", "Other.png", "LogoFile.svg"})
        roots.writeFile(QStringLiteral("book/files/extfiles/") + QString::fromLatin1(name), "old");
    publish(makeBook(src, {2}));
    EXPECT_EQ(list(QStringLiteral("files/page")), names({"2.jpg"}));
    EXPECT_EQ(list(QStringLiteral("files/thumb")), names({"2.jpg"}));
    EXPECT_EQ(list(QStringLiteral("files/extfiles")), names({"LogoFile.svg", "Other.png"}));
    // A template without an HTML page leaves no earlier template's page behind.
    tmpl = bareTemplate();
    publish(makeBook(src, {2}));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/book.html")));
}

TEST_F(Assembly, fileProperties)
{
    const QString logo = roots.writeFile(QStringLiteral("user/my logo.PNG"), "logo");
    QDir().mkpath(roots.root() + QStringLiteral("/user/folder.jpg"));
    roots.writeFile(QStringLiteral("book/files/extfiles/SoundFile.wav"), "older copy");
    setProperties(tmpl, {{"LogoFile", logo, pt_file},
                         {"SoundFile", roots.root() + QStringLiteral("/user/gone.wav"), pt_file},
                         {"ImagePath", roots.root() + QStringLiteral("/user/folder.jpg"), pt_file},
                         {"Title", logo, pt_text}});
    // A nested file property is found too.
    auto parent = tmpl->properties().last();
    auto child = std::make_shared<FlashTemplateProperty>();
    child->setKey(QStringLiteral("DownloadFile"));
    child->setPropertyType(pt_file);
    child->setValue(roots.writeFile(QStringLiteral("user/book.pdf"), "pdf"));
    parent->addChildProperty(child);

    publish(makeBook(src, {1}));
    EXPECT_EQ(list(QStringLiteral("files/extfiles")), names({"DownloadFile.pdf", "LogoFile.PNG"}));
    EXPECT_EQ(readAll(out + QStringLiteral("/files/extfiles/LogoFile.PNG")), QByteArray("logo"));
}

TEST_F(Assembly, panoramaImagesComeFromThePreviewForThatTemplateOnly)
{
    for (const char *name : {"b.jpg", "d.jpg", "f.jpg", "l.jpg", "r.jpg", "u.jpg"})
        roots.writeFile(QStringLiteral("userdata/Tomefold/preview/files/extfiles/") + QString::fromLatin1(name), "p");
    publish(makeBook(src, {1}));
    EXPECT_TRUE(list(QStringLiteral("files/extfiles")).isEmpty());

    tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("Panoramic"));
    publish(makeBook(src, {1}));
    EXPECT_EQ(list(QStringLiteral("files/extfiles")), names({"b.jpg", "d.jpg", "f.jpg", "l.jpg", "r.jpg", "u.jpg"}));
}

TEST_F(Assembly, linkFilesAndEditorDataAreCarried)
{
    auto links = std::make_shared<FlashPagesAnnotations>();
    links->setNeedFiles({roots.writeFile(QStringLiteral("user/clip.mp4"), "video"),
                         roots.root() + QStringLiteral("/user/missing.mp3")});
    roots.writeFile(QStringLiteral("userdata/Tomefold/preview/files/editor/state.json"), "{}");
    publish(makeBook(src, {1}), links);
    EXPECT_EQ(list(QStringLiteral("files/pageConfig")), names({"clip.mp4"}));
    EXPECT_EQ(readAll(out + QStringLiteral("/files/editor/state.json")), QByteArray("{}"));
}

TEST_F(Assembly, thePreviewPageListIsMergedAndNotCopied)
{
    roots.writeFile(QStringLiteral("userdata/Tomefold/preview/pages.xml"),
                    "<Pages bace=\"edited\"><Page type=\"Image\"/></Pages>");
    const auto book = makeBook(src, {1, 2});
    publish(book);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/pages.xml")));
    EXPECT_EQ(mergedPages(book), QStringLiteral("edited/1"));
}

TEST_F(Assembly, aBrokenPreviewPageListGivesWayToTheBooksOwn)
{
    for (const QByteArray &broken : {QByteArray(), QByteArray("   \n"), QByteArray("<Pages><Page></Pages"),
                                     QByteArray("not xml at all"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)}) {
        roots.writeFile(QStringLiteral("userdata/Tomefold/preview/pages.xml"), broken);
        const auto book = makeBook(src, {1, 2, 3});
        publish(book);
        EXPECT_EQ(mergedPages(book), QStringLiteral("/3")) << broken.constData();
    }
    // Publishing without any preview still gives the book its pages.
    QDir(preview).removeRecursively();
    EXPECT_EQ(mergedPages(makeBook(src, {1, 2, 3, 4})), QStringLiteral("/4"));
}

TEST_F(Assembly, anUnwritableFilesFolderIsSkippedNotFatal)
{
    roots.writeFile(QStringLiteral("book/files"), "a file where the folder belongs");
    publish(makeBook(src, {1}));
    EXPECT_EQ(readAll(out + QStringLiteral("/book.html")), templatePage());
    EXPECT_TRUE(QFileInfo::exists(out + QStringLiteral("/pages.xml")));
    EXPECT_EQ(readAll(out + QStringLiteral("/files")), QByteArray("a file where the folder belongs"));
}

TEST_F(Assembly, htmlSettingsFillTheTemplatePage)
{
    auto html = std::make_shared<HTMLConfigInfo>();
    html->setHTMLTitle(QStringLiteral("Preview"));
    FlashBookOutput output(makeBook(src, {1}), tmpl, out, QString());
    output.setHTMLConfig(html);
    output.ouputTheBook();
    EXPECT_EQ(output.outputFileName(), out + QStringLiteral("/index.html"));
    EXPECT_TRUE(readAll(out + QStringLiteral("/index.html")).startsWith("<html><head><title>Preview</title>"));
}
