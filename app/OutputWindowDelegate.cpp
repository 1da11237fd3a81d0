#include "app/OutputWindowDelegate.h"

#include "platform/AppSettings.h"
#include "app/PublishService.h"
#include "app/UserPrompts.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const auto logger = Logging::logger("OutputWindowDelegate");

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

bool OutputWindowDelegate::CheckOutputDir(const QString &folder)
{
    m_replaceAgreed = false;
    int entries = 0;
    switch (PublishService::inspect(folder, mOutputType == 1, &entries)) {
    case PublishService::Destination::Free:
    case PublishService::Destination::NotAFolder:
        return true;
    case PublishService::Destination::Protected:
        LOG4CXX_WARN(logger, "refused to replace the folder " << folder);
        if (m_prompts)
            m_prompts->showMessage(
                QCoreApplication::translate("OutputWindowDelegate", "This folder cannot be replaced."),
                QCoreApplication::translate("OutputWindowDelegate", "%1 holds more than a published book. Choose a new "
                                                                    "or empty folder for the book.")
                    .arg(folder));
        return false;
    case PublishService::Destination::OtherContent:
        // Only a book published before is ever replaced: anything else there is
        // the user's, and publishing would delete it.
        LOG4CXX_WARN(logger, "refused to replace the folder " << folder << " holding " << entries << " other files");
        if (m_prompts)
            m_prompts->showMessage(
                QCoreApplication::translate("OutputWindowDelegate", "This folder holds other files."),
                QCoreApplication::translate("OutputWindowDelegate",
                                            "%1 holds %2 files or folders that are not a book published by "
                                            "Foliant. Publishing there would delete them, so the folder is "
                                            "left alone. Choose a new or empty folder for the book.")
                    .arg(folder)
                    .arg(entries));
        return false;
    case PublishService::Destination::EarlierBook:
        break;
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
    // The earlier book goes only once the new one is complete.
    m_replaceAgreed = true;
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
    PublishRequest request;
    request.pageSource = iFlashPageSource;
    request.tmpl = iFlashTmpl;
    request.annotations = iFlashPagesAnnotations;
    request.outline = iFlashOutline;
    request.folder = folder;
    request.name = txtOutputName;
    request.application = mOutputType == 1;
    // The desktop itself is written into, next to what lies there, never replaced.
    request.inPlace = QDir::cleanPath(folder) == QDir::cleanPath(Paths::desktop());
    m_replaceAgreed = false;
    if (!request.inPlace && !CheckOutputDir(PublishService::destinationOf(request)))
        return;
    request.replace = m_replaceAgreed;

    AppSettings *s = AppSettings::shareInstance();
    s->setLastOutputFileFolder(folder);
    s->setLastOutputFileName(txtOutputName);
    s->setLastOutputFileTitle(txtTitle);
    s->setOutputType(mOutputType);
    s->setOutputCreateMobile(chkCreateMobile ? 1 : 0);
    s->setMobileType(btnMobileType);
    s->saveSettings();

    request.title = s->lastOutputFileTitle();
    request.mobile = s->OutputCreateMobile() == 1 && s->outputType() == 0;
    request.mobileType = s->MobileType();
    const Result<PublishedBook> published = PublishService::publish(request);
    if (published) {
        m_lastOutputFile = published->outputFile;
        const int answer =
            m_prompts ? m_prompts->alert(
                            QCoreApplication::translate("OutputWindowDelegate", "Open the result files?"),
                            QCoreApplication::translate("OutputWindowDelegate", "Publish finished! Open the it?"),
                            {QCoreApplication::translate("OutputWindowDelegate", "Open it"),
                             QCoreApplication::translate("OutputWindowDelegate", "No")})
                      : 1;
        if (answer == 0 && m_prompts)
            m_prompts->openFile(m_lastOutputFile);
    } else {
        LOG4CXX_ERROR(logger, "publish error:" << published.error());
        if (m_prompts)
            m_prompts->showMessage(
                QCoreApplication::translate("OutputWindowDelegate", "The book could not be published."),
                published.error());
    }
    emit sheetEnded(1);
}
