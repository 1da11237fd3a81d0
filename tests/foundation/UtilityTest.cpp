#include "TestRoots.h"
#include "platform/MarlspanUtility.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

QByteArray utf16le(const QString &text)
{
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

} // namespace

using TrustFile = RootedTest;

TEST_F(TrustFile, PathsAreJoinedByLineFeedsAndAddedOnce)
{
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/a/preview"));
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/b/édition"));
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/a/preview"));

    const QString file = MarlspanUtility::trustFilePath();
    EXPECT_TRUE(file.startsWith(roots.systemData()));
    EXPECT_TRUE(file.endsWith(QStringLiteral("Macromedia/FlashPlayerTrust/PT.cfg")));
    EXPECT_EQ(readAll(file), utf16le(QStringLiteral("/a/preview\n/b/édition")));
}

TEST_F(TrustFile, ALineEndingInCarriageReturnDoesNotMatch)
{
    const QString file = MarlspanUtility::trustFilePath();
    roots.writeFile(file.mid(roots.root().size() + 1), utf16le(QStringLiteral("/x\r\n/y")));
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/y"));
    EXPECT_EQ(readAll(file), utf16le(QStringLiteral("/x\r\n/y")));
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/x"));
    EXPECT_EQ(readAll(file), utf16le(QStringLiteral("/x\r\n/y\n/x")));
}

TEST_F(TrustFile, BigEndianFileIsReadByItsByteOrderMark)
{
    const QString file = MarlspanUtility::trustFilePath();
    QByteArray be("\xFE\xFF\x00/\x00q", 6);
    roots.writeFile(file.mid(roots.root().size() + 1), be);
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/q"));
    EXPECT_EQ(readAll(file), be);
}

TEST_F(TrustFile, UnwritableFolderIsNoError)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root can write anywhere";
    const QString folder = roots.systemData() + QStringLiteral("/Macromedia/FlashPlayerTrust");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/p"));
    EXPECT_FALSE(QFileInfo::exists(MarlspanUtility::trustFilePath()));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(TrustFile, FileThatIsAFolderIsNoError)
{
    QDir().mkpath(MarlspanUtility::trustFilePath());
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/p"));
    EXPECT_TRUE(QFileInfo(MarlspanUtility::trustFilePath()).isDir());
}

using WorkFolders = RootedTest;

TEST_F(WorkFolders, EachCallMakesANewFolderInTheSameParent)
{
    const QString a = MarlspanUtility::forceTmpDiractory(QStringLiteral("Quirefold"));
    const QString b = MarlspanUtility::forceTmpDiractory(QStringLiteral("Quirefold"));
    EXPECT_NE(a, b);
    EXPECT_TRUE(QFileInfo(a).isDir());
    EXPECT_TRUE(QFileInfo(b).isDir());
    EXPECT_EQ(QFileInfo(a).path(), roots.temp() + QStringLiteral("/Quirefold"));
    EXPECT_TRUE(QFileInfo(a).fileName().startsWith(QStringLiteral("temp.")));
    EXPECT_EQ(QFileInfo(a).fileName().size(), 11);
}

TEST_F(WorkFolders, SubFoldersAreListedOneLevelDeepWithoutFiles)
{
    roots.writeFile(QStringLiteral("list/one/deeper/x"), "x");
    roots.writeFile(QStringLiteral("list/.two/y"), "y");
    roots.writeFile(QStringLiteral("list/file.txt"), "z");
    QStringList folders = MarlspanUtility::subFolderOfFolder(roots.root() + QStringLiteral("/list"));
    folders.sort();
    EXPECT_EQ(folders,
              (QStringList{roots.root() + QStringLiteral("/list/.two"), roots.root() + QStringLiteral("/list/one")}));
    EXPECT_TRUE(MarlspanUtility::subFolderOfFolder(roots.root() + QStringLiteral("/missing")).isEmpty());
}
