#include "TestData.h"
#include "TemplateFixture.h"

#include "platform/Xml.h"
#include "templates/FlashTemplate.h"

#include <QFileInfo>

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

using FlashTemplateTest = TemplateFixture;

TEST_F(FlashTemplateTest, CatalogueListsOnlyFoldersDirectlyInside)
{
    EXPECT_TRUE(FlashTemplate::tmplNames().isEmpty()); // no Templates folder at all
    writeTemplate(QStringLiteral("float"), prop("a", "1"));
    writeTemplate(QStringLiteral("Panoramic"), prop("a", "1"));
    roots.writeFile(QStringLiteral("res/AppFiles/Templates/float/history/x.js"), "x");
    roots.writeFile(QStringLiteral("res/AppFiles/Templates/notes.txt"), "not a template");
    QDir(appFiles(QStringLiteral("Templates"))).mkdir(QStringLiteral(".hidden"));
    QFile::link(appFiles(QStringLiteral("Templates/float")), appFiles(QStringLiteral("Templates/linked")));

    EXPECT_EQ(sorted(FlashTemplate::tmplNames()), QStringList({appFiles(QStringLiteral("Templates/.hidden")),
                                                               appFiles(QStringLiteral("Templates/Panoramic")),
                                                               appFiles(QStringLiteral("Templates/float"))}));

    writeStyle(QStringLiteral("float"), QStringLiteral("Blank"), "");
    writeStyle(QStringLiteral("float"), QStringLiteral("Ocean"), "");
    EXPECT_EQ(
        sorted(FlashTemplate::tmplStyleNamesForTmpl(QStringLiteral("float"))),
        QStringList({appFiles(QStringLiteral("Styles/float/Blank")), appFiles(QStringLiteral("Styles/float/Ocean"))}));
    EXPECT_TRUE(FlashTemplate::tmplStyleNamesForTmpl(QStringLiteral("Nope")).isEmpty());
}

TEST_F(FlashTemplateTest, MetadataIsReadVerbatimIntoTheTree)
{
    writeRaw(QStringLiteral("float"),
             "<t><info><htmlPath> page.html </htmlPath><swfPath>Main.swf</swfPath><defaultStyle>Ocean</defaultStyle>"
             "<macAppFilesFolder>mac</macAppFilesFolder><mobileTmplFilesPath>m</mobileTmplFilesPath></info>"
             "<properties><ignored/>"
             "<property type=\"pt_color\" aType=\"x\"><key>A</key><title>Colour</title><desc>d</desc>"
             "<value><![CDATA[<b>&]]> tail</value><valueSource>s</valueSource><defaultValue>dv</defaultValue>"
             "<aTitle>Tick</aTitle><childProperties><property type=\"PT_COLOR\"><key>A1</key><title>t</title>"
             "<desc/><value/><valueSource/><defaultValue/></property></childProperties></property>"
             "<property type=\"pt_file\"><key>B</key><title>t</title><desc/><value>v</value><valueSource/>"
             "<defaultValue/></property></properties></t>");
    FlashTemplate tmpl;
    ASSERT_EQ(tmpl.properties().size(), 2);
    EXPECT_EQ(tmpl.HTMLFilePath(), QStringLiteral(" page.html "));
    EXPECT_EQ(tmpl.defaultSytleName(), QStringLiteral("Ocean"));
    EXPECT_EQ(tmpl.mobileTmplFilesPath(), QStringLiteral("m"));
    EXPECT_TRUE(tmpl.styleName().isEmpty());

    const FlashTemplatePropertyPtr a = tmpl.properties().at(0);
    EXPECT_EQ(a->propertyType(), pt_bool); // aType wins over type
    EXPECT_EQ(a->value(), QStringLiteral("<b>& tail"));
    EXPECT_EQ(a->aTitle(), QStringLiteral("Tick"));
    EXPECT_EQ(a->defaultValue(), QStringLiteral("dv"));
    ASSERT_EQ(a->childCount(), 1);
    const FlashTemplatePropertyPtr a1 = a->childProperties().at(0);
    EXPECT_EQ(a1->parent(), a);
    EXPECT_EQ(a1->propertyType(), pt_text); // keywords are case-sensitive
    EXPECT_TRUE(a1->hasValue());            // an empty element is an empty value
    EXPECT_TRUE(a1->hasATitle());
    EXPECT_TRUE(a1->aTitle().isEmpty());
    EXPECT_EQ(tmpl.properties().at(1)->propertyType(), pt_file);
    EXPECT_EQ(tmpl.properties().at(1)->parent(), nullptr);
}

