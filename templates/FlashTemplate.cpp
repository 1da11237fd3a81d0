#include "templates/FlashTemplate.h"

#include "platform/AtomicFile.h"
#include "platform/FileCopy.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/WriteJournal.h"
#include "platform/Xml.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QStringDecoder>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <system_error>

namespace {

const auto logger = Logging::logger("FlashTemplate");

const QString kStyleResourceMarker = QStringLiteral("STYLE_RESOURCE:");
const QString kPageWidth = QStringLiteral("pageWidth");
const QString kPageHeight = QStringLiteral("pageHeight");
const QString kLanguageSetting = QStringLiteral("languageSetting");

// A settings file is a few kilobytes; anything far beyond is not one, and reading
// it whole would only cost memory.
constexpr qint64 kMaxSettingsFileBytes = 64LL * 1024 * 1024;

QStringList subFolders(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    if (!dir.exists())
        return out;
    // Hidden folders count like any other; the file system's order is kept.
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted);
    for (const QString &name : names)
        out << Paths::join(folder, name);
    return out;
}

bool removePath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isFile())
        return QFile::remove(path);
    if (info.isDir())
        return QDir(path).removeRecursively();
    return true;
}

// Copies one file; a failure is recorded with the system's reason.
bool copyFile(const QString &source, const QString &destination)
{
    QString reason;
    if (FileCopy::copy(source, destination, &reason))
        return true;
    WriteJournal::recordFailure(destination, reason);
    return false;
}

bool copyFolder(const QString &source, const QString &destination)
{
    std::error_code ec;
    if (!std::filesystem::create_directory(QFile::encodeName(destination).toStdString(), ec)) {
        WriteJournal::recordFailure(
            destination, QString::fromLocal8Bit((ec ? ec.message() : std::string("the folder exists")).c_str()));
        return false;
    }
    bool ok = true;
    const QDir dir(source);
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        const QString target = Paths::join(destination, entry.fileName());
        if (entry.isDir()) {
            // A linked folder could lead back into itself; a player folder has none.
            if (entry.isSymLink())
                continue;
            ok = copyFolder(entry.filePath(), target) && ok;
        } else {
            ok = copyFile(entry.filePath(), target) && ok;
        }
    }
    return ok;
}

// Where a path leads once its folder's links are resolved; the path itself may
// not exist yet, and a link at its end is the link, not its target.
QString resolvedLocation(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + QLatin1Char('/') + info.fileName();
}

// Replaces `destination` with a copy of `source` (file or folder).
void replaceWithCopy(const QString &source, const QString &destination)
{
    const QFileInfo sourceInfo(source);
    const QString from = resolvedLocation(source);
    const QString to = resolvedLocation(destination);
    // Removing the destination first would delete the source itself, and copying
    // a folder into itself would never end.
    if (to == from || to.startsWith(from + QLatin1Char('/'))) {
        LOG4CXX_WARN(logger, "Not copying " << source << " onto itself (" << destination << ")");
        return;
    }
    removePath(destination);
    if (!sourceInfo.exists()) {
        LOG4CXX_DEBUG(logger, "Copy source missing: " << source);
        return;
    }
    const bool ok = sourceInfo.isDir() ? copyFolder(source, destination) : copyFile(source, destination);
    if (!ok)
        LOG4CXX_WARN(logger, "Could not copy " << source << " to " << destination);
}

FlashTemplatePropertyPtr findIn(const FlashTemplatePropertyList &list, const QString &key)
{
    for (const FlashTemplatePropertyPtr &node : list) {
        if (!node)
            continue;
        if (node->hasKey() && node->key() == key)
            return node;
        if (FlashTemplatePropertyPtr found = findIn(node->childProperties(), key))
            return found;
    }
    return nullptr;
}

// The entry text of one node: line breaks would end the entry early and let the
// rest of a value read back as an entry of its own, so none survive into the file.
QString entryText(const FlashTemplateProperty &node)
{
    QString key = node.key();
    key.replace(QStringLiteral("\n\r"), QStringLiteral("|||"));
    QString value = node.value();
    for (QString *text : {&key, &value}) {
        if (text->contains(QLatin1Char('\n')) || text->contains(QLatin1Char('\r'))) {
            text->replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            text->replace(QLatin1Char('\n'), QLatin1Char(' '));
            text->replace(QLatin1Char('\r'), QLatin1Char(' '));
        }
    }
    return key + QLatin1Char('=') + value;
}

