#include "app/widgets/MainWindow.h"

#include "app/Foliant_for_macAppDelegate.h"
#include "app/PageEditorWindowDelegate.h"
#include "app/widgets/ImportDialog.h"
#include "app/widgets/PageEditorWindow.h"
#include "app/widgets/PreviewFrame.h"
#include "app/widgets/PublishDialog.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/widgets/FlashTemplateOutline.h"
#include "templates/widgets/SelectTemplateWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
QIcon namedIcon(const QString &name)
{
    return name.isEmpty() ? QIcon() : QIcon(Paths::resource(QStringLiteral("icons/%1.svg").arg(name)));
}
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowIcon(namedIcon(QStringLiteral("foliant")));
    setAcceptDrops(true);
    setUnifiedTitleAndToolBarOnMac(true);

    m_outline = new FlashTemplateOutline(this);
    m_tipBox = new QGroupBox(tr("Property"), this);
    m_tipText = new QLabel(tr("Select a property to read what it changes."), m_tipBox);
    m_tipText->setWordWrap(true);
    m_tipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tipText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_tipText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *tipLayout = new QVBoxLayout(m_tipBox);
    tipLayout->addWidget(m_tipText);
    m_tipBox->setMinimumHeight(110);
    m_tipBox->setMaximumHeight(170);

    auto *side = new QWidget(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(6, 6, 0, 6);
    sideLayout->addWidget(m_outline, 1);
    sideLayout->addWidget(m_tipBox);

    m_previewFrame = new PreviewFrame(this);
    m_preview = m_previewFrame->view();
    m_preview->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    m_preview->setToolTip(QString());
    m_preview->setHtml(QStringLiteral("<html><body style='background:#2d3748'></body></html>"));

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(side);
    splitter->addWidget(m_previewFrame);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({380, 900});
    splitter->setChildrenCollapsible(false);
    side->setMinimumWidth(300);
    setCentralWidget(splitter);

    auto *toolbar = addToolBar(tr("Commands"));
    toolbar->setObjectName(QStringLiteral("Commands"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(32, 32));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    // The menus show the texts with their access keys; the toolbar drops the "&".
    m_import = addCommand(tr("&Import PDF"), QStringLiteral("import"), QKeySequence(tr("Ctrl+I")),
                          tr("Turn a PDF document into the book (Ctrl+I); you can also drop a PDF on the window"));
    m_template = addCommand(tr("Choose &Template"), QStringLiteral("template"), QKeySequence(tr("Ctrl+T")),
                            tr("Choose the book's template and style (Ctrl+T)"));
    m_template->setIconText(tr("Template"));
    m_importSettings = addCommand(tr("&Import Settings"), QStringLiteral("import-settings"),
                                  QKeySequence(tr("Ctrl+Shift+I")), tr("Load property values from a settings file"));
    m_exportSettings = addCommand(tr("&Export Settings"), QStringLiteral("export-settings"),
                                  QKeySequence(tr("Ctrl+Shift+E")), tr("Save the property values to a settings file"));
    m_pageEditor = addCommand(tr("&Page Editor"), QStringLiteral("page-editor"), QKeySequence(tr("Ctrl+E")),
                              tr("Place links, images, video and sound on the pages (Ctrl+E)"));
    m_publish = addCommand(tr("&Publish"), QStringLiteral("publish"), QKeySequence(tr("Ctrl+P")),
                           tr("Write the book for the web (Ctrl+P)"));
    m_help = addCommand(tr("&Manual"), QStringLiteral("help"), QKeySequence::HelpContents, tr("Open the manual (F1)"));
    m_help->setIconText(tr("Help"));
    m_apply = addCommand(tr("&Apply Changes"), QStringLiteral("apply"), QKeySequence(tr("Ctrl+R")),
                         tr("Show property changes in the preview (Ctrl+R)"));
    m_apply->setIconText(tr("Apply"));
    m_apply->setObjectName(QStringLiteral("toolBarItemApplyChange"));

    toolbar->addAction(m_import);
    toolbar->addAction(m_template);
    toolbar->addSeparator();
    toolbar->addAction(m_importSettings);
    toolbar->addAction(m_exportSettings);
    toolbar->addSeparator();
    toolbar->addAction(m_pageEditor);
    toolbar->addAction(m_publish);
    auto *spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    toolbar->addAction(m_apply);
    toolbar->addAction(m_help);

    m_openProject =
        addCommand(tr("&Open Project…"), QString(), QKeySequence::Open, tr("Open a saved book project (Ctrl+O)"));
    m_saveProject = addCommand(tr("&Save Project"), QString(), QKeySequence::Save,
                               tr("Save the book with its pages, links and settings (Ctrl+S)"));
    m_saveProjectAs = addCommand(tr("Save Project &As…"), QString(), QKeySequence(tr("Ctrl+Shift+S")),
                                 tr("Save the book as a new project file (Ctrl+Shift+S)"));

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(m_openProject);
    m_recentMenu = file->addMenu(tr("Open &Recent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addAction(m_saveProject);
    file->addAction(m_saveProjectAs);
    file->addSeparator();
    file->addAction(m_import);
    file->addAction(m_publish);
    file->addSeparator();
    QAction *quit = file->addAction(tr("&Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    QMenu *tmpl = menuBar()->addMenu(tr("&Template"));
    tmpl->addAction(m_template);
    tmpl->addAction(m_importSettings);
    tmpl->addAction(m_exportSettings);
    tmpl->addSeparator();
    tmpl->addAction(m_apply);
    QMenu *book = menuBar()->addMenu(tr("&Book"));
    book->addAction(m_pageEditor);
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(m_help);
    help->addAction(tr("&About Foliant"), this, [this] {
        QMessageBox::about(this, tr("About Foliant"),
                           tr("<h3>Foliant</h3><p>Turns PDF documents into page-turning books for the web.</p>"));
    });

    statusBar()->showMessage(tr("Drop a PDF on the window to import it"), 8000);
    setApplyImage(QStringLiteral("apply"));
}

MainWindow::~MainWindow() = default;

QAction *MainWindow::addCommand(const QString &text, const QString &icon, const QKeySequence &shortcut,
                                const QString &tip)
{
    auto *action = new QAction(namedIcon(icon), text, this);
    action->setShortcut(shortcut);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    return action;
}

void MainWindow::setController(Foliant_for_macAppDelegate *controller)
{
    m_controller = controller;
    auto bind = [this](QAction *action, void (Foliant_for_macAppDelegate::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] {
            // One sheet at a time: commands wait while a dialog is up.
            if (m_controller && !QApplication::activeModalWidget())
                (m_controller->*command)();
        });
    };
    // An import replaces the book: unsaved work is offered for saving first.
    connect(m_import, &QAction::triggered, this, [this] {
        if (m_controller && !QApplication::activeModalWidget() && m_controller->maybeSaveChanges())
            m_controller->OnImportPDF();
    });
    bind(m_template, &Foliant_for_macAppDelegate::onSelectTemplate);
    bind(m_importSettings, &Foliant_for_macAppDelegate::OnImportTmplSettings);
    bind(m_exportSettings, &Foliant_for_macAppDelegate::OnExportTmplSettings);
    bind(m_pageEditor, &Foliant_for_macAppDelegate::OnPageEditor);
    bind(m_publish, &Foliant_for_macAppDelegate::OnExportFlipBook);
    bind(m_help, &Foliant_for_macAppDelegate::OnOpenHelp);
    bind(m_apply, &Foliant_for_macAppDelegate::OnApplyChange);
    auto bindAnswer = [this](QAction *action, bool (Foliant_for_macAppDelegate::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] {
            if (m_controller && !QApplication::activeModalWidget())
                (m_controller->*command)();
        });
    };
    bindAnswer(m_openProject, &Foliant_for_macAppDelegate::OnOpenProject);
    bindAnswer(m_saveProject, &Foliant_for_macAppDelegate::OnSaveProject);
    bindAnswer(m_saveProjectAs, &Foliant_for_macAppDelegate::OnSaveProjectAs);
}

void MainWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = Foliant_for_macAppDelegate::recentProjects();
    int n = 0;
    for (const QString &path : recent) {
        // Access keys 1-9 for the first nine.
        const QString text =
            ++n <= 9 ? QStringLiteral("&%1 %2").arg(n).arg(QFileInfo(path).fileName()) : QFileInfo(path).fileName();
        QAction *action = m_recentMenu->addAction(text, this, [this, path] {
            if (m_controller && !QApplication::activeModalWidget() && m_controller->maybeSaveChanges())
                m_controller->openProject(path);
        });
        action->setStatusTip(QDir::toNativeSeparators(path));
    }
    if (recent.isEmpty())
        m_recentMenu->addAction(tr("No Recent Projects"))->setEnabled(false);
}

void MainWindow::bringToFront()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::setTitle(const QString &title)
{
    setWindowTitle(title);
}

QRect MainWindow::screenFrame() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void MainWindow::setFrame(const QRect &frame)
{
    // A size the user chose last time wins over filling the screen.
    const auto store = UserDefaults::open();
    const QByteArray saved = store->value(QStringLiteral("MainWindow/geometry")).toByteArray();
    if (!saved.isEmpty() && restoreGeometry(saved)) {
        m_restoredGeometry = true;
        return;
    }
    if (!frame.isEmpty())
        setGeometry(frame);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_controller && !m_controller->maybeSaveChanges()) {
        event->ignore();
        return;
    }
    const auto store = UserDefaults::open();
    store->setValue(QStringLiteral("MainWindow/geometry"), saveGeometry());
    store->sync();
    QMainWindow::closeEvent(event);
}

void MainWindow::loadPreview(const QUrl &url)
{
    m_preview->load(url);
}

void MainWindow::setApplyImage(const QString &name)
{
    m_applyImage = name;
    m_apply->setIcon(namedIcon(name));
}

void MainWindow::showPropertyTip(const QString &title, const QString &description)
{
    m_tipBox->setTitle(title);
    m_tipText->setText(description);
}

void MainWindow::setPropertyOutline(FlashTemplateOutlineDelegate *model)
{
    m_outline->setOutlineModel(model);
}

void MainWindow::reloadOutline(bool expandAll)
{
    if (!m_outline->outlineModel())
        return;
    m_outline->reloadKeepingState();
    if (expandAll)
        m_outline->expandAll();
}

void MainWindow::showStatus(const QString &message)
{
    statusBar()->showMessage(message, 10000);
}

QModelIndex MainWindow::selectedPropertyIndex() const
{
    return m_outline->selectedRow();
}

UserPrompts &MainWindow::prompts()
{
    return m_promptsOverride ? *m_promptsOverride : m_prompts;
}

namespace {
// The first control a person fills in: the first field in the Tab order, or
// the first control of any kind when the dialog has no field.
QWidget *firstField(QDialog *dialog)
{
    QWidget *first = nullptr;
    for (QWidget *w = dialog->nextInFocusChain(); w && w != dialog; w = w->nextInFocusChain()) {
        if (!dialog->isAncestorOf(w) || !w->isVisibleTo(dialog) || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        if (!qobject_cast<QAbstractButton *>(w))
            return w;
        if (!first)
            first = w;
    }
    return first;
}
} // namespace

int MainWindow::runSheet(QDialog *dialog)
{
    dialog->setWindowModality(Qt::WindowModal);
    // A dialog opens on its first field, not on the button used last time.
    QTimer::singleShot(0, dialog, [dialog] {
        if (QWidget *field = firstField(dialog))
            field->setFocus(Qt::TabFocusReason);
    });
    if (onSheetShown)
        onSheetShown(dialog);
    return dialog->exec();
}

int MainWindow::runImportSheet(ImportWindowDelegate &dialog)
{
    if (!m_importDialog)
        m_importDialog = new ImportDialog(dialog, this);
    return runSheet(m_importDialog);
}

int MainWindow::runTemplateSheet(SelectTemplateWindowDelegate &dialog)
{
    if (!m_templateWindow)
        m_templateWindow = new SelectTemplateWindow(dialog, this);
    return runSheet(m_templateWindow);
}

int MainWindow::runPublishSheet(OutputWindowDelegate &dialog)
{
    if (!m_publishDialog)
        m_publishDialog = new PublishDialog(dialog, this);
    return runSheet(m_publishDialog);
}

int MainWindow::runPageEditorSheet(PageEditorWindowDelegate &dialog)
{
    // A fresh window with a fresh page each time: nothing of an earlier session
    // survives but what it saved into the page list.
    delete m_pageEditorWindow;
    m_pageEditorWindow = new PageEditorWindow(dialog, this);
    dialog.ShowFlashEditorToForm();
    const int code = runSheet(m_pageEditorWindow);
    delete m_pageEditorWindow;
    return code;
}

QString MainWindow::droppedPdf(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return QString();
    const QUrl url = mime->urls().first();
    if (!url.isLocalFile())
        return QString();
    const QString path = url.toLocalFile();
    return QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0 ? path : QString();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPdf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedPdf(event->mimeData());
    if (path.isEmpty() || !m_controller)
        return;
    event->acceptProposedAction();
    // Let the drop finish before the dialog's own event loop starts.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (m_controller->maybeSaveChanges())
                m_controller->importPDFFile(path);
        },
        Qt::QueuedConnection);
}
