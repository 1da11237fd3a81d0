#include "TestRoots.h"
#include "UiTestSupport.h"

#include "platform/AppSettings.h"
#include "app/ImportWindowDelegate.h"
#include "app/OutputWindowDelegate.h"
#include "app/ScriptedPrompts.h"
#include "app/widgets/ImportDialog.h"
#include "app/widgets/PublishDialog.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "templates/FlashTemplate.h"
#include "templates/SelectTemplateWindowDelegate.h"
#include "templates/widgets/SelectTemplateWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

class DialogsUiTest : public RootedTest
{
protected:
    ScriptedPrompts prompts;
};

TEST_F(DialogsUiTest, ImportDialogFillsFromSettingsAndReportsAMissingFile)
{
    AppSettings *s = AppSettings::shareInstance();
    s->setImportPageRangeType(1);
    s->setImportPageRange(QStringLiteral("2-4"));
    s->setImportQualityLevel(3);
    s->setImportLinks(1);
    s->setImportType(1);
    ImportWindowDelegate delegate(&prompts);
    delegate.awakeFromNib();
    ImportDialog dialog(delegate);
    dialog.show();
    EXPECT_TRUE(dialog.rangeOption()->isChecked());
    EXPECT_EQ(dialog.rangeField()->text(), QStringLiteral("2-4"));
    EXPECT_TRUE(dialog.rangeField()->isEnabled());
    EXPECT_EQ(dialog.qualityMenu()->currentIndex(), 3);
    EXPECT_TRUE(dialog.linksBox()->isChecked());
    EXPECT_TRUE(dialog.imageOption()->isChecked());
    EXPECT_FALSE(dialog.infoLabel()->isVisible());
    EXPECT_FALSE(dialog.progress()->isVisible());

    dialog.allPagesOption()->click();
    EXPECT_FALSE(dialog.rangeField()->isEnabled());
    EXPECT_EQ(delegate.effectivePageRange(), QStringLiteral("ALL"));

    // The password is typed unseen and reaches the import.
    EXPECT_EQ(dialog.passwordField()->echoMode(), QLineEdit::Password);
    dialog.passwordField()->setText(QStringLiteral("secret"));
    emit dialog.passwordField()->textEdited(dialog.passwordField()->text());
    EXPECT_EQ(delegate.txtPassword, QStringLiteral("secret"));

    dialog.fileField()->setText(roots.root() + QStringLiteral("/missing.pdf"));
    emit dialog.fileField()->textEdited(dialog.fileField()->text());
    const QPoint buttonAt = dialog.importButton()->mapTo(&dialog, QPoint());
    dialog.importButton()->click();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.infoLabel()->isVisible());
    EXPECT_EQ(dialog.infoLabel()->text(), QStringLiteral("Import PDF file does not exist."));
    EXPECT_EQ(dialog.importButton()->mapTo(&dialog, QPoint()), buttonAt) << "the message moved the buttons";
    delegate.mainThread_handleMSG(3, 9);
    EXPECT_EQ(dialog.progress()->maximum(), 9);
    EXPECT_EQ(dialog.progress()->value(), 3);
    EXPECT_TRUE(dialog.importButton()->isEnabled());
    EXPECT_TRUE(dialog.isVisible());

    // Cancel while idle closes the dialog with code 0.
    dialog.cancelButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(DialogsUiTest, PublishDialogDisablesPhoneOptionsForApplications)
{
    AppSettings::shareInstance()->setOutputType(1);
    AppSettings::shareInstance()->setLastOutputFileFolder(QStringLiteral("/somewhere"));
    OutputWindowDelegate delegate(&prompts);
    delegate.awakeFromNib();
    PublishDialog dialog(delegate);
    dialog.show();
    EXPECT_EQ(dialog.folderField()->text(), QStringLiteral("/somewhere"));
    EXPECT_TRUE(dialog.appOption()->isChecked());
    EXPECT_FALSE(dialog.mobileBox()->isEnabled());
    EXPECT_FALSE(dialog.mobileTypeMenu()->isEnabled());
    dialog.webOption()->click();
    EXPECT_TRUE(dialog.mobileBox()->isEnabled());
    EXPECT_TRUE(dialog.mobileTypeMenu()->isEnabled());
    dialog.appOption()->click();
    EXPECT_FALSE(dialog.mobileBox()->isEnabled());

    // "NO" to replacing an earlier book keeps the dialog open.
    dialog.webOption()->click();
    const QString out = roots.writeFile(QStringLiteral("out/files/config.xml"), "<data><![CDATA[x]]></data>");
    dialog.folderField()->setText(roots.root() + QStringLiteral("/out"));
    emit dialog.folderField()->textEdited(dialog.folderField()->text());
    prompts.alertAnswers << 1;
    dialog.publishButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(QFileInfo::exists(out));
}

