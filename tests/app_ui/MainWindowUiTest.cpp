#include "TestData.h"
#include "TestRoots.h"
#include "UiTestSupport.h"

#include "app/Foliant_for_macAppDelegate.h"
#include "app/ImportWindowDelegate.h"
#include "app/PageEditorWindowDelegate.h"
#include "app/widgets/ImportDialog.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/PageEditorWindow.h"
#include "app/widgets/PreviewFrame.h"
#include "app/widgets/PublishDialog.h"
#include "platform/ProcessRunner.h"
#include "platform/Translations.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/SelectTemplateWindowDelegate.h"
#include "templates/widgets/FlashTemplateOutline.h"
#include "templates/widgets/FlashTmplItemDelegate.h"
#include "templates/widgets/SelectTemplateWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QPainter>
#include <QDir>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>
#include <QTranslator>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QDropEvent>
#include <QMimeData>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

void removeTranslators()
{
    for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// The desktop application as a user starts it: the real main window, the real
// dialogs; only the person's answers to questions come from the test.
class MainWindowUiTest : public RootedTest
{
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>();
        window->setPrompts(&prompts);
        controller = std::make_unique<Foliant_for_macAppDelegate>(window.get());
        window->setController(controller.get());
        loads = 0;
        QObject::connect(window->preview(), &QWebEngineView::loadFinished, window.get(), [this] { ++loads; });
        controller->applicationDidFinishLaunching();
        window->resize(1280, 820);
    }
    void TearDown() override
    {
        controller->applicationWillTerminate();
        controller.reset();
        window.reset();
    }
    // The property editor's row of `key`.
    QModelIndex findKey(const QString &key) const
    {
        return controller->outlineDelegate()->indexOf(controller->flashTmpl()->propertyFor(key).get());
    }
    // Sets a colour through the outline's colour cell, as a user would.
    void chooseColour(const QString &key, const QColor &colour)
    {
        FlashTemplateOutline *outline = window->outline();
        const QModelIndex index = findKey(key).siblingAtColumn(1);
        ASSERT_TRUE(index.isValid()) << key.toStdString();
        outline->itemDelegate()->setColorChooser([colour](const QColor &, QWidget *) { return colour; });
        outline->scrollTo(index);
        outline->setCurrentIndex(index);
        outline->edit(index);
        QApplication::processEvents();
        auto buttons = outline->viewport()->findChildren<QToolButton *>();
        ASSERT_FALSE(buttons.isEmpty());
        buttons.first()->click();
        outline->setCurrentIndex(index.siblingAtColumn(0));
    }
    void grab(QWidget *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("FOLIANT_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            w->grab().save(dir + QLatin1Char('/') + name);
    }

    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<Foliant_for_macAppDelegate> controller;
    int loads = 0;
};

TEST_F(MainWindowUiTest, EditsBlinkTheApplyButtonUntilApplied)
{
    EXPECT_EQ(window->applyImage(), QStringLiteral("apply"));
    chooseColour(QStringLiteral("BaseColor"), QColor(0x10, 0x20, 0x30));
    chooseColour(QStringLiteral("Color"), QColor(0x40, 0x50, 0x60));
    EXPECT_EQ(controller->flashTmpl()->propertyValueFor(QStringLiteral("BaseColor"), {}), QStringLiteral("0x102030"));
    ASSERT_TRUE(waitUntil([this] { return window->applyImage() == QStringLiteral("apply2"); }, 5000));
    ASSERT_TRUE(waitUntil([this] { return window->applyImage() == QStringLiteral("apply3"); }, 5000));

    const int before = loads;
    window->applyAction()->trigger();
    EXPECT_EQ(window->applyImage(), QStringLiteral("apply"));
    EXPECT_FALSE(controller->isApplyPending());
    EXPECT_TRUE(waitUntil([&] { return loads > before; }, 30000));
}

// The screenshots of the finished application (set FOLIANT_SCREENSHOT_DIR; run
// under Xvfb for real window decorations).
TEST_F(MainWindowUiTest, EveryWindowOpensAndCloses)
{
    window->show();
    ASSERT_TRUE(waitUntil([this] { return loads > 0; }, 30000));
    EXPECT_TRUE(waitForImages(window->preview(), true)); // the player draws its first spread
    window->outline()->setCurrentIndex(findKey(QStringLiteral("BaseColor")));
    grab(window.get(), QStringLiteral("main-window.png"));
    if (!qEnvironmentVariableIsEmpty("FOLIANT_SCREENSHOT_DIR")) {
        // The property editor with a colour being chosen, the chooser drawn over
        // the window where it opens.
        const QModelIndex colour = findKey(QStringLiteral("BaseColor")).siblingAtColumn(1);
        window->outline()->setCurrentIndex(colour);
        window->outline()->edit(colour);
        QColorDialog picker(QColor(0x2f, 0x4f, 0x6f), window.get());
        picker.setOption(QColorDialog::DontUseNativeDialog);
        picker.show();
        waitUntil([] { return false; }, 500);
        QPixmap shot = window->grab();
        QPainter(&shot).drawPixmap(shot.width() - picker.width() - 40, 80, picker.grab());
        shot.save(qEnvironmentVariable("FOLIANT_SCREENSHOT_DIR") + QStringLiteral("/property-editor.png"));
        picker.close();
        window->outline()->setCurrentIndex(colour.siblingAtColumn(0));
    }

    int shown = 0;
    QStringList focused; // where each dialog put the keyboard
    window->onSheetShown = [&](QDialog *dialog) {
        ++shown;
        QTimer::singleShot(0, dialog, [&, dialog] {
            if (auto *import = qobject_cast<ImportDialog *>(dialog))
                focused << QString::number(dialog->focusWidget() == import->fileField());
            if (auto *publish = qobject_cast<PublishDialog *>(dialog)) {
                focused << QString::number(dialog->focusWidget() == publish->folderField());
                EXPECT_EQ(publish->titleField()->text(),
                          controller->flashTmpl()->propertyValueFor(QStringLiteral("Title"), {}));
            }
            if (auto *found = qobject_cast<PageEditorWindow *>(dialog)) {
                // The window may end on its own while the page loads.
                const QPointer<PageEditorWindow> editor(found);
                waitUntil([editor] { return !editor || (editor->webView() && !editor->webView()->title().isEmpty()); },
                          20000);
                ASSERT_TRUE(editor) << "the page editor closed by itself";
                EXPECT_TRUE(waitForImages(editor->webView(), false));
                grab(editor, QStringLiteral("page-editor.png"));
                controller->pageEditorDelegate()->exitWithoutSave();
                return;
            }
            if (auto *chooser = qobject_cast<SelectTemplateWindow *>(dialog)) {
                if (chooser->styleGallery()->count() > 0)
                    chooser->styleGallery()->setCurrentRow(1 % chooser->styleGallery()->count());
            }
            QApplication::processEvents();
            grab(dialog, dialog->objectName() + QStringLiteral(".png"));
            dialog->reject();
        });
    };
    controller->OnImportPDF();
    controller->onSelectTemplate();
    controller->OnExportFlipBook();
    controller->OnPageEditor();
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(focused, QStringList({QStringLiteral("1"), QStringLiteral("1")}));
    EXPECT_EQ(controller->flashTmpl()->tmplName(), QStringLiteral("float"));
}

TEST_F(MainWindowUiTest, ImportRecolourApplyPublishAndReadInChromium)
{
    const QString pdf = pdfData(QStringLiteral("sizes.pdf"));
    const QString out = roots.root() + QStringLiteral("/published");
    prompts.alertAnswers << 1; // do not open the result

    window->onSheetShown = [&](QDialog *dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            if (auto *import = qobject_cast<ImportDialog *>(dialog)) {
                import->fileField()->setText(pdf);
                emit import->fileField()->textEdited(pdf);
                import->imageOption()->click();
                import->allPagesOption()->click();
                import->importButton()->click();
            } else if (auto *publish = qobject_cast<PublishDialog *>(dialog)) {
                for (auto [field, text] :
                     {std::pair{publish->folderField(), out}, std::pair{publish->nameField(), QStringLiteral("index")},
                      std::pair{publish->titleField(), QStringLiteral("Report")}}) {
                    field->setText(text);
                    emit field->textEdited(text);
                }
                publish->webOption()->click();
                publish->publishButton()->click();
            }
        });
    };
    controller->OnImportPDF();
    ASSERT_EQ(controller->flashPageSource()->pages().size(), 4);

    chooseColour(QStringLiteral("GradientStartColor"), QColor(0xd0, 0x21, 0x5f));
    EXPECT_TRUE(controller->isApplyPending());
    window->applyAction()->trigger();
    EXPECT_FALSE(controller->isApplyPending());

    controller->OnExportFlipBook();
    const QString page = out + QStringLiteral("/index.html");
    ASSERT_TRUE(QFileInfo::exists(page));

    const QString dir = qEnvironmentVariable("FOLIANT_SCREENSHOT_DIR");
    const ProcessResult node = ProcessRunner::run(
        QStringLiteral("node"),
        {QStringLiteral(FOLIANT_SOURCE_DIR "/tests/app_ui/check_published_book.mjs"), page,
         QStringLiteral("rgb(208, 33, 95)"), dir.isEmpty() ? QString() : dir + QStringLiteral("/published-book.png")},
        120000);
    const QByteArray said = node.standardOutput;
    ASSERT_TRUE(node.ok()) << node.standardError.toStdString();
    const QJsonObject seen = QJsonDocument::fromJson(said.trimmed().split('\n').last()).object();
    EXPECT_FALSE(seen.value(QStringLiteral("firstPage")).toString().isEmpty()) << said.toStdString();
    const QJsonArray box = seen.value(QStringLiteral("box")).toArray();
    ASSERT_EQ(box.size(), 3) << said.toStdString();
    EXPECT_NEAR(box.at(0).toInt(), 51, 20);
    EXPECT_NEAR(box.at(1).toInt(), 77, 20);
    EXPECT_NEAR(box.at(2).toInt(), 179, 20);
    EXPECT_TRUE(seen.value(QStringLiteral("colourShown")).toBool()) << said.toStdString();
}

