#include "CliTestSupport.h"

#include "app/Foliant_for_macAppDelegate.h"
#include "app/ImportWindowDelegate.h"
#include "app/MainWindowView.h"
#include "app/OutputWindowDelegate.h"
#include "app/PageEditorWindowDelegate.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "publish/FlashBookOutput.h"
#include "publish/Rc4.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/SelectTemplateWindowDelegate.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

QStringList CliRun::errLines() const
{
    QStringList lines = err.split(QLatin1Char('\n'));
    lines.removeAll(QString());
    // The leak checker of sanitizer builds may note a thread it met while that
    // thread was ending ("==PID==Unable to get registers ..."). A leak it finds
    // changes the exit status instead, so its notes are not the tool's output.
    static const QRegularExpression note(QStringLiteral("^==\\d+==(?!ERROR)"));
    lines.removeIf([](const QString &line) { return note.match(line).hasMatch(); });
    return lines;
}

QStringList BookChoices::cliArguments(const QString &out) const
{
    QStringList a = {QStringLiteral("publish")};
    if (pdf.isEmpty())
        a << QStringLiteral("--sample");
    else
        a << pdf;
    a << QStringLiteral("--out") << out << QStringLiteral("--pages") << pages << QStringLiteral("--quality")
      << QString::number(quality);
    if (images)
        a << QStringLiteral("--images");
    if (links)
        a << QStringLiteral("--links");
    if (bookmarks)
        a << QStringLiteral("--bookmarks");
    if (!tmpl.isEmpty())
        a << QStringLiteral("--template") << tmpl;
    if (!style.isEmpty())
        a << QStringLiteral("--style") << style;
    if (!settingsFile.isEmpty())
        a << QStringLiteral("--settings") << settingsFile;
    for (const auto &[key, value] : sets)
        a << QStringLiteral("--set") << key + QLatin1Char('=') + value;
    a << QStringLiteral("--name") << name << QStringLiteral("--title") << title;
    if (app)
        a << QStringLiteral("--app");
    if (mobile >= 0)
        a << QStringLiteral("--mobile") << (mobile == 1 ? QStringLiteral("slide") : QStringLiteral("flip"));
    return a;
}

QProcessEnvironment CliTest::cliEnvironment() const
{
    QDir().mkpath(home());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FOLIANT_USER_DATA"), roots.userData());
    env.insert(QStringLiteral("FOLIANT_SYSTEM_DATA"), roots.systemData());
    env.insert(QStringLiteral("FOLIANT_TEMP"), roots.temp());
    env.insert(QStringLiteral("FOLIANT_DESKTOP"), roots.desktop());
    env.insert(QStringLiteral("FOLIANT_CONFIG"), roots.config());
    env.insert(QStringLiteral("FOLIANT_RESOURCES"), QStringLiteral(FOLIANT_RESOURCES_DIR));
    env.insert(QStringLiteral("HOME"), home());
    return env;
}

CliRun CliTest::runCli(const QStringList &arguments, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(cliEnvironment());
    process.setWorkingDirectory(roots.root());
    process.start(cliProgram(), arguments);
    CliRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.crashed = true;
    }
    run.crashed = run.crashed || process.exitStatus() != QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

namespace {

int playImport(ImportWindowDelegate &d, const BookChoices &c)
{
    d.txtImportFile = c.pdf;
    d.pageRangeType = c.pages == QStringLiteral("ALL") ? 0 : 1;
    d.txtPageRange = c.pages;
    d.importQuality = c.quality;
    d.PageFormat = c.images ? 1 : 0;
    d.btnImportLinks = c.links;
    d.btnImportBookMark = c.bookmarks;
    int code = -1;
    QEventLoop loop;
    QObject::connect(&d, &ImportWindowDelegate::sheetEnded, &loop, [&](int c) {
        code = c;
        loop.quit();
    });
    d.onImportAction();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!d.isImporting())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    if (code < 0 && d.isImporting())
        loop.exec();
    return code == 1 ? 1 : 0;
}