// One line of a settings file: UTF-8 when it is valid UTF-8, else Latin-1, so a
// file saved in a legacy 8-bit encoding still reads its ASCII keys and keeps
// every byte of its values.
QString decodeLine(const QByteArray &line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(line);
}

// The lines of a settings file as text. Line feeds end lines; carriage returns
// are dropped, except in a file that has no line feed at all, whose lines end
// with carriage returns alone.
QStringList settingsLines(const QByteArray &data)
{
    QStringList lines;
    const auto bom = QStringConverter::encodingForData(data);
    if (bom && *bom != QStringConverter::Utf8) {
        // UTF-16 or UTF-32 with a byte-order mark: decode the whole file.
        QStringDecoder decoder(*bom);
        QString text = decoder.decode(data);
        if (!text.isEmpty() && text.at(0) == QChar::ByteOrderMark)
            text.remove(0, 1);
        const QChar end = text.contains(QLatin1Char('\n')) ? QLatin1Char('\n') : QLatin1Char('\r');
        for (QString line : text.split(end)) {
            line.remove(QLatin1Char('\r'));
            lines << line;
        }
        return lines;
    }
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const char end = bytes.contains('\n') ? '\n' : '\r';
    for (QByteArray line : bytes.split(end)) {
        line.replace("\r", "");
        lines << decodeLine(line);
    }
    return lines;
}

} // namespace

FlashTemplate::FlashTemplate() : FlashTemplate(QStringLiteral("float")) {}

FlashTemplate::FlashTemplate(const QString &tmplName)
{
    loadTemplate(tmplName);
}

// ---- Catalogue --------------------------------------------------------------

QString FlashTemplate::tmplDataPath()
{
    return Paths::join(Paths::resources(), QStringLiteral("AppFiles")) + QLatin1Char('/');
}

QStringList FlashTemplate::tmplNames()
{
    return subFolders(tmplDataPath() + QStringLiteral("Templates"));
}

QStringList FlashTemplate::tmplStyleNamesForTmpl(const QString &tmplName)
{
    return subFolders(Paths::join(tmplDataPath() + QStringLiteral("Styles"), tmplName));
}

QString FlashTemplate::stylePathFor(const QString &tmplName, const QString &styleName)
{
    return Paths::join(Paths::join(tmplDataPath() + QStringLiteral("Styles"), tmplName), styleName);
}

QString FlashTemplate::tmplPathForName(const QString &tmplName)
{
    return Paths::join(tmplDataPath() + QStringLiteral("Templates"), tmplName) + QLatin1Char('/');
}

QString FlashTemplate::tmplMetaPathForName(const QString &tmplName)
{
    return Paths::join(tmplPathForName(tmplName), QStringLiteral("flashTemplate.xml"));
}

// ---- Loading ----------------------------------------------------------------

