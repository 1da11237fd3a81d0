#include "app/Foliant_for_macAppDelegate.h"

#include "platform/AppSettings.h"
#include "app/BookProject.h"
#include "app/ImportWindowDelegate.h"
#include "platform/MarlspanUtility.h"
#include "app/OutputWindowDelegate.h"
#include "app/PageEditorWindowDelegate.h"
#include "book/FlashPageSourceImg.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "publish/FlashBookOutput.h"
#include "publish/HTMLConfigInfo.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/SelectTemplateWindowDelegate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {
const auto logger = Logging::logger("Foliant_for_macAppDelegate");
const QString kAppName = QString::fromLatin1(Foliant_for_macAppDelegate::APP_NAME);
const QStringList kPanoramaFaces = {QStringLiteral("b.jpg"), QStringLiteral("d.jpg"), QStringLiteral("f.jpg"),
                                    QStringLiteral("l.jpg"), QStringLiteral("r.jpg"), QStringLiteral("u.jpg")};
} // namespace

Foliant_for_macAppDelegate::Foliant_for_macAppDelegate(MainWindowView *window, QObject *parent)
    : QObject(parent), window(window)
{
    tmplDelegate = new FlashTemplateOutlineDelegate(this);
}

Foliant_for_macAppDelegate::~Foliant_for_macAppDelegate() = default;

template <typename F> void Foliant_for_macAppDelegate::guarded(const char *command, F &&body)
{
    try {
        body();
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, command << " failed:" << describeException(e));
        window->prompts().showMessage(
            QCoreApplication::translate("Foliant_for_macAppDelegate", "The command could not be completed."),
            describeException(e));
    }
}

void Foliant_for_macAppDelegate::createDelegates()
{
    if (m_importDelegate)
        return;
    m_importDelegate = new ImportWindowDelegate(&window->prompts(), this);
    m_outputDelegate = new OutputWindowDelegate(&window->prompts(), this);
    m_pageEditorDelegate = new PageEditorWindowDelegate(&window->prompts(), this);
    m_selectTmplDelegate = new SelectTemplateWindowDelegate(this);
    m_importDelegate->awakeFromNib();
    m_outputDelegate->awakeFromNib();
}

QString Foliant_for_macAppDelegate::logFilePath()
{
    const QString base =
        Paths::userData().isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : Paths::userData();
    return Paths::join(base, QStringLiteral("Tessaloom/%1/%2.log").arg(QStringLiteral("Platewise"), kAppName));
}

void Foliant_for_macAppDelegate::prepaireTheLog()
{
    const QString logFile = logFilePath();
    QDir().mkpath(QFileInfo(logFile).path());
    Logging::configure(Paths::resource(QStringLiteral("logging.properties")), logFile);
}

void Foliant_for_macAppDelegate::applicationDidFinishLaunching()
{
    prepaireTheLog();
    LOG4CXX_INFO(logger, "version is:" << FOLIANT_VERSION);
    window->bringToFront();
    window->setTitle(kAppName);
    iFlashPreviewFolder.clear();
    const QRect screen = window->screenFrame();
    window->setFrame(QRect(0, 0, screen.width(), screen.height()));

    auto sample = std::make_shared<FlashPageSourceImg>();
    for (const QString &path : PageSource(QStringLiteral("DemoImgs/large")))
        sample->addImgPageFromFile(path);
    sample->generateNormalPages();
    iFlashPageSource = sample;

    iFlashTmpl = std::make_shared<FlashTemplate>();
    tmplDelegate->setFlashTmpl(iFlashTmpl);
    window->setPropertyOutline(tmplDelegate);
    window->reloadOutline(true);

    m_observers.emplace_back(QStringLiteral("UpdateFlashTmplProTipNotification"),
                             [this](const Notification &n) { updateTmplPropertyTip(n); });
    m_observers.emplace_back(QStringLiteral("FlashTmplProValueChangedNotification"),
                             [this](const Notification &n) { tmplPpertyValueChanged(n); });

    createDelegates();
    InitPageConfig(QString());
    applyChange();
    m_modified = false;
    window->setTitle(windowTitle());
}