TEST_F(FlashTemplateTest, NestedDuplicateKeyIsFoundBeforeALaterTopLevelOne)
{
    writeTemplate(QStringLiteral("float"), prop("top", "", "pt_composite", prop("K", "nested") + prop("E", "")) +
                                               prop("other", "x") + prop("K", "top-level"));
    FlashTemplate tmpl;
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("nested"));
    tmpl.setPropertyValue(QStringLiteral("K"), QStringLiteral("changed"));
    EXPECT_EQ(tmpl.properties().at(0)->childProperties().at(0)->value(), QStringLiteral("changed"));
    EXPECT_EQ(tmpl.properties().at(2)->value(), QStringLiteral("top-level"));

    // Present but empty is not missing.
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("E"), QStringLiteral("d")), QString());
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("missing"), QStringLiteral("d")), QStringLiteral("d"));
    tmpl.setPropertyValue(QStringLiteral("missing"), QStringLiteral("v")); // nothing to set, nothing breaks

    // The node-relative forms search below the node only.
    EXPECT_EQ(tmpl.propertyValueFor(tmpl.properties().at(0), QStringLiteral("K")), QStringLiteral("changed"));
    EXPECT_FALSE(tmpl.propertyValueFor(tmpl.properties().at(0), QStringLiteral("other")).has_value());
    EXPECT_FALSE(tmpl.setPropertyValueAt(tmpl.properties().at(1), QStringLiteral("K"), QStringLiteral("v")));
    EXPECT_TRUE(tmpl.setPropertyValueAt(tmpl.properties().at(0), QStringLiteral("E"), QStringLiteral("v")));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("E"), {}), QStringLiteral("v"));

    // Loading again forgets every change.
    tmpl.loadTemplate(QStringLiteral("float"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("K"), {}), QStringLiteral("nested"));
}

TEST_F(FlashTemplateTest, StyleResourceMarkerExpandsOnlyForFileProperties)
{
    writeTemplate(QStringLiteral("float"), prop("txt", "") +
                                               prop("grp", "", "pt_composite", prop("img", "", "pt_file")) +
                                               prop("f", "", "pt_file"));
    FlashTemplate tmpl;
    tmpl.setStyleName(QStringLiteral("Blank"));
    const QString style = appFiles(QStringLiteral("Styles/float/Blank"));
    EXPECT_EQ(tmpl.valueAsFilePath(QStringLiteral("STYLE_RESOURCE:images/bg.jpg")),
              style + QStringLiteral("/images/bg.jpg"));
    EXPECT_EQ(tmpl.valueAsFilePath(QStringLiteral("abcSTYLE_RESOURCE:x.png")), style + QStringLiteral("/x.png"));
    EXPECT_EQ(tmpl.valueAsFilePath(QStringLiteral("x.png")), QStringLiteral("x.png"));
    EXPECT_EQ(tmpl.valueAsFilePath(QStringLiteral("style_resource:x.png")), QStringLiteral("style_resource:x.png"));

    tmpl.setPropertyValue(QStringLiteral("txt"), QStringLiteral("STYLE_RESOURCE:x.png"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("txt"), {}), QStringLiteral("STYLE_RESOURCE:x.png"));
    tmpl.setPropertyValue(QStringLiteral("f"), QStringLiteral("STYLE_RESOURCE:x.png"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("f"), {}), style + QStringLiteral("/x.png"));

    LogCapture log("FlashTemplate");
    EXPECT_TRUE(tmpl.setPropertyValueAt(tmpl.properties().at(1), QStringLiteral("img"),
                                        QStringLiteral("STYLE_RESOURCE:y.png")));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("img"), {}), style + QStringLiteral("/y.png"));
    EXPECT_TRUE(log.contains({"key 3[img=STYLE_RESOURCE:y.png]"}));
}

TEST_F(FlashTemplateTest, ChangingTemplateKeepsPageSizeAndLanguage)
{
    writeTemplate(QStringLiteral("float"), prop("pageWidth", "960", "pt_number") +
                                               prop("pageHeight", "600", "pt_number") +
                                               prop("Color", "0x111111", "pt_color"));
    writeTemplate(QStringLiteral("Other"), prop("pageWidth", "960", "pt_number") +
                                               prop("pageHeight", "700", "pt_number") +
                                               prop("languageSetting", "German", "pt_list") +
                                               prop("Color", "0x222222", "pt_color") + prop("bg", "", "pt_file"));
    const QString style = writeStyle(QStringLiteral("Other"), QStringLiteral("Night"),
                                     "\n\rColor=0x333333\n\rpageWidth=10\n\rbg=STYLE_RESOURCE:images/bg.jpg");
    FlashTemplate tmpl;
    tmpl.setPropertyValue(QStringLiteral("pageWidth"), QStringLiteral("1200"));
    tmpl.changeTmplTo(QStringLiteral("Other"), style);

    EXPECT_EQ(tmpl.tmplName(), QStringLiteral("Other"));
    EXPECT_EQ(tmpl.styleName(), QStringLiteral("Night"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("pageWidth"), {}), QStringLiteral("1200"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("pageHeight"), {}), QStringLiteral("600"));
    // "float" has no language: the empty text is carried over, not the new template's.
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("languageSetting"), QStringLiteral("d")), QString());
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("Color"), {}), QStringLiteral("0x333333"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("bg"), {}), style + QStringLiteral("/images/bg.jpg"));

    // Back to a template without a language: its values come from its own metadata.
    tmpl.changeTmplTo(QStringLiteral("float"), appFiles(QStringLiteral("Styles/float/None")));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("Color"), {}), QStringLiteral("0x111111"));
    EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("pageWidth"), {}), QStringLiteral("1200"));
    EXPECT_EQ(tmpl.styleName(), QStringLiteral("None"));
}

