#include "publish/FlashBookOutput.h"

#include "platform/AppSettings.h"
#include "platform/Clock.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/TextScan.h"
#include "publish/Base64.h"
#include "publish/BookFiles.h"
#include "publish/BookTextOutput.h"
#include "publish/Rc4.h"
#include "publish/ScreenPages.h"
#include "publish/zip/ZKDataArchive.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTimeZone>

namespace {
const auto logger = Logging::logger("FlashBookOutput");

// Characters XML 1.0 cannot carry at all; a property value holding one would
// make the whole configuration unreadable to the player, so they are dropped.
QString xmlSafe(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
            continue;
        }
        if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF || (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D))
            continue;
        out += c;
    }
    return out;
}

void setAttr(XmlNode node, const QString &name, const QString &value)
{
    node.setAttribute(name, xmlSafe(value));
}

// A page-relative path such as "page/3.swf".
QString pagePath(const QString &folder, int pageIndex, const QString &extension)
{
    return QStringLiteral("%1/%2.%3").arg(folder).arg(pageIndex).arg(extension);
}

// Keys become file names in files/extfiles; one that could climb out of it is refused.
bool usableFileStem(const QString &key)
{
    return !key.isEmpty() && !key.contains(QLatin1Char('/')) && key != QLatin1String(".") && key != QLatin1String("..");
}
} // namespace

FlashBookOutput::FlashBookOutput(FlashPageSourcePtr pageSource, FlashTemplatePtr flashTemplate,
                                 const QString &saveToFolder, const QString &toName)
    : m_flashTemplate(std::move(flashTemplate)), m_flashPageSource(std::move(pageSource)), m_saveToFolder(saveToFolder),
      m_saveToFileName(toName)
{}

QString FlashBookOutput::property(const QString &key, const QString &defaultValue) const
{
    return m_flashTemplate ? m_flashTemplate->propertyValueFor(key, defaultValue) : defaultValue;
}

QString FlashBookOutput::target(const QString &folder) const
{
    return folder.isEmpty() ? m_saveToFolder : folder;
}

QString FlashBookOutput::filesFolder(const QString &folder) const
{
    return Paths::join(target(folder), iResourceFolder);
}

QString FlashBookOutput::outputHTMLFileName() const
{
    return Paths::join(m_saveToFolder, m_saveToFileName.isEmpty() ? QStringLiteral("index.html") : m_saveToFileName);
}

QString FlashBookOutput::outputFileName() const
{
    return outputHTMLFileName();
}

QString FlashBookOutput::GetPreviewPath()
{
    QString base = Paths::userData();
    if (base.isEmpty())
        base = QStringLiteral("/temp");
    m_ThePreviewPath = Paths::join(base, QStringLiteral("/Tomefold/preview/"));
    return m_ThePreviewPath;
}

// ---- Book configuration ------------------------------------------------------

XmlNode FlashBookOutput::AddChildToParent(const QString &name, const QString &value, XmlNode parent)
{
    return parent.addChild(name, xmlSafe(value));
}

quint32 FlashBookOutput::colorWithHexString(const QString &text)
{
    return TextScan::leadingHex(text);
}

QString FlashBookOutput::GetVisibleButtons() const
{
    static const char *const kButtons[] = {"Zoom", "TiltAngle", "AutoPlay",  "BackgroundSound",
                                           "Info", "Bookmark",  "Thumbnail", "FullScreen",
                                           "Help", "Share",     "Print",     "Download"};
    QString list;
    for (const char *button : kButtons) {
        const QString key = QString::fromLatin1(button);
        if (property(key, QStringLiteral("Show")) == QLatin1String("Hide"))
            list += key + QLatin1Char(',');
    }
    return list + QStringLiteral(",Content");
}

bool FlashBookOutput::MergeXML(XmlNode element, const QString &path)
{
    bool ok = false;
    const QByteArray bytes = BookFiles::read(path, &ok);
    if (!ok || bytes.trimmed().isEmpty())
        return false;
    QString error;
    const XmlDocument doc = XmlDocument::parse(bytes, false, &error);
    if (doc.isNull() || doc.root().isNull()) {
        LOG4CXX_WARN(logger, "page list " << path << " is not XML: " << error);
        return false;
    }
    element.appendCopy(doc.root());
    return true;
}

