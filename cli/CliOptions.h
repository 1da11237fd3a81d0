#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What the command line asked for, after parsing and checking its syntax.
struct CliOptions
{
    enum class Command { Help, Version, Publish, Templates, ExportSettings };
    enum class Mobile { None, Flip, Slide };

    Command command = Command::Help;

    // publish
    QStringList inputs; // as given
    bool sample = false;
    QString out;
    QString pages;   // "ALL" or the range text without white space
    int quality = 0; // level 0..4
    bool images = false;
    bool links = false;
    bool bookmarks = false;
    bool noText = false;
    bool app = false;
    Mobile mobile = Mobile::None;
    bool force = false;
    QString title;        // empty: the book's file name
    QString name;         // empty: "index", or the book's file name for --app
    QString passwordFile; // --password-file
    QString password;     // read from passwordFile or FOLIANT_PDF_PASSWORD by the command

    // publish and export-settings
    QString templateName; // empty: keep the start-up template
    QString styleName;
    QString settingsFile;
    QList<QPair<QString, QString>> sets;

    // export-settings
    QString exportFile;

    bool quiet = false;
    bool verbose = false;
};