TEST_F(FlashTemplateTest, HtmlPageIsFoundInTheTemplateFolderThenBelowAppFiles)
{
    writeTemplate(QStringLiteral("float"), prop("a", "1"), "html\\index.html");
    FlashTemplate tmpl;
    EXPECT_TRUE(tmpl.tmplHTMLFilePath().isEmpty());

    const QString shared = roots.writeFile(QStringLiteral("res/AppFiles/html/index.html"), "<html/>");
    EXPECT_EQ(tmpl.tmplHTMLFilePath(), shared);
    const QString own = roots.writeFile(QStringLiteral("res/AppFiles/Templates/float/html/index.html"), "<html/>");
    EXPECT_EQ(tmpl.tmplHTMLFilePath(), own);

    // An empty htmlPath must not name the template folder as the page.
    tmpl.setHTMLFilePath(QString());
    EXPECT_TRUE(tmpl.tmplHTMLFilePath().isEmpty());
    tmpl.setMobileTmplFilesPath(QStringLiteral("m"));
    EXPECT_EQ(tmpl.GetPreviewMobileFilePath(), appFiles(QStringLiteral("Templates/m/Flip/javascript/main_preview.js")));
}

TEST_F(FlashTemplateTest, MalformedMetadataIsRecoveredAndIncompleteMetadataGivesAnEmptyTree)
{
    // An unescaped ampersand and an unclosed root: the strict parse fails.
    writeRaw(QStringLiteral("float"),
             metadata(prop("Title", "Tom & Jerry") + prop("b", "2")).replace("</template>", ""));
    {
        LogCapture log("FlashTemplate");
        FlashTemplate tmpl;
        EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("b"), {}), QStringLiteral("2"));
        EXPECT_TRUE(log.contains({"malformed", "recovering"}));
    }

    writeTemplate(QStringLiteral("Good"), prop("a", "1"), "good.html");
    writeRaw(QStringLiteral("NoSwf"), metadata(prop("a", "1")).replace("<swfPath>Main.swf</swfPath>", ""));
    writeRaw(QStringLiteral("NoProps"), "<t><info/></t>");
    writeRaw(QStringLiteral("Binary"), QByteArray("\x00\xff\xfe<<<", 6));

    FlashTemplate tmpl(QStringLiteral("Good"));
    for (const char *name : {"NoSwf", "NoProps", "Binary", "Absent"}) {
        LogCapture log("FlashTemplate");
        EXPECT_FALSE(tmpl.loadTemplate(QLatin1String(name))) << name;
        EXPECT_TRUE(tmpl.properties().isEmpty()) << name;
        EXPECT_EQ(tmpl.tmplName(), QLatin1String(name));
        EXPECT_EQ(tmpl.HTMLFilePath(), QStringLiteral("good.html")) << "paths stay those of the last good template";
        EXPECT_EQ(tmpl.propertyValueFor(QStringLiteral("a"), QStringLiteral("d")), QStringLiteral("d"));
        EXPECT_FALSE(log.messages().isEmpty()) << name;
    }
    LogCapture log("FlashTemplate");
    tmpl.loadTemplate(QStringLiteral("NoSwf"));
    EXPECT_TRUE(log.contains({"lacks required element", "info/swfPath"}));
    tmpl.loadTemplate(QStringLiteral("NoProps"));
    EXPECT_TRUE(log.contains({"lacks required element", "info/htmlPath", "properties"}));
}

