#pragma once

#include "SwfFileReader.h"
#include "platform/ProcessRunner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

// Parsed form of a movie written by the tests, or a failed test.
SwfInfo readMovie(const QByteArray &bytes);

// Tags of `info` with the given code.
std::vector<SwfTag> tagsWithCode(const SwfInfo &info, int code);

// Runs one of the converter programs.
inline ProcessResult runTool(const QString &name, const QStringList &args)
{
    return ProcessRunner::run(QStringLiteral(FOLIANT_RESOURCES_DIR "/lib/") + name, args, 60000);
}

// Writes the generated test PDFs (text.pdf, image.pdf, dense.pdf, effects.pdf) into `dir`.
inline void makeTestPdfs(const QString &dir)
{
    const ProcessResult r = ProcessRunner::run(
        QStringLiteral("python3"), {QStringLiteral(FOLIANT_SOURCE_DIR "/tests/data/swf/make_pdfs.py"), dir}, 120000);
    ASSERT_TRUE(r.ok()) << r.standardError.toStdString();
}