XmlDocument FlashBookOutput::bookXML()
{
    auto colour = [this](const QString &key, const char *fallback) {
        return QString::number(qint32(colorWithHexString(property(key, QString::fromLatin1(fallback)))));
    };
    auto reference = [](const QString &stem, const QString &value) {
        return QStringLiteral("%1/%2.%3").arg(QStringLiteral("extfiles"), stem, BookFiles::pathExtension(value));
    };
    auto P = [this](const char *key, const char *fallback) {
        return property(QString::fromLatin1(key), QString::fromUtf8(fallback));
    };
    auto add = [](const char *name, const QString &text, XmlNode parent) {
        return AddChildToParent(QString::fromLatin1(name), text, parent);
    };
    auto element = [](XmlNode parent, const char *name) { return parent.addChild(QString::fromLatin1(name)); };

    XmlDocument doc = XmlDocument::create(QStringLiteral("FlipBook3D"));
    XmlNode root = doc.root();
    add("XMLVersion", QStringLiteral("1"), root);
    XmlNode config = element(root, "Config");

    XmlNode author = element(config, "Author");
    add("Name", P("AuthorName", "FOLIANT"), author);
    add("Email", P("AuthorEmail", "mail@example.com"), author);
    add("WebSite", P("AuthorWebSite", "https://example.com/"), author);
    add("Info", P("AuthorInfo", ""), author);

    XmlNode setting = element(config, "Setting");
    add("Title", P("Title", "Foliant Book"), setting);
    add("BaseColor", colour(QStringLiteral("BaseColor"), "0x804000"), setting);

    const QString logoFile = P("LogoFile", "");
    XmlNode logo =
        add("Logo", logoFile.isEmpty() ? QString() : reference(QStringLiteral("LogoFile"), logoFile), setting);
    setAttr(logo, QStringLiteral("displayLogo"),
            P("ShowLogo", "Yes") == QLatin1String("Yes") ? QStringLiteral("true") : QStringLiteral("false"));
    setAttr(logo, QStringLiteral("link"), P("LogoLink", ""));

    setAttr(element(setting, "GoogleAnalytics"), QStringLiteral("webProperty"), P("GoogleID", ""));
    setAttr(element(setting, "ShareAnalytics"), QStringLiteral("id"), P("ShareID", ""));
    add("ZoomModel", QStringLiteral("0"), setting);
    setAttr(element(setting, "Theme"), QStringLiteral("src"), QStringLiteral("theme/Main.swf"));

    const QString soundFile = P("SoundFile", "");
    const bool sound = !soundFile.isEmpty() && !BookFiles::pathExtension(soundFile).isEmpty();
    XmlNode music =
        add("BackgroundMusic", sound ? reference(QStringLiteral("SoundFile"), soundFile) : QString(), setting);
    setAttr(music, QStringLiteral("circle"),
            P("LoopSound", "Yes") == QLatin1String("Yes") ? QStringLiteral("-1") : QStringLiteral("0"));

    const QString downloadFile = P("DownloadFile", "");
    setAttr(element(setting, "Download"), QStringLiteral("src"),
            downloadFile.isEmpty() ? QString() : reference(QStringLiteral("DownloadFile"), downloadFile));
    add("ControlButtonsInvisible", GetVisibleButtons(), setting);

    XmlNode flip = element(setting, "FlipBook3DSetting");
    XmlNode background = element(flip, "Background");
    add("BackgroundType", P("BackgroundType", "GradientColor"), background);
    add("Color", colour(QStringLiteral("Color"), "0x808000"), background);
    add("GradientStartColor", colour(QStringLiteral("GradientStartColor"), "0xFF9900"), background);
    add("GradientEndColor", colour(QStringLiteral("GradientEndColor"), "0xe8ac4d"), background);
    add("GradientAngle", P("GradientAngle", "90"), background);
    add("ImagePath",
        P("BgType", "Image") == QLatin1String("Image") ? reference(QStringLiteral("ImagePath"), P("ImagePath", ""))
                                                       : QString(),
        background);
    add("Position", P("ImgPosition", "Fill"), background);

    XmlNode autoFlip = element(flip, "AutoFlip");
    setAttr(autoFlip, QStringLiteral("loop"), P("loop", "0"));
    add("Enable", P("Enable", "No"), autoFlip);
    add("Interval", P("Interval", "3"), autoFlip);
    add("TiltAngle", P("TiltAngle", "0"), flip);
    add("AutoScale", P("AutoScale", "Yes"), flip);
    add("PlayFlipSound", P("PlayFlipSound", "Yes"), flip);
    add("PerPageThickness", P("PerPageThickness", "1"), flip);
    XmlNode mobility = element(flip, "Mobility");
    setAttr(mobility, QStringLiteral("direction"), QStringLiteral("right"));
    setAttr(mobility, QStringLiteral("startPosition"), QStringLiteral("center"));

    XmlNode tmpl = element(setting, "Template");
    XmlNode panorama = element(tmpl, "PanoramicImage");
    setAttr(panorama, QStringLiteral("type"), QStringLiteral("cube"));
    add("Left", QStringLiteral("extfiles/l.jpg"), panorama);
    add("Right", QStringLiteral("extfiles/r.jpg"), panorama);
    add("Top", QStringLiteral("extfiles/u.jpg"), panorama);
    add("Bottom", QStringLiteral("extfiles/d.jpg"), panorama);
    add("Front", QStringLiteral("extfiles/f.jpg"), panorama);
    add("Back", QStringLiteral("extfiles/b.jpg"), panorama);
    XmlNode camera = element(element(tmpl, "InitSetting"), "Camera");
    setAttr(camera, QStringLiteral("panAngle"), QStringLiteral("-90"));
    setAttr(camera, QStringLiteral("tiltAngle"), QStringLiteral("-80"));

    // Without a usable page list in the preview folder (a publication made
    // without a preview, or a damaged file) the book would have no pages at
    // all; its own page list stands in.
    const QString previewList = Paths::join(GetPreviewPath(), QStringLiteral("pages.xml"));
    if (!MergeXML(root, previewList)) {
        LOG4CXX_WARN(logger, "no usable page list at " << previewList << "; the book's own page list is merged");
        root.appendCopy(pageListDocument(m_basePath).root());
    }
    return doc;
}

