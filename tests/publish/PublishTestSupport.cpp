#include "PublishTestSupport.h"

#include "platform/Paths.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
} // namespace

ListPageSourcePtr makeBook(const QString &folder, const QList<int> &numbers, const QString &extension, bool thumbs,
                           bool mobile)
{
    auto book = std::make_shared<ListPageSource>();
    FlashPageList pages, normal, thumb, mob;
    for (int n : numbers) {
        const QString page = QStringLiteral("%1/p%2.%3").arg(folder).arg(n).arg(extension);
        write(page, "page " + QByteArray::number(n));
        pages << std::make_shared<FlashPage>(page, n);
        normal << std::make_shared<FlashPage>(page, n);
        if (thumbs) {
            const QString t = QStringLiteral("%1/t%2.png").arg(folder).arg(n);
            write(t, "thumb " + QByteArray::number(n));
            thumb << std::make_shared<FlashPage>(t, n);
        }
        if (mobile) {
            const QString m = QStringLiteral("%1/m%2.jpg").arg(folder).arg(n);
            write(m, "mobile " + QByteArray::number(n));
            mob << std::make_shared<FlashPage>(m, n);
        }
    }
    book->setPages(pages);
    book->setNormalPages(normal);
    book->setThumbPages(thumb);
    book->setMobilePages(mob);
    return book;
}

QByteArray templatePage()
{
    return "<html><head><title>${index.title}</title></head>\n<body><div id=\"book\"></div></body></html>\n";
}

FlashTemplatePtr installTemplate(const QString &resources, const QString &name)
{
    const QString app = resources + QStringLiteral("/AppFiles/");
    const QString tmpl = app + QStringLiteral("Templates/") + name + QLatin1Char('/');
    write(tmpl + QStringLiteral("flashTemplate.xml"),
          "<template><info><htmlPath>html\\index.html</htmlPath><swfPath>book.swf</swfPath>"
          "<defaultStyle>Blank</defaultStyle><macAppFilesFolder>mac</macAppFilesFolder>"
          "<mobileTmplFilesPath>mobile</mobileTmplFilesPath></info><properties/></template>");
    write(tmpl + QStringLiteral("html/index.html"), templatePage());
    write(tmpl + QStringLiteral("Main.swf"), "theme of " + name.toUtf8());
    write(tmpl + QStringLiteral("swfobject.js"), "// embed");
    write(tmpl + QStringLiteral("playerProductInstall.swf"), "install");
    write(app + QStringLiteral("TmplData/book.swf"), "player");
    write(app + QStringLiteral("TmplData/mobile/Flip/javascript/main_preview.js"), "var preview = 1;\n");
    write(app + QStringLiteral("TmplData/mobile/Flip/index.html"), "<html>flip</html>");
    write(app + QStringLiteral("TmplData/mobile/Slide/index.html"),
          "<title>${index.title}</title>\n<script>var o = ${fbbook.options};</script>\n<h1>${index.title}</h1>");
    write(app + QStringLiteral("TmplData/mac.app/Contents/Info.plist"), "<plist/>");
    write(app + QStringLiteral("TmplData/mac.app/Contents/MacOS/player"), "binary");
    Paths::setResources(resources);
    return std::make_shared<FlashTemplate>(name);
}

FlashTemplatePtr bareTemplate()
{
    return std::make_shared<FlashTemplate>(QStringLiteral("no-such-template"));
}

void setProperties(const FlashTemplatePtr &tmpl, const QList<Prop> &properties)
{
    FlashTemplatePropertyList list;
    for (const Prop &p : properties) {
        auto node = std::make_shared<FlashTemplateProperty>();
        node->setKey(p.key);
        node->setValue(p.value);
        node->setPropertyType(p.type);
        list << node;
    }
    tmpl->setProperties(list);
}

QByteArray runProgram(const QString &program, const QStringList &args, int *code)
{
    const ProcessResult run = ProcessRunner::run(program, args, 60000);
    if (code)
        *code = run.started && !run.crashed && !run.timedOut ? run.exitCode : -1;
    return run.standardOutput;
}

QList<QPair<QString, QString>> pairs(std::initializer_list<std::pair<const char *, const char *>> items)
{
    QList<QPair<QString, QString>> out;
    for (const auto &[a, b] : items)
        out << qMakePair(QString::fromUtf8(a), QString::fromUtf8(b));
    return out;
}
