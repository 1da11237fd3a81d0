#include "TestRoots.h"
#include "UiTestSupport.h"

#include "platform/NotificationCenter.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/MyColorOper.h"
#include "templates/widgets/FlashTemplateOutline.h"
#include "templates/widgets/FlashTmplItemDelegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

FlashTemplatePropertyPtr node(const QString &key, int type, const QString &value, const QString &source = {})
{
    auto p = std::make_shared<FlashTemplateProperty>();
    p->setKey(key);
    p->setTitle(key + QStringLiteral(" title"));
    p->setDesc(key + QStringLiteral(" help"));
    p->setPropertyType(type);
    p->setValue(value);
    p->setValueSource(source);
    return p;
}

// The property outline as a user works it: real tree view, real editors; only
// the colour and file dialogs answer from the test.
class PropertyOutlineTest : public RootedTest
{
protected:
    void SetUp() override
    {
        tmpl = std::make_shared<FlashTemplate>(QStringLiteral("no-such-template"));
        group = node(QStringLiteral("grp"), pt_text, QString());
        for (const auto &child :
             {node(QStringLiteral("show"), pt_bool, QStringLiteral("SHOW")),
              node(QStringLiteral("colour"), pt_color, QStringLiteral("0xFFFFFF")),
              node(QStringLiteral("list"), pt_list, QStringLiteral("green"), QStringLiteral("red,green,blue")),
              node(QStringLiteral("logo"), pt_file, QStringLiteral("/a/logo.png"),
                   QStringLiteral("Images|*.jpg;*.png")),
              node(QStringLiteral("text"), pt_text, QStringLiteral("hello"))})
            group->addChildProperty(child);
        tmpl->setProperties({group});
        model.setFlashTmpl(tmpl);
        view.setOutlineModel(&model);
        view.resize(500, 400);
        view.show();
        view.expandAll();
        changes = ScopedObserver(QStringLiteral("FlashTmplProValueChangedNotification"),
                                 [this](const Notification &) { ++changed; });
        tips = ScopedObserver(QStringLiteral("UpdateFlashTmplProTipNotification"),
                              [this](const Notification &) { ++tipped; });
    }
    QModelIndex value(int row) { return model.index(row, 1, model.index(0, 0)); }
    QString stored(int row) { return group->childProperties().at(row)->value(); }
    template <typename W> W *openEditor(int row)
    {
        view.setCurrentIndex(value(row));
        view.edit(value(row));
        QApplication::processEvents();
        return view.findChild<W *>();
    }

    FlashTemplatePtr tmpl;
    FlashTemplatePropertyPtr group;
    FlashTemplateOutlineDelegate model;
    FlashTemplateOutline view;
    ScopedObserver changes, tips;
    int changed = 0, tipped = 0;
};

TEST_F(PropertyOutlineTest, ColourCellWritesLowerCaseAndCancelKeepsTheValue)
{
    QColor offered;
    view.itemDelegate()->setColorChooser([&](const QColor &initial, QWidget *) {
        offered = initial;
        return initial; // closed without change
    });
    auto *button = openEditor<QToolButton>(1);
    ASSERT_TRUE(button);
    button->click();
    EXPECT_EQ(offered, QColor(255, 255, 255));
    EXPECT_EQ(stored(1), QStringLiteral("0xffffff"));
    EXPECT_EQ(changed, 1);

    view.itemDelegate()->setColorChooser([](const QColor &, QWidget *) { return QColor(); }); // cancelled
    button->click();
    EXPECT_EQ(stored(1), QStringLiteral("0xffffff"));
    EXPECT_EQ(changed, 1);

    view.itemDelegate()->setColorChooser([](const QColor &, QWidget *) { return QColor(0x12, 0xab, 0x0f); });
    button->click();
    EXPECT_EQ(stored(1), QStringLiteral("0x12ab0f"));
    EXPECT_EQ(changed, 2);
}

TEST_F(PropertyOutlineTest, ListOffersTheChoicesAndStoresTheChosenOne)
{
    auto *combo = openEditor<QComboBox>(2);
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QStringLiteral("green"));
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(stored(2), QStringLiteral("blue"));
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(model.setData(value(2), 2)); // the same choice again
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(model.setData(value(2), 7)); // no such choice
}

TEST_F(PropertyOutlineTest, FileCellOffersTheFilterAndCancelKeepsTheFile)
{
    QStringList offered;
    bool confirm = false;
    view.itemDelegate()->setFileChooser(
        [&](const QString &, const QStringList &extensions, const QString &, QWidget *, bool *ok) {
            offered = extensions;
            *ok = confirm;
            return confirm ? QStringLiteral("/b/new.jpg") : QString();
        });
    auto *editor = openEditor<QLineEdit>(3);
    ASSERT_TRUE(editor);
    QToolButton *choose = nullptr;
    for (auto *b : editor->parentWidget()->findChildren<QToolButton *>())
        if (b->text() != QStringLiteral("✕"))
            choose = b;
    ASSERT_TRUE(choose);
    choose->click();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("jpg"), QStringLiteral("png")}));
    EXPECT_EQ(stored(3), QStringLiteral("/a/logo.png"));
    confirm = true;
    choose->click();
    EXPECT_EQ(stored(3), QStringLiteral("/b/new.jpg"));
    EXPECT_EQ(changed, 1);
}