QByteArray FlashBookOutput::packConfig(const QByteArray &entry, const QDateTime &when)
{
    const QDateTime local = when.toLocalTime();
    ZKDataArchive archive;
    archive.setClock([&local] {
        ZKDateTime stamp;
        stamp.year = local.date().year();
        stamp.month = local.date().month();
        stamp.day = local.date().day();
        stamp.hour = local.time().hour();
        stamp.minute = local.time().minute();
        stamp.second = local.time().second();
        return stamp;
    });
    const ZKBytes bytes(entry.begin(), entry.end());
    // Names are written precomposed, as ZIP readers expect.
    archive.deflateData(bytes, QStringLiteral("config.xml").normalized(QString::NormalizationForm_C).toStdString());
    const QByteArray zip(reinterpret_cast<const char *>(archive.data().data()), qsizetype(archive.data().size()));

    QString error;
    const std::optional<QByteArray> enciphered = Rc4::RC4EncryptedDataUsingKey(zip, packingKey(), &error);
    if (!enciphered)
        LOG4CXX_ERROR(logger, "cannot encipher the configuration: " << error);
    const QString base64 = enciphered ? Base64::encode(*enciphered) : QString();

    XmlDocument packed = XmlDocument::create(QStringLiteral("data"));
    packed.root().addCData(base64);
    return packed.toBytes(false, true);
}

QByteArray FlashBookOutput::configSidecar(const QByteArray &packedConfig, const QString &language, bool rightToLeft)
{
    QByteArray out = "window.__foliantConfig = " + jsStringLiteral(QString::fromUtf8(packedConfig)) + ";\n";
    // The player's own texts follow the template's language setting, which the
    // configuration document does not carry.
    if (!language.isEmpty())
        out += "window.__foliantLanguage = " + jsStringLiteral(language) + ";\n";
    // Neither does it carry the reading direction; left to right needs no line.
    if (rightToLeft)
        out += "window.__foliantDirection = \"rtl\";\n";
    return out;
}

QByteArray FlashBookOutput::jsStringLiteral(const QString &text)
{
    // A JSON string literal is a valid JavaScript string literal once the two
    // line separators JavaScript treats as line ends are escaped too; "</" is
    // broken up so the text can never close a script element it is inlined in.
    QByteArray out = "\"";
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += "\\\"";
            break;
        case u'\\':
            out += "\\\\";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        case u'/':
            out += "\\/";
            break;
        case 0x2028:
            out += "\\u2028";
            break;
        case 0x2029:
            out += "\\u2029";
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0')).toLatin1();
            else
                out += QString(c).toUtf8();
        }
    }
    out += "\"";
    return out;
}

