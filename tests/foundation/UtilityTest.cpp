#include "TestRoots.h"
#include "platform/MarlspanUtility.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

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

TEST_F(TrustFile, AddsEachFolderOnceOnALineOfItsOwnKeepingTheFilesEncoding)
{
    const QString file = MarlspanUtility::trustFilePath();
    EXPECT_TRUE(file.startsWith(roots.systemData()));
    EXPECT_TRUE(file.endsWith(QStringLiteral("Macromedia/FlashPlayerTrust/PT.cfg")));
    const struct
    {
        QByteArray before; // empty: no file yet
        std::vector<const char *> added;
        QByteArray after;
    } cases[] = {
        {{}, {"/a/preview", "/b/édition", "/a/preview"}, utf16le(QStringLiteral("/a/preview\n/b/édition"))},
        // A line ending in a carriage return matches nothing and is kept as it is.
        {utf16le(QStringLiteral("/x\r\n/y")), {"/y", "/x"}, utf16le(QStringLiteral("/x\r\n/y\n/x"))},
        // A big-endian file is read by its byte-order mark.
        {QByteArray("\xFE\xFF\x00/\x00q", 6), {"/q"}, QByteArray("\xFE\xFF\x00/\x00q", 6)},
    };
    for (const auto &c : cases) {
        QFile::remove(file);
        if (!c.before.isEmpty())
            roots.writeFile(file.mid(roots.root().size() + 1), c.before);
        for (const char *folder : c.added)
            MarlspanUtility::makeDiractoryTrustByFlash(QString::fromUtf8(folder));
        EXPECT_EQ(readAll(file), c.after) << c.added.back();
    }
}

TEST_F(TrustFile, AnUnwritablePlaceIsLeftAsItWas)
{
    // A file where the folder belongs stops even root; so does a folder where the file belongs.
    const QString folder = roots.systemData() + QStringLiteral("/Macromedia/FlashPlayerTrust");
    roots.writeFile(QStringLiteral("system/Macromedia"), "in the way");
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/p"));
    EXPECT_EQ(readAll(roots.systemData() + QStringLiteral("/Macromedia")), QByteArray("in the way"));

    QFile::remove(roots.systemData() + QStringLiteral("/Macromedia"));
    QDir().mkpath(MarlspanUtility::trustFilePath());
    MarlspanUtility::makeDiractoryTrustByFlash(QStringLiteral("/p"));
    EXPECT_TRUE(QDir(MarlspanUtility::trustFilePath()).isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
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
