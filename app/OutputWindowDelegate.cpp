#include "app/OutputWindowDelegate.h"

#include "platform/AppSettings.h"
#include "app/UserPrompts.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "publish/FlashBookOutput.h"
#include "publish/HTMLConfigInfo.h"
#include "publish/FlashBookOutputApp.h"
#include "publish/OutputMobileVersion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <memory>

namespace {
const auto logger = Logging::logger("OutputWindowDelegate");

QString canonicalOrClean(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : canonical;
}
} // namespace

OutputWindowDelegate::OutputWindowDelegate(UserPrompts *prompts, QObject *parent) : QObject(parent), m_prompts(prompts)
{}

void OutputWindowDelegate::awakeFromNib()
{
    const AppSettings *s = AppSettings::shareInstance();
    txtOutputFolder = s->lastOutputFileFolder();
    txtOutputName = s->lastOutputFileName();
    txtTitle = s->lastOutputFileTitle();
    chkCreateMobile = s->OutputCreateMobile() == 1;
    btnMobileType = s->MobileType();
    mOutputType = s->outputType();
    m_mobileEnabled = mOutputType != 1;
    emit fieldsChanged();
}

void OutputWindowDelegate::OnClickOutputType()
{
    m_mobileEnabled = mOutputType != 1;
    emit fieldsChanged();
}

void OutputWindowDelegate::onSelectFolder()
{
    if (!m_prompts)
        return;
    const QString chosen =
        m_prompts->chooseFolder(QCoreApplication::translate("OutputWindowDelegate", "Choose folder"));
    LOG4CXX_DEBUG(logger, "die end," << chosen);
    // A cancelled chooser keeps what the field held.
    if (!chosen.isEmpty()) {
        txtOutputFolder = chosen;
        emit fieldsChanged();
    }
}

void OutputWindowDelegate::onOpenFolder()
{
    if (m_prompts && !txtOutputFolder.isEmpty())
        m_prompts->openFile(txtOutputFolder);
}

void OutputWindowDelegate::onCancel()
{
    emit sheetEnded(0);
}

bool OutputWindowDelegate::isProtectedFolder(const QString &folder)
{
    const QString target = canonicalOrClean(folder);
    if (target == QStringLiteral("/") || target.count(QLatin1Char('/')) <= 1)
        return true; // the root and every folder directly below it (/home, /usr, /tmp ...)
    QStringList guarded = {QDir::homePath(), Paths::desktop(), Paths::userData(), Paths::resources()};
    for (auto location :
         {QStandardPaths::DocumentsLocation, QStandardPaths::DownloadLocation, QStandardPaths::MusicLocation,
          QStandardPaths::MoviesLocation, QStandardPaths::PicturesLocation, QStandardPaths::DesktopLocation})
        guarded << QStandardPaths::writableLocation(location);
    for (const QString &g : guarded) {
        if (g.isEmpty())
            continue;
        const QString p = canonicalOrClean(g);
        // The folder itself, or one that holds it.
        if (p == target || p.startsWith(target + QLatin1Char('/')))
            return true;
    }
    return false;
}

bool OutputWindowDelegate::CheckOutputDir(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return true;
    if (isProtectedFolder(folder)) {
        LOG4CXX_WARN(logger, "refused to replace the folder " << folder);
        if (m_prompts)
            m_prompts->showMessage(
                QCoreApplication::translate("OutputWindowDelegate", "This folder cannot be replaced."),
                QCoreApplication::translate("OutputWindowDelegate", "%1 holds more than a published book. Choose a new "
                                                                    "or empty folder for the book.")
                    .arg(folder));
        return false;
    }
    const int answer =
        m_prompts
            ? m_prompts->alert(QString(),
                               QCoreApplication::translate("OutputWindowDelegate", "Output directory already exists. "
                                                                                   "Do you want to over write it?"),
                               {QCoreApplication::translate("OutputWindowDelegate", "YES"),
                                QCoreApplication::translate("OutputWindowDelegate", "NO")})
            : 1;
    if (answer != 0)
        return false;
    QDir(folder).removeRecursively();
    return true;
}

void OutputWindowDelegate::onPublish()
{
    const QString folder = txtOutputFolder.trimmed();
    // An empty or relative folder would scatter the book into the working
    // directory of the process.
    if (folder.isEmpty() || QDir::isRelativePath(folder)) {
        if (m_prompts)
            m_prompts->showMessage(
                QCoreApplication::translate("OutputWindowDelegate", "Choose a folder to publish into."),
                QCoreApplication::translate("OutputWindowDelegate",
                                            "The output folder must be a full path, such as %1.")
                    .arg(Paths::join(QDir::homePath(), QStringLiteral("MyBook"))));
        return;
    }
    const bool isDesktop = QDir::cleanPath(folder) == QDir::cleanPath(Paths::desktop());
    if (!isDesktop && !CheckOutputDir(folder))
        return;

    AppSettings *s = AppSettings::shareInstance();
    s->setLastOutputFileFolder(folder);
    s->setLastOutputFileName(txtOutputName);
    s->setLastOutputFileTitle(txtTitle);
    s->setOutputType(mOutputType);
    s->setOutputCreateMobile(chkCreateMobile ? 1 : 0);
    s->setMobileType(btnMobileType);
    s->saveSettings();

    // An empty name would give the hidden file ".html", which no file browser shows.
    const QString baseName = txtOutputName.trimmed().isEmpty() ? QStringLiteral("index") : txtOutputName;
    const QString htmlName = baseName + QStringLiteral(".html");
    auto html = std::make_shared<HTMLConfigInfo>();
    std::unique_ptr<FlashBookOutput> output;
    if (s->outputType() == 1) {
        output = std::make_unique<FlashBookOutputApp>(iFlashPageSource, iFlashTmpl, folder, htmlName);
    } else {
        if (!QFileInfo::exists(folder))
            QDir().mkpath(folder);
        output = std::make_unique<FlashBookOutput>(iFlashPageSource, iFlashTmpl, folder, htmlName);
    }
    OutputMobileVersion mobile(iFlashPageSource, iFlashTmpl, folder, s->MobileType());
    try {
        html->setHTMLTitle(s->lastOutputFileTitle());
        output->setHTMLConfig(html);
        output->setFlashPagesAnnotations(iFlashPagesAnnotations);
        output->setFlashOutline(iFlashOutline);
        output->ouputTheBook();
        if (s->OutputCreateMobile() == 1 && s->outputType() == 0) {
            mobile.PublishMobileConfig();
        }
        m_lastOutputFile = output->outputFileName();
        const int answer =
            m_prompts ? m_prompts->alert(
                            QCoreApplication::translate("OutputWindowDelegate", "Open the result files?"),
                            QCoreApplication::translate("OutputWindowDelegate", "Publish finished! Open the it?"),
                            {QCoreApplication::translate("OutputWindowDelegate", "Open it"),
                             QCoreApplication::translate("OutputWindowDelegate", "No")})
                      : 1;
        if (answer == 0 && m_prompts)
            m_prompts->openFile(m_lastOutputFile);
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, "publish error:" << describeException(e));
        if (m_prompts)
            m_prompts->showMessage(
                QCoreApplication::translate("OutputWindowDelegate", "The book could not be published."),
                describeException(e));
    }
    emit sheetEnded(1);
}