QStringList Foliant_for_macAppDelegate::PageSource(const QString &folder) const
{
    QDir dir(Paths::resource(folder));
    QStringList paths;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name))
        if (info.suffix() == QStringLiteral("jpg"))
            paths.append(info.absoluteFilePath());
    if (paths.isEmpty())
        LOG4CXX_WARN(logger, "no sample pages in " << dir.path());
    return paths;
}

void Foliant_for_macAppDelegate::makeFlashPreviewFolder()
{
    const QString base = Paths::userData().isEmpty() ? QStringLiteral("/temp") : Paths::userData();
    iFlashPreviewFolder = Paths::join(base, QStringLiteral("/Tomefold/preview/"));
    if (!QFileInfo(iFlashPreviewFolder).isDir() && !QDir().mkpath(iFlashPreviewFolder))
        LOG4CXX_WARN(logger, "flash preview folder cannot be crearted[" << iFlashPreviewFolder << "]");
    MarlspanUtility::makeDiractoryTrustByFlash(iFlashPreviewFolder);
}

void Foliant_for_macAppDelegate::removeFlashPreviewFolder()
{
    if (!iFlashPreviewFolder.isEmpty())
        QDir(iFlashPreviewFolder).removeRecursively();
}

void Foliant_for_macAppDelegate::InitPageConfig(const QString &)
{
    try {
        if (iFlashPreviewFolder.isEmpty())
            makeFlashPreviewFolder();
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, "apply change :" << describeException(e));
    }
}

void Foliant_for_macAppDelegate::OnApplyChange()
{
    applyChange();
}

void Foliant_for_macAppDelegate::applyChange()
{
    if (iApplyChangeTimer) {
        iApplyChangeTimer->stop();
        iApplyChangeTimer->deleteLater();
        iApplyChangeTimer = nullptr;
    }
    window->setApplyImage(QStringLiteral("apply"));
    if (iFlashPreviewFolder.isEmpty())
        makeFlashPreviewFolder();
    auto html = std::make_shared<HTMLConfigInfo>();
    try {
        FlashBookOutput output(iFlashPageSource, iFlashTmpl, iFlashPreviewFolder, QStringLiteral("index.html"));
        output.setFlashPagesAnnotations(iFlashPagesAnnotations);
        output.setFlashOutline(iFlashOutline);
        if (!window->showsPreview()) {
            // Copying every page into a preview no one sees would cost a headless
            // publication as much again; the page list is what it merges.
            if (!QFileInfo::exists(QStringLiteral("%1/pages.xml").arg(iFlashPreviewFolder)))
                output.BookPageConfig(QString(), true);
            return;
        }
        html->setHTMLTitle(QStringLiteral("Preview"));
        output.setHTMLConfig(html);
        output.ouputTheBook();
        InitPageConfig(QString());
        window->loadPreview(QUrl::fromLocalFile(output.outputFileName()));
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, "apply change :" << describeException(e));
    }
}

void Foliant_for_macAppDelegate::tmplPpertyValueChanged(const Notification &)
{
    setModified(true);
    if (iApplyChangeTimer)
        return;
    iApplyChangeTimer = new QTimer(this);
    iApplyChangeTimer->setInterval(330);
    connect(iApplyChangeTimer, &QTimer::timeout, this, &Foliant_for_macAppDelegate::onTimerEvent);
    iApplyChangeTimer->start();
}

void Foliant_for_macAppDelegate::onTimerEvent()
{
    m_applyTag = (m_applyTag + 1) % 3;
    window->setApplyImage(QStringLiteral("apply%1").arg(m_applyTag + 1));
}

void Foliant_for_macAppDelegate::updateTmplPropertyTip(const Notification &)
{
    const FlashTemplateProperty *node = tmplDelegate->propertyAt(window->selectedPropertyIndex());
    if (node)
        window->showPropertyTip(node->displayTitle(), node->displayDesc());
}

void Foliant_for_macAppDelegate::applicationWillTerminate()
{
    if (iApplyChangeTimer)
        iApplyChangeTimer->stop();
    QDir(Paths::join(Paths::temp(), QStringLiteral("Quirefold"))).removeRecursively();
    iFlashTmpl.reset();
    iFlashPageSource.reset();
    removeFlashPreviewFolder();
}

