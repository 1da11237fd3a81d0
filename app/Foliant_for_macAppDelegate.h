#pragma once

#include "app/ImportService.h"
#include "app/MainWindowView.h"
#include "app/PublishService.h"
#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"
#include "book/FlashPagesAnnotations.h"
#include "platform/NotificationCenter.h"
#include "platform/Result.h"
#include "templates/FlashTemplate.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTimer>

#include <memory>

class FlashTemplateOutlineDelegate;
class ImportWindowDelegate;
class OutputWindowDelegate;
class PageEditorWindowDelegate;
class SelectTemplateWindowDelegate;

// The application controller: owns the current book and template and the
// preview folder, runs start-up, carries out the main window's commands,
// applies changes to the preview and cleans up at termination. It talks to its
// window only through MainWindowView, so it runs headless in the command-line
// tool and the tests.
class Foliant_for_macAppDelegate : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *APP_NAME = "Foliant Pro for Mac";

    explicit Foliant_for_macAppDelegate(MainWindowView *window, QObject *parent = nullptr);
    ~Foliant_for_macAppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // ---- Commands of the main window --------------------------------------------
    void OnApplyChange();
    void OnImportPDF();
    // Opens the import dialog with this file filled in (a PDF dropped on the window).
    void importPDFFile(const QString &path);
    void onSelectTemplate();
    void OnImportTmplSettings();
    void OnExportTmplSettings();
    void OnPageEditor();
    void OnExportFlipBook();
    void OnOpenHelp();

    // ---- The commands' work without their dialogs (the command-line tool) -----
    // The imported book becomes the current book, as after the import dialog.
    void useImportedBook(const ImportedBook &book);
    // The style `styleName` of `tmplName`, as a double-click in the template chooser picks it.
    Result<void> chooseTemplateStyle(const QString &tmplName, const QString &styleName);
    // Reads a settings file into the template (Import Settings); a failure names the file.
    Result<void> importTmplSettingsFrom(const QString &path);
    // Writes the template's settings (Export Settings), ".txt" added to a name
    // without extension; the file written, or a failure naming it.
    Result<QString> exportTmplSettingsTo(const QString &path);
    // Property values as the property editor stores them, then Apply.
    Result<void> setTmplPropertyValues(const QList<QPair<QString, QString>> &values);
    // A request to publish the current book; the caller says where and how.
    PublishRequest publishRequest() const;

    // ---- Projects ---------------------------------------------------------------
    // Each answers whether the book was saved / opened.
    bool OnSaveProject();
    bool OnSaveProjectAs();
    bool OnOpenProject();
    bool openProject(const QString &path, QString *error = nullptr);
    bool saveProjectTo(const QString &path);
    // Before work would be lost (close, quit, import, open): asks Save / Don't
    // Save / Cancel when there are unsaved changes. True when the caller may go on.
    bool maybeSaveChanges();
    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    const QString &projectPath() const { return m_projectPath; }
    // "name — Foliant Pro for Mac" with a "*" after the name while changes are
    // unsaved; the application's name alone while nothing needs saving and no
    // project is open.
    QString windowTitle() const;
    // Projects opened or saved, the latest first.
    static QStringList recentProjects();

    // ---- Sheet results ----------------------------------------------------------
    void importWindowDidEnd(int returnCode);
    void selectTmplWindowDidEnd(int returnCode);
    // Makes the style in `stylePath` (a style folder of a template) current.
    void useTemplateStyle(const QString &stylePath);
    void pageEditorWindowDidEnd(int returnCode);

    // ---- Internal operations ----------------------------------------------------
    void prepaireTheLog();
    QStringList PageSource(const QString &folder) const;
    void makeFlashPreviewFolder();
    void removeFlashPreviewFolder();
    void InitPageConfig(const QString &basePath);
    void applyChange();
    // Puts the preview's "files/" folder into the page list's base attribute
    // (true) for the page editor, or takes it out again (false).
    void ReplaceXMLPath(bool forEditor);

    void updateTmplPropertyTip(const Notification &note);
    void tmplPpertyValueChanged(const Notification &note);
    void onTimerEvent();

    // ---- State ------------------------------------------------------------------
    FlashPageSourcePtr flashPageSource() const { return iFlashPageSource; }
    void setFlashPageSource(FlashPageSourcePtr source) { iFlashPageSource = std::move(source); }
    const FlashPagesAnnotationsPtr &flashPagesAnnotations() const { return iFlashPagesAnnotations; }
    void setFlashPagesAnnotations(const FlashPagesAnnotationsPtr &a) { iFlashPagesAnnotations = a; }
    const FlashOutlinePtr &flashOutline() const { return iFlashOutline; }
    void setFlashOutline(const FlashOutlinePtr &o) { iFlashOutline = o; }
    const FlashTemplatePtr &flashTmpl() const { return iFlashTmpl; }
    const QString &flashPreviewFolder() const { return iFlashPreviewFolder; }
    bool isApplyPending() const { return iApplyChangeTimer != nullptr; }
    int applyFrameTag() const { return m_applyTag; }

    FlashTemplateOutlineDelegate *outlineDelegate() const { return tmplDelegate; }
    ImportWindowDelegate *importDelegate() const { return m_importDelegate; }
    OutputWindowDelegate *outputDelegate() const { return m_outputDelegate; }
    PageEditorWindowDelegate *pageEditorDelegate() const { return m_pageEditorDelegate; }
    SelectTemplateWindowDelegate *selectTemplateDelegate() const { return m_selectTmplDelegate; }

    // Path of the log file below the user data root.
    static QString logFilePath();

private:
    // Runs one command; an exception is logged and shown, never let through.
    template <typename F> void guarded(const char *command, F &&body);
    void createDelegates();
    static void rememberRecent(const QString &path);

    MainWindowView *window;
    FlashTemplatePtr iFlashTmpl;
    FlashTemplateOutlineDelegate *tmplDelegate = nullptr;
    FlashPageSourcePtr iFlashPageSource;
    FlashPagesAnnotationsPtr iFlashPagesAnnotations;
    FlashOutlinePtr iFlashOutline;
    QTimer *iApplyChangeTimer = nullptr;
    int m_applyTag = 0; // the Apply button's frame counter
    QString iFlashPreviewFolder;
    QString m_offeredTitle; // the book title last put into the publish dialog
    QString m_projectPath;  // the open project, "" for none
    bool m_modified = false;
    std::vector<ScopedObserver> m_observers;

    ImportWindowDelegate *m_importDelegate = nullptr;
    OutputWindowDelegate *m_outputDelegate = nullptr;
    PageEditorWindowDelegate *m_pageEditorDelegate = nullptr;
    SelectTemplateWindowDelegate *m_selectTmplDelegate = nullptr;
};