bool FlashBookOutput::ouputBookXML(const QString &path)
{
    const QByteArray entry = bookXML().toBytes(true, true);
    const QByteArray packed = packConfig(entry, Clock::now());
    // Written to a temporary file that then replaces the old one: a failed write
    // leaves the previous configuration whole instead of no configuration.
    if (!BookFiles::writeAtomically(path, packed)) {
        LOG4CXX_ERROR(logger, "Could not write document out...");
        return false;
    }
    QString sidecar = path;
    if (sidecar.endsWith(QLatin1String(".xml")))
        sidecar.chop(4);
    sidecar += QStringLiteral(".js");
    // The same test as the phone edition's, so both editions of a book read the same way.
    const bool rightToLeft = property(QStringLiteral("direction"), QStringLiteral("Right")) != QLatin1String("Right");
    if (!BookFiles::writeAtomically(
            sidecar, configSidecar(packed, property(QStringLiteral("languageSetting"), QString()), rightToLeft)))
        LOG4CXX_WARN(logger, "skipped the configuration script " << sidecar);
    return true;
}

// ---- Page list ---------------------------------------------------------------

QString FlashBookOutput::getNormalPageURL(const FlashPagePtr &page) const
{
    return page ? pagePath(iNormalPageFolder, page->pageIndex(), BookFiles::pathExtension(page->pageFilePath()))
                : QString();
}

QString FlashBookOutput::getThumbPageURL(const FlashPagePtr &page) const
{
    return page ? pagePath(iThumbPageFolder, page->pageIndex(), QStringLiteral("jpg")) : QString();
}

QString FlashBookOutput::getZoomedPageURL(const FlashPagePtr &page) const
{
    return getNormalPageURL(page);
}

// The book page number (position in `pages`, from 1) of the document page
// `documentPage`; empty when that page is not in the book.
static QString bookPageOf(const FlashPageList &pages, const QString &documentPage)
{
    bool ok = false;
    const int wanted = documentPage.toInt(&ok);
    if (!ok)
        return QString();
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (pages.at(i) && pages.at(i)->pageIndex() == wanted)
            return QString::number(i + 1);
    return QString();
}

XmlDocument FlashBookOutput::pageListDocument(const QString &basePath) const
{
    const qint64 w = AppSettings::shareInstance()->PageWidth();
    const qint64 h = AppSettings::shareInstance()->PageHeight();
    // 64-bit so that a huge page size cannot overflow; the quotient truncates
    // toward zero as the player expects.
    const qint64 width = w <= 700 ? w : 700;
    const qint64 height = w <= 700 ? h : 700 * h / w;
    const qint64 thumbWidth = h <= 180 ? w : 180 * w / h;
    const qint64 thumbHeight = h <= 180 ? h : 180;

    XmlDocument doc = XmlDocument::create(QStringLiteral("Pages"));
    XmlNode root = doc.root();
    setAttr(root, QStringLiteral("bace"), basePath);
    setAttr(root, QStringLiteral("largeWidth"), QString::number(qint32(w)));
    setAttr(root, QStringLiteral("largeHeight"), QString::number(qint32(h)));
    setAttr(root, QStringLiteral("width"), QString::number(qint32(width)));
    setAttr(root, QStringLiteral("height"), QString::number(qint32(height)));
    setAttr(root, QStringLiteral("thumbWidth"), QString::number(qint32(thumbWidth)));
    setAttr(root, QStringLiteral("thumbHeight"), QString::number(qint32(thumbHeight)));
    if (!m_flashPageSource)
        return doc;

    const XmlNode annotations = m_flashPagesAnnotations ? m_flashPagesAnnotations->pagesAnnotationsNode() : XmlNode();
    const bool haveThumbs = !m_flashPageSource->thumbPages().isEmpty();
    const FlashPageList &pages = m_flashPageSource->pages();
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const FlashPagePtr &record = pages.at(i);
        if (!record)
            continue;
        const FlashPagePtr normal = m_flashPageSource->getNormalPageAtIndex(record->pageIndex());
        const FlashPagePtr thumb = m_flashPageSource->getThumbPageAtIndex(record->pageIndex());
        XmlNode page = root.addChild(QStringLiteral("Page"));
        setAttr(page, QStringLiteral("type"), QStringLiteral("Image"));
        auto item = [&page](const char *name, const QString &text) {
            XmlNode node = page.addChild(QStringLiteral("Item"), xmlSafe(text));
            node.setAttribute(QStringLiteral("name"), QString::fromLatin1(name));
        };
        item("thumb", haveThumbs ? getThumbPageURL(thumb) : getNormalPageURL(normal));
        item("normal", getNormalPageURL(normal));
        item("large", getZoomedPageURL(normal));
        if (annotations.isNull())
            continue;
        const QString position = QString::number(i + 1);
        for (const XmlNode &pageAnnos : annotations.children(QStringLiteral("pageAnnos"))) {
            if (pageAnnos.attribute(QStringLiteral("pageIndex")) != position)
                continue;
            for (const XmlNode &anno : pageAnnos.children()) {
                QString href = anno.attribute(QStringLiteral("url"));
                if (!anno.hasAttribute(QStringLiteral("url"))) {
                    // A link to another page of the document leads to that
                    // page's place in the book, the way the page editor writes
                    // page links; a page that was not imported drops the link.
                    if (anno.attribute(QStringLiteral("action")) != QStringLiteral("page"))
                        continue;
                    href = bookPageOf(pages, anno.attribute(QStringLiteral("pageIndex")));
                    if (href.isEmpty())
                        continue;
                }
                XmlNode link = page.addChild(QStringLiteral("Item"));
                setAttr(link, QStringLiteral("name"), QStringLiteral("Link"));
                setAttr(link, QStringLiteral("type"), QStringLiteral("rect"));
                for (const char *name : {"action", "x", "y", "width", "height"})
                    setAttr(link, QString::fromLatin1(name), anno.attribute(QString::fromLatin1(name)));
                setAttr(link, QStringLiteral("href"), href);
            }
        }
    }
    return doc;
}