bool FlashTemplate::loadTemplate(const QString &tmplName)
{
    m_properties.clear();
    m_tmplName = tmplName;

    const QString metaPath = tmplMetaPathForName(tmplName);
    const QUrl url = QUrl::fromLocalFile(metaPath);
    if (metaPath.isEmpty() || !url.isValid()) {
        LOG4CXX_ERROR(logger, "Can't create an URL from file " << metaPath << ".");
        return false;
    }

    QFile file(metaPath);
    if (!file.open(QIODevice::ReadOnly)) {
        LOG4CXX_ERROR(logger, "Cannot read template metadata " << metaPath << ": " << file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    QString error;
    XmlDocument doc = XmlDocument::parse(data, false, &error);
    if (doc.isNull()) {
        LOG4CXX_WARN(logger, "Template metadata " << metaPath << " is malformed (" << error
                                                  << "); reading it with the recovering parser");
        QString recoverError;
        doc = XmlDocument::parse(data, true, &recoverError);
        if (doc.isNull()) {
            LOG4CXX_ERROR(logger, "Cannot parse template metadata " << metaPath << ": " << error);
            return false;
        }
    }

    const XmlNode root = doc.root();
    const XmlNode info = root.firstChild(QStringLiteral("info"));
    const XmlNode propertiesElement = root.firstChild(QStringLiteral("properties"));
    static const char *const infoNames[] = {"htmlPath", "swfPath", "defaultStyle", "macAppFilesFolder",
                                            "mobileTmplFilesPath"};
    QStringList missing;
    if (info.isNull()) {
        missing << QStringLiteral("info");
    } else {
        for (const char *name : infoNames) {
            if (info.firstChild(QLatin1String(name)).isNull())
                missing << QStringLiteral("info/") + QLatin1String(name);
        }
    }
    if (propertiesElement.isNull())
        missing << QStringLiteral("properties");
    if (!missing.isEmpty()) {
        // A half-read template would publish with values nobody chose.
        LOG4CXX_ERROR(logger, "Template metadata " << metaPath << " lacks required element(s) "
                                                   << missing.join(QStringLiteral(", "))
                                                   << "; the template has no properties");
        return false;
    }

    m_HTMLFilePath = info.firstChild(QStringLiteral("htmlPath")).text();
    m_SWFFilePath = info.firstChild(QStringLiteral("swfPath")).text();
    m_defaultSytleName = info.firstChild(QStringLiteral("defaultStyle")).text();
    m_macAppFilesFolder = info.firstChild(QStringLiteral("macAppFilesFolder")).text();
    m_mobileTmplFilesPath = info.firstChild(QStringLiteral("mobileTmplFilesPath")).text();

    for (const XmlNode &element : propertiesElement.children(QStringLiteral("property"))) {
        auto node = std::make_shared<FlashTemplateProperty>();
        node->loadFromNode(element);
        node->setParent(nullptr);
        m_properties.append(node);
    }
    return true;
}

void FlashTemplate::changeTmplTo(const QString &tmplName, const QString &stylePath)
{
    const QString pageWidth = propertyValueFor(kPageWidth, QStringLiteral("960"));
    const QString pageHeight = propertyValueFor(kPageHeight, QStringLiteral("600"));
    const QString language = propertyValueFor(kLanguageSetting, QString(QLatin1String("")));
    loadTemplate(tmplName);
    loadStyleByStylePath(stylePath);
    setPropertyValue(kPageWidth, pageWidth);
    setPropertyValue(kPageHeight, pageHeight);
    setPropertyValue(kLanguageSetting, language);
}

void FlashTemplate::loadStyleByStyleName(const QString &styleName)
{
    loadStyleByStylePath(stylePathFor(m_tmplName, styleName));
}

void FlashTemplate::loadStyleByStylePath(const QString &stylePath)
{
    m_styleName = QFileInfo(QDir::cleanPath(stylePath)).fileName();
    importPropertiesSettingsFrom(Paths::join(stylePath, QStringLiteral("tmplSetting.txt")));
}

// ---- Values -----------------------------------------------------------------

FlashTemplatePropertyPtr FlashTemplate::propertyFor(const QString &key) const
{
    return findIn(m_properties, key);
}

QString FlashTemplate::propertyValueFor(const QString &key, const QString &defaultValue) const
{
    const FlashTemplatePropertyPtr node = propertyFor(key);
    return node && node->hasValue() ? node->value() : defaultValue;
}

std::optional<QString> FlashTemplate::propertyValueFor(const FlashTemplatePropertyPtr &node, const QString &key) const
{
    if (!node)
        return std::nullopt;
    const FlashTemplatePropertyPtr found = findIn(node->childProperties(), key);
    if (!found || !found->hasValue())
        return std::nullopt;
    return found->value();
}

void FlashTemplate::setPropertyValue(const QString &key, const QString &value)
{
    const FlashTemplatePropertyPtr node = propertyFor(key);
    if (!node)
        return;
    node->setValue(node->propertyType() == pt_file ? valueAsFilePath(value) : value);
}

bool FlashTemplate::setPropertyValueAt(const FlashTemplatePropertyPtr &node, const QString &key, const QString &value)
{
    if (!node)
        return false;
    const FlashTemplatePropertyPtr found = findIn(node->childProperties(), key);
    if (!found)
        return false;
    if (found->propertyType() == pt_file) {
        LOG4CXX_DEBUG(logger, "key 3[" << key << "=" << value << "]");
        found->setValue(valueAsFilePath(value));
    } else {
        found->setValue(value);
    }
    return true;
}

QString FlashTemplate::valueAsFilePath(const QString &text) const
{
    const qsizetype at = text.indexOf(kStyleResourceMarker);
    if (at < 0)
        return text;
    const QString relative = text.mid(at + kStyleResourceMarker.size());
    return stylePathFor(m_tmplName, m_styleName) + QLatin1Char('/') + relative;
}

// ---- Files ------------------------------------------------------------------

QString FlashTemplate::tmplHTMLFilePath() const
{
    // Only a file can be the page; an empty htmlPath would otherwise name the
    // template folder itself.
    for (const QString &base : {tmplPathForName(m_tmplName), tmplDataPath()}) {
        QString candidate = Paths::join(base, m_HTMLFilePath);
        candidate.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

QString FlashTemplate::GetPreviewMobileFilePath() const
{
    return tmplPathForName(m_mobileTmplFilesPath) + QStringLiteral("Flip/javascript/main_preview.js");
}

void FlashTemplate::copyBookSWFToFile(const QString &destination) const
{
    replaceWithCopy(tmplDataPath() + QStringLiteral("TmplData/book.swf"), destination);
}

void FlashTemplate::copyThemeToFile(const QString &destination) const
{
    replaceWithCopy(tmplPathForName(m_tmplName) + QStringLiteral("Main.swf"), destination);
}

void FlashTemplate::copyBookJSFile(const QString &destination) const
{
    replaceWithCopy(tmplPathForName(m_tmplName) + QStringLiteral("swfobject.js"), destination);
}

void FlashTemplate::copyElseSWFToFile(const QString &destination) const
{
    replaceWithCopy(tmplPathForName(m_tmplName) + QStringLiteral("playerProductInstall.swf"), destination);
}

void FlashTemplate::copyHistoryDirToDir(const QString &destination) const
{
    replaceWithCopy(tmplPathForName(m_tmplName) + QStringLiteral("history"), destination);
}

void FlashTemplate::copyMobilePathToFile(const QString &destination, const QString &type) const
{
    replaceWithCopy(Paths::join(tmplDataPath() + QStringLiteral("TmplData/mobile"), type), destination);
}

// ---- Settings files ---------------------------------------------------------

void FlashTemplate::exportPropertiesSettingsToArray(QStringList &entries, const FlashTemplatePropertyPtr &from) const
{
    if (from) {
        entries << entryText(*from);
        for (const FlashTemplatePropertyPtr &child : from->childProperties())
            exportPropertiesSettingsToArray(entries, child);
        return;
    }
    for (const FlashTemplatePropertyPtr &node : m_properties) {
        if (node)
            exportPropertiesSettingsToArray(entries, node);
    }
}

QByteArray FlashTemplate::propertiesSettingsBytes() const
{
    QStringList entries;
    exportPropertiesSettingsToArray(entries, nullptr);
    QString text;
    for (const QString &entry : entries)
        text += QStringLiteral("\n\r") + entry;
    return text.toUtf8();
}

bool FlashTemplate::exportPropertiesSettingsTo(const QString &path, QString *error) const
{
    QString reason;
    if (AtomicFile::write(path, propertiesSettingsBytes(), &reason))
        return true;
    if (error)
        *error = reason;
    LOG4CXX_WARN(logger, "Cannot write settings file " << path << ": " << reason);
    return false;
}

bool FlashTemplate::importPropertiesSettingsFrom(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        LOG4CXX_DEBUG(logger, "No settings read from " << path);
        return false;
    }
    if (file.size() > kMaxSettingsFileBytes) {
        LOG4CXX_WARN(logger, "Settings file " << path << " is too large (" << file.size() << " bytes); ignored");
        return false;
    }
    importPropertiesSettingsFromData(file.readAll());
    return true;
}

void FlashTemplate::importPropertiesSettingsFromData(const QByteArray &data)
{
    // The page size belongs to the book, never to a style.
    const QString width = propertyValueFor(kPageWidth, QStringLiteral("960"));
    const QString height = propertyValueFor(kPageHeight, QStringLiteral("600"));

    for (const QString &line : settingsLines(data)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == QLatin1String("innerMainbgImgUrl"))
            LOG4CXX_DEBUG(logger, "key 0[" << key << "=" << value << "]");
        setPropertyValue(key, value);
    }

    setPropertyValue(kPageWidth, width);
    setPropertyValue(kPageHeight, height);
}
