#pragma once

#include "SwfFileReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Parsed form of a movie written by the tests, or a failed test.
SwfInfo readMovie(const QByteArray &bytes);

// Tags of `info` with the given code.
std::vector<SwfTag> tagsWithCode(const SwfInfo &info, int code);

// Result of running one of the converter programs.
struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
ProgramRun runTool(const QString &name, const QStringList &args);

// Writes the generated test PDFs (text.pdf, image.pdf) into `dir`.
void makeTestPdfs(const QString &dir);
