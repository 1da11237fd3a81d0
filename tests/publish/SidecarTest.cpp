#include "publish/FlashBookOutput.h"

#include "PublishTestSupport.h"
#include "TestRoots.h"

#include <QDir>
#include <QFile>
#include <QProcess>

// What a book opened straight from disk needs beside its packed files.
using Sidecars = RootedTest;

namespace {

// Runs `script` and then `probe` under node, giving what the probe prints.
QByteArray runInNode(const QString &scriptFile, const QString &probe)
{
    QProcess node;
    node.start(QStringLiteral("node"), {QStringLiteral("-e"),
                                        QStringLiteral("const window = globalThis; window.__foliantData = (p, b) => "
                                                       "{ window.got = [p, Buffer.from(b, 'base64')]; };"
                                                       "require(process.argv[1]); %1")
                                            .arg(probe),
                                        scriptFile});
    node.waitForFinished(30000);
    return node.readAllStandardOutput().trimmed();
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
