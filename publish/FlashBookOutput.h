#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "platform/Xml.h"
#include "publish/HTMLConfigInfo.h"
#include "templates/FlashTemplate.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <memory>
#include <optional>

// Writes a book into a folder that a web browser opens: the template's HTML
// page, and a folder "files" with the page files, thumbnails, user files, the
// player files and the packed book configuration. The preview and every
// publication use it.
//
// Layout of a published folder S:
//   <saveToFileName or index.html>  the template's page
//   files/config.xml     the packed configuration: <data><![CDATA[B]]></data>, where
//                        B is Base64 of RC4("vellumkeystone") of a one-entry ZIP
//                        whose entry "config.xml" is the FlipBook3D document with
//                        the page list merged in as its "Pages" element
//   files/config.js      script sidecar for pages opened straight from disk,
//                        where the player cannot fetch config.xml:
//                          window.__foliantConfig = "<exact text of config.xml>";
//                        (one JavaScript string literal, JSON-escaped; the player
//                        reads window.__foliantConfig when XHR/fetch fails), and
//                          window.__foliantLanguage = "<languageSetting>";
//                        when the template sets a language, and
//                          window.__foliantDirection = "rtl";
//                        when its "direction" is not "Right". The page list needs
//                        no sidecar: it travels inside config.xml.
//   files/book.swf, files/swfobject.js, files/playerProductInstall.swf,
//   files/theme/Main.swf the template's player files
//   files/page/N.ext     normal pages; files/thumb/N.jpg thumbnails
//   files/page/N.swf.js  for vector pages, their bytes for a page opened from disk:
//                          window.__foliantData("page/N.swf", "<Base64>");
//   files/extfiles/      user files named after their property key (LogoFile.png)
//   files/pageConfig/    files the links need; files/editor page editor data
//   pages.xml            the page list, when the preview folder holds none
class FlashBookOutput
{
public:
    FlashBookOutput(FlashPageSourcePtr pageSource, FlashTemplatePtr flashTemplate, const QString &saveToFolder,
                    const QString &toName);
    virtual ~FlashBookOutput() = default;
    FlashBookOutput(const FlashBookOutput &) = delete;
    FlashBookOutput &operator=(const FlashBookOutput &) = delete;

    const FlashTemplatePtr &flashTemplate() const { return m_flashTemplate; }
    void setFlashTemplate(const FlashTemplatePtr &v) { m_flashTemplate = v; }
    const FlashPageSourcePtr &flashPageSource() const { return m_flashPageSource; }
    void setFlashPageSource(const FlashPageSourcePtr &v) { m_flashPageSource = v; }
    const FlashPagesAnnotationsPtr &flashPagesAnnotations() const { return m_flashPagesAnnotations; }
    void setFlashPagesAnnotations(const FlashPagesAnnotationsPtr &v) { m_flashPagesAnnotations = v; }
    const FlashOutlinePtr &flashOutline() const { return m_flashOutline; }
    void setFlashOutline(const FlashOutlinePtr &v) { m_flashOutline = v; }
    const QString &saveToFolder() const { return m_saveToFolder; }
    void setSaveToFolder(const QString &v) { m_saveToFolder = v; }
    const QString &saveToFileName() const { return m_saveToFileName; }
    void setSaveToFileName(const QString &v) { m_saveToFileName = v; }
    const std::shared_ptr<HTMLConfigInfo> &HTMLConfig() const { return m_HTMLConfig; }
    void setHTMLConfig(const std::shared_ptr<HTMLConfigInfo> &v) { m_HTMLConfig = v; }
    const QString &ThePreviewPath() const { return m_ThePreviewPath; }
    void SetBasePath(const QString &base) { m_basePath = base; }
    void SetNeverEditor(bool editor) { m_isEditor = editor; }
    // Page images and thumbnails are moved from the page source's files (which
    // then are gone) rather than copied, where the file system allows.
    void setMovePageFiles(bool move) { m_movePageFiles = move; }