std::optional<QString> FlashBookOutput::BookPageConfig(const QString &basePath, bool isEditor)
{
    if (!isEditor)
        return std::nullopt;
    const QString path = Paths::join(m_saveToFolder, QStringLiteral("pages.xml"));
    // The page editor reads this file too: it is replaced whole, never half-written.
    if (!BookFiles::writeAtomically(path, pageListDocument(basePath).toBytes(true, false))) {
        LOG4CXX_WARN(logger, "skipped the page list " << path);
        return std::nullopt;
    }
    return path;
}

// ---- Assembly ----------------------------------------------------------------

void FlashBookOutput::removeExtFile(const QString &folder)
{
    const QString ext = Paths::join(filesFolder(folder), iExterFilesFolder);
    const QList<QPair<const char *, QList<const char *>>> stale = {
        {"ImagePath", {"jpg", "png", "gif"}}, {"LogoFile", {"jpg", "png", "bmp", "gif"}}, {"SoundFile", {"mp3"}}};
    for (const auto &[stem, extensions] : stale)
        for (const char *extension : extensions)
            BookFiles::remove(
                QStringLiteral("%1/%2.%3").arg(ext, QString::fromLatin1(stem), QString::fromLatin1(extension)));
}

void FlashBookOutput::prepaireNomalPage(const QString &folder)
{
    const QString pages = Paths::join(filesFolder(folder), iNormalPageFolder);
    BookFiles::remove(pages);
    if (!BookFiles::makeFolder(pages) || !m_flashPageSource)
        return;
    QList<QPair<QString, QString>> images;
    QSet<QString> imaged;
    for (const FlashPagePtr &page : m_flashPageSource->normalPages()) {
        if (!page)
            continue;
        const QString destination = QStringLiteral("%1/%2.%3")
                                        .arg(pages)
                                        .arg(page->pageIndex())
                                        .arg(BookFiles::pathExtension(page->pageFilePath()));
        placePageFile(page->pageFilePath(), destination);
        if (destination.endsWith(QLatin1String(".swf")))
            writeDataSidecar(destination,
                             QStringLiteral("%1/%2").arg(iNormalPageFolder, BookFiles::lastPathComponent(destination)));
        else if (!imaged.contains(destination)) { // a page named twice has one screen-sized copy
            imaged.insert(destination);
            images.append({page->pageFilePath(), destination});
        }
    }
    ScreenPages::write(images, m_movePageFiles);
}

