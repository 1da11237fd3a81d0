#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Points every path root of the application (user data, system data, temporary
// folder, Desktop, user-defaults store) into one fresh temporary folder for the
// duration of a test, and resets the settings singleton, so tests never touch
// the real home or /tmp and never see each other's state.
class TestRoots
{
public:
    TestRoots();
    ~TestRoots();

    QString root() const { return m_dir.path(); }
    QString userData() const;
    QString systemData() const;
    QString temp() const;
    QString desktop() const;
    QString config() const;

    // Writes `bytes` to `relative` below root(), making folders; returns the path.
    QString writeFile(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// Fixture form of TestRoots.
class RootedTest : public ::testing::Test
{
protected:
    TestRoots roots;
};

// The test program's application object: a GUI one, offscreen unless the
// environment names a platform, made on first use when main() made none.
QCoreApplication &testApp();
// Turns the event loop until `done` holds or `timeoutMs` passed; true when it held.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 60000);

// A list of UTF-8 literals, for comparisons.
QStringList names(std::initializer_list<const char *> items);
// Reads a whole file; empty when missing.
QByteArray readAll(const QString &path);
// Runs `write` while every write beyond `bytes` into a file fails, as on a full
// disk (a file-size limit holds for root too); returns what `write` returned.
bool underFileSizeLimit(long bytes, const std::function<bool()> &write);
// The files below `folder` (relative paths) with their bytes.
QMap<QString, QByteArray> folderContents(const QString &folder);
