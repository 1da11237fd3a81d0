#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The installed templates and styles as the tool names them, and the checks
// of names and property values given on the command line, made before any
// work starts so that a typo costs nothing.
class TemplateCatalog
{
public:
    // Names of the installed templates, sorted.
    static QStringList templateNames();
    // Names of a template's styles, sorted.
    static QStringList styleNames(const QString &tmplName);
    // The style the template's metadata names as its default ("" when unreadable).
    static QString defaultStyle(const QString &tmplName);

    // The installed name matching `name`, exactly or else ignoring case; "" when none.
    static QString findTemplate(const QString &name);
    static QString findStyle(const QString &tmplName, const QString &name);

    // Resolves the template and style to use: an empty template means the
    // start-up template, an empty style the template's default (or its first
    // style). False with a one-line reason when either is not installed.
    static bool resolve(QString &tmplName, QString &styleName, bool styleWanted, QString *error);

    // Checks `--set` values against the template's properties and brings them
    // into the form the property editor stores (yes/no as YES/NO, file paths
    // absolute). False with a one-line reason for an unknown key or a value
    // the property cannot take.
    static bool checkValues(const QString &tmplName, QList<QPair<QString, QString>> &sets, QString *error);

    // The listing printed by "foliant-cli templates".
    static QString listing();
};
