#include "TestRoots.h"

#include "platform/Paths.h"
#include "templates/FlashTemplate.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <functional>
#include <map>

// The templates and styles the application ships, as the build tree holds them.
namespace {

enum class Kind { Text, Number, Colour, YesNo, ShowHide, List, File, Truth };

// Every key the book configuration and the mobile edition read, with what their
// readers need of the value.
const std::map<QString, Kind> &publishedKeys()
{
    static const std::map<QString, Kind> keys = [] {
        std::map<QString, Kind> k;
        for (const char *key : {"AuthorName", "AuthorEmail", "AuthorWebSite", "AuthorInfo", "Title", "LogoLink",
                                "GoogleID", "ShareID", "link", "GoogleAnalytics", "bookTitle"})
            k[QLatin1String(key)] = Kind::Text;
        // Several of these go into the mobile script unquoted.
        for (const char *key :
             {"GradientAngle", "Interval", "loop", "TiltAngle", "PerPageThickness", "pageWidth", "pageHeight"})
            k[QLatin1String(key)] = Kind::Number;
        for (const char *key : {"BaseColor", "Color", "GradientStartColor", "GradientEndColor"})
            k[QLatin1String(key)] = Kind::Colour;
        // The configuration tests these against "Yes" exactly: a check box would write "YES".
        for (const char *key : {"ShowLogo", "LoopSound"})
            k[QLatin1String(key)] = Kind::YesNo;
        for (const char *key : {"Zoom", "AutoPlay", "BackgroundSound", "Info", "Bookmark", "Thumbnail", "FullScreen",
                                "Help", "Share", "Print", "Download"})
            k[QLatin1String(key)] = Kind::ShowHide;
        for (const char *key : {"BackgroundType", "BgType", "ImgPosition", "direction", "languageSetting"})
            k[QLatin1String(key)] = Kind::List;
        for (const char *key : {"LogoFile", "SoundFile", "DownloadFile", "ImagePath"})
            k[QLatin1String(key)] = Kind::File;
        for (const char *key : {"Enable", "AutoScale", "PlayFlipSound"})
            k[QLatin1String(key)] = Kind::Truth;
        return k;
    }();
    return keys;
}

void forEachNode(const FlashTemplatePropertyList &nodes, const std::function<void(const FlashTemplateProperty &)> &fn)
{
    for (const FlashTemplatePropertyPtr &node : nodes) {
        fn(*node);
        forEachNode(node->childProperties(), fn);
    }
}

QString lastComponent(const QString &path)
{
    return QFileInfo(path).fileName();
}

// Whether a node's type and value are what the readers of its key need.
bool fits(const FlashTemplateProperty &node, Kind kind)
{
    static const QRegularExpression colour(QStringLiteral("^0x[0-9a-f]{6}$"));
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    const int type = node.propertyType();
    switch (kind) {
    case Kind::Text:
        return type == pt_text;
    case Kind::Number:
        return type == pt_number && number.match(node.value()).hasMatch();
    case Kind::Colour: // as the property editor writes it
        return type == pt_color && colour.match(node.value()).hasMatch();
    case Kind::YesNo:
        return type == pt_list && node.listOptions() == QStringList({QStringLiteral("Yes"), QStringLiteral("No")});
    case Kind::ShowHide:
        return type == pt_list && node.listOptions().contains(QStringLiteral("Hide"));
    case Kind::List:
        return type == pt_list;
    case Kind::File: // with a file filter
        return type == pt_file && !node.fileExtensions().isEmpty();
    case Kind::Truth: // a check box holding a truth word
        return type == pt_bool && names({"Yes", "No", "YES", "NO"}).contains(node.value());
    }
    return false;
}

// What every node needs so that a user understands it and its editor works.
void checkTree(const FlashTemplate &tmpl, const QString &where)
{
    QSet<QString> seen;
    forEachNode(tmpl.properties(), [&](const FlashTemplateProperty &node) {
        const QString at = where + QStringLiteral(" key ") + node.key();
        EXPECT_TRUE(node.hasKey() && !node.key().isEmpty()) << at.toStdString();
        EXPECT_FALSE(seen.contains(node.key())) << "duplicate " << at.toStdString();
        seen.insert(node.key());
        EXPECT_FALSE(node.title().trimmed().isEmpty()) << at.toStdString();
        EXPECT_GT(node.desc().size(), 10) << "help text of " << at.toStdString();
        const auto type = node.propertyType();
        EXPECT_TRUE(type != pt_list || node.listOptions().contains(node.value()))
            << at.toStdString() << " = " << node.value().toStdString();
        EXPECT_TRUE(type != pt_bool || !node.aTitle().isEmpty()) << at.toStdString();
        EXPECT_TRUE(type != pt_file || node.value().isEmpty() || QFileInfo(node.value()).isFile())
            << at.toStdString() << " = " << node.value().toStdString();
        const auto kind = publishedKeys().find(node.key());
        if (kind != publishedKeys().end()) {
            EXPECT_TRUE(fits(node, kind->second)) << at.toStdString() << ": type " << node.propertyType() << " value "
                                                  << node.value().toStdString() << " is not what its readers need";
        }
    });
    for (const auto &[key, kind] : publishedKeys())
        EXPECT_TRUE(seen.contains(key)) << where.toStdString() << " lacks " << key.toStdString();
}

// Keys a settings file names, read as the template's reader reads them.
QStringList settingsKeys(const QString &path)
{
    QStringList keys;
    QByteArray bytes = readAll(path);
    bytes.replace('\r', "");
    for (const QByteArray &line : bytes.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0)
            keys << QString::fromUtf8(line.left(equals));
    }
    return keys;
}

} // namespace