// ---- Import ----------------------------------------------------------------------

void Foliant_for_macAppDelegate::OnImportPDF()
{
    createDelegates();
    guarded("import pdf", [this] { importWindowDidEnd(window->runImportSheet(*m_importDelegate)); });
}

void Foliant_for_macAppDelegate::importPDFFile(const QString &path)
{
    createDelegates();
    m_importDelegate->txtImportFile = path;
    emit m_importDelegate->fieldsChanged();
    OnImportPDF();
}

void Foliant_for_macAppDelegate::importWindowDidEnd(int returnCode)
{
    if (returnCode != 1)
        return;
    const ImportWindowDelegate *d = m_importDelegate;
    if (!d->flashPageSource()) {
        LOG4CXX_WARN(logger, "the import dialog ended without a book; the current book stays");
        return;
    }
    ImportedBook book;
    book.pageSource = d->flashPageSource();
    book.annotations = d->flashPagesAnnotations();
    book.outline = d->flashOutline();
    book.pageWidth = d->pageWidth();
    book.pageHeight = d->pageHeight();
    useImportedBook(book);
}

void Foliant_for_macAppDelegate::useImportedBook(const ImportedBook &book)
{
    InitPageConfig(QString());
    QFile::remove(QStringLiteral("%1/pages.xml").arg(iFlashPreviewFolder));
    if (iFlashTmpl) {
        iFlashTmpl->setPropertyValue(QStringLiteral("pageWidth"), QString::number(book.pageWidth));
        iFlashTmpl->setPropertyValue(QStringLiteral("pageHeight"), QString::number(book.pageHeight));
    }
    InitPageConfig(QString());
    iFlashPageSource = book.pageSource;
    iFlashPagesAnnotations = book.annotations;
    iFlashOutline = book.outline;
    window->reloadOutline(false);
    applyChange();
    setModified(true);
}

// ---- Template and settings ---------------------------------------------------------

void Foliant_for_macAppDelegate::onSelectTemplate()
{
    createDelegates();
    guarded("select template", [this] {
        m_selectTmplDelegate->prepairToTmpl(iFlashTmpl ? iFlashTmpl->tmplName() : QString());
        selectTmplWindowDidEnd(window->runTemplateSheet(*m_selectTmplDelegate));
    });
}

void Foliant_for_macAppDelegate::selectTmplWindowDidEnd(int returnCode)
{
    if (returnCode != 1 || !iFlashTmpl)
        return;
    const QString shot = m_selectTmplDelegate->selectedStyle();
    if (shot.isEmpty()) {
        LOG4CXX_WARN(logger, "the template chooser ended without a style");
        return;
    }
    useTemplateStyle(QFileInfo(shot).path());
}

Result<void> Foliant_for_macAppDelegate::chooseTemplateStyle(const QString &tmplName, const QString &styleName)
{
    for (const QString &folder : FlashTemplate::tmplStyleNamesForTmpl(tmplName)) {
        if (QFileInfo(folder).fileName() == styleName) {
            useTemplateStyle(QDir::cleanPath(folder));
            if (!iFlashTmpl || iFlashTmpl->properties().isEmpty() ||
                iFlashTmpl->tmplName().compare(tmplName, Qt::CaseInsensitive) != 0)
                return Failure{QStringLiteral("template \"%1\" could not be loaded (see the log)").arg(tmplName)};
            return {};
        }
    }
    return Failure{QStringLiteral("the template chooser has no style \"%1\" of \"%2\"").arg(styleName, tmplName)};
}

