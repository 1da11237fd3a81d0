#include "TestRoots.h"
#include "platform/AppSettings.h"
#include "platform/UserDefaults.h"

#include <QFile>

namespace {

const QStringList kKeys = {
    QStringLiteral("lastImportedFile"),     QStringLiteral("importPageRangeType"),
    QStringLiteral("importPageRange"),      QStringLiteral("importQualityLevel"),
    QStringLiteral("lastOutputFileFolder"), QStringLiteral("lastOutputFileName"),
    QStringLiteral("lastOutputFileTitle"),  QStringLiteral("OutputCreateMobile"),
    QStringLiteral("MobileType"),           QStringLiteral("outputType"),
    QStringLiteral("importBookmark"),       QStringLiteral("importLinks"),
    QStringLiteral("ImportType"),           QStringLiteral("PageWidth"),
    QStringLiteral("PageHeight"),
};

// A new process: the next shareInstance() loads from the store.
AppSettings *restart()
{
    AppSettings::resetSharedInstance();
    return AppSettings::shareInstance();
}

} // namespace

using Settings = RootedTest;

TEST_F(Settings, EmptyGarbledOrJunkStoresGiveDefaultsAndUnsavedChangesAreLost)
{
    AppSettings *s = AppSettings::shareInstance();
    EXPECT_EQ(s, AppSettings::shareInstance());
    for (const QString &text : {s->lastImportedFile(), s->importPageRange(), s->lastOutputFileFolder(),
                                s->lastOutputFileName(), s->lastOutputFileTitle()})
        EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(s->importLinks(), 0);
    EXPECT_EQ(s->ImportType(), 0);
    EXPECT_EQ(s->PageWidth(), 1080);
    EXPECT_EQ(s->PageHeight(), 1440);
    s->setImportLinks(1);
    EXPECT_EQ(restart()->importLinks(), 0);

    {
        const auto store = UserDefaults::open();
        store->setValue(QStringLiteral("importLinks"), QStringLiteral("not a number"));
        store->setValue(QStringLiteral("importBookmark"), 1);
        store->setValue(QStringLiteral("PageWidth"), 2000);
    }
    s = restart();
    EXPECT_EQ(s->importLinks(), 0);
    EXPECT_EQ(s->importBookmark(), 1);
    EXPECT_EQ(s->PageWidth(), 1080);

    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 7919) & 0xFF));
    roots.writeFile(QStringLiteral("config/Foliant/Foliant.conf"), junk);
    s = restart();
    EXPECT_EQ(s->PageHeight(), 1440);
    s->setImportType(1);
    s->saveSettings();
    EXPECT_EQ(restart()->ImportType(), 1);
}

TEST_F(Settings, AllFifteenKeysRoundTripWithTheirNamesAndTypes)
{
    AppSettings *s = AppSettings::shareInstance();
    s->setLastImportedFile(QStringLiteral("/books/ä b.pdf"));
    s->setImportPageRangeType(1);
    s->setImportPageRange(QStringLiteral("1-3, 7"));
    s->setImportQualityLevel(3);
    s->setLastOutputFileFolder(QStringLiteral("/out"));
    s->setLastOutputFileName(QStringLiteral("book"));
    s->setLastOutputFileTitle(QStringLiteral("My = Book; \"quoted\""));
    s->setOutputCreateMobile(1);
    s->setMobileType(1);
    s->setOutputType(1);
    s->setImportBookmark(1);
    s->setImportLinks(1);
    s->setImportType(1);
    s->setPageWidth(595);
    s->setPageHeight(842);
    s->saveSettings();

    const auto store = UserDefaults::open();
    QStringList stored = store->allKeys();
    stored.sort();
    // The text choice has a key of its own beside the fifteen.
    QStringList expected = kKeys + QStringList{QStringLiteral("importText")};
    expected.sort();
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(store->value(QStringLiteral("PageWidth")).toInt(), 595);

    AppSettings *t = restart();
    EXPECT_EQ(t->lastImportedFile(), QStringLiteral("/books/ä b.pdf"));
    EXPECT_EQ(t->importPageRangeType(), 1);
    EXPECT_EQ(t->importPageRange(), QStringLiteral("1-3, 7"));
    EXPECT_EQ(t->importQualityLevel(), 3);
    EXPECT_EQ(t->lastOutputFileFolder(), QStringLiteral("/out"));
    EXPECT_EQ(t->lastOutputFileName(), QStringLiteral("book"));
    EXPECT_EQ(t->lastOutputFileTitle(), QStringLiteral("My = Book; \"quoted\""));
    EXPECT_EQ(t->OutputCreateMobile(), 1);
    EXPECT_EQ(t->MobileType(), 1);
    EXPECT_EQ(t->outputType(), 1);
    EXPECT_EQ(t->importBookmark(), 1);
    EXPECT_EQ(t->importLinks(), 1);
    EXPECT_EQ(t->ImportType(), 1);
    // The page size never survives a restart.
    EXPECT_EQ(t->PageWidth(), 1080);
    EXPECT_EQ(t->PageHeight(), 1440);
}

TEST_F(Settings, QualityLevels)
{
    const int expected[] = {100, 85, 65, 45, 25};
    for (int level = 0; level < 5; ++level)
        EXPECT_EQ(AppSettings::qualityForLevel(level), expected[level]);
    EXPECT_EQ(AppSettings::qualityForLevel(5), 100);
    EXPECT_EQ(AppSettings::qualityForLevel(-1), 100);
}
