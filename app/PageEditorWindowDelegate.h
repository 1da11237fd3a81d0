#pragma once

#include "book/FlashPagesAnnotations.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class UserPrompts;

// The native side of the page editor: installs the editor page beside the
// preview book, copies the files the page chooses into the preview's
// files/editor folder, and writes the page list the page edited back into the
// preview folder. The window that shows the page connects its signals and hands
// it a way to call the page's own functions.
class PageEditorWindowDelegate : public QObject
{
    Q_OBJECT

public:
    explicit PageEditorWindowDelegate(UserPrompts *prompts, QObject *parent = nullptr);

    // Installs fresh copies of the editor page into `baseFolder` (the preview folder).
    void initWithBookXMLStr(const QString &bookXMLStr, const QString &baseFolder,
                            const FlashPagesAnnotationsPtr &annotations);
    // Trusts the editor's folder and asks the window to show the page anew.
    void ShowFlashEditorToForm();

    // The page's calls, by operation name (PageEditorBridge maps the script names).
    QString OnSelectImageFile();
    QString OnSelectImageFiles();
    QString OnSelectSWFFile();
    QString OnSelectMovieFile();
    QString OnSelectMusicFile();
    void OnDeleteFile(const QString &relativePath);
    // Writes the page's page list to pages.xml. False, and nothing written, when
    // the page answered nothing usable.
    bool OnSave();
    // Writes this page list (base folder taken out) to pages.xml; false, and
    // nothing written, when it is empty or not a well-formed document.
    bool savePageList(const QString &pageList);
    void OnSaveAndExit();
    void exitWithoutSave();
    void OpenHelp();

    // Copies `source` into files/editor under a time-stamped name; the path
    // relative to files/.
    QString CopytoAttachment(const QString &source);
    // Copies `source` into files/editor/<folder> under its own name; relative path.
    QString CopytoAttachmentNoRename(const QString &source, const QString &folder);
    // The time stamp of stored files: "ddMMYYHHmmss".
    static QString FormatDate();

    // How the delegate calls a function of the page ("GetPageConfig()") and
    // gets its text answer synchronously. The window installs it.
    using ScriptEvaluator = std::function<QString(const QString &script)>;
    void setScriptEvaluator(ScriptEvaluator evaluator) { m_evaluate = std::move(evaluator); }

    const QString &bookXMLStr() const { return m_bookXMLStr; }
    const QString &baseFolder() const { return m_baseFolder; }
    const QString &htmlPath() const { return m_htmlPath; }
    const FlashPagesAnnotationsPtr &flashPagesAnnotations() const { return iFlashPagesAnnotations; }
    bool loaded() const { return m_loaded; }

signals:
    // Show this page in a new web view and publish the bridge to it.
    void showEditorPage(const QUrl &page);
    // The editor is done: 1 saved and left, 0 left without saving.
    void sheetEnded(int code);

private:
    QString callPage(const QString &script) const;
    QString chooseAndStore(const QString &title, const QStringList &types);

    UserPrompts *m_prompts;
    ScriptEvaluator m_evaluate;
    QString m_bookXMLStr;
    QString m_baseFolder;
    QString m_htmlPath;
    FlashPagesAnnotationsPtr iFlashPagesAnnotations;
    bool m_loaded = false;
};