void Foliant_for_macAppDelegate::useTemplateStyle(const QString &stylePath)
{
    if (!iFlashTmpl)
        return;
    const QString tmplName = QFileInfo(QFileInfo(stylePath).path()).fileName();
    iFlashTmpl->changeTmplTo(tmplName, stylePath);
    window->reloadOutline(true);
    setModified(true);

    const QString extFiles = QStringLiteral("%1/files/extfiles").arg(iFlashPreviewFolder);
    if (tmplName == QStringLiteral("Panoramic")) {
        QDir().mkpath(extFiles);
        for (const QString &face : kPanoramaFaces) {
            const QString source = QStringLiteral("%1/%2").arg(stylePath, face);
            if (!QFileInfo::exists(source))
                continue;
            // Another Panoramic style brings its own faces: replace the old ones.
            const QString target = QStringLiteral("%1/%2").arg(extFiles, face);
            QFile::remove(target);
            QFile::copy(source, target);
        }
    } else {
        for (const QString &face : kPanoramaFaces)
            QFile::remove(QStringLiteral("%1/%2").arg(extFiles, face));
    }
    applyChange();
}

void Foliant_for_macAppDelegate::OnExportTmplSettings()
{
    if (!iFlashTmpl)
        return;
    guarded("export settings", [this] {
        const QString path = window->prompts().chooseSaveFile(
            QCoreApplication::translate("Foliant_for_macAppDelegate", "Export template settings"));
        if (path.isEmpty())
            return;
        const Result<QString> written = exportTmplSettingsTo(path);
        if (!written)
            window->prompts().showMessage(
                QCoreApplication::translate("Foliant_for_macAppDelegate", "The settings could not be saved."),
                QCoreApplication::translate("Foliant_for_macAppDelegate", "Writing %1.").arg(written.error()));
        else
            window->showStatus(QCoreApplication::translate("Foliant_for_macAppDelegate", "Settings exported to %1")
                                   .arg(QDir::toNativeSeparators(written.value())));
    });
}

Result<QString> Foliant_for_macAppDelegate::exportTmplSettingsTo(const QString &file)
{
    QString path = file;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    QString reason;
    if (!iFlashTmpl)
        return Failure{QStringLiteral("%1 failed: there is no template").arg(path)};
    if (!iFlashTmpl->exportPropertiesSettingsTo(path, &reason))
        return Failure{QStringLiteral("%1 failed: %2").arg(path, reason)};
    return path;
}

void Foliant_for_macAppDelegate::OnImportTmplSettings()
{
    if (!iFlashTmpl)
        return;
    guarded("import settings", [this] {
        const QStringList chosen = window->prompts().chooseFiles(
            QCoreApplication::translate("Foliant_for_macAppDelegate", "Import template settings"),
            {QStringLiteral("txt")}, false);
        // A cancelled panel reads nothing and only refreshes outline and preview.
        const QString path = chosen.isEmpty() ? QString() : chosen.first();
        const Result<void> read = importTmplSettingsFrom(path);
        if (!read)
            window->prompts().showMessage(
                QCoreApplication::translate("Foliant_for_macAppDelegate", "The settings could not be read."),
                read.error());
        else if (!path.isEmpty())
            setModified(true);
        if (read && !path.isEmpty())
            window->showStatus(QCoreApplication::translate("Foliant_for_macAppDelegate", "Settings imported from %1")
                                   .arg(QDir::toNativeSeparators(path)));
    });
}

Result<void> Foliant_for_macAppDelegate::importTmplSettingsFrom(const QString &path)
{
    Result<void> result;
    if (iFlashTmpl && !path.isEmpty() && !iFlashTmpl->importPropertiesSettingsFrom(path))
        result = Failure{
            QCoreApplication::translate("Foliant_for_macAppDelegate", "%1 is not a readable settings file.").arg(path)};
    window->reloadOutline(false);
    applyChange();
    return result;
}

Result<void> Foliant_for_macAppDelegate::setTmplPropertyValues(const QList<QPair<QString, QString>> &values)
{
    if (values.isEmpty())
        return {};
    if (!iFlashTmpl)
        return Failure{QStringLiteral("there is no template to set properties of")};
    for (const auto &[key, value] : values) {
        const FlashTemplatePropertyPtr node = iFlashTmpl->propertyFor(key);
        if (!node)
            return Failure{
                QStringLiteral("unknown property key \"%1\" in template \"%2\"").arg(key, iFlashTmpl->tmplName())};
        node->setValue(value);
    }
    window->reloadOutline(false);
    OnApplyChange();
    return {};
}

// ---- Page editor -------------------------------------------------------------------

