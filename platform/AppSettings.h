#pragma once

#include <QString>

#include <atomic>

// The user's last choices in the import and publish dialogs, kept in the
// user-defaults store, plus the book's page size in pixels, which travels from
// the import to the page list and mobile writers. One instance per process.
class AppSettings
{
public:
    static AppSettings *shareInstance();

    void loadSettings();
    void saveSettings();

    const QString &lastImportedFile() const { return m_lastImportedFile; }
    void setLastImportedFile(const QString &v) { m_lastImportedFile = v; }
    int importPageRangeType() const { return m_importPageRangeType; }
    void setImportPageRangeType(int v) { m_importPageRangeType = v; }
    const QString &importPageRange() const { return m_importPageRange; }
    void setImportPageRange(const QString &v) { m_importPageRange = v; }
    int importQualityLevel() const { return m_importQualityLevel; }
    void setImportQualityLevel(int v) { m_importQualityLevel = v; }
    const QString &lastOutputFileFolder() const { return m_lastOutputFileFolder; }
    void setLastOutputFileFolder(const QString &v) { m_lastOutputFileFolder = v; }
    const QString &lastOutputFileName() const { return m_lastOutputFileName; }
    void setLastOutputFileName(const QString &v) { m_lastOutputFileName = v; }
    const QString &lastOutputFileTitle() const { return m_lastOutputFileTitle; }
    void setLastOutputFileTitle(const QString &v) { m_lastOutputFileTitle = v; }
    int OutputCreateMobile() const { return m_OutputCreateMobile; }
    void setOutputCreateMobile(int v) { m_OutputCreateMobile = v; }
    int MobileType() const { return m_MobileType; }
    void setMobileType(int v) { m_MobileType = v; }
    int outputType() const { return m_outputType; }
    void setOutputType(int v) { m_outputType = v; }
    int importBookmark() const { return m_importBookmark; }
    void setImportBookmark(int v) { m_importBookmark = v; }
    int importLinks() const { return m_importLinks; }
    void setImportLinks(int v) { m_importLinks = v; }
    // 1 (the default) when imports extract the pages' text, 0 when not. Kept
    // under a key of its own, apart from the fifteen fields above.
    int importText() const { return m_importText; }
    void setImportText(int v) { m_importText = v; }
    int ImportType() const { return m_ImportType; }
    void setImportType(int v) { m_ImportType = v; }
    // Written by the import thread, read by the main thread after the import.
    int PageWidth() const { return m_PageWidth.load(); }
    void setPageWidth(int v) { m_PageWidth.store(v); }
    int PageHeight() const { return m_PageHeight.load(); }
    void setPageHeight(int v) { m_PageHeight.store(v); }

    // JPEG quality of an import quality level: 0..4 give 100, 85, 65, 45, 25;
    // anything else 100.
    static int qualityForLevel(int level);

    // Drops the instance so that the next shareInstance() loads afresh, as a new
    // process would. For tests only.
    static void resetSharedInstance();

private:
    AppSettings();
    void autoLoad();
    void autoSave();

    QString m_lastImportedFile;
    int m_importPageRangeType = 0;
    QString m_importPageRange;
    int m_importQualityLevel = 0;
    QString m_lastOutputFileFolder;
    QString m_lastOutputFileName;
    QString m_lastOutputFileTitle;
    int m_OutputCreateMobile = 0;
    int m_MobileType = 0;
    int m_outputType = 0;
    int m_importBookmark = 0;
    int m_importLinks = 0;
    int m_ImportType = 0;
    int m_importText = 1;
    std::atomic<int> m_PageWidth{0};
    std::atomic<int> m_PageHeight{0};
};