    // Fills saveToFolder. Does nothing when that folder does not exist; a file
    // that cannot be copied or written is logged and skipped.
    virtual void ouputTheBook();
    // saveToFolder joined with saveToFileName, or with "index.html" without one.
    virtual QString outputHTMLFileName() const;
    // What callers open to show the result.
    virtual QString outputFileName() const;

    // The preview folder: user data + "Tomefold/preview" ("/temp" stands in for
    // a missing user data folder). Not created here.
    QString GetPreviewPath();

    // ---- Book configuration -------------------------------------------------
    XmlDocument bookXML();
    QString GetVisibleButtons() const;
    static XmlNode AddChildToParent(const QString &name, const QString &value, XmlNode parent);
    static quint32 colorWithHexString(const QString &text);
    // Appends the root element of the XML file at `path` to `element`. False,
    // appending nothing, when the file is missing, empty or not XML.
    static bool MergeXML(XmlNode element, const QString &path);
    // Packs the configuration into `path` (and its script sidecar beside it).
    // The old file stays until the new one is complete. False when not written.
    bool ouputBookXML(const QString &path);
    // The packed file for the document bytes `entry`, archive stamped `when`.
    static QByteArray packConfig(const QByteArray &entry, const QDateTime &when);
    // The script sidecar text of a packed configuration file's bytes.
    static QByteArray configSidecar(const QByteArray &packedConfig, const QString &language = QString(),
                                    bool rightToLeft = false);
    // `text` as a double-quoted JavaScript string literal, safe inside a script element.
    static QByteArray jsStringLiteral(const QString &text);
    // Writes "<file>.js", which hands the file's bytes to the player as Base64.
    static void writeDataSidecar(const QString &file, const QString &relativePath);

    // ---- Page list ----------------------------------------------------------
    // Writes pages.xml into saveToFolder and returns its path; nothing when
    // `isEditor` is false or the file could not be written.
    std::optional<QString> BookPageConfig(const QString &basePath, bool isEditor);
    // The page list document of this book (what BookPageConfig writes).
    XmlDocument pageListDocument(const QString &basePath) const;
    QString getNormalPageURL(const FlashPagePtr &page) const;
    QString getThumbPageURL(const FlashPagePtr &page) const;
    QString getZoomedPageURL(const FlashPagePtr &page) const;

    // ---- Preparing steps: each works in `folder`, or in saveToFolder when "" --
    void removeExtFile(const QString &folder);
    void prepaireNomalPage(const QString &folder);
    void prepaireZoomendPage(const QString &folder);
    void prepaireThumbPage(const QString &folder);
    void prepaireExtFiles(const QString &folder);
    void prepaireExtFiles(const QString &folder, const FlashTemplatePropertyPtr &property);
    void PrepareAnnotationFiles(const QString &folder);
    void prepaireThemeFile(const QString &folder);

    // The key RC4 enciphers the packed configuration with; the player has it too.
    static QString packingKey() { return QStringLiteral("vellumkeystone"); }

protected:
    // P(key, default): the template's value, or the default without template.
    QString property(const QString &key, const QString &defaultValue) const;
    QString target(const QString &folder) const;
    QString filesFolder(const QString &folder) const;
    QString firstPagePreload() const;

private:
    FlashTemplatePtr m_flashTemplate;
    FlashPageSourcePtr m_flashPageSource;
    FlashPagesAnnotationsPtr m_flashPagesAnnotations;
    FlashOutlinePtr m_flashOutline;
    QString m_saveToFolder;
    QString m_saveToFileName;
    std::shared_ptr<HTMLConfigInfo> m_HTMLConfig;
    QString m_ThePreviewPath;
    QString m_basePath;
    bool m_isEditor = true;
    bool m_movePageFiles = false;
    // Where page files already moved went (a page named twice).
    QHash<QString, QString> m_moved;
    bool placePageFile(const QString &source, const QString &destination);

    const QString iResourceFolder = QStringLiteral("files");
    const QString iNormalPageFolder = QStringLiteral("page");
    const QString iThumbPageFolder = QStringLiteral("thumb");
    const QString iExterFilesFolder = QStringLiteral("extfiles");
    const QString iAnnotationFilesFolder = QStringLiteral("pageConfig");
    const bool iZoomedPageSameAsNormalPage = true;
};
