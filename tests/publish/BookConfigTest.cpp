#include "publish/FlashBookOutput.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"
#include "platform/AppSettings.h"
#include "platform/Clock.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

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
    QString out;
};

// Text (or "@attribute") of the first element with that name, in document order.
QString valueOf(const XmlDocument &doc, const QString &name, const QString &attribute = QString())
{
    QList<XmlNode> queue{doc.root()};
    while (!queue.isEmpty()) {
        const XmlNode node = queue.takeFirst();
        if (node.name() == name)
            return attribute.isEmpty() ? node.text() : node.attribute(attribute);
        queue = node.children() + queue;
    }
    return QStringLiteral("<missing>");
}

} // namespace

TEST_F(BookConfig, independentReadersFindTheDocumentWithItsDefaults)
{
    AppSettings::shareInstance()->setPageWidth(1400);
    AppSettings::shareInstance()->setPageHeight(1000);
    FlashBookOutput(makeBook(roots.root() + QStringLiteral("/src"), {1, 2}), bareTemplate(), out, QString())
        .ouputTheBook();
    int code = -1;
    const QJsonObject read =
        QJsonDocument::fromJson(runProgram(QStringLiteral("python3"),
                                           {QStringLiteral(FOLIANT_SOURCE_DIR "/tests/publish/read_packed_config.py"),
                                            out + QStringLiteral("/files/config.xml")},
                                           &code))
            .object();
    ASSERT_EQ(code, 0);
    EXPECT_TRUE(read[QStringLiteral("declaration")].toBool());
    EXPECT_TRUE(read[QStringLiteral("cdata")].toBool());
    EXPECT_EQ(read[QStringLiteral("entries")].toArray(), QJsonArray{QStringLiteral("config.xml")});
    EXPECT_EQ(read[QStringLiteral("methods")].toArray(), QJsonArray{8});
    EXPECT_EQ(read[QStringLiteral("comment")].toString(), QStringLiteral("Archive created with ZipKit"));
    EXPECT_TRUE(read[QStringLiteral("crc_ok")].toBool());
    // The clock reaches the entry, at the format's two-second resolution.
    EXPECT_EQ(read[QStringLiteral("dates")].toArray(), (QJsonArray{QJsonValue(QJsonArray{2026, 12, 5, 14, 37, 58})}));

    // Every element in document order, as "name", "name=text" or "name@attribute=value".
    QStringList seen;
    for (const QJsonValue &e : read[QStringLiteral("elements")].toArray()) {
        const QJsonArray element = e.toArray();
        QString entry = element[0].toString().section(QLatin1Char('/'), -1);
        if (!element[1].toString().trimmed().isEmpty()) // container elements hold only indentation
            entry += QLatin1Char('=') + element[1].toString();
        const QJsonObject attributes = element[2].toObject();
        for (auto it = attributes.begin(); it != attributes.end(); ++it)
            entry += QLatin1Char('@') + it.key() + QLatin1Char('=') + it.value().toString();
        seen << entry;
    }
    const QStringList expected =
        QStringLiteral(
            "FlipBook3D|XMLVersion=1|Config|Author|Name=FOLIANT|Email=mail@example.com|"
            "WebSite=https://example.com/|Info|Setting|Title=Foliant Book|BaseColor=8404992|"
            "Logo@displayLogo=true@link=|GoogleAnalytics@webProperty=|ShareAnalytics@id=|ZoomModel=0|"
            "Theme@src=theme/Main.swf|BackgroundMusic@circle=-1|Download@src=|"
            "ControlButtonsInvisible=,Content|FlipBook3DSetting|Background|BackgroundType=GradientColor|"
            "Color=8421376|GradientStartColor=16750848|GradientEndColor=15248461|GradientAngle=90|"
            "ImagePath=extfiles/ImagePath.|Position=Fill|AutoFlip@loop=0|Enable=No|Interval=3|TiltAngle=0|"
            "AutoScale=Yes|PlayFlipSound=Yes|PerPageThickness=1|"
            "Mobility@direction=right@startPosition=center|Template|PanoramicImage@type=cube|"
            "Left=extfiles/l.jpg|Right=extfiles/r.jpg|Top=extfiles/u.jpg|Bottom=extfiles/d.jpg|"
            "Front=extfiles/f.jpg|Back=extfiles/b.jpg|InitSetting|Camera@panAngle=-90@tiltAngle=-80|"
            "Pages@bace=@height=500@largeHeight=1000@largeWidth=1400@thumbHeight=180@thumbWidth=252@width=700|"
            "Page@type=Image|Item=thumb/1.jpg@name=thumb|Item=page/1.jpg@name=normal|"
            "Item=page/1.jpg@name=large|Page@type=Image|Item=thumb/2.jpg@name=thumb|"
            "Item=page/2.jpg@name=normal|Item=page/2.jpg@name=large")
            .split(QLatin1Char('|'));
    EXPECT_EQ(seen, expected);
}

