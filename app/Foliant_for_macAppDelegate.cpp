#include "app/Foliant_for_macAppDelegate.h"

#include "app/MarlspanUtility.h"
#include "book/FlashPageSourceImg.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
const auto logger = Logging::logger("Foliant_for_macAppDelegate");
const QString kAppName = QString::fromLatin1(Foliant_for_macAppDelegate::APP_NAME);
} // namespace

Foliant_for_macAppDelegate::Foliant_for_macAppDelegate(MainWindowView *window, QObject *parent)
    : QObject(parent), window(window)
{
}

Foliant_for_macAppDelegate::~Foliant_for_macAppDelegate() = default;

QString Foliant_for_macAppDelegate::logFilePath()
{
    const QString base = Paths::userData().isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share")
                                                      : Paths::userData();
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

    m_observers.emplace_back(QStringLiteral("UpdateFlashTmplProTipNotification"),
                             [this](const Notification &n) { updateTmplPropertyTip(n); });
    m_observers.emplace_back(QStringLiteral("FlashTmplProValueChangedNotification"),
                             [this](const Notification &n) { tmplPpertyValueChanged(n); });

    InitPageConfig(QString());
    applyChange();
    window->setTitle(kAppName);
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
    try {
        InitPageConfig(QString());
    } catch (const std::exception &e) {
        LOG4CXX_ERROR(logger, "apply change :" << describeException(e));
    }
}

void Foliant_for_macAppDelegate::tmplPpertyValueChanged(const Notification &)
{
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
}

void Foliant_for_macAppDelegate::applicationWillTerminate()
{
    QDir(Paths::join(Paths::temp(), QStringLiteral("Quirefold"))).removeRecursively();
    iFlashPageSource.reset();
    removeFlashPreviewFolder();
}
