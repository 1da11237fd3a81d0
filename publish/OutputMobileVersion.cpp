#include "publish/OutputMobileVersion.h"

#include "platform/AppSettings.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "publish/BookFiles.h"

#include <QRegularExpression>

namespace {
const auto logger = Logging::logger("OutputMobileVersion");
}

OutputMobileVersion::OutputMobileVersion(FlashPageSourcePtr pageSource, FlashTemplatePtr flashTemplate,
                                         const QString &saveFolder, int mobileType)
    : m_flashTemplate(std::move(flashTemplate)), m_flashPageSource(std::move(pageSource)), m_SaveFolder(saveFolder),
      m_mobileType(mobileType)
{}

QString OutputMobileVersion::property(const QString &key, const QString &defaultValue) const
{
    return m_flashTemplate ? m_flashTemplate->propertyValueFor(key, defaultValue) : defaultValue;
}

QString OutputMobileVersion::number(const QString &key, const QString &fallback) const
{
    static const QRegularExpression plainNumber(QStringLiteral("^\\s*-?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    const QString value = property(key, fallback);
    if (plainNumber.match(value).hasMatch())
        return value;
    LOG4CXX_WARN(logger, "\"" << key << "\" is not a number (" << value << "); " << fallback << " used");
    return fallback;
}

QString OutputMobileVersion::GetMobileConfig(const QString &text, const QString &key, const QString &value)
{
    return text + key + QLatin1Char(':') + value + QLatin1Char(',');
}

QString OutputMobileVersion::AddDouble(const QString &text)
{
    // Property values are free text: a quote, backslash or line break would end
    // the string early and make the whole player script invalid.
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case 0x2028:
            out += QStringLiteral("\\u2028");
            break;
        case 0x2029:
            out += QStringLiteral("\\u2029");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString OutputMobileVersion::recplaceColor(const QString &text)
{
    QString colour = text;
    return AddDouble(colour.replace(QStringLiteral("0x"), QStringLiteral("#")));
}

QString OutputMobileVersion::GetPreviewJSText(const QString &path)
{
    return QString::fromUtf8(BookFiles::read(path));
}

QString OutputMobileVersion::logoUrl() const
{
    const QString logo = property(QStringLiteral("LogoFile"), QString());
    if (logo.isEmpty())
        return {};
    return QStringLiteral("%1%2.%3").arg(QStringLiteral("../files/extfiles/"), QStringLiteral("LogoFile"),
                                         BookFiles::pathExtension(logo));
}

QString OutputMobileVersion::backgroundUrl() const
{
    if (m_flashTemplate && m_flashTemplate->tmplName() == QLatin1String("Panoramic"))
        return QStringLiteral("../files/extfiles/b.jpg");
    const QString image = property(QStringLiteral("ImagePath"), QString());
    if (image.isEmpty())
        return {};
    return QStringLiteral("%1%2.%3").arg(QStringLiteral("../files/extfiles/"), QStringLiteral("ImagePath"),
                                         BookFiles::pathExtension(image));
}

QString OutputMobileVersion::rightToLeft() const
{
    return AddDouble(property(QStringLiteral("direction"), QStringLiteral("Right")) == QLatin1String("Right")
                         ? QStringLiteral("No")
                         : QStringLiteral("Yes"));
}

QList<QPair<QString, QString>> OutputMobileVersion::lookEntries() const
{
    return {
        {QStringLiteral("enableAutoPlay"), AddDouble(property(QStringLiteral("Enable"), QStringLiteral("No")))},
        {QStringLiteral("autoPlayDuration"), number(QStringLiteral("Interval"), QStringLiteral("3"))},
        {QStringLiteral("autoPlayLoopCount"), number(QStringLiteral("loop"), QStringLiteral("0"))},
        {QStringLiteral("bgBeginColor"),
         recplaceColor(property(QStringLiteral("GradientStartColor"), QStringLiteral("0xFF9900")))},
        {QStringLiteral("bgEndColor"),
         recplaceColor(property(QStringLiteral("GradientEndColor"), QStringLiteral("0xe8ac4d")))},
        {QStringLiteral("bgMRotation"), number(QStringLiteral("GradientAngle"), QStringLiteral("90"))},
        {QStringLiteral("backGroundImgURL"), AddDouble(backgroundUrl())},
        {QStringLiteral("RightToLeft"), rightToLeft()},
    };
}

QString OutputMobileVersion::flipConfigText() const
{
    const int pageCount = m_flashPageSource ? int(m_flashPageSource->pages().size()) : 0;
    const AppSettings *settings = AppSettings::shareInstance();

    QList<QPair<QString, QString>> entries = {
        {QStringLiteral("BookmarkButtonVisible"), QStringLiteral("\"Show\"")},
        {QStringLiteral("searchColor"), QStringLiteral("\"#00ffff\"")},
        {QStringLiteral("searchAlpha"), QStringLiteral("0.3")},
        {QStringLiteral("SearchButtonVisible"), QStringLiteral("\"Hide\"")},
        {QStringLiteral("pageBackgroundColor"), QStringLiteral("\"#30373A\"")},
        {QStringLiteral("flipshortcutbutton"), QStringLiteral("\"Show\"")},
        {QStringLiteral("OriginPageIndex"), QStringLiteral("1")},
        {QStringLiteral("HardPageEnable"), QStringLiteral("\"No\"")},
        {QStringLiteral("topMargin"), QStringLiteral("10")},
        {QStringLiteral("bottomMargin"), QStringLiteral("10")},
        {QStringLiteral("leftMargin"), QStringLiteral("10")},
        {QStringLiteral("rightMargin"), QStringLiteral("10")},
        {QStringLiteral("LinkDownColor"), QStringLiteral("\"#808080\"")},
        {QStringLiteral("OpenWindow"), QStringLiteral("\"Blank\"")},
        {QStringLiteral("LinkAlpha"), QStringLiteral("0.1")},
        {QStringLiteral("appLogoIcon"), AddDouble(logoUrl())},
        {QStringLiteral("appLogoLinkURL"), AddDouble(property(QStringLiteral("link"), QString()))},
        {QStringLiteral("bookTitle"), AddDouble(property(QStringLiteral("Title"), QString()))},
        {QStringLiteral("bookDescription"), AddDouble(property(QStringLiteral("AuthorInfo"), QString()))},
        {QStringLiteral("ShareButtonVisible"), AddDouble(property(QStringLiteral("Share"), QStringLiteral("Show")))},
        {QStringLiteral("ThumbnailsButtonVisible"),
         AddDouble(property(QStringLiteral("Thumbnail"), QStringLiteral("Show")))},
        {QStringLiteral("ZoomButtonVisible"), AddDouble(property(QStringLiteral("Zoom"), QStringLiteral("Show")))},
    };
    // The look and the automatic turning, shared with the "Slide" player.
    entries += lookEntries();
    entries += {
        {QStringLiteral("googleAnalyticsID"), AddDouble(property(QStringLiteral("GoogleAnalytics"), QString()))},
        {QStringLiteral("totalPageCount"), QString::number(pageCount)},
        {QStringLiteral("largePageWidth"), QString::number(settings->PageWidth())},
        {QStringLiteral("largePageHeight"), QString::number(settings->PageHeight())},
        {QStringLiteral("normalPath"), QStringLiteral("\"../files/mobile/\"")},
        {QStringLiteral("largePath"), QStringLiteral("\"../files/mobile/\"")},
        {QStringLiteral("thumbPath"), QStringLiteral("\"../files/mobile/\"")},
    };

    QString text = QStringLiteral("function orgt(s){ return binl2hex(core_hx(str2binl(s), s.length * chrsz));} var "
                                  "bookConfig ={");
    for (qsizetype i = 0; i + 1 < entries.size(); ++i)
        text = GetMobileConfig(text, entries.at(i).first, entries.at(i).second);
    text += entries.last().first + QLatin1Char(':') + entries.last().second;
    return text + QStringLiteral("};") + QStringLiteral("var pageEditor = [];ols=[]");
}

QString OutputMobileVersion::slideTitle() const
{
    return property(QStringLiteral("bookTitle"), property(QStringLiteral("Title"), QStringLiteral("Foliant Book")));
}

QString OutputMobileVersion::slideOptionsText() const
{
    const AppSettings *settings = AppSettings::shareInstance();
    const int pageCount = m_flashPageSource ? int(m_flashPageSource->pages().size()) : 0;
    QString text = QStringLiteral("{pageWidth:%1,pageHeight:%2,totalPage:%3,zoomPageDir:\"../files/mobile/\","
                                  "normalPageDir:\"../files/mobile/\"")
                       .arg(settings->PageWidth())
                       .arg(settings->PageHeight())
                       .arg(pageCount);
    // The same book settings the "Flip" player gets, under the same names.
    QList<QPair<QString, QString>> entries = {
        {QStringLiteral("bookTitle"), AddDouble(slideTitle())},
        {QStringLiteral("appLogoIcon"), AddDouble(logoUrl())},
        {QStringLiteral("appLogoLinkURL"), AddDouble(property(QStringLiteral("link"), QString()))},
    };
    entries += lookEntries();
    for (const auto &[key, value] : entries)
        text += QLatin1Char(',') + key + QLatin1Char(':') + value;
    // The object sits in a script element of the page: "</script>" in a title
    // must not end it. Outside the strings the text holds no "<".
    return text.replace(QLatin1Char('<'), QStringLiteral("\\u003c")) + QLatin1Char('}');
}

void OutputMobileVersion::PublishMobileConfig()
{
    if (!CopytoMobileDir()) {
        LOG4CXX_INFO(logger, "the book has no mobile page images; no mobile edition written");
        return;
    }
    if (m_mobileType == 1)
        CreateSingleSlideMobile();
    else
        PublishFlipMobileConfig();
}

bool OutputMobileVersion::CopytoMobileDir()
{
    const QString mobile = Paths::join(m_SaveFolder, QStringLiteral("files/mobile"));
    BookFiles::remove(mobile);
    BookFiles::makeFolder(mobile);
    if (!m_flashPageSource)
        return false;
    for (const FlashPagePtr &page : m_flashPageSource->mobilePages()) {
        if (!page)
            continue;
        const QString destination = QStringLiteral("%1/%2.jpg").arg(mobile).arg(page->pageIndex());
        BookFiles::remove(destination);
        BookFiles::copy(page->pageFilePath(), destination);
    }
    return !m_flashPageSource->mobilePages().isEmpty();
}

void OutputMobileVersion::PublishFlipMobileConfig()
{
    const QString config = flipConfigText();
    const QString player = Paths::join(m_SaveFolder, QStringLiteral("mobile"));
    if (m_flashTemplate)
        m_flashTemplate->copyMobilePathToFile(player, QStringLiteral("Flip"));
    const QString preview = Paths::join(player, QStringLiteral("javascript/main_preview.js"));
    if (!BookFiles::exists(preview))
        LOG4CXX_WARN(logger, "no mobile preview script at " << preview << "; main.js holds only the configuration");
    const QString script = GetPreviewJSText(preview) + config;
    const QString mainJs = Paths::join(player, QStringLiteral("javascript/main.js"));
    BookFiles::makeFolder(Paths::join(player, QStringLiteral("javascript")));
    BookFiles::writeAtomically(mainJs, script.toUtf8());
    BookFiles::remove(preview);
}

void OutputMobileVersion::CreateSingleSlideMobile()
{
    const QString player = Paths::join(m_SaveFolder, QStringLiteral("mobile"));
    if (m_flashTemplate)
        m_flashTemplate->copyMobilePathToFile(player, QStringLiteral("Slide"));
    const QString page = Paths::join(player, QStringLiteral("index.html"));
    generateMobileHtmlFrom(page, page);
}

void OutputMobileVersion::generateMobileHtmlFrom(const QString &source, const QString &destination) const
{
    bool ok = false;
    QString text = QString::fromUtf8(BookFiles::read(source, &ok));
    if (!ok) {
        LOG4CXX_WARN(logger, "cannot read " << source << "; the Slide page is not written");
        return;
    }
    // The title is text in an HTML page: "Tom & Jerry <2>" must show as typed.
    text.replace(QStringLiteral("${index.title}"), slideTitle().toHtmlEscaped());
    text.replace(QStringLiteral("${fbbook.options}"), slideOptionsText());
    BookFiles::writeAtomically(destination, text.toUtf8());
}