class ShippedTemplatesTest : public RootedTest
{
};

TEST_F(ShippedTemplatesTest, EveryTemplateIsCompleteAndUnderstandable)
{
    const QStringList templates = FlashTemplate::tmplNames();
    QStringList names;
    for (const QString &path : templates)
        names << lastComponent(path);
    EXPECT_TRUE(names.contains(QStringLiteral("float")));
    EXPECT_TRUE(names.contains(QStringLiteral("Panoramic")));
    EXPECT_GE(names.size(), 4);

    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        FlashTemplate tmpl(name);
        ASSERT_FALSE(tmpl.properties().isEmpty());
        checkTree(tmpl, name);

        const QString page = tmpl.tmplHTMLFilePath();
        ASSERT_FALSE(page.isEmpty());
        const QString html = QString::fromUtf8(readAll(page));
        for (const char *needle : {"${index.title}", "${meta.keywords}", "${meta.description}",
                                   "<div id=\"foliant-book\"></div>", "<script src=\"files/swfobject.js\"></script>"})
            EXPECT_TRUE(html.contains(QLatin1String(needle))) << needle;
        // The page generator leaves a placeholder alone when only white space
        // separates it from the one before, or when it opens the page.
        static const QRegularExpression adjacent(QStringLiteral("\\}\\s*\\$\\{"));
        EXPECT_FALSE(html.contains(adjacent));
        EXPECT_FALSE(html.trimmed().startsWith(QStringLiteral("${")));

        const QString folder = FlashTemplate::tmplPathForName(name);
        EXPECT_FALSE(QImage(folder + QStringLiteral("icon.png")).isNull());
        EXPECT_TRUE(QFileInfo(folder + QStringLiteral("history")).isDir());
        // The built player files: without the web build this fails rather than passes.
        EXPECT_TRUE(QFileInfo(tmpl.GetPreviewMobileFilePath()).isFile())
            << tmpl.GetPreviewMobileFilePath().toStdString();
        for (const char *file : {"Main.swf", "swfobject.js", "playerProductInstall.swf"})
            EXPECT_TRUE(QFileInfo(folder + QLatin1String(file)).isFile()) << file;
    }
}

TEST_F(ShippedTemplatesTest, EveryStyleAppliesCleanlyToItsTemplate)
{
    static const char *const faces[] = {"b.jpg", "d.jpg", "f.jpg", "l.jpg", "r.jpg", "u.jpg"};
    for (const QString &templatePath : FlashTemplate::tmplNames()) {
        const QString name = lastComponent(templatePath);
        const QStringList styles = FlashTemplate::tmplStyleNamesForTmpl(name);
        EXPECT_GE(styles.size(), 3) << name.toStdString();
        QSet<QByteArray> looks;
        for (const QString &style : styles) {
            SCOPED_TRACE((name + QLatin1Char('/') + lastComponent(style)).toStdString());
            const QString settings = style + QStringLiteral("/tmplSetting.txt");
            ASSERT_TRUE(QFileInfo(settings).isFile());
            EXPECT_FALSE(QImage(style + QStringLiteral("/shot.jpg")).isNull());

            FlashTemplate tmpl(name);
            for (const QString &key : settingsKeys(settings))
                EXPECT_NE(tmpl.propertyFor(key), nullptr) << "the template has no key " << key.toStdString();

            tmpl.changeTmplTo(name, style);
            EXPECT_EQ(tmpl.styleName(), lastComponent(style));
            checkTree(tmpl, name + QLatin1Char('/') + lastComponent(style));
            if (tmpl.propertyValueFor(QStringLiteral("BgType"), {}) == QLatin1String("Image")) {
                EXPECT_TRUE(QFileInfo(tmpl.propertyValueFor(QStringLiteral("ImagePath"), {})).isFile())
                    << "a published background picture must exist";
            }
            if (name == QLatin1String("Panoramic")) {
                for (const char *face : faces)
                    EXPECT_FALSE(QImage(style + QLatin1Char('/') + QLatin1String(face)).isNull()) << face;
            }
            looks.insert(readAll(style + QStringLiteral("/shot.jpg")));
        }
        EXPECT_EQ(looks.size(), styles.size()) << name.toStdString() << ": two styles look the same";
    }
}

TEST_F(ShippedTemplatesTest, StartUpTemplateIsFloatWithoutAStyle)
{
    FlashTemplate tmpl;
    EXPECT_EQ(tmpl.tmplName(), QStringLiteral("float"));
    EXPECT_TRUE(tmpl.styleName().isEmpty());
    EXPECT_FALSE(tmpl.properties().isEmpty());
    // The style a user starts from reproduces the start-up look.
    const QString blank = FlashTemplate::stylePathFor(QStringLiteral("float"), tmpl.defaultSytleName());
    ASSERT_TRUE(QFileInfo(blank).isDir());
    const QByteArray before = tmpl.propertiesSettingsBytes();
    tmpl.changeTmplTo(QStringLiteral("float"), blank);
    EXPECT_EQ(tmpl.propertiesSettingsBytes(), before);
}