void Foliant_for_macAppDelegate::ReplaceXMLPath(bool forEditor)
{
    if (iFlashPreviewFolder.isEmpty())
        return;
    const QString path = QStringLiteral("%1/%2").arg(iFlashPreviewFolder, QStringLiteral("pages.xml"));
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return;
    // The page list is UTF-8: captions and link addresses may hold any script.
    QString text = QString::fromUtf8(in.readAll());
    in.close();
    if (forEditor)
        text.replace(QStringLiteral("bace=\"\""), QStringLiteral("bace=\"%1/files/\"").arg(iFlashPreviewFolder));
    else
        text.replace(QStringLiteral("\"%1/files/\"").arg(iFlashPreviewFolder), QStringLiteral("\"\""));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit())
        LOG4CXX_WARN(logger, "cannot rewrite " << path);
}

void Foliant_for_macAppDelegate::OnPageEditor()
{
    createDelegates();
    guarded("page editor", [this] {
        InitPageConfig(QString());
        ReplaceXMLPath(true);
        // From here on the links live in the preview's page list, which the
        // editor edits; the imported set would otherwise be written again.
        if (iFlashPagesAnnotations)
            iFlashPagesAnnotations = std::make_shared<FlashPagesAnnotations>();
        m_pageEditorDelegate->initWithBookXMLStr(QString(), iFlashPreviewFolder, iFlashPagesAnnotations);
        m_pageEditorDelegate->ShowFlashEditorToForm();
        pageEditorWindowDidEnd(window->runPageEditorSheet(*m_pageEditorDelegate));
    });
}

void Foliant_for_macAppDelegate::pageEditorWindowDidEnd(int returnCode)
{
    if (returnCode != 1)
        ReplaceXMLPath(false);
    else
        setModified(true);
    applyChange();
}

// ---- Publish and help --------------------------------------------------------------

void Foliant_for_macAppDelegate::OnExportFlipBook()
{
    createDelegates();
    guarded("publish", [this] {
        m_outputDelegate->setFlashTmpl(iFlashTmpl);
        m_outputDelegate->setFlashPageSource(iFlashPageSource);
        m_outputDelegate->setFlashOutline(iFlashOutline);
        m_outputDelegate->setFlashPagesAnnotations(iFlashPagesAnnotations);
        // The title starts as the book's own (over one remembered from an
        // earlier book), and keeps what the person typed for this one.
        const QString bookTitle =
            iFlashTmpl ? iFlashTmpl->propertyValueFor(QStringLiteral("Title"), QString()).trimmed() : QString();
        const QString shown = m_outputDelegate->txtTitle;
        if (!bookTitle.isEmpty() && (m_offeredTitle.isNull() || shown.isEmpty() || shown == m_offeredTitle)) {
            m_outputDelegate->txtTitle = bookTitle;
            m_offeredTitle = bookTitle;
            emit m_outputDelegate->fieldsChanged();
        }
        window->runPublishSheet(*m_outputDelegate);
    });
}

PublishRequest Foliant_for_macAppDelegate::publishRequest() const
{
    PublishRequest request;
    request.pageSource = iFlashPageSource;
    request.tmpl = iFlashTmpl;
    request.annotations = iFlashPagesAnnotations;
    request.outline = iFlashOutline;
    return request;
}

void Foliant_for_macAppDelegate::OnOpenHelp()
{
    const QString manual = Paths::resource(QStringLiteral("Foliant for mac Help/Foliant pro for mac manual.pdf"));
    if (!QFileInfo::exists(manual)) {
        LOG4CXX_WARN(logger, "manual missing: " << manual);
        window->prompts().showMessage(
            QCoreApplication::translate("Foliant_for_macAppDelegate", "The manual is not installed."), manual);
        return;
    }
    window->prompts().openFile(manual);
}

// ---- Projects ----------------------------------------------------------------------

QString Foliant_for_macAppDelegate::windowTitle() const
{
    if (m_projectPath.isEmpty() && !m_modified)
        return kAppName;
    const QString name =
        m_projectPath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_projectPath).completeBaseName();
    return QStringLiteral("%1%2 \u2014 %3").arg(name, m_modified ? QStringLiteral("*") : QString(), kAppName);
}

