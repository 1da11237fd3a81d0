#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

QCommandLineOption valueOption(const char *name, const char *valueName)
{
    return QCommandLineOption(QString::fromLatin1(name), QString(), QString::fromLatin1(valueName));
}

QCommandLineOption flag(const QStringList &names)
{
    return QCommandLineOption(names);
}

// Options that publish and export-settings share: the template and its values.
void addTemplateOptions(QCommandLineParser &parser)
{
    parser.addOption(valueOption("template", "NAME"));
    parser.addOption(valueOption("style", "NAME"));
    parser.addOption(valueOption("settings", "FILE"));
    parser.addOption(valueOption("set", "KEY=VALUE"));
}

bool readTemplateOptions(const QCommandLineParser &parser, CliOptions &o, QString *error)
{
    o.templateName = parser.value(QStringLiteral("template")).trimmed();
    o.styleName = parser.value(QStringLiteral("style")).trimmed();
    o.settingsFile = parser.value(QStringLiteral("settings"));
    if (parser.isSet(QStringLiteral("template")) && o.templateName.isEmpty()) {
        *error = QStringLiteral("--template needs a template name");
        return false;
    }
    if (parser.isSet(QStringLiteral("style")) && o.styleName.isEmpty()) {
        *error = QStringLiteral("--style needs a style name");
        return false;
    }
    if (parser.isSet(QStringLiteral("settings")) && o.settingsFile.isEmpty()) {
        *error = QStringLiteral("--settings needs a file");
        return false;
    }
    for (const QString &assignment : parser.values(QStringLiteral("set"))) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const QString key = equals < 0 ? QString() : assignment.left(equals).trimmed();
        if (key.isEmpty()) {
            *error = QStringLiteral("--set needs KEY=VALUE, got \"%1\"").arg(assignment);
            return false;
        }
        o.sets.append({key, assignment.mid(equals + 1)});
    }
    return true;
}

bool parseWith(QCommandLineParser &parser, const QStringList &arguments, QString *error)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    return true;
}

} // namespace

