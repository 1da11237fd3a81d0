#include "publish/FlashBookOutput.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"
#include "app/AppSettings.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class BookConfig : public RootedTest
{
protected:
    void SetUp() override
    {
        Clock::setNow([] { return QDateTime(QDate(2026, 12, 5), QTime(14, 37, 59)); });
        out = roots.root() + QStringLiteral("/book");
        QDir().mkpath(out);
    }
    void TearDown() override { Clock::setNow({}); }

    // Publishes `book` with `tmpl` and reads files/config.xml back with the
    // independent Python reader.
    QJsonObject publishAndRead(const FlashPageSourcePtr &book, const FlashTemplatePtr &tmpl)
    {
        FlashBookOutput output(book, tmpl, out, QStringLiteral("index.html"));
        output.ouputTheBook();
        int code = -1;
        const QByteArray json =
            runProgram(QStringLiteral("python3"), {testScript(), out + QStringLiteral("/files/config.xml")}, &code);
        EXPECT_EQ(code, 0);
        return QJsonDocument::fromJson(json).object();
    }

    static QString testScript() { return QStringLiteral(FOLIANT_SOURCE_DIR "/tests/publish/read_packed_config.py"); }

    // path -> [text, attributes] of the first element with that path.
    static QJsonArray find(const QJsonObject &read, const QString &path)
    {
        for (const QJsonValue &e : read.value(QStringLiteral("elements")).toArray())
            if (e.toArray().at(0).toString() == path)
                return e.toArray();
        return {};
    }
    static QString text(const QJsonObject &read, const char *path)
    {
        return find(read, QString::fromLatin1(path)).at(1).toString();
    }
    static QString attr(const QJsonObject &read, const char *path, const char *name)
    {
        return find(read, QString::fromLatin1(path)).at(2).toObject().value(QString::fromLatin1(name)).toString();
    }

    QString out;
};

// First element with that name in document order.
XmlNode first(const XmlDocument &doc, const QString &name)
{
    QList<XmlNode> queue{doc.root()};
    while (!queue.isEmpty()) {
        const XmlNode node = queue.takeFirst();
        if (node.name() == name)
            return node;
        queue = node.children() + queue;
    }
    return {};
}

} // namespace