void Foliant_for_macAppDelegate::setModified(bool modified)
{
    m_modified = modified;
    window->setTitle(windowTitle());
}

QStringList Foliant_for_macAppDelegate::recentProjects()
{
    return UserDefaults::open()->value(QStringLiteral("RecentProjects")).toStringList();
}

void Foliant_for_macAppDelegate::rememberRecent(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentProjects();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > 8)
        recent.removeLast();
    const auto store = UserDefaults::open();
    store->setValue(QStringLiteral("RecentProjects"), recent);
    store->sync();
}

bool Foliant_for_macAppDelegate::saveProjectTo(const QString &path)
{
    InitPageConfig(QString());
    BookProject::Book book;
    book.pageSource = iFlashPageSource;
    book.annotations = iFlashPagesAnnotations;
    book.outline = iFlashOutline;
    book.tmpl = iFlashTmpl;
    book.pageWidth = AppSettings::shareInstance()->PageWidth();
    book.pageHeight = AppSettings::shareInstance()->PageHeight();
    QString error;
    if (!BookProject::save(path, book, iFlashPreviewFolder, &error)) {
        LOG4CXX_ERROR(logger, "save project failed:" << error);
        window->prompts().showMessage(QStringLiteral("The project could not be saved."), error);
        return false;
    }
    m_projectPath = QFileInfo(path).absoluteFilePath();
    rememberRecent(m_projectPath);
    setModified(false);
    window->showStatus(QStringLiteral("Project saved to %1").arg(QDir::toNativeSeparators(m_projectPath)));
    return true;
}

bool Foliant_for_macAppDelegate::OnSaveProject()
{
    return m_projectPath.isEmpty() ? OnSaveProjectAs() : saveProjectTo(m_projectPath);
}

bool Foliant_for_macAppDelegate::OnSaveProjectAs()
{
    QString path = window->prompts().chooseSaveFile(QStringLiteral("Save Project"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + QString::fromLatin1(BookProject::kSuffix);
    return saveProjectTo(path);
}

bool Foliant_for_macAppDelegate::OnOpenProject()
{
    if (!maybeSaveChanges())
        return false;
    const QStringList chosen = window->prompts().chooseFiles(QStringLiteral("Open Project"),
                                                             {QString::fromLatin1(BookProject::kSuffix)}, false);
    return !chosen.isEmpty() && openProject(chosen.first());
}

bool Foliant_for_macAppDelegate::openProject(const QString &path, QString *error)
{
    InitPageConfig(QString());
    BookProject::Book book;
    QString why;
    if (!BookProject::open(path, iFlashPreviewFolder, &book, &why)) {
        if (error)
            *error = why;
        window->prompts().showMessage(QStringLiteral("The project could not be opened."), why);
        return false;
    }
    AppSettings *settings = AppSettings::shareInstance();
    settings->setPageWidth(book.pageWidth);
    settings->setPageHeight(book.pageHeight);
    settings->saveSettings();
    iFlashPageSource = book.pageSource;
    iFlashPagesAnnotations = book.annotations;
    iFlashOutline = book.outline;
    iFlashTmpl = book.tmpl;
    tmplDelegate->setFlashTmpl(iFlashTmpl);
    window->reloadOutline(true);
    m_offeredTitle.clear();
    applyChange();
    m_projectPath = QFileInfo(path).absoluteFilePath();
    rememberRecent(m_projectPath);
    setModified(false);
    window->showStatus(QStringLiteral("Opened %1").arg(QDir::toNativeSeparators(m_projectPath)));
    return true;
}

bool Foliant_for_macAppDelegate::maybeSaveChanges()
{
    if (!m_modified)
        return true;
    const QString name = m_projectPath.isEmpty()
                             ? QStringLiteral("this book")
                             : QStringLiteral("\u201c%1\u201d").arg(QFileInfo(m_projectPath).fileName());
    const int answer =
        window->prompts().alert(QStringLiteral("Do you want to save the changes to %1?").arg(name),
                                QStringLiteral("Your changes will be lost if you don't save them."),
                                {QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")});
    if (answer == 0)
        return OnSaveProject();
    return answer == 1;
}