QString CommandLine::checkPageRange(const QString &text, QString *error)
{
    QString range = text;
    range.remove(QRegularExpression(QStringLiteral("\\s")));
    if (range.compare(QStringLiteral("ALL"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("ALL");
    static const QRegularExpression piece(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,9}))?$"));
    const QStringList pieces = range.split(QLatin1Char(','));
    for (const QString &p : pieces) {
        const QRegularExpressionMatch m = piece.match(p);
        if (!m.hasMatch()) {
            *error = QStringLiteral("--pages: \"%1\" is not a page range (use ALL, or numbers and ranges "
                                    "such as 1-3,7)")
                         .arg(text);
            return QString();
        }
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        if (first < 1) {
            *error = QStringLiteral("--pages: pages are counted from 1 (\"%1\")").arg(text);
            return QString();
        }
        if (last < first) {
            *error = QStringLiteral("--pages: the range %1 runs backwards").arg(p);
            return QString();
        }
    }
    return range;
}

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine cl;
    CliOptions &o = cl.options;
    const QString program = arguments.value(0, QStringLiteral("foliant-cli"));
    const QString first = arguments.value(1);

    if (first.isEmpty() || first == QStringLiteral("-h") || first == QStringLiteral("--help") ||
        first == QStringLiteral("help")) {
        o.command = CliOptions::Command::Help;
        const QString topic = arguments.value(2);
        cl.helpText = topic == QStringLiteral("publish")           ? publishHelp()
                      : topic == QStringLiteral("templates")       ? templatesHelp()
                      : topic == QStringLiteral("export-settings") ? exportSettingsHelp()
                                                                   : generalHelp();
        if (first.isEmpty())
            cl.error = QStringLiteral("no command given (try --help)");
        return cl;
    }
    if (first == QStringLiteral("--version") || first == QStringLiteral("-V")) {
        o.command = CliOptions::Command::Version;
        return cl;
    }

    QStringList rest = arguments.mid(2);
    rest.prepend(program);
    QCommandLineParser parser;
    const QCommandLineOption help = flag({QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);

    if (first == QStringLiteral("publish")) {
        o.command = CliOptions::Command::Publish;
        parser.addOption(valueOption("out", "DIR"));
        parser.addOption(valueOption("pages", "RANGE"));
        parser.addOption(valueOption("quality", "LEVEL"));
        parser.addOption(flag({QStringLiteral("images")}));
        parser.addOption(flag({QStringLiteral("links")}));
        parser.addOption(flag({QStringLiteral("bookmarks")}));
        parser.addOption(flag({QStringLiteral("no-text")}));
        parser.addOption(valueOption("title", "TEXT"));
        parser.addOption(valueOption("name", "NAME"));
        parser.addOption(flag({QStringLiteral("app")}));
        parser.addOption(valueOption("mobile", "KIND"));
        parser.addOption(flag({QStringLiteral("force")}));
        parser.addOption(flag({QStringLiteral("sample")}));
        parser.addOption(valueOption("password-file", "FILE"));
        parser.addOption(flag({QStringLiteral("q"), QStringLiteral("quiet")}));
        parser.addOption(flag({QStringLiteral("v"), QStringLiteral("verbose")}));
        addTemplateOptions(parser);
        if (!parseWith(parser, rest, &cl.error))
            return cl;
        if (parser.isSet(help)) {
            o.command = CliOptions::Command::Help;
            cl.helpText = publishHelp();
            return cl;
        }
        if (!readTemplateOptions(parser, o, &cl.error))
            return cl;
        o.inputs = parser.positionalArguments();
        o.sample = parser.isSet(QStringLiteral("sample"));
        o.out = parser.value(QStringLiteral("out"));
        o.images = parser.isSet(QStringLiteral("images"));
        o.links = parser.isSet(QStringLiteral("links"));
        o.bookmarks = parser.isSet(QStringLiteral("bookmarks"));
        o.noText = parser.isSet(QStringLiteral("no-text"));
        o.app = parser.isSet(QStringLiteral("app"));
        o.force = parser.isSet(QStringLiteral("force"));
        o.quiet = parser.isSet(QStringLiteral("quiet"));
        o.verbose = parser.isSet(QStringLiteral("verbose"));
        o.title = parser.value(QStringLiteral("title"));
        o.name = parser.value(QStringLiteral("name"));
        o.passwordFile = parser.value(QStringLiteral("password-file"));

        if (o.sample && !o.inputs.isEmpty()) {
            cl.error = QStringLiteral("--sample publishes the sample book; give it without PDF files");
            return cl;
        }
        if (!o.sample && o.inputs.isEmpty()) {
            cl.error = QStringLiteral("no PDF file given (or --sample for the sample book)");
            return cl;
        }
        if (o.out.trimmed().isEmpty()) {
            cl.error = QStringLiteral("--out DIR is required: the folder to publish into");
            return cl;
        }
        if (parser.isSet(QStringLiteral("pages"))) {
            o.pages = checkPageRange(parser.value(QStringLiteral("pages")), &cl.error);
            if (o.pages.isEmpty())
                return cl;
        } else {
            o.pages = QStringLiteral("ALL");
        }
        if (parser.isSet(QStringLiteral("quality"))) {
            bool ok = false;
            o.quality = parser.value(QStringLiteral("quality")).trimmed().toInt(&ok);
            if (!ok || o.quality < 0 || o.quality > 4) {
                cl.error = QStringLiteral("--quality takes a level from 0 (best) to 4 (smallest), got \"%1\"")
                               .arg(parser.value(QStringLiteral("quality")));
                return cl;
            }
        }
        if (parser.isSet(QStringLiteral("mobile"))) {
            const QString kind = parser.value(QStringLiteral("mobile")).trimmed().toLower();
            if (kind == QStringLiteral("flip")) {
                o.mobile = CliOptions::Mobile::Flip;
            } else if (kind == QStringLiteral("slide")) {
                o.mobile = CliOptions::Mobile::Slide;
            } else {
                cl.error = QStringLiteral("--mobile takes flip or slide, got \"%1\"")
                               .arg(parser.value(QStringLiteral("mobile")));
                return cl;
            }
            if (o.app) {
                cl.error = QStringLiteral("--mobile adds to a web book; an application (--app) has no mobile edition");
                return cl;
            }
        }
        if (parser.isSet(QStringLiteral("name"))) {
            if (o.name.isEmpty() || o.name.contains(QLatin1Char('/')) || o.name == QStringLiteral(".") ||
                o.name == QStringLiteral("..")) {
                cl.error = QStringLiteral("--name takes a file name without folders, got \"%1\"").arg(o.name);
                return cl;
            }
            if (o.app && o.inputs.size() > 1) {
                cl.error = QStringLiteral("--name with --app names one application; with several PDF files each "
                                          "application is named after its file");
                return cl;
            }
        }
        return cl;
    }

    if (first == QStringLiteral("templates")) {
        o.command = CliOptions::Command::Templates;
        if (!parseWith(parser, rest, &cl.error))
            return cl;
        if (parser.isSet(help)) {
            o.command = CliOptions::Command::Help;
            cl.helpText = templatesHelp();
            return cl;
        }
        if (!parser.positionalArguments().isEmpty())
            cl.error =
                QStringLiteral("templates takes no arguments, got \"%1\"").arg(parser.positionalArguments().first());
        return cl;
    }

    if (first == QStringLiteral("export-settings")) {
        o.command = CliOptions::Command::ExportSettings;
        addTemplateOptions(parser);
        if (!parseWith(parser, rest, &cl.error))
            return cl;
        if (parser.isSet(help)) {
            o.command = CliOptions::Command::Help;
            cl.helpText = exportSettingsHelp();
            return cl;
        }
        if (!readTemplateOptions(parser, o, &cl.error))
            return cl;
        if (o.templateName.isEmpty()) {
            cl.error = QStringLiteral("export-settings needs --template NAME");
            return cl;
        }
        const QStringList files = parser.positionalArguments();
        if (files.size() != 1) {
            cl.error = files.isEmpty() ? QStringLiteral("export-settings needs the FILE to write")
                                       : QStringLiteral("export-settings writes one FILE, got %1").arg(files.size());
            return cl;
        }
        o.exportFile = files.first();
        return cl;
    }

    cl.error = QStringLiteral("unknown command \"%1\" (commands: publish, templates, export-settings)").arg(first);
    return cl;
}

QString CommandLine::generalHelp()
{
    return QStringLiteral(R"TXT(Usage: foliant-cli COMMAND [OPTIONS]

Turns PDF files into page-turning books for the web, with the same engine and
the same results as the Foliant desktop application. Needs no display.

Commands:
  publish          publish PDF files (or the sample book) as web books or
                   Mac applications
  templates        list the installed templates and their styles
  export-settings  write a template's settings file, for --settings or the
                   desktop application

Run "foliant-cli COMMAND --help" for a command's options.

Examples:
  foliant-cli publish report.pdf --out ~/www/report
  foliant-cli publish *.pdf --out ~/www/books --template float --style Blank
  foliant-cli templates
)TXT");
}

QString CommandLine::publishHelp()
{
    return QStringLiteral(R"TXT(Usage: foliant-cli publish INPUT.pdf... --out DIR [OPTIONS]
       foliant-cli publish --sample --out DIR [OPTIONS]

Imports each PDF and publishes it as the desktop application's Import and
Publish commands do with the same choices. An INPUT ending in .foliant is a
project saved by the application: it is published as it was saved (its pages,
links, template and values), without importing anything.

Where the books go:
  one PDF           DIR is the book: DIR/index.html and DIR/files/
  several PDFs      one folder per book inside DIR, named after the PDF file
                    (a.pdf -> DIR/a/index.html); files with the same name get
                    -2, -3, ... appended
  --app             the application DIR/NAME.app, one per PDF

Import:
  --pages RANGE     pages to import: ALL (default), or numbers and ranges such
                    as 1-3,7
  --quality LEVEL   image quality from 0 (best, default) to 4 (smallest files)
  --images          page images instead of vector pages
  --links           import the links of the PDF
  --bookmarks       import the outline (bookmarks) of the PDF
  --no-text         leave out the text of the pages (no search, selectable
                    text or text edition)
  --sample          publish the sample book instead of a PDF
  --password-file FILE
                    the password of a PDF locked with one, read from the
                    first line of FILE; or set FOLIANT_PDF_PASSWORD. Never
                    given on the command line, where other users can see it

Template (applied in this order, before the first import):
  --template NAME   the player template (default: float); "foliant-cli
                    templates" lists them
  --style NAME      a style of the template (default: the template's default
                    style)
  --settings FILE   apply a settings file exported by Foliant
  --set KEY=VALUE   set one template property; repeatable. Yes/no properties
                    take yes or no, file properties a path to the file

Publishing:
  --out DIR         where to publish (required)
  --title TEXT      title of the HTML page (default: the PDF's file name, or a
                    project's book title)
  --name NAME       file name of the HTML page, without .html (default: index);
                    with --app the application's name (default: the PDF's
                    file name)
  --app             a Mac application instead of a web folder
  --mobile KIND     add an HTML5 edition for phones and tablets; KIND is flip
                    (pages turn) or slide (pages slide)
  --force           replace a book published before (see below)
  -q, --quiet       no progress output
  -v, --verbose     also show the engine's warnings
  -h, --help        this help

Replacing: without --force a book's folder must not exist or be empty. With
--force it may hold a book that Foliant published before (a folder with
files/config.xml); that book is replaced once the new one is complete, so a
failed or interrupted run leaves it as it was. --force never replaces a folder
with anything else in it, nor the root folder, your home folder or a folder
that holds it, nor your standard folders (Desktop, Documents, ...).

Progress goes to standard error (a bar on a terminal, plain lines otherwise);
the path of each published book goes to standard output.

Exit status: 0 every book was published; 1 a book failed or could not be
written (one line says why); 2 the command line is wrong (unknown option,
template, style or property key); 130 interrupted by Ctrl-C: the import stops,
work folders are removed and no half-written book is left.
)TXT");
}

QString CommandLine::templatesHelp()
{
    return QStringLiteral(R"TXT(Usage: foliant-cli templates

Lists the installed templates, each followed by its styles; the template's
default style is marked "(default)". Use the names with --template and
--style.
)TXT");
}

QString CommandLine::exportSettingsHelp()
{
    return QStringLiteral(R"TXT(Usage: foliant-cli export-settings --template NAME [--style NAME] [OPTIONS] FILE

Writes the template's property values, with the style applied, to FILE: the
settings file that "publish --settings" and the desktop application's Import
Settings read. As in the desktop application, ".txt" is appended to a FILE
without an extension.

Options:
  --template NAME   the template (required)
  --style NAME      a style of the template (default: the template's default
                    style)
  --settings FILE   apply a settings file first
  --set KEY=VALUE   set one property; repeatable
  -h, --help        this help
)TXT");
}