// The template chooser, answered with `tmpl` and its `style`.
int pickTemplate(SelectTemplateWindowDelegate &d, const QString &tmpl, const QString &style)
{
    for (int row = 0; row < d.tmplList().size(); ++row)
        if (d.tmplNameAt(row) == tmpl)
            d.selectTmplRow(row);
    for (int i = 0; i < d.styles().size(); ++i)
        if (d.styles().at(i).styleName == style)
            d.selectStyleIndex(i);
    int code = 0;
    QObject::connect(&d, &SelectTemplateWindowDelegate::sheetEnded, &d, [&](int v) { code = v; });
    d.onOK();
    return code;
}

} // namespace

void CliTest::publishLikeDesktop(const BookChoices &c, const QString &folder)
{
    HeadlessWindowView window;
    Foliant_for_macAppDelegate controller(&window);
    controller.applicationDidFinishLaunching();

    if (!c.pdf.isEmpty()) {
        window.importSheet = [&](ImportWindowDelegate &d) { return playImport(d, c); };
        controller.OnImportPDF();
        ASSERT_TRUE(controller.flashPageSource() && controller.flashPageSource()->sourceFile() == c.pdf)
            << "the desktop import failed";
    }
    if (!c.tmpl.isEmpty()) {
        window.templateSheet = [&](SelectTemplateWindowDelegate &d) { return pickTemplate(d, c.tmpl, c.style); };
        controller.onSelectTemplate();
        ASSERT_EQ(controller.flashTmpl()->tmplName(), c.tmpl);
    }
    if (!c.settingsFile.isEmpty()) {
        window.scripted.fileAnswers = {QStringList{c.settingsFile}};
        controller.OnImportTmplSettings();
    }
    if (!c.sets.isEmpty()) {
        FlashTemplateOutlineDelegate *editor = controller.outlineDelegate();
        editor->reloadData();
        for (const auto &[key, value] : c.sets) {
            const FlashTemplatePropertyPtr node = controller.flashTmpl()->propertyFor(key);
            ASSERT_TRUE(node) << key.toStdString();
            const QModelIndex index = editor->indexOf(node.get(), FlashTemplateOutlineDelegate::ValueColumn);
            if (node->propertyType() == pt_bool)
                editor->setData(index, value == QStringLiteral("YES") ? Qt::Checked : Qt::Unchecked,
                                Qt::CheckStateRole);
            else
                editor->setData(index, value);
        }
        controller.OnApplyChange();
    }
    if (!c.project.isEmpty()) {
        window.pageEditorSheet = [&](PageEditorWindowDelegate &d) {
            const QString picture = QDir::cleanPath(folder + QStringLiteral("/../placed.png"));
            QImage(40, 30, QImage::Format_RGB32).save(picture);
            const QString src = d.CopytoAttachmentNoRename(picture, QStringLiteral("set"));
            QFile list(QDir(d.baseFolder()).filePath(QStringLiteral("pages.xml")));
            EXPECT_TRUE(list.open(QIODevice::ReadOnly));
            QString text = QString::fromUtf8(list.readAll());
            text.replace(QStringLiteral("</Page>"),
                         QStringLiteral("<Item name=\"Image\" type=\"rect\" x=\"0.100000\" y=\"0.100000\" "
                                        "width=\"0.300000\" height=\"0.200000\" src=\"%1\"/></Page>")
                             .arg(src));
            return d.savePageList(text) ? 1 : 0;
        };
        controller.OnPageEditor();
    }
    window.publishSheet = [&](OutputWindowDelegate &d) {
        d.txtOutputFolder = folder;
        d.txtOutputName = c.name;
        d.txtTitle = c.title;
        d.mOutputType = c.app ? 1 : 0;
        d.chkCreateMobile = c.mobile >= 0;
        d.btnMobileType = c.mobile >= 0 ? c.mobile : 0;
        d.onPublish();
        return 1;
    };
    window.scripted.alertAnswers = {1}; // "Open the result files?" - No
    controller.OnExportFlipBook();
    EXPECT_EQ(window.scripted.count(QStringLiteral("message")), 0);
    if (!c.project.isEmpty()) {
        EXPECT_TRUE(controller.saveProjectTo(c.project));
    }
    controller.applicationWillTerminate();
}

