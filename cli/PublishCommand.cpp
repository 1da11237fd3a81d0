#include "cli/PublishCommand.h"

#include "app/BookProject.h"
#include "app/OutputTarget.h"
#include "app/PublishService.h"
#include "cli/CliSession.h"
#include "cli/Interruption.h"
#include "cli/ProgressReporter.h"
#include "cli/TemplateCatalog.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kInterrupted = 130;

const QString kSampleLabel = QStringLiteral("sample book");

QString baseName(const QString &path)
{
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("book") : name;
}

// A saved book project rather than a PDF.
bool isProject(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String(BookProject::kSuffix), Qt::CaseInsensitive) == 0;
}

} // namespace

PublishCommand::PublishCommand(const CliOptions &options, ProgressReporter &progress)
    : m_options(options), m_progress(progress)
{}

QStringList PublishCommand::bookNames(const QStringList &inputs)
{
    QStringList names;
    QSet<QString> taken;
    for (const QString &input : inputs) {
        const QString base = baseName(input);
        QString name = base;
        for (int n = 2; taken.contains(name); ++n)
            name = QStringLiteral("%1-%2").arg(base).arg(n);
        taken.insert(name);
        names << name;
    }
    return names;
}

bool PublishCommand::check(int *exitCode, QString *error)
{
    CliOptions &o = m_options;
    *exitCode = kUsage;
    const bool styleWanted = !o.templateName.isEmpty() || !o.styleName.isEmpty();
    const bool named = !o.templateName.isEmpty();
    if (!TemplateCatalog::resolve(o.templateName, o.styleName, styleWanted, error)) {
        if (!named && o.styleName.isEmpty())
            *exitCode = kFailed; // the start-up template itself is missing: an installation fault
        return false;
    }
    if (!TemplateCatalog::checkValues(o.templateName, o.sets, error))
        return false;

    *exitCode = kFailed;
    if (!o.settingsFile.isEmpty()) {
        const QFileInfo settings(o.settingsFile);
        if (!settings.isFile() || !settings.isReadable()) {
            *error = QStringLiteral("cannot read the settings file %1").arg(o.settingsFile);
            return false;
        }
        o.settingsFile = settings.absoluteFilePath();
        m_userFiles << o.settingsFile;
    }
    for (const auto &[key, value] : o.sets)
        if (QFileInfo(value).isAbsolute() && QFileInfo(value).isFile())
            m_userFiles << value;

    // Vector pages are made by a program of the installation; without it every
    // import would fail with a reason that blames the PDF.
    const QString converter = Paths::program(QStringLiteral("pdf2swf"));
    const bool anyPdf = std::any_of(o.inputs.cbegin(), o.inputs.cend(), [](const QString &i) { return !isProject(i); });
    if (!o.sample && !o.images && anyPdf && !QFileInfo(converter).isExecutable()) {
        *error = QStringLiteral("vector pages need the program %1, which is missing (--images makes page images "
                                "without it)")
                     .arg(converter);
        return false;
    }

    // A password on the command line would show in every user's process list.
    if (!o.passwordFile.isEmpty()) {
        QFile file(o.passwordFile);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read the password file %1: %2").arg(o.passwordFile, file.errorString());
            return false;
        }
        o.password = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    } else {
        o.password = qEnvironmentVariable("FOLIANT_PDF_PASSWORD");
    }

    QStringList inputs;
    for (const QString &input : o.inputs) {
        const QFileInfo file(input);
        if (!file.exists()) {
            *error = QStringLiteral("%1: no such file").arg(input);
            return false;
        }
        if (!file.isFile() || !file.isReadable()) {
            *error = QStringLiteral("%1: not a readable file").arg(input);
            return false;
        }
        inputs << file.absoluteFilePath();
    }
    m_userFiles << inputs;

    const QString out = QDir::cleanPath(QFileInfo(o.out).absoluteFilePath());
    const auto destinationFor = [&](const QString &stem) {
        if (o.app)
            return QDir(out).filePath(stem + QStringLiteral(".app"));
        return inputs.size() > 1 ? QDir(out).filePath(stem) : out;
    };
    if (o.sample) {
        const QString name = o.name.isEmpty() ? (o.app ? QStringLiteral("Sample") : QStringLiteral("index")) : o.name;
        m_books.append({QString(), kSampleLabel, destinationFor(name), name,
                        o.title.isEmpty() ? QStringLiteral("Sample book") : o.title});
    } else {
        const QStringList names = bookNames(inputs);
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            const QString stem = o.app && !o.name.isEmpty() ? o.name : names.at(i);
            Book book;
            book.input = inputs.at(i);
            book.label = o.inputs.at(i);
            book.destination = destinationFor(stem);
            book.name = o.app ? stem : (o.name.isEmpty() ? QStringLiteral("index") : o.name);
            // A project's own title is known once it is open.
            book.title = o.title.isEmpty() && !isProject(inputs.at(i)) ? baseName(inputs.at(i)) : o.title;
            m_books.append(book);
        }
    }

    // Several books go into one folder, which must then be a folder.
    if (m_books.size() > 1 || o.app) {
        const QFileInfo container(out);
        if (container.exists() && !container.isDir()) {
            *error = QStringLiteral("%1 exists and is not a folder").arg(out);
            return false;
        }
    }
    for (const Book &book : m_books) {
        const OutputTarget target(book.destination,
                                  o.app ? OutputTarget::Kind::Application : OutputTarget::Kind::WebFolder);
        if (!target.check(o.force, m_userFiles, error))
            return false;
    }
    *exitCode = 0;
    return true;
}