TEST_F(BookConfig, independentReaderFindsTheDocumentWithItsDefaults)
{
    AppSettings::shareInstance()->setPageWidth(1400);
    AppSettings::shareInstance()->setPageHeight(1000);
    const auto book = makeBook(roots.root() + QStringLiteral("/src"), {1, 2});
    const QJsonObject read = publishAndRead(book, bareTemplate());

    EXPECT_TRUE(read.value(QStringLiteral("declaration")).toBool());
    EXPECT_TRUE(read.value(QStringLiteral("cdata")).toBool());
    EXPECT_EQ(read.value(QStringLiteral("entries")).toArray(), QJsonArray{QStringLiteral("config.xml")});
    EXPECT_EQ(read.value(QStringLiteral("methods")).toArray(), QJsonArray{8});
    EXPECT_EQ(read.value(QStringLiteral("comment")).toString(), QStringLiteral("Archive created with ZipKit"));
    EXPECT_TRUE(read.value(QStringLiteral("crc_ok")).toBool());

    QStringList order;
    for (const QJsonValue &e : read.value(QStringLiteral("elements")).toArray())
        order << e.toArray().at(0).toString().section(QLatin1Char('/'), -1);
    const QStringList expected =
        QStringLiteral(
            "FlipBook3D XMLVersion Config Author Name Email WebSite Info Setting Title BaseColor Logo GoogleAnalytics "
            "ShareAnalytics ZoomModel Theme BackgroundMusic Download ControlButtonsInvisible FlipBook3DSetting "
            "Background "
            "BackgroundType Color GradientStartColor GradientEndColor GradientAngle ImagePath Position AutoFlip Enable "
            "Interval TiltAngle AutoScale PlayFlipSound PerPageThickness Mobility Template PanoramicImage Left Right "
            "Top "
            "Bottom Front Back InitSetting Camera Pages Page Item Item Item Page Item Item Item")
            .split(QLatin1Char(' '));
    EXPECT_EQ(order, expected);

    EXPECT_EQ(text(read, "FlipBook3D/XMLVersion"), QStringLiteral("1"));
    EXPECT_EQ(text(read, "FlipBook3D/Config/Author/Name"), QStringLiteral("FOLIANT"));
    const char *setting = "FlipBook3D/Config/Setting/";
    auto s = [&](const char *rest) { return (QByteArray(setting) + rest); };
    EXPECT_EQ(text(read, s("BaseColor")), QStringLiteral("8404992"));
    EXPECT_EQ(text(read, s("Logo")), QString());
    EXPECT_EQ(attr(read, s("Logo"), "displayLogo"), QStringLiteral("true"));
    EXPECT_EQ(attr(read, s("Logo"), "link"), QString());
    EXPECT_EQ(text(read, s("BackgroundMusic")), QString());
    EXPECT_EQ(attr(read, s("BackgroundMusic"), "circle"), QStringLiteral("-1"));
    EXPECT_EQ(attr(read, s("Download"), "src"), QString());
    EXPECT_EQ(attr(read, s("Theme"), "src"), QStringLiteral("theme/Main.swf"));
    EXPECT_EQ(text(read, s("ControlButtonsInvisible")), QStringLiteral(",Content"));
    const QByteArray bg = s("FlipBook3DSetting/Background/");
    EXPECT_EQ(text(read, bg + "BackgroundType"), QStringLiteral("GradientColor"));
    EXPECT_EQ(text(read, bg + "Color"), QStringLiteral("8421376"));
    EXPECT_EQ(text(read, bg + "GradientStartColor"), QStringLiteral("16750848"));
    EXPECT_EQ(text(read, bg + "GradientEndColor"), QStringLiteral("15248461"));
    EXPECT_EQ(text(read, bg + "GradientAngle"), QStringLiteral("90"));
    EXPECT_EQ(text(read, bg + "ImagePath"), QStringLiteral("extfiles/ImagePath."));
    EXPECT_EQ(text(read, bg + "Position"), QStringLiteral("Fill"));
    EXPECT_EQ(attr(read, s("FlipBook3DSetting/AutoFlip"), "loop"), QStringLiteral("0"));
    EXPECT_EQ(text(read, s("FlipBook3DSetting/AutoFlip/Enable")), QStringLiteral("No"));
    EXPECT_EQ(text(read, s("FlipBook3DSetting/AutoFlip/Interval")), QStringLiteral("3"));
    EXPECT_EQ(text(read, s("FlipBook3DSetting/TiltAngle")), QStringLiteral("0"));
    EXPECT_EQ(text(read, s("FlipBook3DSetting/AutoScale")), QStringLiteral("Yes"));
    EXPECT_EQ(text(read, s("FlipBook3DSetting/PlayFlipSound")), QStringLiteral("Yes"));
    EXPECT_EQ(text(read, s("FlipBook3DSetting/PerPageThickness")), QStringLiteral("1"));
    EXPECT_EQ(attr(read, s("FlipBook3DSetting/Mobility"), "direction"), QStringLiteral("right"));
    EXPECT_EQ(text(read, s("Template/PanoramicImage/Top")), QStringLiteral("extfiles/u.jpg"));
    EXPECT_EQ(attr(read, s("Template/InitSetting/Camera"), "tiltAngle"), QStringLiteral("-80"));
    // The page list written beside the book is the one merged in.
    EXPECT_EQ(attr(read, "FlipBook3D/Pages", "width"), QStringLiteral("700"));
    EXPECT_EQ(text(read, "FlipBook3D/Pages/Page/Item"), QStringLiteral("thumb/1.jpg"));
}

