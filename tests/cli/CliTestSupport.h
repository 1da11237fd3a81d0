#pragma once

#include "TestData.h"
#include "TestRoots.h"

#include "templates/FlashTemplate.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one run of the real foliant-cli binary did.
struct CliRun
{
    int exitCode = -1;
    bool crashed = false; // ended by a signal or never ended
    QString out;
    QString err;
    // The lines of standard error, without empty ones.
    QStringList errLines() const;
};

// The choices a person makes in the desktop application's dialogs for one
// book, and what the command line says for the same.
struct BookChoices
{
    QString pdf; // empty: the sample book
    QString pages = QStringLiteral("ALL");
    int quality = 0;
    bool images = false;
    bool links = false;
    bool bookmarks = false;
    QString tmpl; // empty: keep the start-up template
    QString style;
    QString settingsFile;
    QList<QPair<QString, QString>> sets; // values as the property editor stores them
    QString name = QStringLiteral("index");
    QString title = QStringLiteral("A book");
    bool app = false;
    int mobile = -1; // -1 none, 0 flip, 1 slide
    // When set, the desktop also places a picture on page 1 with the page
    // editor before publishing, and saves the book as this project after.
    QString project;

    // The foliant-cli arguments for these choices, publishing to `out`.
    QStringList cliArguments(const QString &out) const;
};

// Each test gets fresh path roots; the tool runs with the same roots through
// the environment, with HOME among them.
class CliTest : public RootedTest
{
protected:
    // The controller's dialogs deliver the import's end through the event loop.
    static void SetUpTestSuite() { testApp(); }

    QString home() const { return roots.root() + QStringLiteral("/home"); }
    QString path(const QString &relative) const { return roots.root() + QLatin1Char('/') + relative; }

    CliRun runCli(const QStringList &arguments, int timeoutMs = 120000) const;
    // The tool's environment: every root in this test's folders, HOME too.
    QProcessEnvironment cliEnvironment() const;
    static QString cliProgram() { return QStringLiteral(FOLIANT_BINARY_DIR "/bin/foliant-cli"); }

    // The desktop application's commands, driven as a person would: start,
    // import, template chooser, settings import, property edits with Apply,
    // publish dialog; the published folder lands in `folder`.
    void publishLikeDesktop(const BookChoices &choices, const QString &folder);
    // Export Settings in the desktop application after choosing the style.
    void exportLikeDesktop(const QString &tmpl, const QString &style, const QString &file);

    // Nothing of a run may stay behind: no private folder of the tool in the
    // temporary folder, no staging folder in `outParent`.
    void expectNoLeftovers(const QString &outParent) const;
};

// Two published folders hold the same files with the same bytes, but for the
// archive time stamps inside the packed configuration.
void expectSameBook(const QString &expected, const QString &actual);

// The first key of a property of `type` in the template, skipping `except`.
QString keyOfType(const FlashTemplate &tmpl, int type, const QStringList &except = {});
