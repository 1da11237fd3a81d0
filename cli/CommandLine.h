#pragma once

#include "cli/CliOptions.h"

#include <QString>
#include <QStringList>

// Parses the tool's arguments. Syntax errors (unknown options, values out of
// range, missing inputs) are found here, before anything is read or written;
// whether names and files exist is checked later, against the installation.
class CommandLine
{
public:
    // `arguments` as the process got them, the program first.
    static CommandLine parse(const QStringList &arguments);

    CliOptions options;
    // Non-empty when the command line is wrong: one line, without the program name.
    QString error;
    // The help text to print for Command::Help (general or per command).
    QString helpText;

    static QString generalHelp();
    static QString publishHelp();
    static QString templatesHelp();
    static QString exportSettingsHelp();

    // "ALL", or the range normalised (white space removed); empty with `error`
    // set when the text is no page range.
    static QString checkPageRange(const QString &text, QString *error);
};
