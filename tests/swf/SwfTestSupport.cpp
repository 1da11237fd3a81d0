#include "SwfTestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

SwfInfo readMovie(const QByteArray &bytes)
{
    SwfInfo info;
    std::string error;
    EXPECT_TRUE(
        SwfFileReader::read(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), info, error))
        << error;
    return info;
}

std::vector<SwfTag> tagsWithCode(const SwfInfo &info, int code)
{
    std::vector<SwfTag> out;
    for (const SwfTag &t : info.tags) {
        if (t.code == code)
            out.push_back(t);
    }
    return out;
}

ProgramRun runTool(const QString &name, const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(FOLIANT_RESOURCES_DIR "/lib/") + name, args);
    ProgramRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << name.toStdString() << " did not finish";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

void makeTestPdfs(const QString &dir)
{
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral(FOLIANT_SOURCE_DIR "/tests/data/swf/make_pdfs.py"), dir});
    ASSERT_TRUE(python.waitForFinished(120000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
}
