#include "SwfTestSupport.h"

#include "TestRoots.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class SwfPrograms : public RootedTest
{
protected:
    void SetUp() override
    {
        dir = roots.temp();
        makeTestPdfs(dir);
    }

    // The arguments exactly as the import passes them.
    ProcessResult convert(const QString &pdf, int page, const QString &out, int quality = 85)
    {
        return runTool(QStringLiteral("pdf2swf"),
                       {pdf, QStringLiteral("-o") + out, QStringLiteral("-p %1-%1").arg(page),
                        QStringLiteral("-s jpegquality=%1").arg(quality), QStringLiteral("-t"), QStringLiteral("-G"),
                        QStringLiteral("-qq"), QStringLiteral("-s flashversion=8"), QStringLiteral("-s disablelinks"),
                        QStringLiteral("-s zoom=144")});
    }

    QString dir;
};

} // namespace

TEST_F(SwfPrograms, ConvertPagesWhoseSizeGetswfSizeReportsAtTheZoom)
{
    struct Case
    {
        QString pdf;
        int page;
        QByteArray size;
    };
    const QList<Case> cases{{QStringLiteral("text.pdf"), 1, "1224|1584\n"},
                            {QStringLiteral("text.pdf"), 2, "600|800\n"}, // 400x300 points turned by /Rotate 90
                            {QStringLiteral("image.pdf"), 1, "840|1190\n"}};
    for (const Case &c : cases) {
        const QString out = dir + QStringLiteral("/page %1.swf").arg(c.page);
        const ProcessResult run = convert(dir + u'/' + c.pdf, c.page, out);
        ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.isEmpty()) << run.standardError.toStdString();
        const ProcessResult size = runTool(QStringLiteral("getswfSize"), {out});
        EXPECT_EQ(size.exitCode, 0) << size.standardError.toStdString();
        EXPECT_EQ(size.standardOutput, c.size) << c.pdf.toStdString() << " page " << c.page;
    }
}

TEST_F(SwfPrograms, TextPagesAreOutlinesAndImagePagesCarryTheirPictures)
{
    ASSERT_EQ(convert(dir + QStringLiteral("/text.pdf"), 1, dir + QStringLiteral("/t.swf")).exitCode, 0);
    ASSERT_EQ(convert(dir + QStringLiteral("/image.pdf"), 1, dir + QStringLiteral("/i.swf"), 100).exitCode, 0);
    ASSERT_EQ(convert(dir + QStringLiteral("/image.pdf"), 1, dir + QStringLiteral("/i25.swf"), 25).exitCode, 0);
    const SwfInfo text = readMovie(readAll(dir + QStringLiteral("/t.swf")));
    const size_t shapes = tagsWithCode(text, 32).size();
    const size_t placed = tagsWithCode(text, 26).size();
    EXPECT_GT(placed, 1000u) << "every glyph of the page is drawn";
    EXPECT_LT(shapes * 4, placed) << "repeated glyphs share one definition";
    EXPECT_TRUE(tagsWithCode(text, 21).empty());

    const SwfInfo image = readMovie(readAll(dir + QStringLiteral("/i.swf")));
    EXPECT_EQ(tagsWithCode(image, 21).size(), 1u) << "the photo, drawn twice, is stored once";
    EXPECT_EQ(tagsWithCode(image, 35).size(), 1u) << "the soft-masked picture keeps its alpha";
    EXPECT_LT(QFileInfo(dir + QStringLiteral("/i25.swf")).size(), QFileInfo(dir + QStringLiteral("/i.swf")).size());
}

TEST_F(SwfPrograms, APageTooDenseForOneFrameBecomesOnePictureInsteadOfLosingDrawing)
{
    const ProcessResult run = convert(dir + QStringLiteral("/dense.pdf"), 1, dir + QStringLiteral("/d.swf"));
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const SwfInfo info = readMovie(readAll(dir + QStringLiteral("/d.swf")));
    EXPECT_EQ(info.widthPixels(), 1200);
    EXPECT_EQ(tagsWithCode(info, 21).size(), 1u);
    EXPECT_EQ(tagsWithCode(info, 26).size(), 1u);
}

TEST_F(SwfPrograms, FailuresExitNonZeroWithAMessageAndLeaveNoFile)
{
    const QString garbage = roots.writeFile(QStringLiteral("garbage.pdf"), "this is not a PDF at all");
    const QString out = dir + QStringLiteral("/out.swf");
    const QList<ProcessResult> runs{
        convert(dir + QStringLiteral("/missing.pdf"), 1, out),
        convert(garbage, 1, out),
        convert(dir + QStringLiteral("/text.pdf"), 3, out),
        convert(dir + QStringLiteral("/text.pdf"), 1, dir + QStringLiteral("/no such folder/out.swf")),
        runTool(QStringLiteral("pdf2swf"), {}),
    };
    for (const ProcessResult &run : runs) {
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.standardError.startsWith("pdf2swf: ")) << run.standardError.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(SwfPrograms, GetswfSizeRefusesBrokenFiles)
{
    ASSERT_EQ(convert(dir + QStringLiteral("/text.pdf"), 1, dir + QStringLiteral("/t.swf")).exitCode, 0);
    const QByteArray good = readAll(dir + QStringLiteral("/t.swf"));
    const QString cut = roots.writeFile(QStringLiteral("cut.swf"), good.left(good.size() / 2));
    const QString empty = roots.writeFile(QStringLiteral("empty.swf"), {});
    for (const QStringList &args : QList<QStringList>{
             {cut}, {empty}, {dir + QStringLiteral("/text.pdf")}, {dir + QStringLiteral("/missing.swf")}, {}}) {
        const ProcessResult run = runTool(QStringLiteral("getswfSize"), args);
        EXPECT_NE(run.exitCode, 0) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.standardOutput.isEmpty());
        EXPECT_FALSE(run.standardError.isEmpty());
    }
}
