#include "publish/FlashBookOutputApp.h"

#include "platform/Logging.h"
#include "platform/Paths.h"
#include "publish/BookFiles.h"

namespace {
const auto logger = Logging::logger("FlashBookOutputApp");

QString withoutLastComponent(const QString &path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : trimmed.left(slash));
}
} // namespace

QString FlashBookOutputApp::bundleName(const QString &toName)
{
    QString stem = BookFiles::lastPathComponent(toName);
    const qsizetype dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        stem.truncate(dot);
    return stem + QStringLiteral(".app");
}

FlashBookOutputApp::FlashBookOutputApp(FlashPageSourcePtr pageSource, FlashTemplatePtr flashTemplate,
                                       const QString &folder, const QString &toName)
    : FlashBookOutput(std::move(pageSource), std::move(flashTemplate),
                      Paths::join(Paths::join(folder, bundleName(toName)), QStringLiteral("Contents/Resources/")),
                      bundleName(toName))
{}

QString FlashBookOutputApp::outputHTMLFileName() const
{
    return Paths::join(saveToFolder(), QStringLiteral("index.html"));
}

QString FlashBookOutputApp::outputFileName() const
{
    return withoutLastComponent(withoutLastComponent(saveToFolder()));
}

void FlashBookOutputApp::ouputTheBook()
{
    const QString bundle = outputFileName();
    // The bundle is deleted whole: refuse anything that is not plainly a bundle
    // folder of ours, so a bad destination can never remove a user's folder.
    if (bundle.isEmpty() || !bundle.endsWith(QLatin1String(".app")) || bundle == QLatin1String("/.app")) {
        LOG4CXX_ERROR(logger, "ouput the book,copy failed:"
                                  << "no usable bundle folder for " << saveToFolder());
        return;
    }
    BookFiles::remove(bundle);
    BookFiles::makeFolder(bundle);
    const QString contents = withoutLastComponent(saveToFolder());
    const QString bundleTemplate = Paths::resource(QStringLiteral("AppFiles/TmplData/mac.app/Contents/"));
    if (!BookFiles::isFolder(bundleTemplate) || !BookFiles::copy(bundleTemplate, contents))
        LOG4CXX_ERROR(logger, "ouput the book,copy failed:"
                                  << "cannot copy " << bundleTemplate << " to " << contents);
    if (!BookFiles::isFolder(saveToFolder()))
        BookFiles::makeFolder(saveToFolder());
    FlashBookOutput::ouputTheBook();
}
