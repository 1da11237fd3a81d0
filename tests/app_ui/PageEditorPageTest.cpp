// The shipped editor page inside the application's own window: real web view,
// real web channel, real bridge; only the file chooser's answers are scripted.
#include "UiTestSupport.h"

#include "app/PageEditorWindowDelegate.h"
#include "app/ScriptedPrompts.h"
#include "app/widgets/PageEditorWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

#include <memory>

namespace {

class PageEditorPageTest : public RootedTest
{
protected:
    void SetUp() override
    {
        preview = roots.userData() + QStringLiteral("/Tomefold/preview");
        const QString files = preview + QStringLiteral("/files");
        QString list = QStringLiteral("<Pages bace=\"%1/\" largeWidth=\"600\" largeHeight=\"800\" width=\"600\" "
                                      "height=\"800\" thumbWidth=\"135\" thumbHeight=\"180\">\n")
                           .arg(files);
        for (int n = 1; n <= 2; ++n) {
            QImage page(300, 400, QImage::Format_RGB32);
            page.fill(QColor(220, 230, 240));
            QDir().mkpath(files + QStringLiteral("/page"));
            QDir().mkpath(files + QStringLiteral("/thumb"));
            page.save(QStringLiteral("%1/page/%2.jpg").arg(files).arg(n));
            page.scaled(60, 80).save(QStringLiteral("%1/thumb/%2.jpg").arg(files).arg(n));
            list += QStringLiteral("  <Page type=\"Image\">\n    <Item name=\"thumb\">thumb/%1.jpg</Item>\n"
                                   "    <Item name=\"normal\">page/%1.jpg</Item>\n"
                                   "    <Item name=\"large\">page/%1.jpg</Item>\n  </Page>\n")
                        .arg(n);
        }
        list += QStringLiteral("</Pages>\n");
        QFile file(preview + QStringLiteral("/pages.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(list.toUtf8());
        file.close();
        QObject::connect(&editor, &PageEditorWindowDelegate::sheetEnded, &editor, [this](int code) { ended = code; });
    }

    QString js(const QString &script) { return window->evaluate(script, 10000); }

    void open()
    {
        editor.initWithBookXMLStr(QString(), preview, nullptr);
        ASSERT_TRUE(QFileInfo::exists(preview + QStringLiteral("/PageEditor.html")));
        window = std::make_unique<PageEditorWindow>(editor);
        window->show();
        editor.ShowFlashEditorToForm();
        ASSERT_TRUE(waitUntil([&] {
            return js(QStringLiteral("document.body && document.body.dataset.ready")) == u"true";
        })) << "the editor page did not start";
    }

    // Places a picture through the real chooser path; its path relative to files/.
    QString placeImage()
    {
        QImage photo(200, 100, QImage::Format_RGB32);
        photo.fill(Qt::darkYellow);
        const QString picked = roots.root() + QStringLiteral("/picked/photo.png");
        QDir().mkpath(QFileInfo(picked).path());
        photo.save(picked);
        prompts.fileAnswers << QStringList{picked};
        js(QStringLiteral("document.querySelector('[data-add=Image]').click(), ''"));
        waitUntil([&] { return js(QStringLiteral("String(document.querySelectorAll('.item').length)")) == u"1"; },
                  20000);
        const auto match =
            QRegularExpression(QStringLiteral("<Item name=\"Image\" type=\"rect\"[^>]* src=\"([^\"]+)\""))
                .match(js(QStringLiteral("GetPageConfig()")));
        return match.hasMatch() ? match.captured(1) : QString();
    }

    ScriptedPrompts prompts;
    PageEditorWindowDelegate editor{&prompts};
    std::unique_ptr<PageEditorWindow> window;
    QString preview;
    int ended = -1;
};

TEST_F(PageEditorPageTest, PageStartsInTheWindowAndPlacesAChosenImage)
{
    open();
    EXPECT_EQ(js(QStringLiteral("String(document.querySelectorAll('.thumb').length)")), u"2");
    EXPECT_EQ(js(QStringLiteral("String(document.querySelector('#save').disabled)")), u"false")
        << "the bridge reached the page";

    const QString src = placeImage();
    EXPECT_TRUE(src.startsWith(QStringLiteral("editor/"))) << src.toStdString();
    EXPECT_TRUE(QFileInfo::exists(preview + QStringLiteral("/files/") + src)) << "the chooser copied the file";

    // An item's caption shows while it is selected (or under the pointer)
    // only, and the leave question covers it.
    EXPECT_EQ(js(QStringLiteral(R"((() => {
        const shown = () => getComputedStyle(document.querySelector('.item .label')).display !== 'none';
        const selected = shown();
        const dialog = document.getElementById('confirm');
        dialog.hidden = false;
        const label = document.querySelector('.item .label');
        label.style.pointerEvents = 'auto'; // so that the hit test can find it
        const r = label.getBoundingClientRect();
        const covered = dialog.contains(document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2));
        dialog.hidden = true;
        label.style.pointerEvents = '';
        document.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape', bubbles: true}));
        return [selected, covered, shown()].join();
    })())")),
              u"true,true,false");
}

// The save runs after the page's bridge call has returned: QtWebEngine
// delivers no script result while that call is still running.
TEST_F(PageEditorPageTest, SaveAndExitWritesThePageListWithRelativePaths)
{
    open();
    const QString src = placeImage();
    js(QStringLiteral("document.querySelector('#save-exit').click(), ''"));
    ASSERT_TRUE(waitUntil([&] { return ended != -1; }));
    EXPECT_EQ(ended, 1);

    const QString saved = QString::fromUtf8(readAll(preview + QStringLiteral("/pages.xml")));
    EXPECT_TRUE(saved.contains(QStringLiteral("bace=\"\""))) << saved.toStdString();
    EXPECT_FALSE(saved.contains(preview)) << "no absolute path is left";
    EXPECT_TRUE(saved.contains(QStringLiteral("src=\"%1\"").arg(src))) << saved.toStdString();
}

} // namespace