int PublishCommand::run(CliSession &session)
{
    const CliOptions &o = m_options;
    QString error;
    if (!o.styleName.isEmpty() || !o.settingsFile.isEmpty() || !o.sets.isEmpty())
        m_progress.step(QStringLiteral("preparing the template"));
    if (!o.templateName.isEmpty() && !o.styleName.isEmpty()) {
        if (const Result<void> chosen = session.chooseTemplate(o.templateName, o.styleName); !chosen) {
            m_progress.message(QStringLiteral("foliant-cli: %1").arg(chosen.error()));
            return kFailed;
        }
    }
    if (!o.settingsFile.isEmpty()) {
        if (const Result<void> read = session.importSettings(o.settingsFile); !read) {
            m_progress.message(QStringLiteral("foliant-cli: %1: %2").arg(o.settingsFile, read.error()));
            return kFailed;
        }
    }
    if (const Result<void> set = session.setProperties(o.sets); !set) {
        m_progress.message(QStringLiteral("foliant-cli: %1").arg(set.error()));
        return kFailed;
    }

    int published = 0;
    int number = 0;
    for (const Book &book : m_books) {
        if (Interruption::requested())
            break;
        m_progress.beginBook(++number, int(m_books.size()), book.label);
        bool interrupted = false;
        if (publishBook(session, book, &error, &interrupted)) {
            ++published;
            m_progress.clear();
            const QString shown =
                o.app ? book.destination : QDir(book.destination).filePath(book.name + QStringLiteral(".html"));
            std::printf("%s\n", shown.toLocal8Bit().constData());
            std::fflush(stdout);
        } else if (!interrupted) {
            m_progress.message(QStringLiteral("foliant-cli: %1: %2").arg(book.label, error));
        }
        if (interrupted)
            break;
    }
    m_progress.clear();
    if (Interruption::requested()) {
        m_progress.message(
            QStringLiteral("foliant-cli: interrupted; %1 of %2 books published").arg(published).arg(m_books.size()));
        return kInterrupted;
    }
    if (published == m_books.size())
        return 0;
    if (m_books.size() > 1)
        m_progress.message(QStringLiteral("foliant-cli: %1 of %2 books published").arg(published).arg(m_books.size()));
    return kFailed;
}

bool PublishCommand::publishBook(CliSession &session, const Book &book, QString *error, bool *interrupted)
{
    const CliOptions &o = m_options;
    // The destination may have changed since the command was checked.
    const OutputTarget target(book.destination,
                              o.app ? OutputTarget::Kind::Application : OutputTarget::Kind::WebFolder);
    if (!target.check(o.force, m_userFiles, error))
        return false;

    QString title = book.title;
    if (isProject(book.input)) {
        m_progress.step(QStringLiteral("opening the project"));
        if (!session.controller().openProject(book.input, error))
            return false;
        if (title.isEmpty())
            title = session.controller().flashTmpl()->propertyValueFor(QStringLiteral("Title"), baseName(book.input));
    } else if (!book.input.isEmpty()) {
        m_progress.step(QStringLiteral("importing"));
        ImportRequest request;
        request.pdf = book.input;
        request.pageRange = o.pages;
        request.qualityLevel = o.quality;
        request.images = o.images;
        request.links = o.links;
        request.bookmarks = o.bookmarks;
        request.text = !o.noText;
        request.mobileImages = o.mobile != CliOptions::Mobile::None;
        m_progress.setMobileImages(request.mobileImages);
        request.password = o.password;
        const CliSession::Outcome outcome = session.importPdf(
            request, [this](int pageIndex, int totalPage) { m_progress.importPage(pageIndex, totalPage); }, error);
        if (outcome == CliSession::Outcome::Interrupted) {
            *interrupted = true;
            return false;
        }
        if (outcome != CliSession::Outcome::Done)
            return false;
    }
    if (Interruption::requested()) {
        *interrupted = true;
        return false;
    }

    m_progress.step(QStringLiteral("publishing"));
    PublishRequest request;
    request.folder = o.app ? QFileInfo(book.destination).path() : book.destination;
    request.name = book.name;
    request.title = title;
    request.application = o.app;
    request.mobile = o.mobile != CliOptions::Mobile::None;
    request.mobileType = o.mobile == CliOptions::Mobile::Slide ? 1 : 0;
    request.replace = o.force;
    request.stopRequested = [] { return Interruption::requested(); };
    // The import was made for this book alone: its page files may move into it.
    request.movePageFiles = !isProject(book.input) && !book.input.isEmpty();
    const Result<PublishedBook> published = session.publish(request);
    if (!published) {
        *interrupted = Interruption::requested();
        *error = published.error();
        return false;
    }
    return true;
}
