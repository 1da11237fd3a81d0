#include "TemplateFixture.h"

#include "templates/FlashTemplate.h"

#include <QRandomGenerator>

namespace {

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

} // namespace

class SettingsFileTest : public TemplateFixture
{
protected:
    void SetUp() override
    {
        TemplateFixture::SetUp();
        writeTemplate(QStringLiteral("float"), prop("A", "a", "pt_text", prop("A1", "a1") + prop("A2", "a2")) +
                                                   prop("B", "b") + prop("pageWidth", "960", "pt_number") +
                                                   prop("pageHeight", "600", "pt_number") + prop("", "empty key") +
                                                   prop("Title", "Book"));
        tmpl = std::make_unique<FlashTemplate>();
    }

    // Every key and value of the tree, in pre-order.
    QStringList values() const
    {
        QStringList entries;
        tmpl->exportPropertiesSettingsToArray(entries, nullptr);
        return entries;
    }

    QStringList afterImport(const QByteArray &bytes)
    {
        tmpl->loadTemplate(QStringLiteral("float"));
        tmpl->importPropertiesSettingsFrom(roots.writeFile(QStringLiteral("in.txt"), bytes));
        return values();
    }

    std::unique_ptr<FlashTemplate> tmpl;
};

TEST_F(SettingsFileTest, ExportWritesLineFeedCarriageReturnBeforeEveryEntry)
{
    const QString path = roots.root() + QStringLiteral("/out.txt");
    ASSERT_TRUE(tmpl->exportPropertiesSettingsTo(path));
    EXPECT_EQ(readAll(path), QByteArray("\n\rA=a\n\rA1=a1\n\rA2=a2\n\rB=b\n\rpageWidth=960\n\rpageHeight=600"
                                        "\n\r=empty key\n\rTitle=Book"));

    QStringList subtree;
    tmpl->exportPropertiesSettingsToArray(subtree, tmpl->properties().at(0));
    EXPECT_EQ(subtree, names({"A=a", "A1=a1", "A2=a2"}));

    tmpl->setPropertyValue(QStringLiteral("Title"), QStringLiteral("Caf\u00e9 = 1"));
    EXPECT_TRUE(tmpl->propertiesSettingsBytes().endsWith("\n\rTitle=Caf\xC3\xA9 = 1"));

    writeTemplate(QStringLiteral("Empty"), "");
    FlashTemplate empty(QStringLiteral("Empty"));
    ASSERT_TRUE(empty.exportPropertiesSettingsTo(path));
    EXPECT_EQ(readAll(path), QByteArray());
    QString reason;
    EXPECT_FALSE(empty.exportPropertiesSettingsTo(roots.root() + QStringLiteral("/no/such/folder/x.txt"), &reason));
    EXPECT_FALSE(reason.isEmpty());

    // A write cut short (a full disk) fails and keeps the previous file whole.
    ASSERT_TRUE(tmpl->exportPropertiesSettingsTo(path));
    const QByteArray good = readAll(path);
    EXPECT_FALSE(underFileSizeLimit(16, [&] { return tmpl->exportPropertiesSettingsTo(path); }));
    EXPECT_EQ(readAll(path), good);
    EXPECT_EQ(QDir(roots.root()).entryList(QDir::Files), QStringList{QStringLiteral("out.txt")});
}

TEST_F(SettingsFileTest, ALineBreakInsideAValueCannotSmuggleInAnotherEntry)
{
    tmpl->setPropertyValue(QStringLiteral("Title"), QStringLiteral("Two\nB=injected\r\nlines"));
    const QString path = roots.root() + QStringLiteral("/out.txt");
    ASSERT_TRUE(tmpl->exportPropertiesSettingsTo(path));
    tmpl->loadTemplate(QStringLiteral("float"));
    tmpl->importPropertiesSettingsFrom(path);
    EXPECT_EQ(tmpl->propertyValueFor(QStringLiteral("B"), {}), QStringLiteral("b"));
    EXPECT_EQ(tmpl->propertyValueFor(QStringLiteral("Title"), {}), QStringLiteral("Two B=injected lines"));
}