void FlashBookOutput::writeDataSidecar(const QString &file, const QString &relativePath)
{
    // Browsers refuse XHR for sibling files of a page opened from disk, but run
    // its scripts: the player reads a vector page through this script then.
    bool ok = false;
    const QByteArray data = BookFiles::read(file, &ok);
    if (!ok) {
        LOG4CXX_WARN(logger, "skipped the page script of " << file);
        return;
    }
    QByteArray script = "window.__foliantData(";
    script += jsStringLiteral(relativePath);
    script += ",\"";
    script += data.toBase64();
    script += "\");\n";
    if (!BookFiles::writeAtomically(file + QStringLiteral(".js"), script))
        LOG4CXX_WARN(logger, "skipped the page script of " << file);
}

void FlashBookOutput::prepaireZoomendPage(const QString &)
{
    // Zoomed pages are the normal pages (iZoomedPageSameAsNormalPage).
}

void FlashBookOutput::prepaireThumbPage(const QString &folder)
{
    const QString thumbs = Paths::join(filesFolder(folder), iThumbPageFolder);
    BookFiles::remove(thumbs);
    if (!BookFiles::makeFolder(thumbs) || !m_flashPageSource)
        return;
    for (const FlashPagePtr &page : m_flashPageSource->thumbPages()) {
        if (!page)
            continue;
        const QString destination = QStringLiteral("%1/%2.jpg").arg(thumbs).arg(page->pageIndex());
        placePageFile(page->pageFilePath(), destination);
    }
}

bool FlashBookOutput::placePageFile(const QString &source, const QString &destination)
{
    if (m_movePageFiles) {
        if (const auto moved = m_moved.constFind(source); moved != m_moved.constEnd())
            return moved.value() == destination || BookFiles::copy(moved.value(), destination);
        BookFiles::remove(destination);
        if (BookFiles::move(source, destination)) {
            m_moved.insert(source, destination);
            return true;
        }
    }
    BookFiles::remove(destination);
    return BookFiles::copy(source, destination);
}

void FlashBookOutput::prepaireExtFiles(const QString &folder)
{
    const QString ext = Paths::join(filesFolder(folder), iExterFilesFolder);
    BookFiles::makeFolder(ext);
    if (!m_flashTemplate)
        return;
    if (m_flashTemplate->tmplName() == QLatin1String("Panoramic")) {
        const QString preview = GetPreviewPath();
        for (const char *name : {"b.jpg", "d.jpg", "f.jpg", "l.jpg", "r.jpg", "u.jpg"}) {
            const QString source = QStringLiteral("%1/files/extfiles/%2").arg(preview, QString::fromLatin1(name));
            const QString destination = Paths::join(ext, QString::fromLatin1(name));
            if (BookFiles::exists(source) && !BookFiles::samePath(source, destination))
                BookFiles::copy(source, destination);
        }
    }
    for (const FlashTemplatePropertyPtr &property : m_flashTemplate->properties())
        prepaireExtFiles(folder, property);
}

void FlashBookOutput::prepaireExtFiles(const QString &folder, const FlashTemplatePropertyPtr &property)
{
    if (!property)
        return;
    if (property->propertyType() == pt_file && !property->value().isEmpty()) {
        const QString value = property->value();
        const QString key = property->key();
        if (!usableFileStem(key)) {
            LOG4CXX_WARN(logger, "skipped file property with unusable key \"" << key << "\"");
        } else {
            const QString destination =
                QStringLiteral("%1/%2.%3")
                    .arg(Paths::join(filesFolder(folder), iExterFilesFolder), key, BookFiles::pathExtension(value));
            BookFiles::remove(destination);
            if (!BookFiles::exists(value) || BookFiles::isFolder(value))
                LOG4CXX_WARN(logger, "skipped " << key << ": " << value << " is not a file");
            else
                BookFiles::copy(value, destination);
        }
    }
    for (const FlashTemplatePropertyPtr &child : property->childProperties())
        prepaireExtFiles(folder, child);
}

void FlashBookOutput::PrepareAnnotationFiles(const QString &folder)
{
    if (!m_flashPagesAnnotations)
        return;
    const QString annotationFiles = Paths::join(filesFolder(folder), iAnnotationFilesFolder);
    BookFiles::makeFolder(annotationFiles);
    for (const QString &file : m_flashPagesAnnotations->needFiles()) {
        if (BookFiles::exists(file))
            BookFiles::copy(file, Paths::join(annotationFiles, BookFiles::lastPathComponent(file)));
        else
            LOG4CXX_WARN(logger, "skipped missing link file " << file);
    }
}

