#include "publish/zip/ZKDataArchive.h"

#include "TestRoots.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <random>

namespace {

ZKDateTime dec5At143759()
{
    return ZKDateTime{2026, 12, 5, 14, 37, 59};
}

std::uint32_t u32(const ZKBytes &b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t u16(const ZKBytes &b, std::size_t at)
{
    return std::uint16_t(b[at] | (b[at + 1] << 8));
}

ZKBytes bytesOf(const std::string &text)
{
    return ZKBytes(text.begin(), text.end());
}

ZKDataArchive archiveWith(const ZKBytes &data, const std::string &name = "config.xml")
{
    ZKDataArchive archive;
    archive.setClock(dec5At143759);
    EXPECT_EQ(archive.deflateData(data, name), 1);
    return archive;
}

QString runTool(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(ZipArchive, singleEntryHasTheFixedLayout)
{
    const ZKBytes text = bytesOf("<FlipBook3D><XMLVersion>1</XMLVersion></FlipBook3D>\n");
    const ZKDataArchive archive = archiveWith(text);
    const ZKBytes &a = archive.data();
    const std::size_t z = u32(a, 18);

    ASSERT_EQ(a.size(), 145 + z);
    EXPECT_EQ(u32(a, 0), 0x04034b50u);
    EXPECT_EQ(u32(a, 40 + z), 0x02014b50u);
    EXPECT_EQ(u32(a, 96 + z), 0x06054b50u);
    EXPECT_EQ(std::string(a.end() - 27, a.end()), "Archive created with ZipKit");

    // Local header: version 20, no flags, deflate, stamp, sizes, name.
    EXPECT_EQ(u16(a, 4), 20);
    EXPECT_EQ(u16(a, 6), 0);
    EXPECT_EQ(u16(a, 8), 8);
    EXPECT_EQ(u16(a, 10), 29885); // 14:37:59, the second stored as 29
    EXPECT_EQ(u16(a, 12), 23941); // 5 December 2026
    EXPECT_EQ(u32(a, 22), text.size());
    EXPECT_EQ(u16(a, 26), 10);
    EXPECT_EQ(std::string(a.begin() + 30, a.begin() + 40), "config.xml");

    // Central directory agrees with the local header and points back to it.
    const std::size_t cd = 40 + z;
    EXPECT_EQ(u16(a, cd + 4), 789);
    EXPECT_EQ(u32(a, cd + 16), u32(a, 14));
    EXPECT_EQ(u16(a, cd + 12), 29885);
    EXPECT_EQ(u16(a, cd + 14), 23941);
    EXPECT_EQ(u32(a, cd + 42), 0u);

    // End record: one entry, a 56-byte directory at 40 + z.
    const std::size_t end = 96 + z;
    EXPECT_EQ(u16(a, end + 8), 1);
    EXPECT_EQ(u16(a, end + 10), 1);
    EXPECT_EQ(u32(a, end + 12), 56u);
    EXPECT_EQ(u32(a, end + 16), cd);
    EXPECT_EQ(u16(a, end + 20), 27);
}

TEST(ZipArchive, emptyDataIsATwoByteStreamAndEmptyNameIsRefused)
{
    const ZKBytes a = archiveWith({}).data();
    EXPECT_EQ(u32(a, 18), 2u);
    EXPECT_EQ(u32(a, 14), 0u);
    EXPECT_EQ(u32(a, 22), 0u);
    EXPECT_EQ(a.size(), 147u);

    ZKDataArchive unnamed;
    EXPECT_EQ(unnamed.deflateData(bytesOf("data"), ""), -1);
    EXPECT_TRUE(unnamed.data().empty());
    EXPECT_TRUE(unnamed.centralDirectory().empty());
}

TEST(ZipArchive, secondEntryMovesTheCentralDirectory)
{
    ZKDataArchive archive = archiveWith(bytesOf("first entry"), "a.txt");
    const std::uint64_t firstDirectory = archive.cdTrailer().offsetOfStartOfCentralDirectory();
    ASSERT_EQ(archive.deflateData(bytesOf("second entry, a little longer"), "b.txt"), 1);

    const ZKBytes &a = archive.data();
    ASSERT_EQ(archive.centralDirectory().size(), 2u);
    EXPECT_EQ(archive.centralDirectory()[0]->localHeaderOffset(), 0u);
    EXPECT_EQ(archive.centralDirectory()[1]->localHeaderOffset(), firstDirectory);
    EXPECT_EQ(u32(a, firstDirectory), 0x04034b50u); // the second local header overwrote the old directory
    const std::size_t end = a.size() - 22 - 27;
    EXPECT_EQ(u32(a, end), 0x06054b50u);
    EXPECT_EQ(u16(a, end + 10), 2);
    EXPECT_GT(u32(a, end + 16), firstDirectory);
    EXPECT_EQ(u32(a, end + 12), 2 * 46u + 10);
}

TEST(ZipArchive, incompressibleDataBeyondOneBufferIsComplete)
{
    std::mt19937 random(7);
    ZKBytes noise(100000);
    for (auto &b : noise)
        b = std::uint8_t(random());
    const ZKBytes a = archiveWith(noise, "noise.bin").data();
    const std::size_t z = u32(a, 18);
    EXPECT_GT(z, noise.size()); // stored blocks cost a few bytes each
    EXPECT_EQ(a.size(), 30 + 9 + z + 46 + 9 + 22 + 27);
}

TEST(ZipArchive, standardToolsReadIt)
{
    TestRoots roots;
    std::mt19937 random(3);
    ZKBytes data;
    for (int i = 0; i < 40000; ++i)
        data.push_back(std::uint8_t('a' + random() % 3));
    ZKDataArchive archive = archiveWith(data);
    ASSERT_EQ(archive.deflateData(bytesOf("second"), "second.txt"), 1);
    const QString path =
        roots.writeFile(QStringLiteral("a.zip"), QByteArray(reinterpret_cast<const char *>(archive.data().data()),
                                                            qsizetype(archive.data().size())));

    int code = -1;
    const QString test = runTool(QStringLiteral("unzip"), {QStringLiteral("-t"), path}, &code);
    EXPECT_EQ(code, 0) << test.toStdString();
    EXPECT_TRUE(test.contains(QStringLiteral("No errors detected"))) << test.toStdString();

    const QString info = runTool(QStringLiteral("zipinfo"), {QStringLiteral("-z"), path});
    EXPECT_TRUE(info.contains(QStringLiteral("Archive created with ZipKit"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("defN"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("26-Dec-05 14:37"))) << info.toStdString();
}

TEST(ZipArchive, dosStampClampsYearsOutsideItsRange)
{
    EXPECT_EQ((ZKDateTime{1975, 1, 1, 0, 0, 0}.dosDate()), (0 << 9) + 32 + 1);
    EXPECT_EQ((ZKDateTime{2200, 1, 1, 0, 0, 0}.dosDate()), (127 << 9) + 32 + 1);
}