TEST_F(BookConfig, propertyValuesShapeTheDocument)
{
    const auto tmpl = bareTemplate();
    FlashBookOutput output(nullptr, tmpl, out, QString());
    auto value = [&](const char *name, const char *attribute = "") {
        return valueOf(output.bookXML(), QString::fromLatin1(name), QString::fromLatin1(attribute));
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
    EXPECT_EQ(value("Logo", "displayLogo"), QStringLiteral("false"));
    EXPECT_EQ(value("BackgroundMusic"), QString());
    EXPECT_EQ(value("BackgroundMusic", "circle"), QStringLiteral("0"));
    EXPECT_EQ(value("BaseColor") + value("Color") + value("GradientStartColor"), QStringLiteral("16711680"
                                                                                                "0"
                                                                                                "255"));
    EXPECT_EQ(value("ImagePath"), QString());

    setProperties(tmpl, {{"LogoFile", "/x/logo"},
                         {"SoundFile", "/x/s.mp3"},
                         {"DownloadFile", "/x/book.pdf"},
                         {"BaseColor", "0xFFFFFFFFFF"},
                         {"ImagePath", "/x/bg.gif"}});
    EXPECT_EQ(value("Logo"), QStringLiteral("extfiles/LogoFile."));
    EXPECT_EQ(value("BackgroundMusic"), QStringLiteral("extfiles/SoundFile.mp3"));
    EXPECT_EQ(value("Download", "src"), QStringLiteral("extfiles/DownloadFile.pdf"));
    EXPECT_EQ(value("BaseColor"), QStringLiteral("-1")); // saturated, written signed
    EXPECT_EQ(value("ImagePath"), QStringLiteral("extfiles/ImagePath.gif"));

    setProperties(tmpl, {{"Print", "Hide"}, {"Zoom", "Hide"}, {"Share", "hide"}});
    EXPECT_EQ(output.GetVisibleButtons(), QStringLiteral("Zoom,Print,,Content"));
    const QStringList all = names({"Zoom", "TiltAngle", "AutoPlay", "BackgroundSound", "Info", "Bookmark", "Thumbnail",
                                   "FullScreen", "Help", "Share", "Print", "Download"});
    QList<Prop> hidden;
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        hidden << Prop{*it, QStringLiteral("Hide")};
    setProperties(tmpl, hidden);
    EXPECT_EQ(output.GetVisibleButtons(), all.join(QLatin1Char(',')) + QStringLiteral(",,Content"));
}

TEST_F(BookConfig, awkwardTextSurvivesTheRoundTrip)
{
    const auto tmpl = bareTemplate();
    const QString title = QStringLiteral("Tom & Jerry <b>\"quoted\"</b> \\ line\nbreak \u00e9t\u00e9 \U0001F4D6");
    setProperties(tmpl, {{"Title", title + QChar(0x01) + QChar(0xFFFF)}, {"LogoLink", "http://a/?x=1&y=\"2\""}});
    const QByteArray bytes = FlashBookOutput(nullptr, tmpl, out, QString()).bookXML().toBytes(true, true);
    EXPECT_TRUE(bytes.contains("Tom &amp; Jerry &lt;b&gt;")) << bytes.constData();
    const XmlDocument back = XmlDocument::parse(bytes);
    ASSERT_FALSE(back.isNull());
    // Characters XML cannot hold are dropped; everything else reads back as written.
    EXPECT_EQ(valueOf(back, QStringLiteral("Title")), title);
    EXPECT_EQ(valueOf(back, QStringLiteral("Logo"), QStringLiteral("link")), QStringLiteral("http://a/?x=1&y=\"2\""));
}

TEST_F(BookConfig, aFailedWriteKeepsThePreviousConfiguration)
{
    const QString path = out + QStringLiteral("/files/config.xml");
    QDir().mkpath(out + QStringLiteral("/files"));
    FlashBookOutput output(makeBook(roots.root() + QStringLiteral("/src"), {1, 2, 3}), bareTemplate(), out, QString());
    ASSERT_TRUE(output.ouputBookXML(path));
    const QByteArray good = readAll(path);

    const bool written = underFileSizeLimit(64, [&] { return output.ouputBookXML(path); });
    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(path), good);
    EXPECT_EQ(QDir(out + QStringLiteral("/files")).entryList(QDir::Files).size(), 2); // no temporary left
}