void FlashBookOutput::prepaireThemeFile(const QString &folder)
{
    BookFiles::makeFolder(Paths::join(filesFolder(folder), QStringLiteral("theme")));
}

// The first page's file (its screen-sized copy for a page image, the drawing
// for a vector page) is asked for along with the HTML page's other files, not
// only once the player has started and read the book's configuration.
QString FlashBookOutput::firstPagePreload() const
{
    if (!m_flashPageSource || m_flashPageSource->pages().isEmpty() || !m_flashPageSource->pages().first())
        return {};
    const QString normal =
        getNormalPageURL(m_flashPageSource->getNormalPageAtIndex(m_flashPageSource->pages().first()->pageIndex()));
    const QString screen = ScreenPages::renditionPath(normal);
    if (!screen.isEmpty() && BookFiles::exists(Paths::join(filesFolder(QString()), screen)))
        return QStringLiteral("<link rel=\"preload\" href=\"%1/%2\" as=\"image\" fetchpriority=\"high\">\n")
            .arg(iResourceFolder, screen);
    // A vector page's script sidecar, which the player then reads it from:
    // unlike the page file itself it loads from disk as well as from a server.
    const QString sidecar = normal + QStringLiteral(".js");
    if (BookFiles::pathExtension(normal).toLower() == QLatin1String("swf") &&
        BookFiles::exists(Paths::join(filesFolder(QString()), sidecar)))
        return QStringLiteral("<link rel=\"preload\" href=\"%1/%2\" as=\"script\" fetchpriority=\"high\">\n")
            .arg(iResourceFolder, sidecar);
    return {};
}

void FlashBookOutput::ouputTheBook()
{
    const QString S = m_saveToFolder;
    if (!BookFiles::isFolder(S)) {
        LOG4CXX_WARN(logger, "no folder " << S << "; nothing published");
        return;
    }
    const QString V = GetPreviewPath();
    const QString empty;
    removeExtFile(empty);
    prepaireNomalPage(empty);
    prepaireZoomendPage(empty);
    prepaireThumbPage(empty);
    prepaireExtFiles(empty);
    PrepareAnnotationFiles(empty);
    prepaireThemeFile(empty);

    if (!BookFiles::exists(Paths::join(V, QStringLiteral("pages.xml"))))
        BookPageConfig(m_basePath, m_isEditor);

    const QString editor = Paths::join(V, QStringLiteral("files/editor"));
    const QString editorCopy = Paths::join(S, QStringLiteral("files/editor"));
    if (BookFiles::isFolder(editor) && !BookFiles::samePath(editor, editorCopy))
        BookFiles::copy(editor, editorCopy);

    const QString html = outputHTMLFileName();
    const QString page = m_flashTemplate ? m_flashTemplate->tmplHTMLFilePath() : QString();
    if (page.isEmpty()) {
        // An earlier template's page must not stay beside this configuration.
        LOG4CXX_WARN(logger, "the template has no HTML page; removed " << html);
        BookFiles::remove(html);
    } else if (m_HTMLConfig) {
        m_HTMLConfig->generateHTMLFrom(page, html, firstPagePreload());
    } else {
        BookFiles::remove(html);
        BookFiles::copy(page, html);
    }

    const QString files = Paths::join(S, iResourceFolder);
    ouputBookXML(QStringLiteral("%1/config.xml").arg(files));

    // The words, the search index, the outline and the text edition.
    BookTextOutput(m_flashPageSource, m_flashOutline, S, QDir(S).relativeFilePath(html),
                   m_HTMLConfig ? m_HTMLConfig->HTMLTitle() : QString())
        .write();

    if (m_flashTemplate) {
        m_flashTemplate->copyBookSWFToFile(Paths::join(files, QStringLiteral("book.swf")));
        m_flashTemplate->copyBookJSFile(Paths::join(files, QStringLiteral("swfobject.js")));
        m_flashTemplate->copyElseSWFToFile(Paths::join(files, QStringLiteral("playerProductInstall.swf")));
        m_flashTemplate->copyThemeToFile(Paths::join(files, QStringLiteral("theme/Main.swf")));
    }
}
