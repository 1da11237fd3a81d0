#include "TestData.h"
#include "TestRoots.h"

#include "platform/AppSettings.h"
#include "app/Foliant_for_macAppDelegate.h"
#include "app/ImportWindowDelegate.h"
#include "book/ImportPDFOperation.h"
#include "platform/UserDefaults.h"

#include <QFileInfo>

namespace {

class ImportDelegateTest : public RootedTest
{
protected:
    void SetUp() override
    {
        testApp();
        ended = -1;
        QObject::connect(&dialog, &ImportWindowDelegate::sheetEnded, &dialog, [this](int code) { ended = code; });
        dialog.awakeFromNib();
    }
    // Imports `pdf` and waits until the dialog has handled the end of the import.
    void importAndWait(const QString &pdf)
    {
        dialog.txtImportFile = pdf;
        dialog.onImportAction();
        ASSERT_TRUE(waitUntil([this] { return !dialog.isImporting(); }));
    }

    ScriptedPrompts prompts;
    ImportWindowDelegate dialog{&prompts};
    int ended = -1;
};

TEST_F(ImportDelegateTest, MissingFileShowsTheMessageAndStoresNothing)
{
    dialog.txtImportFile = roots.root() + QStringLiteral("/nowhere.pdf");
    dialog.onImportAction();
    EXPECT_FALSE(dialog.infoHidden());
    EXPECT_EQ(dialog.infoText(), QStringLiteral("Import PDF file does not exist."));
    EXPECT_TRUE(dialog.controlsEnabled());
    EXPECT_EQ(dialog.importPDF(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(UserDefaults::storePath()));
    EXPECT_EQ(ended, -1);
}

TEST_F(ImportDelegateTest, RangeAndQualityReachTheOperation)
{
    const QString pdf = pdfData(QStringLiteral("sizes.pdf"));
    dialog.PageFormat = 1;
    dialog.txtPageRange = QStringLiteral("2-3");

    struct Case
    {
        int rangeType, quality, expectedQuality;
        QString expectedRange;
    };
    for (const Case &c : {Case{0, 0, 100, QStringLiteral("ALL")}, Case{1, 4, 25, QStringLiteral("2-3")},
                          Case{0, 7, 100, QStringLiteral("ALL")}, Case{0, 2, 65, QStringLiteral("ALL")}}) {
        dialog.pageRangeType = c.rangeType;
        dialog.importQuality = c.quality;
        importAndWait(pdf);
        ASSERT_NE(dialog.importPDF(), nullptr);
        EXPECT_EQ(dialog.importPDF()->pageRange(), c.expectedRange) << c.rangeType;
        EXPECT_EQ(dialog.importPDF()->quality(), c.expectedQuality) << c.quality;
        EXPECT_EQ(dialog.importPDF()->DPI(), 144);
    }
    // The choices went to the store before the import started.
    AppSettings::resetSharedInstance();
    EXPECT_EQ(AppSettings::shareInstance()->importQualityLevel(), 2);
    EXPECT_EQ(AppSettings::shareInstance()->lastImportedFile(), pdf);
}

TEST_F(ImportDelegateTest, ImageImportTakesTheTruncatedCropBoxAndDoublesItInTheSettings)
{
    dialog.PageFormat = 1;
    importAndWait(pdfData(QStringLiteral("cropped.pdf")));
    EXPECT_EQ(ended, 1);
    ASSERT_TRUE(dialog.flashPageSource());
    EXPECT_EQ(dialog.pageWidth(), 595);
    EXPECT_EQ(dialog.pageHeight(), 842);
    EXPECT_EQ(AppSettings::shareInstance()->PageWidth(), 1190);
    EXPECT_EQ(AppSettings::shareInstance()->PageHeight(), 1684);
}

// With all pages or with a range naming pages the document would have: an
// unreadable file is no book, whatever the page source made of the range.
TEST_F(ImportDelegateTest, BrokenPdfKeepsTheDialogOpenWithAMessage)
{
    const QString pdf = roots.writeFile(QStringLiteral("broken.pdf"), "%PDF-1.4\nthis is not a document");
    for (int rangeType : {0, 1}) {
        dialog.PageFormat = 1;
        dialog.pageRangeType = rangeType;
        dialog.txtPageRange = QStringLiteral("1-5");
        importAndWait(pdf);
        EXPECT_EQ(ended, -1) << rangeType;
        EXPECT_FALSE(dialog.flashPageSource()) << rangeType;
        EXPECT_EQ(dialog.pageWidth(), 0);
        EXPECT_TRUE(dialog.controlsEnabled());
        EXPECT_FALSE(dialog.infoHidden());
        EXPECT_TRUE(dialog.infoText().contains(QStringLiteral("could not be imported"))) << rangeType;
    }
}

TEST_F(ImportDelegateTest, CancelStopsARunningImportAndKeepsTheDialogOpen)
{
    dialog.PageFormat = 1;
    dialog.txtImportFile = pdfData(QStringLiteral("real100.pdf"));
    dialog.onImportAction();
    ASSERT_TRUE(dialog.isImporting());
    dialog.onCancelAction();
    EXPECT_TRUE(dialog.controlsEnabled()); // idle at once
    ASSERT_TRUE(waitUntil([this] { return !dialog.isImporting(); }));
    EXPECT_EQ(ended, -1);
    EXPECT_FALSE(dialog.flashPageSource());
    EXPECT_EQ(dialog.infoText(), QStringLiteral("Import cancelled."));

    // Cancel while idle ends the dialog.
    dialog.onCancelAction();
    EXPECT_EQ(ended, 0);
}

// The password field opens a locked PDF, for vector pages and for page images;
// without it or with another one the dialog stays open and says why.
TEST_F(ImportDelegateTest, LockedPdfImportsOnlyWithItsPassword)
{
    const QString pdf = pdfData(QStringLiteral("encrypted_user.pdf"));
    for (int format : {0, 1}) {
        dialog.PageFormat = format;
        for (const auto &[password, said] :
             {std::pair{QString(),
                        QStringLiteral("The PDF is locked with a password: enter it in the Password field.")},
              std::pair{QStringLiteral("Secret"), QStringLiteral("wrong password")}}) {
            dialog.txtPassword = password;
            importAndWait(pdf);
            EXPECT_EQ(dialog.infoText(), said) << format;
            EXPECT_EQ(ended, -1);
            EXPECT_FALSE(dialog.flashPageSource());
        }
        dialog.txtPassword = QStringLiteral("secret");
        importAndWait(pdf);
        ASSERT_EQ(ended, 1) << format << " " << dialog.infoText().toStdString();
        ASSERT_TRUE(dialog.flashPageSource());
        EXPECT_EQ(dialog.flashPageSource()->pages().size(), 4);
        for (const FlashPagePtr &page : dialog.flashPageSource()->pages())
            EXPECT_TRUE(QFileInfo(page->pageFilePath()).size() > 0) << page->pageFilePath().toStdString();
        ended = -1;
    }
    // The settings the import stored do not hold it.
    QFile store(UserDefaults::storePath());
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_FALSE(store.readAll().contains("secret"));
}

// A failed import leaves the application's book as it was; a good one replaces it.
TEST_F(ImportDelegateTest, ControllerKeepsItsBookWhenTheImportFails)
{
    HeadlessWindowView window;
    Foliant_for_macAppDelegate controller(&window);
    controller.applicationDidFinishLaunching();
    const FlashPageSourcePtr sample = controller.flashPageSource();
    const QString broken = roots.writeFile(QStringLiteral("broken.pdf"), "garbage");
    const QString good = pdfData(QStringLiteral("sizes.pdf"));

    int code = -1;
    window.importSheet = [&](ImportWindowDelegate &d) {
        d.PageFormat = 1;
        d.txtImportFile = broken;
        d.onImportAction();
        waitUntil([&] { return !d.isImporting(); });
        d.onCancelAction(); // the user gives up
        return code = 0;
    };
    controller.OnImportPDF();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(controller.flashPageSource(), sample);

    const QString pagesXml = controller.flashPreviewFolder() + QStringLiteral("/pages.xml");
    ASSERT_TRUE(QFileInfo::exists(pagesXml));
    const QByteArray stale = "<Pages bace=\"the previous book\"/>"; // must not outlive the import
    roots.writeFile(pagesXml.mid(roots.root().size() + 1), stale);
    window.importSheet = [&](ImportWindowDelegate &d) {
        d.txtImportFile = good;
        int result = -1;
        QObject::connect(&d, &ImportWindowDelegate::sheetEnded, &d, [&](int c) { result = c; });
        d.onImportAction();
        waitUntil([&] { return result >= 0; });
        return result;
    };
    controller.OnImportPDF();
    ASSERT_NE(controller.flashPageSource(), sample);
    EXPECT_EQ(controller.flashPageSource()->pages().size(), 4);
    EXPECT_EQ(controller.flashTmpl()->propertyValueFor(QStringLiteral("pageWidth"), {}), QStringLiteral("600"));
    EXPECT_EQ(controller.flashTmpl()->propertyValueFor(QStringLiteral("pageHeight"), {}), QStringLiteral("800"));
    EXPECT_NE(readAll(pagesXml), stale);
    controller.applicationWillTerminate();
}

// Progress shows on the line only while the line is visible (an import runs).
TEST_F(ImportDelegateTest, ProgressOfARealImportReachesTheLine)
{
    dialog.mainThread_handleMSG(3, 9);
    EXPECT_TRUE(dialog.infoText().isEmpty());
    QStringList lines;
    QObject::connect(&dialog, &ImportWindowDelegate::stateChanged, &dialog, [&] {
        if (!dialog.infoHidden())
            lines << dialog.infoText();
    });
    dialog.PageFormat = 1;
    importAndWait(pdfData(QStringLiteral("sizes.pdf")));
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Importing:4 of 4 Pages"))) << lines.join(QLatin1Char('|')).toStdString();
}

} // namespace