void CliTest::exportLikeDesktop(const QString &tmpl, const QString &style, const QString &file)
{
    HeadlessWindowView window;
    Foliant_for_macAppDelegate controller(&window);
    controller.applicationDidFinishLaunching();
    window.templateSheet = [&](SelectTemplateWindowDelegate &d) { return pickTemplate(d, tmpl, style); };
    controller.onSelectTemplate();
    window.scripted.saveAnswers = {file};
    controller.OnExportTmplSettings();
    controller.applicationWillTerminate();
}

void CliTest::expectNoLeftovers(const QString &outParent) const
{
    const QStringList mine =
        QDir(roots.temp()).entryList({QStringLiteral("foliant-cli-*")}, QDir::AllEntries | QDir::Hidden);
    EXPECT_TRUE(mine.isEmpty()) << "left in the temporary folder: " << mine.join(QLatin1Char(' ')).toStdString();
    const QStringList staging =
        QDir(outParent).entryList({QStringLiteral(".foliant-staging-*")}, QDir::AllEntries | QDir::Hidden);
    EXPECT_TRUE(staging.isEmpty()) << "staging left in " << outParent.toStdString();
}

// The packed configuration's archive with its time stamps zeroed; empty when
// its data is no archive.
static QByteArray normalisedConfig(const QByteArray &text)
{
    const qsizetype begin = text.indexOf("<![CDATA[");
    const qsizetype end = text.indexOf("]]>", begin);
    if (begin < 0 || end < 0)
        return text;
    const QByteArray packed = QByteArray::fromBase64(text.mid(begin + 9, end - begin - 9));
    QByteArray zip = Rc4::RC4EncryptedDataUsingKey(packed, FlashBookOutput::packingKey()).value_or(QByteArray());
    if (!zip.startsWith("PK\x03\x04"))
        return QByteArray(); // not a packed configuration
    // Local header: time and date at 10..13; central directory entry: at 12..15.
    for (qsizetype at = zip.indexOf("PK\x03\x04"); at >= 0 && at + 14 <= zip.size(); at = -1)
        zip.replace(at + 10, 4, QByteArray(4, '\0'));
    const qsizetype central = zip.indexOf("PK\x01\x02");
    if (central >= 0 && central + 16 <= zip.size())
        zip.replace(central + 12, 4, QByteArray(4, '\0'));
    return text.left(begin) + zip.toHex() + text.mid(end);
}

void expectSameBook(const QString &expected, const QString &actual)
{
    const QMap<QString, QByteArray> want = folderContents(expected), got = folderContents(actual);
    ASSERT_FALSE(want.isEmpty()) << "nothing published in " << expected.toStdString();
    EXPECT_EQ(want.keys(), got.keys());
    for (auto file = want.begin(); file != want.end(); ++file) {
        const QString &relative = file.key();
        const QByteArray b = got.value(relative);
        if (relative.endsWith(QStringLiteral("files/config.xml"))) {
            EXPECT_FALSE(normalisedConfig(file.value()).isEmpty()) << relative.toStdString() << " is not packed";
            EXPECT_EQ(normalisedConfig(file.value()), normalisedConfig(b)) << relative.toStdString();
        } else if (relative.endsWith(QStringLiteral("files/config.js"))) {
            // The sidecar repeats its own configuration, time stamp included.
            const QString config = relative.chopped(2) + QStringLiteral("xml");
            EXPECT_TRUE(b.startsWith(FlashBookOutput::configSidecar(got.value(config))));
        } else {
            EXPECT_TRUE(file.value() == b) << relative.toStdString() << " differs";
        }
    }
}

QString keyOfType(const FlashTemplate &tmpl, int type, const QStringList &except)
{
    std::function<QString(const FlashTemplatePropertyList &)> find = [&](const FlashTemplatePropertyList &list) {
        for (const FlashTemplatePropertyPtr &node : list) {
            if (node && node->hasKey() && node->propertyType() == type && !except.contains(node->key()) &&
                tmpl.propertyFor(node->key()) == node)
                return node->key();
            if (node) {
                const QString inner = find(node->childProperties());
                if (!inner.isEmpty())
                    return inner;
            }
        }
        return QString();
    };
    return find(tmpl.properties());
}