TEST_F(BookConfig, standardZipToolsAcceptThePackedArchive)
{
    const auto book = makeBook(roots.root() + QStringLiteral("/src"), {1});
    publishAndRead(book, bareTemplate());
    // Unpack with an independent chain of shell tools' inputs: Python only
    // deciphers, unzip and zipinfo judge the archive.
    const QString zip = roots.root() + QStringLiteral("/config.zip");
    int code = -1;
    runProgram(QStringLiteral("python3"),
               {QStringLiteral("-c"),
                QStringLiteral("import base64,sys,xml.etree.ElementTree as E\n"
                               "exec(open(sys.argv[1]).read().split('def main')[0])\n"
                               "open(sys.argv[3],'wb').write(rc4(KEY,base64.b64decode(E.parse(sys.argv[2]).getroot()."
                               "text)))"),
                testScript(), out + QStringLiteral("/files/config.xml"), zip},
               &code);
    ASSERT_EQ(code, 0);
    const QString test = QString::fromUtf8(runProgram(QStringLiteral("unzip"), {QStringLiteral("-t"), zip}, &code));
    EXPECT_EQ(code, 0) << test.toStdString();
    const QString info = QString::fromUtf8(runProgram(QStringLiteral("zipinfo"), {QStringLiteral("-z"), zip}));
    EXPECT_TRUE(info.contains(QStringLiteral("number of entries: 1"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("defN 26-Dec-05 14:37 config.xml"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Archive created with ZipKit"))) << info.toStdString();
}

TEST_F(BookConfig, propertyValuesShapeTheDocument)
{
    const auto tmpl = bareTemplate();
    FlashBookOutput output(nullptr, tmpl, out, QString());
    auto value = [&](const char *name) { return first(output.bookXML(), QString::fromLatin1(name)).text(); };
    auto attribute = [&](const char *name, const char *key) {
        return first(output.bookXML(), QString::fromLatin1(name)).attribute(QString::fromLatin1(key));
    };

    setProperties(tmpl, {{"LogoFile", "/x/logo.PNG"},
                         {"SoundFile", "/x/sound"},
                         {"ShowLogo", "yes"},
                         {"BaseColor", "FF0000"},
                         {"Color", "#00FF00"},
                         {"GradientStartColor", "  0XfF"},
                         {"BgType", "Color"},
                         {"ImagePath", "/x/bg.jpg"},
                         {"LoopSound", "No"}});
    EXPECT_EQ(value("Logo"), QStringLiteral("extfiles/LogoFile.PNG"));
    EXPECT_EQ(attribute("Logo", "displayLogo"), QStringLiteral("false"));
    EXPECT_EQ(value("BackgroundMusic"), QString());
    EXPECT_EQ(attribute("BackgroundMusic", "circle"), QStringLiteral("0"));
    EXPECT_EQ(value("BaseColor"), QStringLiteral("16711680"));
    EXPECT_EQ(value("Color"), QStringLiteral("0"));
    EXPECT_EQ(value("GradientStartColor"), QStringLiteral("255"));
    EXPECT_EQ(value("ImagePath"), QString());

    setProperties(tmpl, {{"LogoFile", "/x/logo"},
                         {"SoundFile", "/x/s.mp3"},
                         {"DownloadFile", "/x/book.pdf"},
                         {"BaseColor", "0xFFFFFFFF"},
                         {"ImagePath", "/x/bg.gif"}});
    EXPECT_EQ(value("Logo"), QStringLiteral("extfiles/LogoFile."));
    EXPECT_EQ(value("BackgroundMusic"), QStringLiteral("extfiles/SoundFile.mp3"));
    EXPECT_EQ(attribute("Download", "src"), QStringLiteral("extfiles/DownloadFile.pdf"));
    EXPECT_EQ(value("BaseColor"), QStringLiteral("-1"));
    EXPECT_EQ(value("ImagePath"), QStringLiteral("extfiles/ImagePath.gif"));
}

TEST_F(BookConfig, hiddenButtonsAreListedInTheirFixedOrder)
{
    const auto tmpl = bareTemplate();
    FlashBookOutput output(nullptr, tmpl, out, QString());
    setProperties(tmpl, {{"Print", "Hide"}, {"Zoom", "Hide"}, {"Share", "hide"}});
    EXPECT_EQ(output.GetVisibleButtons(), QStringLiteral("Zoom,Print,,Content"));

    const QStringList all =
        QStringLiteral("Zoom TiltAngle AutoPlay BackgroundSound Info Bookmark Thumbnail FullScreen Help Share "
                       "Print Download")
            .split(QLatin1Char(' '));
    QList<Prop> hidden;
    for (const QString &key : QStringList(all.crbegin(), all.crend()))
        hidden << Prop{key, QStringLiteral("Hide")};
    setProperties(tmpl, hidden);
    EXPECT_EQ(output.GetVisibleButtons(), all.join(QLatin1Char(',')) + QStringLiteral(",,Content"));
    // The button key does not disturb the element that reads the same key.
    EXPECT_EQ(first(output.bookXML(), QStringLiteral("TiltAngle")).text(), QStringLiteral("Hide"));
}

TEST_F(BookConfig, awkwardTextSurvivesTheRoundTrip)
{
    const auto tmpl = bareTemplate();
    const QString title = QStringLiteral("Tom & Jerry <b>\"quoted\"</b> \\ line\nbreak \u00e9t\u00e9 \U0001F4D6");
    setProperties(tmpl, {{"Title", title + QChar(0x01) + QChar(0xFFFF)}, {"LogoLink", "http://a/?x=1&y=\"2\""}});
    FlashBookOutput output(nullptr, tmpl, out, QString());
    const QByteArray bytes = output.bookXML().toBytes(true, true);
    EXPECT_TRUE(bytes.contains("Tom &amp; Jerry &lt;b&gt;")) << bytes.constData();
    const XmlDocument back = XmlDocument::parse(bytes);
    ASSERT_FALSE(back.isNull());
    // Characters XML cannot hold are dropped; everything else reads back as written.
    EXPECT_EQ(first(back, QStringLiteral("Title")).text(), title);
    EXPECT_EQ(first(back, QStringLiteral("Logo")).attribute(QStringLiteral("link")),
              QStringLiteral("http://a/?x=1&y=\"2\""));
}

TEST_F(BookConfig, sidecarScriptHoldsTheExactConfigurationText)
{
    const auto book = makeBook(roots.root() + QStringLiteral("/src"), {1});
    publishAndRead(book, bareTemplate());
    const QByteArray config = readAll(out + QStringLiteral("/files/config.xml"));
    QByteArray script = readAll(out + QStringLiteral("/files/config.js"));
    const QByteArray prefix = "window.__foliantConfig = ";
    ASSERT_TRUE(script.startsWith(prefix));
    ASSERT_TRUE(script.endsWith(";\n"));
    script = script.mid(prefix.size(), script.size() - prefix.size() - 2);
    const QJsonDocument literal = QJsonDocument::fromJson("[" + script + "]");
    ASSERT_TRUE(literal.isArray());
    EXPECT_EQ(literal.array().at(0).toString().toUtf8(), config);
    EXPECT_FALSE(script.contains("</"));
}

TEST_F(BookConfig, aFailedWriteKeepsThePreviousConfiguration)
{
    const QString path = out + QStringLiteral("/files/config.xml");
    QDir().mkpath(out + QStringLiteral("/files"));
    FlashBookOutput output(makeBook(roots.root() + QStringLiteral("/src"), {1, 2, 3}), bareTemplate(), out, QString());
    ASSERT_TRUE(output.ouputBookXML(path));
    const QByteArray good = readAll(path);

    // A file-size limit makes every write beyond 64 bytes fail, even for root.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = output.ouputBookXML(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(path), good);
    EXPECT_EQ(QDir(out + QStringLiteral("/files")).entryList(QDir::Files).size(), 2); // no temporary left
}