TEST_F(DialogsUiTest, TemplateChooserSelectsTheCurrentTemplateAndEndsOnDoubleClick)
{
    // A catalogue of its own: "FLOAT" spelled in capitals, a second template
    // with two styles, one of them without a picture.
    const QString res = roots.root() + QStringLiteral("/res");
    for (const QString &sub :
         {QStringLiteral("AppFiles/Templates/FLOAT"), QStringLiteral("AppFiles/Templates/Paper"),
          QStringLiteral("AppFiles/Styles/float/Blank"), QStringLiteral("AppFiles/Styles/Paper/Cream"),
          QStringLiteral("AppFiles/Styles/Paper/Grey")})
        QDir().mkpath(res + QLatin1Char('/') + sub);
    QImage shot(40, 30, QImage::Format_RGB32);
    shot.fill(Qt::darkCyan);
    shot.save(res + QStringLiteral("/AppFiles/Styles/Paper/Cream/shot.jpg"));
    Paths::setResources(res);

    SelectTemplateWindowDelegate delegate;
    SelectTemplateWindow window(delegate);
    window.show();
    delegate.prepairToTmpl(QStringLiteral("float"));
    ASSERT_GE(window.templateList()->currentRow(), 0);
    EXPECT_EQ(window.templateList()->currentItem()->text(), QStringLiteral("FLOAT"));
    EXPECT_EQ(window.styleGallery()->count(), 1); // the styles of "float"
    EXPECT_FALSE(window.okButton()->isEnabled());

    const auto paperItems = window.templateList()->findItems(QStringLiteral("Paper"), Qt::MatchExactly);
    ASSERT_EQ(paperItems.size(), 1);
    const int paper = window.templateList()->row(paperItems.first());
    window.templateList()->setCurrentRow(paper);
    ASSERT_EQ(window.styleGallery()->count(), 2);
    EXPECT_EQ(window.styleGallery()->selectedItems().size(), 0);

    // A folder added while open shows after Refresh; the gallery stays.
    QDir().mkpath(res + QStringLiteral("/AppFiles/Templates/Gallery"));
    window.refreshButton()->click();
    EXPECT_EQ(window.templateList()->count(), 3);
    EXPECT_EQ(window.styleGallery()->count(), 2);

    int code = -1;
    QObject::connect(&delegate, &SelectTemplateWindowDelegate::sheetEnded, &window, [&](int c) { code = c; });
    QListWidgetItem *grey = window.styleGallery()->findItems(QStringLiteral("Grey"), Qt::MatchExactly).first();
    emit window.styleGallery()->itemDoubleClicked(grey);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(delegate.selectedStyle(), res + QStringLiteral("/AppFiles/Styles/Paper/Grey/shot.jpg"));
}

// The title as the window manager shows it, from the real application on a
// real X server: the platform adds nothing to it.
TEST_F(DialogsUiTest, MainWindowTitleIsTheProductNameAlone)
{
    const QString script = QStringLiteral(R"sh(
        env QT_QPA_PLATFORM=xcb FOLIANT_USER_DATA="$2/userdata" FOLIANT_SYSTEM_DATA="$2/system" \
            FOLIANT_TEMP="$2/tmp" FOLIANT_DESKTOP="$2/Desktop" FOLIANT_CONFIG="$2/config" "$1" >/dev/null 2>&1 &
        app=$!
        for i in $(seq 1 600); do
            title=$(xwininfo -root -tree | sed -n 's/^ *0x[0-9a-f]* "\(Foliant Pro[^"]*\)".*/\1/p' | head -n 1)
            [ -n "$title" ] && break
            sleep 0.2
        done
        kill $app; wait $app
        printf '%s' "$title")sh");
    const ProcessResult run =
        ProcessRunner::run(QStringLiteral("xvfb-run"),
                           {QStringLiteral("-a"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                            QStringLiteral("sh"), QStringLiteral(FOLIANT_BINARY_DIR "/bin/foliant"), roots.root()},
                           180000);
    ASSERT_TRUE(run.started) << "xvfb-run is missing";
    EXPECT_EQ(QString::fromUtf8(run.standardOutput), QStringLiteral("Foliant Pro for Mac"));
}

} // namespace