// The preview is the player a reader gets: after importing a PDF with text and
// bookmarks, its search finds the pages a word is on (those pdftotext finds it
// on) and its table of contents is the PDF's outline.
TEST_F(MainWindowUiTest, PreviewSearchesTheImportedTextAndListsItsOutline)
{
    ASSERT_TRUE(waitUntil([this] { return loads > 0; }, 30000)); // the empty book first
    const QString pdf = pdfData(QStringLiteral("links.pdf"));
    window->onSheetShown = [&](QDialog *dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            auto *import = qobject_cast<ImportDialog *>(dialog);
            ASSERT_TRUE(import);
            import->fileField()->setText(pdf);
            emit import->fileField()->textEdited(pdf);
            import->imageOption()->click();
            import->allPagesOption()->click();
            import->bookmarksBox()->setChecked(true);
            import->textBox()->setChecked(true);
            import->importButton()->click();
        });
    };
    const int before = loads;
    controller->OnImportPDF();
    ASSERT_EQ(controller->flashPageSource()->pages().size(), 10);
    ASSERT_TRUE(waitUntil([&] { return loads > before; }, 30000));

    // runJavaScript does not wait for promises: the page keeps the answer
    // until the test asks for it. Each look starts the search where the page
    // has none running, so a reload of the preview in between loses nothing.
    auto seen = std::make_shared<QString>(); // outlives a late reply
    EXPECT_TRUE(waitUntil(
        [&] {
            window->preview()->page()->runJavaScript(
                QStringLiteral("window.foliant && !window.__asked && (window.__asked = true, window.foliant.ready"
                               ".then(() => window.foliant.search('consectetur')).then((hits) => window.__seen = "
                               "JSON.stringify({ pages: [...new Set(hits.map((h) => h.page))], outline: "
                               "window.foliant.outline }))); window.__seen || ''"),
                [seen](const QVariant &v) { *seen = v.toString(); });
            return !seen->isEmpty();
        },
        // A loaded test machine has needed over 30 s for the preview's first search.
        90000));
    EXPECT_EQ(seen->toStdString(),
              R"({"pages":[2,3,4,5,7,9,10],"outline":[{"title":"A","page":1,"children":[{"title":"A1","page":2,)"
              R"("children":[]},{"title":"A2","page":5,"children":[{"title":"Ärst","page":7,"children":[]}]}]},)"
              R"({"title":"B","page":9,"children":[]}]})");
}

