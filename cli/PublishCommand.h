#pragma once

#include "cli/CliOptions.h"

#include <QString>
#include <QStringList>

class CliSession;
class ProgressReporter;

// "foliant-cli publish": checks everything the command line names before any
// work starts, then imports and publishes one book after another through the
// desktop application's commands. A book that fails is reported and the
// others still go; Ctrl-C stops at once.
class PublishCommand
{
public:
    PublishCommand(const CliOptions &options, ProgressReporter &progress);

    // Checks names, files and destinations. False with `exitCode` and a one-line reason.
    bool check(int *exitCode, QString *error);
    // Runs the checked command in a started session; returns the exit status.
    int run(CliSession &session);

    // One book of the run.
    struct Book
    {
        QString input;       // absolute path of the PDF; empty for the sample book
        QString label;       // how messages name it
        QString destination; // the book folder or application bundle
        QString name;        // the HTML page's (or application's) name without extension
        QString title;
    };
    const QList<Book> &books() const { return m_books; }

    // Names of sub-folders (or applications) for several inputs: the files'
    // base names, with -2, -3 ... for repeats. Exposed for the help's promise.
    static QStringList bookNames(const QStringList &inputs);

private:
    bool publishBook(CliSession &session, const Book &book, QString *error, bool *interrupted);

    CliOptions m_options;
    ProgressReporter &m_progress;
    QList<Book> m_books;
    QStringList m_userFiles;
};
