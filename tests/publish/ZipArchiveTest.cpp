#include "publish/zip/ZKDataArchive.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::uint32_t u32(const ZKBytes &b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t u16(const ZKBytes &b, std::size_t at)
{
    return std::uint16_t(b[at] | (b[at + 1] << 8));
}

ZKDataArchive archiveWith(const std::string &text, const std::string &name = "config.xml")
{
    ZKDataArchive archive;
    archive.setClock([] { return ZKDateTime{2026, 12, 5, 14, 37, 59}; });
    EXPECT_EQ(archive.deflateData(ZKBytes(text.begin(), text.end()), name), 1);
    return archive;
}

} // namespace

TEST(ZipArchive, singleEntryHasTheFixedLayout)
{
    const std::string text = "<FlipBook3D><XMLVersion>1</XMLVersion></FlipBook3D>\n";
    const ZKBytes a = archiveWith(text).data();
    const std::size_t z = u32(a, 18), cd = 40 + z, end = 96 + z;
    ASSERT_EQ(a.size(), 145 + z);
    EXPECT_EQ(u32(a, 0), 0x04034b50u);
    EXPECT_EQ(u32(a, cd), 0x02014b50u);
    EXPECT_EQ(u32(a, end), 0x06054b50u);
    EXPECT_EQ(std::string(a.end() - 27, a.end()), "Archive created with ZipKit");
    // Local header: version 20, no flags, deflate, 14:37:59 on 5 December 2026, sizes, name.
    EXPECT_EQ(std::vector<int>({u16(a, 4), u16(a, 6), u16(a, 8), u16(a, 10), u16(a, 12)}),
              std::vector<int>({20, 0, 8, 29885, 23941}));
    EXPECT_EQ(u32(a, 22), text.size());
    EXPECT_EQ(std::string(a.begin() + 26, a.begin() + 40), std::string("\x0a\0\0\0config.xml", 14));
    // The directory entry repeats the header and points back at offset 0.
    EXPECT_EQ(std::vector<int>({u16(a, cd + 4), u16(a, cd + 12), u16(a, cd + 14)}),
              std::vector<int>({789, 29885, 23941}));
    EXPECT_EQ(u32(a, cd + 16), u32(a, 14));
    EXPECT_EQ(u32(a, cd + 42), 0u);
    // End record: one entry, a 56-byte directory at 40 + z, a 27-byte comment.
    EXPECT_EQ(std::vector<std::uint32_t>(
                  {u16(a, end + 8), u16(a, end + 10), u32(a, end + 12), u32(a, end + 16), u16(a, end + 20)}),
              std::vector<std::uint32_t>({1, 1, 56, std::uint32_t(cd), 27}));
}

TEST(ZipArchive, edgesOfInput)
{
    const ZKBytes empty = archiveWith("").data();
    EXPECT_EQ(std::vector<std::uint32_t>({u32(empty, 14), u32(empty, 18), u32(empty, 22)}),
              std::vector<std::uint32_t>({0, 2, 0})); // CRC 0, a two-byte stream, nothing inside
    EXPECT_EQ(empty.size(), 147u);

    ZKDataArchive unnamed;
    EXPECT_EQ(unnamed.deflateData(ZKBytes(4, 'x'), ""), -1);
    EXPECT_TRUE(unnamed.data().empty());

    std::mt19937 random(7);
    std::string noise(100000, '\0');
    for (char &c : noise)
        c = char(random());
    const ZKBytes big = archiveWith(noise, "noise.bin").data();
    EXPECT_GT(u32(big, 18), noise.size()); // stored blocks, all of it
    EXPECT_EQ(big.size(), 30 + 9 + u32(big, 18) + 46 + 9 + 22 + 27);

    EXPECT_EQ((ZKDateTime{1975, 1, 1, 0, 0, 0}.dosDate()), 32 + 1); // clamped, not wrapped
}

TEST(ZipArchive, secondEntryMovesTheDirectoryAndToolsReadBoth)
{
    ZKDataArchive archive = archiveWith(std::string(40000, 'a') + "abcabc", "a.txt");
    const std::uint64_t firstDirectory = archive.cdTrailer().offsetOfStartOfCentralDirectory();
    ASSERT_EQ(archive.deflateData(ZKBytes(10, 'b'), "b.txt"), 1);
    const ZKBytes &a = archive.data();
    EXPECT_EQ(archive.centralDirectory().at(0)->localHeaderOffset(), 0u);
    EXPECT_EQ(archive.centralDirectory().at(1)->localHeaderOffset(), firstDirectory);
    EXPECT_EQ(u32(a, firstDirectory), 0x04034b50u);
    const std::size_t end = a.size() - 22 - 27;
    EXPECT_EQ(u16(a, end + 10), 2);
    EXPECT_EQ(u32(a, end + 12), 2 * 46u + 10);

    TestRoots roots;
    const QString path = roots.writeFile(QStringLiteral("a.zip"),
                                         QByteArray(reinterpret_cast<const char *>(a.data()), qsizetype(a.size())));
    int code = -1;
    const QByteArray test = runProgram(QStringLiteral("unzip"), {QStringLiteral("-t"), path}, &code);
    EXPECT_EQ(code, 0) << test.constData();
    EXPECT_TRUE(test.contains("No errors detected")) << test.constData();
}