TEST_F(FlashTemplateTest, CopiesReplaceTheDestinationAndNeverTheSource)
{
    writeTemplate(QStringLiteral("float"), prop("a", "1"));
    roots.writeFile(QStringLiteral("res/AppFiles/Templates/float/Main.swf"), "theme");
    roots.writeFile(QStringLiteral("res/AppFiles/Templates/float/history/history.js"), "h");
    roots.writeFile(QStringLiteral("res/AppFiles/Templates/float/history/sub/a.css"), "c");
    roots.writeFile(QStringLiteral("res/AppFiles/TmplData/mobile/Flip/index.html"), "flip");
    FlashTemplate tmpl;
    const QString out = roots.root() + QStringLiteral("/out");

    // A folder in the way of a file copy is replaced whole.
    roots.writeFile(QStringLiteral("out/Main.swf/old.txt"), "old");
    tmpl.copyThemeToFile(out + QStringLiteral("/Main.swf"));
    EXPECT_EQ(readAll(out + QStringLiteral("/Main.swf")), "theme");

    roots.writeFile(QStringLiteral("out/history/stale.js"), "stale");
    tmpl.copyHistoryDirToDir(out + QStringLiteral("/history"));
    EXPECT_EQ(readAll(out + QStringLiteral("/history/sub/a.css")), "c");
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/history/stale.js")));

    tmpl.copyMobilePathToFile(out + QStringLiteral("/mobile"), QStringLiteral("Flip"));
    EXPECT_EQ(readAll(out + QStringLiteral("/mobile/index.html")), "flip");

    // A missing source leaves no stale destination behind.
    roots.writeFile(QStringLiteral("out/swfobject.js"), "old");
    tmpl.copyBookJSFile(out + QStringLiteral("/swfobject.js"));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/swfobject.js")));
    tmpl.copyBookSWFToFile(out + QStringLiteral("/missing-parent/book.swf"));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/missing-parent")));

    // Copying a template file onto itself must not delete it.
    tmpl.copyThemeToFile(appFiles(QStringLiteral("Templates/float/Main.swf")));
    EXPECT_EQ(readAll(appFiles(QStringLiteral("Templates/float/Main.swf"))), "theme");
    tmpl.copyHistoryDirToDir(appFiles(QStringLiteral("Templates/float/history/sub")));
    tmpl.copyHistoryDirToDir(appFiles(QStringLiteral("Templates/float/history/new")));
    EXPECT_FALSE(QFileInfo::exists(appFiles(QStringLiteral("Templates/float/history/new"))));
    EXPECT_EQ(readAll(appFiles(QStringLiteral("Templates/float/history/history.js"))), "h");
}

TEST(FlashTemplatePropertyTest, LoadingAgainForgetsWhatTheNewElementLacks)
{
    const XmlDocument full =
        XmlDocument::parse("<property type=\"pt_file\"><key>k</key><title>T</title><desc>d</desc><value>v</value>"
                           "<valueSource>Images|*.jpg;*.png</valueSource><defaultValue/><aTitle>a</aTitle>"
                           "<childProperties><property><key>c</key></property></childProperties></property>");
    const XmlDocument bare = XmlDocument::parse("<property><key>k2</key></property>");
    auto node = std::make_shared<FlashTemplateProperty>();
    node->loadFromNode(full.root());
    EXPECT_EQ(node->fileExtensions(), QStringList({QStringLiteral("jpg"), QStringLiteral("png")}));
    EXPECT_EQ(node->fileFilterName(), QStringLiteral("Images"));
    ASSERT_EQ(node->childCount(), 1);
    EXPECT_EQ(node->childProperties().at(0)->parent(), node);

    node->loadFromNode(bare.root());
    EXPECT_EQ(node->key(), QStringLiteral("k2"));
    EXPECT_FALSE(node->hasValue());
    EXPECT_EQ(node->title(), QStringLiteral("Empty"));
    EXPECT_EQ(node->propertyType(), pt_text);
    EXPECT_EQ(node->childCount(), 0);
    EXPECT_TRUE(node->aTitle().isEmpty());

    node->loadFromNode(XmlDocument::parse("<other><key>x</key></other>").root()); // not a property: ignored
    EXPECT_EQ(node->key(), QStringLiteral("k2"));
}

TEST(FlashTemplatePropertyTest, TruthWordsAndTypeKeywords)
{
    for (const char *yes : {"YES", "yes", "Show", "eNaBlE", "true"})
        EXPECT_TRUE(valueAsBool(QLatin1String(yes))) << yes;
    for (const char *no : {"", "no", "1", "ON", " YES", "yes ", "Hide"})
        EXPECT_FALSE(valueAsBool(QLatin1String(no))) << no;
    EXPECT_EQ(flashTemplatePropertyTypeFromString(QStringLiteral("pt_form_contactabout")), pt_form_contactabout);
    EXPECT_EQ(flashTemplatePropertyTypeFromString(QStringLiteral("pt_bool")), pt_bool);
    EXPECT_EQ(flashTemplatePropertyTypeFromString(QStringLiteral("PT_COLOR")), pt_text);
    EXPECT_EQ(flashTemplatePropertyTypeFromString(QString()), pt_text);
}
