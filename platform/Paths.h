#pragma once

#include <QString>

// The roots of every path the application reads or writes. Each can be redirected
// (by a setter or by an environment variable), so tests and the command-line tool
// never write outside folders they chose.
//
//   userData    FOLIANT_USER_DATA    per-user application data ("Application Support")
//   systemData  FOLIANT_SYSTEM_DATA  computer-wide application data (usually not writable)
//   temp        FOLIANT_TEMP         temporary files ("/tmp"; TMPDIR is honoured)
//   desktop     FOLIANT_DESKTOP      the user's Desktop
//   resources   FOLIANT_RESOURCES    the data shipped with the application
//   config      FOLIANT_CONFIG       where the user-defaults store keeps its file
class Paths
{
public:
    static QString userData();
    static QString systemData();
    static QString temp();
    static QString desktop();
    static QString resources();
    static QString config();

    static void setUserData(const QString &path);
    static void setSystemData(const QString &path);
    static void setTemp(const QString &path);
    static void setDesktop(const QString &path);
    static void setResources(const QString &path);
    static void setConfig(const QString &path);

    // Drops every override set through the setters (environment variables stay).
    static void reset();

    // `base` joined with `component` as path components: no doubled separator,
    // and no trailing separator unless the result is the root.
    static QString join(const QString &base, const QString &component);

    // A resource below the resource root, e.g. resource("AppFiles/float").
    static QString resource(const QString &relative);

    // One of the converter programs the application runs, e.g. program("pdf2swf").
    static QString program(const QString &name);
};