TEST_F(SettingsFileTest, ReadsEveryLineEndTheSameWay)
{
    const QStringList expected = afterImport("\n\rB=x\n\rA2=y=z\n\r=e\n\rpageWidth=1\n\rnonsense\n\rUnknown=1");
    EXPECT_EQ(expected,
              names({"A=a", "A1=a1", "A2=y=z", "B=x", "pageWidth=960", "pageHeight=600", "=e", "Title=Book"}));
    EXPECT_EQ(afterImport("B=x\nA2=y=z\n=e\npageWidth=1\nnonsense\nUnknown=1\n"), expected);
    EXPECT_EQ(afterImport("B=x\r\nA2=y=z\r\n\r\n=e\r\npageWidth=1\r\nnonsense\r\nUnknown=1\r\n"), expected);
    // Carriage returns alone end lines only in a file that has no line feed at all.
    EXPECT_EQ(afterImport("B=x\rA2=y=z\r=e\rpageWidth=1\rnonsense\rUnknown=1\r"), expected);
    // In a file with line feeds, a stray carriage return is simply dropped.
    EXPECT_EQ(afterImport("B=x\r1\nA1=\r")[1], QStringLiteral("A1="));
    EXPECT_EQ(afterImport("B=x\r1\nA1=\r")[3], QStringLiteral("B=x1"));
    // A later entry wins; untouched keys keep their values.
    EXPECT_EQ(afterImport("B=1\nB=2\n")[3], QStringLiteral("B=2"));
    EXPECT_EQ(afterImport("A1=1\n")[0], QStringLiteral("A=a"));
    // Keys are not trimmed.
    EXPECT_EQ(afterImport(" B=1\nB =2\n")[3], QStringLiteral("B=b"));
    EXPECT_EQ(afterImport(""), afterImport("\n\r\n\r"));
    EXPECT_EQ(afterImport(""), values());

    // The page size stays even where the template gives it no value.
    writeRaw(QStringLiteral("NoSize"), metadata("<property><key>pageWidth</key><title/><desc/><valueSource/>"
                                                "<defaultValue/></property>" +
                                                prop("pageHeight", "", "pt_number")));
    tmpl->loadTemplate(QStringLiteral("NoSize"));
    tmpl->importPropertiesSettingsFrom(roots.writeFile(QStringLiteral("size.txt"), "pageWidth=1\npageHeight=2"));
    EXPECT_EQ(values(), names({"pageWidth=960", "pageHeight="}));
}

TEST_F(SettingsFileTest, DecodesBomsAndLegacyBytesWithoutTouchingUnnamedValues)
{
    const QString text = QStringLiteral("B=Caf\u00e9 \u4e66\nTitle=\u00fcber");
    const QStringList expected = names({"A=a", "A1=a1", "A2=a2", "B=Caf\u00e9 \u4e66", "pageWidth=960",
                                        "pageHeight=600", "=empty key", "Title=\u00fcber"});
    EXPECT_EQ(afterImport(text.toUtf8()), expected);
    EXPECT_EQ(afterImport("\xEF\xBB\xBF" + text.toUtf8()), expected);
    EXPECT_EQ(afterImport(utf16(text, false)), expected);
    EXPECT_EQ(afterImport(utf16(text, true)), expected);
    // A Latin-1 line reads byte for byte; a valid UTF-8 line beside it stays UTF-8.
    EXPECT_EQ(afterImport("B=Caf\xE9\nTitle=\xC3\xBC"
                          "ber")[3],
              QStringLiteral("B=Caf\u00e9"));
    EXPECT_EQ(afterImport("B=Caf\xE9\nTitle=\xC3\xBC"
                          "ber")[7],
              QStringLiteral("Title=\u00fcber"));
}

TEST_F(SettingsFileTest, SurvivesJunkHugeLinesAndMissingFiles)
{
    const QStringList original = values();

    QByteArray junk(256 * 1024, '\0');
    QRandomGenerator random(42);
    for (char &c : junk)
        c = char(random.bounded(256));
    junk.replace('=', '#'); // no entry at all: nothing may change
    EXPECT_EQ(afterImport(junk), original);
    EXPECT_EQ(afterImport(QByteArray("B=nul\0inside\n\0\0B=x", 18))[3],
              QStringLiteral("B=nul") + QChar(0) + QStringLiteral("inside"));

    const QByteArray longValue(8 * 1024 * 1024, 'x');
    EXPECT_EQ(afterImport("B=" + longValue + "\nTitle=t")[3].size(), 2 + longValue.size());
    EXPECT_EQ(afterImport("B=" + longValue + "\nTitle=t")[7], QStringLiteral("Title=t"));

    tmpl->loadTemplate(QStringLiteral("float"));
    EXPECT_FALSE(tmpl->importPropertiesSettingsFrom(roots.root() + QStringLiteral("/missing.txt")));
    EXPECT_FALSE(tmpl->importPropertiesSettingsFrom(roots.root())); // a folder
    EXPECT_FALSE(tmpl->importPropertiesSettingsFrom(QString()));
    EXPECT_EQ(values(), original);
}
