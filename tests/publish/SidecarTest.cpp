#include "publish/FlashBookOutput.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"

#include "book/FlashOutlineItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// What a book opened straight from disk needs beside its packed files.
using Sidecars = RootedTest;

namespace {

// Runs `script` and then `probe` under node, giving what the probe prints.
QByteArray runInNode(const QString &scriptFile, const QString &probe)
{
    return runProgram(QStringLiteral("node"),
                      {QStringLiteral("-e"),
                       QStringLiteral("const window = globalThis; window.__foliantData = (p, b) => "
                                      "{ window.got = [p, Buffer.from(b, 'base64')]; };"
                                      "require(process.argv[1]); %1")
                           .arg(probe),
                       scriptFile})
        .trimmed();
}

} // namespace

TEST_F(Sidecars, VectorPagesAndTheLanguageReachAPageOpenedFromDisk)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("float"));
    setProperties(tmpl, {{"languageSetting", "Deutsch \"de\" </script>"}});
    const auto book = makeBook(roots.root() + QStringLiteral("/src"), {3, 4}, QStringLiteral("swf"));
    const QString out = roots.root() + QStringLiteral("/out");
    QDir().mkpath(out);
    FlashBookOutput output(book, tmpl, out, QStringLiteral("index.html"));
    output.ouputTheBook();

    const QString page = out + QStringLiteral("/files/page/3.swf");
    const QByteArray bytes = readAll(page);
    ASSERT_FALSE(bytes.isEmpty());
    const QByteArray script = readAll(page + QStringLiteral(".js"));
    EXPECT_FALSE(script.contains("</script>"));
    EXPECT_EQ(runInNode(page + QStringLiteral(".js"),
                        QStringLiteral("console.log(window.got[0] + ' ' + window.got[1].toString('hex'))")),
              QByteArray("page/3.swf ") + bytes.toHex());

    const QByteArray config = readAll(out + QStringLiteral("/files/config.js"));
    EXPECT_FALSE(config.contains("</script>"));
    EXPECT_EQ(runInNode(out + QStringLiteral("/files/config.js"),
                        QStringLiteral("console.log(window.__foliantLanguage + '|' + "
                                       "(window.__foliantConfig === require('fs').readFileSync(process.argv[1]"
                                       ".replace(/js$/, 'xml'), 'utf8')))")),
              QByteArray("Deutsch \"de\" </script>|true"));
}

TEST_F(Sidecars, ARightToLeftTemplateTellsThePlayerItsDirectionAndImagePagesNeedNone)
{
    const auto publish = [this](const QString &name, const char *direction) {
        const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res-") + name, QStringLiteral("float"));
        if (direction)
            setProperties(tmpl, {{"direction", direction}});
        const QString out = roots.root() + QStringLiteral("/out-") + name;
        QDir().mkpath(out);
        FlashBookOutput output(makeBook(roots.root() + QStringLiteral("/src-") + name, {1, 2}), tmpl, out,
                               QStringLiteral("index.html"));
        output.ouputTheBook();
        EXPECT_FALSE(QFile::exists(out + QStringLiteral("/files/page/1.jpg.js")));
        return runInNode(out + QStringLiteral("/files/config.js"),
                         QStringLiteral("console.log(String(window.__foliantDirection) + '|' + "
                                        "(typeof window.__foliantConfig) + '|' + window.__foliantLanguage)"));
    };
    EXPECT_EQ(publish(QStringLiteral("left"), "Left"), QByteArray("rtl|string|undefined"));
    EXPECT_EQ(publish(QStringLiteral("right"), "Right"), QByteArray("undefined|string|undefined"));
    EXPECT_EQ(publish(QStringLiteral("default"), nullptr), QByteArray("undefined|string|undefined"));
}

TEST_F(Sidecars, WordsOutlineAndTextEditionFollowTheBook)
{
    const auto tmpl = installTemplate(roots.root() + QStringLiteral("/res"), QStringLiteral("float"));
    // Book pages 1 and 2 are PDF pages 3 and 5; page 5 has no words file.
    const auto book = makeBook(roots.root() + QStringLiteral("/src"), {3, 5});
    QFile words(roots.root() + QStringLiteral("/src/3.words"));
    ASSERT_TRUE(words.open(QIODevice::WriteOnly));
    words.write("100 200 300 400 1 Tom <&>\n1 2 3 4 0 junk-line-has-no-text-after-five-numbers\nbad line\n"
                "-5 20000 10 10 2 Jerry\n");
    words.close();
    auto outline = std::make_shared<FlashOutline>();
    const auto item = [](const char *caption, int page) {
        auto i = std::make_shared<FlashOutlineItem>();
        i->setCaption(QString::fromUtf8(caption));
        i->setPageIndex(page);
        return i;
    };
    // "Out" points at a page that was not imported: its child takes its place.
    auto out = item("Out", 1);
    out->addChild(item("In  five", 5));
    outline->setItems({item("Three", 3), out});

    const QString folder = roots.root() + QStringLiteral("/out");
    QDir().mkpath(folder);
    FlashBookOutput output(book, tmpl, folder, QStringLiteral("index.html"));
    output.setFlashOutline(outline);
    output.ouputTheBook();
    output.ouputTheBook(); // twice: the link to the text edition is added once

    const QString files = folder + QStringLiteral("/files/");
    EXPECT_EQ(runProgram(QStringLiteral("node"), {QStringLiteral("-e"),
                                                  QStringLiteral("globalThis.__foliantText = (n, d) => console.log(n, "
                                                                 "JSON.stringify(d)); require(process.argv[1]);"),
                                                  files + QStringLiteral("text/1.js")})
                  .trimmed(),
              QByteArray(R"(1 {"t":["Tom <&> ","junk-line-has-no-text-after-five-numbers","Jerry\n"],)"
                         R"("b":[100,200,300,400,1,2,3,4,0,10000,10,10]})"));
    EXPECT_FALSE(QFile::exists(files + QStringLiteral("text/2.js")));
    EXPECT_EQ(readAll(files + QStringLiteral("text/index.js")),
              QByteArray(R"(__foliantTextIndex(["Tom <&> junk-line-has-no-text-after-five-numbersJerry\n",""]);)") +
                  '\n');
    EXPECT_EQ(readAll(files + QStringLiteral("outline.js")),
              QByteArray(R"(window.__foliantOutline=[{"children":[],"page":1,"title":"Three"},)"
                         R"({"children":[],"page":2,"title":"In five"}];)") +
                  '\n');
    const QByteArray edition = readAll(files + QStringLiteral("text.html"));
    EXPECT_TRUE(edition.contains("<h2 id=\"page-2\"><a href=\"../index.html#page=2\">Page 2</a></h2>"));
    EXPECT_TRUE(edition.contains("<p>Tom &lt;&amp;&gt; junk-line-has-no-text-after-five-numbersJerry</p>"));
    const QByteArray html = readAll(folder + QStringLiteral("/index.html"));
    EXPECT_EQ(html.count("<a data-foliant-text href=\"files/text.html\""), 2); // hidden link and noscript
    EXPECT_LT(html.indexOf("data-foliant-text"), html.indexOf("</body>"));

    // Without words and outline the files go.
    QFile::remove(roots.root() + QStringLiteral("/src/3.words"));
    output.setFlashOutline(nullptr);
    output.ouputTheBook();
    for (const char *gone : {"text", "text.html", "outline.js"})
        EXPECT_FALSE(QFileInfo::exists(files + QString::fromLatin1(gone))) << gone;
}