// Each opening gets one new window and page: nothing of the last session (a
// discarded edit, an earlier book) is left on screen.
TEST_F(MainWindowUiTest, PageEditorOpensFreshOnTheCurrentBookEachTime)
{
    std::vector<QPointer<PageEditorWindow>> seen;
    QStringList earlier, pages;
    int views = 0;
    window->onSheetShown = [&](QDialog *dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            auto *editor = qobject_cast<PageEditorWindow *>(dialog);
            ASSERT_TRUE(editor);
            seen.emplace_back(editor);
            ASSERT_TRUE(waitUntil(
                [editor] {
                    return editor->evaluate(QStringLiteral("String(!!(window.GetPageConfig && GetPageConfig()))"),
                                            2000) == QStringLiteral("true");
                },
                30000));
            earlier << editor->evaluate(QStringLiteral("String(window.lastSession)"));
            editor->evaluate(QStringLiteral("window.lastSession = 'seen', ''"));
            pages << editor->evaluate(QStringLiteral("String(GetPageConfig().split('<Page ').length - 1)"));
            views = int(editor->findChildren<QWebEngineView *>().size());
            controller->pageEditorDelegate()->exitWithoutSave();
        });
    };
    controller->OnPageEditor();
    controller->OnPageEditor();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0]) << "the first editor window is still there";
    EXPECT_EQ(views, 1);
    EXPECT_EQ(earlier, QStringList({QStringLiteral("undefined"), QStringLiteral("undefined")}));
    const QString count = QString::number(controller->flashPageSource()->pages().size());
    EXPECT_EQ(pages, QStringList({count, count}));
}