TEST_F(PropertyOutlineTest, TypingTheSameTextChangesNothingAndSelectionUpdatesTheTip)
{
    EXPECT_FALSE(model.setData(value(4), QStringLiteral("hello")));
    EXPECT_TRUE(model.setData(value(4), QStringLiteral("hello!")));
    EXPECT_EQ(changed, 1);
    tipped = 0;
    view.setCurrentIndex(model.index(1, 0, model.index(0, 0)));
    EXPECT_EQ(tipped, 1);
    view.setCurrentIndex(model.index(2, 0, model.index(0, 0)));
    EXPECT_EQ(tipped, 2);
}

TEST(ColourText, ReadsLikeTheScannerAndWritesTwoLowerCaseDigits)
{
    EXPECT_EQ(MyColorOper::colorToHexRGB(QColor(255, 0, 0)), QStringLiteral("0xff0000"));
    EXPECT_EQ(MyColorOper::colorToHexRGB(QColor(1, 2, 3)), QStringLiteral("0x010203"));
    EXPECT_EQ(MyColorOper::colorFromHexRGB(QStringLiteral("  0X00ff80")), QColor(0, 255, 128));
    EXPECT_EQ(MyColorOper::colorFromHexRGB(QStringLiteral("ff12345678")), QColor(255, 255, 255)); // saturates
    EXPECT_EQ(MyColorOper::colorFromHexRGB(QStringLiteral("#ffffff")), QColor(0, 0, 0));
    EXPECT_EQ(MyColorOper::colorFromHexRGB(QStringLiteral("12zz")), QColor(0, 0, 0x12));
}

// Property editing with the keyboard alone, on the caption column where
// arrow keys leave the current row: Space and Enter tick a box, F2 and Enter
// open an editor, Enter stores, Escape leaves without storing; a reload
// keeps the open groups and the current row.
TEST_F(PropertyOutlineTest, KeyboardAloneEditsEveryKindAndReloadKeepsTheTree)
{
    view.setFocus();
    const auto key = [&](Qt::Key k, QWidget *to = nullptr) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(to ? to : (QApplication::focusWidget() ? QApplication::focusWidget() : &view), &press);
        QApplication::processEvents();
    };
    const auto at = [&](int row) { return model.index(row, 0, model.index(0, 0)); };

    view.setCurrentIndex(at(0));
    key(Qt::Key_Space, &view);
    EXPECT_EQ(stored(0), QStringLiteral("NO"));
    key(Qt::Key_Return, &view);
    EXPECT_EQ(stored(0), QStringLiteral("YES"));
    EXPECT_EQ(changed, 2);
    EXPECT_FALSE(model.setData(value(0), Qt::Checked, Qt::CheckStateRole)); // already ticked: no change

    view.setCurrentIndex(at(4));
    key(Qt::Key_F2, &view);
    auto *line = view.findChild<QLineEdit *>();
    ASSERT_TRUE(line) << "F2 opened no editor";
    line->setText(QStringLiteral("typed"));
    key(Qt::Key_Escape, line);
    EXPECT_EQ(stored(4), QStringLiteral("hello")) << "Escape stored the edit";
    key(Qt::Key_Return, &view);
    line = view.findChild<QLineEdit *>();
    ASSERT_TRUE(line) << "Enter opened no editor";
    line->setText(QStringLiteral("typed"));
    key(Qt::Key_Return, line);
    EXPECT_EQ(stored(4), QStringLiteral("typed"));

    view.setCurrentIndex(at(3));
    key(Qt::Key_F2, &view);
    auto *file = view.findChild<QLineEdit *>();
    ASSERT_TRUE(file) << "the file cell did not open";
    file->setText(QStringLiteral("/b/other.png"));
    key(Qt::Key_Return, file);
    EXPECT_EQ(stored(3), QStringLiteral("/b/other.png"));

    view.setCurrentIndex(at(2));
    view.collapse(model.index(0, 0));
    view.expand(model.index(0, 0));
    view.reloadKeepingState();
    EXPECT_TRUE(view.isExpanded(model.index(0, 0)));
    EXPECT_EQ(view.currentIndex().row(), 2);
    view.collapse(model.index(0, 0));
    view.reloadKeepingState();
    EXPECT_FALSE(view.isExpanded(model.index(0, 0)));
}
} // namespace
