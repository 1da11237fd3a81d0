#pragma once

#include "templates/FlashTemplateProperty.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class FlashTemplate;
using FlashTemplatePtr = std::shared_ptr<FlashTemplate>;

// The player template the application currently uses: its metadata, its property
// tree with the current values, the chosen style, and the catalogue of installed
// templates and styles below RES/AppFiles.
class FlashTemplate
{
public:
    // Loads the template "float"; no style is applied.
    FlashTemplate();
    // Loads the named template without a style (tests and tools use other names).
    explicit FlashTemplate(const QString &tmplName);

    // ---- Catalogue (needs no loaded template) ----------------------------------
    // RES/AppFiles/ with a trailing separator.
    static QString tmplDataPath();
    // Full paths of the folders directly inside RES/AppFiles/Templates, unsorted.
    static QStringList tmplNames();
    // Full paths of the style folders of a template, unsorted.
    static QStringList tmplStyleNamesForTmpl(const QString &tmplName);
    // RES/AppFiles/Styles/TEMPLATE/STYLE, no trailing separator.
    static QString stylePathFor(const QString &tmplName, const QString &styleName);
    // RES/AppFiles/Templates/TEMPLATE/ with a trailing separator.
    static QString tmplPathForName(const QString &tmplName);
    // tmplPathForName + "flashTemplate.xml".
    static QString tmplMetaPathForName(const QString &tmplName);

    // ---- Loading and switching --------------------------------------------------
    // Replaces the tree with the metadata's. Returns false (and logs why) when the
    // metadata could not be read; the tree is then empty.
    bool loadTemplate(const QString &tmplName);
    // Loads the template, applies the style's settings, and keeps the page size
    // and language the book had.
    void changeTmplTo(const QString &tmplName, const QString &stylePath);
    void loadStyleByStyleName(const QString &styleName);
    void loadStyleByStylePath(const QString &stylePath);

    // ---- Values -----------------------------------------------------------------
    // The first property with that key in pre-order, or null.
    FlashTemplatePropertyPtr propertyFor(const QString &key) const;
    // The value of the first property with that key; the default when there is
    // none or its value is absent. An empty value is returned as it is.
    QString propertyValueFor(const QString &key, const QString &defaultValue) const;
    // The value of the first descendant of `node` with that key (node itself excluded).
    std::optional<QString> propertyValueFor(const FlashTemplatePropertyPtr &node, const QString &key) const;
    // Stores into the first property with that key (file properties get the
    // "STYLE_RESOURCE:" expansion); nothing when no property has the key.
    void setPropertyValue(const QString &key, const QString &value);
    // As above, over the descendants of `node`; true when one was found and set.
    bool setPropertyValueAt(const FlashTemplatePropertyPtr &node, const QString &key, const QString &value);
    // The text with "STYLE_RESOURCE:rel" expanded to the current style folder + rel.
    QString valueAsFilePath(const QString &text) const;

    // ---- Files of the template --------------------------------------------------
    // Full path of the template's HTML page; empty when it exists nowhere.
    QString tmplHTMLFilePath() const;
    // tmplPathForName(mobileTmplFilesPath) + "Flip/javascript/main_preview.js".
    QString GetPreviewMobileFilePath() const;

    // Each replaces whatever is at `destination` with a copy of the source;
    // the destination's parent is not created; failures are logged, not thrown.
    void copyBookSWFToFile(const QString &destination) const;   // AppFiles/TmplData/book.swf
    void copyThemeToFile(const QString &destination) const;     // TEMPLATE/Main.swf
    void copyBookJSFile(const QString &destination) const;      // TEMPLATE/swfobject.js
    void copyElseSWFToFile(const QString &destination) const;   // TEMPLATE/playerProductInstall.swf
    void copyHistoryDirToDir(const QString &destination) const; // TEMPLATE/history/
    // AppFiles/TmplData/mobile/TYPE/, TYPE "Flip" or "Slide".
    void copyMobilePathToFile(const QString &destination, const QString &type) const;

    // ---- Settings files ---------------------------------------------------------
    // Writes the current values atomically. False (and a log line, and the OS's
    // reason in `error` when given) when it failed; the previous file stays whole.
    bool exportPropertiesSettingsTo(const QString &path, QString *error = nullptr) const;
    // Appends "key=value" of `from` and its subtree, or of the whole tree when null.
    void exportPropertiesSettingsToArray(QStringList &entries, const FlashTemplatePropertyPtr &from) const;
    // The bytes exportPropertiesSettingsTo writes.
    QByteArray propertiesSettingsBytes() const;
    // Applies a settings file; never changes pageWidth/pageHeight nor keys the file
    // does not name. False when the file could not be read (nothing changes then).
    bool importPropertiesSettingsFrom(const QString &path);
    // Applies settings-file bytes already in memory (decoding as the file reader does).
    void importPropertiesSettingsFromData(const QByteArray &data);

    // ---- Fields -----------------------------------------------------------------
    const QString &tmplName() const { return m_tmplName; }
    void setTmplName(const QString &name) { m_tmplName = name; }
    const FlashTemplatePropertyList &properties() const { return m_properties; }
    void setProperties(const FlashTemplatePropertyList &properties) { m_properties = properties; }
    const QString &tmplVersion() const { return m_tmplVersion; }
    void setTmplVersion(const QString &version) { m_tmplVersion = version; }
    const QString &tmplFilePath() const { return m_tmplFilePath; }
    void setTmplFilePath(const QString &path) { m_tmplFilePath = path; }
    const QString &SWFFilePath() const { return m_SWFFilePath; }
    void setSWFFilePath(const QString &path) { m_SWFFilePath = path; }
    const QString &HTMLFilePath() const { return m_HTMLFilePath; }
    void setHTMLFilePath(const QString &path) { m_HTMLFilePath = path; }
    bool needThumbs() const { return m_needThumbs; }
    void setNeedThumbs(bool need) { m_needThumbs = need; }
    const QString &mobileTmplFilesPath() const { return m_mobileTmplFilesPath; }
    void setMobileTmplFilesPath(const QString &path) { m_mobileTmplFilesPath = path; }
    const QString &macAppFilesFolder() const { return m_macAppFilesFolder; }
    void setMacAppFilesFolder(const QString &folder) { m_macAppFilesFolder = folder; }
    const QString &defaultSytleName() const { return m_defaultSytleName; }
    void setDefaultSytleName(const QString &name) { m_defaultSytleName = name; }
    // Empty until a style is loaded.
    const QString &styleName() const { return m_styleName; }
    void setStyleName(const QString &name) { m_styleName = name; }

private:
    QString m_tmplName = QStringLiteral("float");
    FlashTemplatePropertyList m_properties;
    QString m_tmplVersion = QStringLiteral("3.0.0");
    QString m_tmplFilePath;
    QString m_SWFFilePath;
    QString m_HTMLFilePath;
    bool m_needThumbs = true;
    QString m_mobileTmplFilesPath;
    QString m_macAppFilesFolder;
    QString m_defaultSytleName = QStringLiteral("Blank");
    QString m_styleName;
};
