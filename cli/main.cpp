// foliant-cli: the desktop application's engine and commands from a terminal.

#include "app/Foliant_for_macAppDelegate.h"
#include "app/OutputTarget.h"
#include "cli/CliSession.h"
#include "cli/CommandLine.h"
#include "cli/Interruption.h"
#include "cli/PrivateRoots.h"
#include "cli/ProgressReporter.h"
#include "cli/PublishCommand.h"
#include "cli/TemplateCatalog.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/MemoryTuning.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <log4cxx/logger.h>

#include <cstdio>
#include <iostream>
#include <streambuf>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kInterrupted = 130;

int fail(int code, const QString &reason)
{
    std::fprintf(stderr, "foliant-cli: %s\n", reason.toLocal8Bit().constData());
    return code;
}

// The engine logs into the application's log file, as the desktop
// application does; its console lines would bury the tool's own messages, so
// they are shown only when asked for.
void configureLogging(const QString &logFile, bool verbose)
{
    QDir().mkpath(QFileInfo(logFile).path());
    Logging::configure(Paths::resource(QStringLiteral("logging.properties")), logFile);
    if (!verbose)
        log4cxx::Logger::getRootLogger()->removeAppender(LOG4CXX_STR("Console"));
}

// Swallows what it is given.
class NullBuffer : public std::streambuf
{
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};

// Everything that runs the controller shares this frame: private roots, the
// session started and always finished, the log where the application keeps it.
template <typename Body> int withSession(const CliOptions &options, Body &&body)
{
    const QString logFile = Foliant_for_macAppDelegate::logFilePath();
    OutputTarget::setExtraProtected({Paths::userData(), Paths::systemData(), Paths::config()});
    PrivateRoots roots;
    if (!roots.isValid())
        return fail(kFailed,
                    QStringLiteral("cannot make a work folder in %1: %2").arg(Paths::temp(), roots.errorString()));
    roots.apply();
    int code = kFailed;
    // The dialogs write debugging lines to the console; standard output
    // carries only what the tool reports, so they go to the error stream
    // when asked for and nowhere otherwise.
    NullBuffer discard;
    std::streambuf *const console = std::cout.rdbuf(options.verbose ? std::cerr.rdbuf() : &discard);
    {
        CliSession session;
        session.start();
        configureLogging(logFile, options.verbose);
        code = body(session);
        session.finish();
    }
    std::cout.rdbuf(console);
    roots.remove();
    return code;
}

int runPublish(const CliOptions &options)
{
    ProgressReporter progress(ProgressReporter::styleFor(stderr, options.quiet));
    PublishCommand command(options, progress);
    int code = 0;
    QString error;
    if (!command.check(&code, &error))
        return fail(code, error);
    if (Interruption::requested())
        return kInterrupted;
    return withSession(options, [&](CliSession &session) { return command.run(session); });
}

int runExportSettings(CliOptions options)
{
    QString error;
    if (!TemplateCatalog::resolve(options.templateName, options.styleName, true, &error) ||
        !TemplateCatalog::checkValues(options.templateName, options.sets, &error))
        return fail(kUsage, error);
    if (!options.settingsFile.isEmpty() && !QFileInfo(options.settingsFile).isFile())
        return fail(kFailed, QStringLiteral("cannot read the settings file %1").arg(options.settingsFile));
    const QString settings =
        options.settingsFile.isEmpty() ? QString() : QFileInfo(options.settingsFile).absoluteFilePath();
    const QString file = QFileInfo(options.exportFile).absoluteFilePath();
    if (QFileInfo(file).isDir())
        return fail(kFailed, QStringLiteral("%1 is a folder; give a file name").arg(options.exportFile));
    return withSession(options, [&](CliSession &session) {
        if (const Result<void> chosen = session.chooseTemplate(options.templateName, options.styleName); !chosen)
            return fail(kFailed, chosen.error());
        if (!settings.isEmpty()) {
            if (const Result<void> read = session.importSettings(settings); !read)
                return fail(kFailed, QStringLiteral("%1: %2").arg(options.settingsFile, read.error()));
        }
        if (const Result<void> set = session.setProperties(options.sets); !set)
            return fail(kFailed, set.error());
        const Result<QString> written = session.exportSettings(file);
        if (!written)
            return fail(kFailed, QStringLiteral("writing %1").arg(written.error()));
        std::printf("%s\n", written.value().toLocal8Bit().constData());
        return 0;
    });
}

int runTemplates()
{
    const QString listing = TemplateCatalog::listing();
    if (listing.isEmpty())
        return fail(kFailed, QStringLiteral("no templates are installed in %1")
                                 .arg(Paths::resource(QStringLiteral("AppFiles/Templates"))));
    std::fputs(listing.toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    MemoryTuning::keepPageBuffers();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("foliant-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FOLIANT_CLI_VERSION));
    Interruption::install();

    const CommandLine commandLine = CommandLine::parse(QCoreApplication::arguments());
    const CliOptions &options = commandLine.options;
    if (!commandLine.error.isEmpty()) {
        if (options.command == CliOptions::Command::Help)
            std::fputs(commandLine.helpText.toLocal8Bit().constData(), stderr);
        return fail(kUsage, commandLine.error);
    }

    // Checks before the session already read templates; their log lines go
    // where the session's will.
    if (options.command != CliOptions::Command::Help && options.command != CliOptions::Command::Version)
        configureLogging(Foliant_for_macAppDelegate::logFilePath(), options.verbose);

    switch (options.command) {
    case CliOptions::Command::Help:
        std::fputs(commandLine.helpText.toLocal8Bit().constData(), stdout);
        return 0;
    case CliOptions::Command::Version:
        std::printf("foliant-cli %s\n", FOLIANT_CLI_VERSION);
        return 0;
    case CliOptions::Command::Templates:
        return runTemplates();
    case CliOptions::Command::ExportSettings:
        return runExportSettings(options);
    case CliOptions::Command::Publish:
        return runPublish(options);
    }
    return kFailed;
}
