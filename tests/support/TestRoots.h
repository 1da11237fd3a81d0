#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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

// Reads a whole file; empty when missing.
QByteArray readAll(const QString &path);
// The source tree's test data folder, tests/data.
QString testDataPath(const QString &relative);
// Runs `write` while every write beyond `bytes` into a file fails, as on a full
// disk (a file-size limit holds for root too); returns what `write` returned.
bool underFileSizeLimit(long bytes, const std::function<bool()> &write);
// The files below `folder` (relative paths) with their bytes.
QMap<QString, QByteArray> folderContents(const QString &folder);
