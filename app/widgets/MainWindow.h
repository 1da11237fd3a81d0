#pragma once

#include "app/MainWindowView.h"
#include "app/widgets/WidgetPrompts.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class FlashTemplateOutline;
class Foliant_for_macAppDelegate;
class ImportDialog;
#include "app/widgets/PageEditorWindow.h"
class PreviewFrame;
class PublishDialog;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QWebEngineView;
class SelectTemplateWindow;

// The main window: toolbar and menus with the commands, the template's
// property outline with its help box, and the preview of the book.
class MainWindow : public QMainWindow, public MainWindowView
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Connects the commands to the controller.
    void setController(Foliant_for_macAppDelegate *controller);

    void bringToFront() override;
    void setTitle(const QString &title) override;
    QRect screenFrame() const override;
    void setFrame(const QRect &frame) override;
    void loadPreview(const QUrl &url) override;
    void setApplyImage(const QString &name) override;
    void showPropertyTip(const QString &title, const QString &description) override;
    void setPropertyOutline(FlashTemplateOutlineDelegate *model) override;
    void reloadOutline(bool expandAll) override;
    void showStatus(const QString &message) override;
    QModelIndex selectedPropertyIndex() const override;
    int runImportSheet(ImportWindowDelegate &dialog) override;
    int runTemplateSheet(SelectTemplateWindowDelegate &dialog) override;
    int runPublishSheet(OutputWindowDelegate &dialog) override;
    int runPageEditorSheet(PageEditorWindowDelegate &dialog) override;
    UserPrompts &prompts() override;
    // Tests answer the person's questions in advance.
    void setPrompts(UserPrompts *prompts) { m_promptsOverride = prompts; }

    // Parts of the window, for tests and screenshots.
    FlashTemplateOutline *outline() const { return m_outline; }
    QWebEngineView *preview() const { return m_preview; }
    PreviewFrame *previewFrame() const { return m_previewFrame; }
    QAction *applyAction() const { return m_apply; }
    QLabel *tipText() const { return m_tipText; }
    QGroupBox *tipBox() const { return m_tipBox; }
    const QString &applyImage() const { return m_applyImage; }
    ImportDialog *importDialog() const { return m_importDialog; }
    PublishDialog *publishDialog() const { return m_publishDialog; }
    SelectTemplateWindow *templateWindow() const { return m_templateWindow; }
    // The page editor while it is open; none otherwise.
    PageEditorWindow *pageEditorWindow() const { return m_pageEditorWindow; }
    // Called whenever a sheet has been created and is about to run (tests
    // drive it from here).
    std::function<void(QDialog *)> onSheetShown;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QAction *addCommand(const QString &text, const QString &icon, const QKeySequence &shortcut, const QString &tip);
    int runSheet(QDialog *dialog);
    static QString droppedPdf(const QMimeData *mime);
    void fillRecentMenu();

    Foliant_for_macAppDelegate *m_controller = nullptr;
    WidgetPrompts m_prompts{this};
    UserPrompts *m_promptsOverride = nullptr;
    FlashTemplateOutline *m_outline;
    QGroupBox *m_tipBox;
    QLabel *m_tipText;
    PreviewFrame *m_previewFrame;
    QWebEngineView *m_preview;
    QAction *m_import = nullptr, *m_template = nullptr, *m_importSettings = nullptr, *m_exportSettings = nullptr,
            *m_pageEditor = nullptr, *m_publish = nullptr, *m_help = nullptr, *m_apply = nullptr,
            *m_openProject = nullptr, *m_saveProject = nullptr, *m_saveProjectAs = nullptr;
    QMenu *m_recentMenu = nullptr;
    QString m_applyImage;
    ImportDialog *m_importDialog = nullptr;
    PublishDialog *m_publishDialog = nullptr;
    SelectTemplateWindow *m_templateWindow = nullptr;
    QPointer<PageEditorWindow> m_pageEditorWindow;
    bool m_restoredGeometry = false;
};