// Tab passes over the preview as one stop; Enter steps into the book and
// Escape back out.
TEST_F(MainWindowUiTest, PreviewIsOneTabStopEnteredWithEnter)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(waitUntil([this] { return loads > 0; }, 30000));
    PreviewFrame *frame = window->previewFrame();
    const auto press = [](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
        QApplication::processEvents();
    };
    const auto inPage = [&] {
        QWidget *f = QApplication::focusWidget();
        return f && (f == window->preview() || window->preview()->isAncestorOf(f));
    };
    window->outline()->setFocus();
    for (int i = 0; i < 8 && QApplication::focusWidget() != frame; ++i) {
        press(Qt::Key_Tab);
        ASSERT_FALSE(inPage()) << "Tab walked into the page";
    }
    ASSERT_EQ(QApplication::focusWidget(), frame);
    press(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), frame);
    EXPECT_FALSE(inPage());

    frame->setFocus();
    press(Qt::Key_Return);
    EXPECT_TRUE(inPage());
    press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), frame);
}

TEST_F(MainWindowUiTest, DroppedPdfOpensTheImportDialogWithIt)
{
    const QString pdf = pdfData(QStringLiteral("sizes.pdf"));
    QString shownFile;
    window->onSheetShown = [&](QDialog *dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            if (auto *import = qobject_cast<ImportDialog *>(dialog))
                shownFile = import->fileField()->text();
            dialog->reject();
        });
    };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(pdf)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_TRUE(waitUntil([&] { return !shownFile.isEmpty(); }, 10000));
    EXPECT_EQ(shownFile, pdf);

    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(roots.root() + QStringLiteral("/notes.txt"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// Closing with unsaved work asks Save / Don't Save / Cancel: Cancel keeps the
// window, Save writes the project first.
TEST_F(MainWindowUiTest, ClosingWithUnsavedWorkAsksFirst)
{
    window->show();
    EXPECT_TRUE(window->close()) << "nothing to save, nothing asked";
    EXPECT_EQ(prompts.count(QStringLiteral("alert")), 0);
    window->show();
    controller->setModified(true);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Untitled* \u2014 Foliant Pro for Mac"));
    prompts.alertAnswers << 2;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompts.asked.last().options,
              QStringList({QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")}));
    prompts.alertAnswers << 0;
    prompts.saveAnswers << roots.root() + QStringLiteral("/closing");
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFileInfo(roots.root() + QStringLiteral("/closing.foliant")).isFile());
}

TEST_F(MainWindowUiTest, WindowComesBackAtTheSizeItWasLeft)
{
    window->show();
    window->setGeometry(40, 50, 900, 640);
    QApplication::processEvents();
    window->close();
    MainWindow again;
    again.setFrame(QRect(0, 0, 1400, 900));
    EXPECT_EQ(again.size(), QSize(900, 640));
}

} // namespace

// With the system's language set to German the application speaks German:
// menus, toolbar and the shipped templates' property texts.
class GermanMainWindowUiTest : public MainWindowUiTest
{
protected:
    void SetUp() override
    {
        language = Translations::install(QLocale(QLocale::German, QLocale::Germany));
        MainWindowUiTest::SetUp();
    }
    void TearDown() override
    {
        MainWindowUiTest::TearDown();
        removeTranslators();
    }
    QString language;
};

TEST_F(GermanMainWindowUiTest, MenusToolbarAndPropertiesAreGerman)
{
    ASSERT_EQ(language, QStringLiteral("de"));
    QStringList menus;
    for (QAction *menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Vorlage"), QStringLiteral("&Buch"),
                                  QStringLiteral("&Hilfe")}));
    QStringList tools;
    for (QAction *action : window->findChild<QToolBar *>()->actions())
        tools << action->iconText();
    for (const char *text : {"PDF importieren", "Vorlage", "Seiteneditor", "Veröffentlichen", "Anwenden", "Hilfe"})
        EXPECT_TRUE(tools.contains(QString::fromUtf8(text))) << text << " not in " << tools.join(u',').toStdString();

    const QModelIndex colour = findKey(QStringLiteral("BaseColor"));
    window->outline()->setCurrentIndex(colour);
    EXPECT_EQ(window->tipBox()->title(), QStringLiteral("Farbe der Werkzeugleiste"));
    EXPECT_EQ(colour.data().toString(), QStringLiteral("Farbe der Werkzeugleiste"));

    window->show();
    if (!qEnvironmentVariableIsEmpty("FOLIANT_SCREENSHOT_DIR")) {
        waitUntil([this] { return loads > 0; }, 30000);
        waitUntil([] { return false; }, 5000); // the player draws its first spread
        grab(window.get(), QStringLiteral("main-window-de.png"));
    }
}

TEST(Translations, TheSystemLanguageChoosesTheTranslation)
{
    const auto chosen = [](const QLocale &locale) {
        const QString language = Translations::install(locale);
        removeTranslators();
        return language;
    };
    EXPECT_EQ(chosen(QLocale(QStringLiteral("fr_CA"))), QStringLiteral("fr"));
    EXPECT_EQ(chosen(QLocale(QStringLiteral("es_MX"))), QStringLiteral("es"));
    EXPECT_EQ(chosen(QLocale(QStringLiteral("en_GB"))), QString());
    EXPECT_EQ(chosen(QLocale(QStringLiteral("ja_JP"))), QString());
}
