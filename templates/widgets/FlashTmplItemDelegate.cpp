#include "templates/widgets/FlashTmplItemDelegate.h"

#include "platform/Logging.h"
#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/FlashTemplateProperty.h"
#include "templates/MyColorOper.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

namespace {
const auto logger = Logging::logger("FlashTmplItemDelegate");

// A line of text with a button at its right end; the button runs a chooser
// that fills the text. Colour cells show a swatch before the text.
class ButtonCellEditor : public QWidget
{
public:
    ButtonCellEditor(QWidget *parent, bool colour) : QWidget(parent), m_colour(colour)
    {
        setAutoFillBackground(true);
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(colour ? 22 : 2, 0, 0, 0);
        layout->setSpacing(2);
        line = new QLineEdit(this);
        line->setFrame(false);
        button = new QToolButton(this);
        button->setText(colour ? QObject::tr("Colour…") : QObject::tr("…"));
        button->setToolTip(colour ? QObject::tr("Choose a colour") : QObject::tr("Choose a file"));
        button->setAutoRaise(true);
        layout->addWidget(line, 1);
        if (!colour) {
            clear = new QToolButton(this);
            clear->setText(QStringLiteral("✕"));
            clear->setToolTip(QObject::tr("Remove the file"));
            clear->setAutoRaise(true);
            layout->addWidget(clear);
            QObject::connect(clear, &QToolButton::clicked, line, &QLineEdit::clear);
        }
        layout->addWidget(button);
        if (colour)
            QObject::connect(line, &QLineEdit::textChanged, this, [this] { update(); });
        setFocusProxy(line);
    }

    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        if (!m_colour)
            return;
        QPainter p(this);
        const QRect swatch(4, (height() - 14) / 2, 14, 14);
        p.fillRect(swatch, MyColorOper::colorFromHexRGB(line->text()));
        p.setPen(Qt::gray);
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
    }

    QLineEdit *line = nullptr;
    QToolButton *button = nullptr;
    QToolButton *clear = nullptr;

private:
    bool m_colour;
};

int typeOf(const QModelIndex &index)
{
    return index.data(FlashTemplateOutlineDelegate::PropertyTypeRole).toInt();
}
} // namespace

FlashTmplItemDelegate::FlashTmplItemDelegate(QObject *parent) : QStyledItemDelegate(parent)
{
    m_chooseColor = [](const QColor &initial, QWidget *parent) {
        return QColorDialog::getColor(initial, parent, tr("Choose a colour"));
    };
    m_chooseFile = [](const QString &current, const QStringList &extensions, const QString &filterName, QWidget *parent,
                      bool *ok) {
        QStringList patterns;
        for (const QString &e : extensions)
            patterns << QStringLiteral("*.") + e;
        const QString filter = patterns.isEmpty()
                                   ? tr("All files (*)")
                                   : QStringLiteral("%1 (%2)").arg(filterName.isEmpty() ? tr("Files") : filterName,
                                                                   patterns.join(QLatin1Char(' ')));
        const QString chosen = QFileDialog::getOpenFileName(parent, tr("Choose a file"), current, filter);
        *ok = !chosen.isEmpty();
        return chosen;
    };
}

QWidget *FlashTmplItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    if (index.column() != FlashTemplateOutlineDelegate::ValueColumn)
        return nullptr;
    const auto *model = qobject_cast<const FlashTemplateOutlineDelegate *>(index.model());
    const FlashTemplateProperty *node = model ? model->propertyAt(index) : nullptr;
    switch (typeOf(index)) {
    case pt_bool:
        return nullptr; // the check box is the editor
    case pt_list: {
        auto *combo = new QComboBox(parent);
        combo->addItems(node ? node->listOptions() : QStringList());
        // Committing on every choice stores the value as soon as it is picked.
        connect(combo, &QComboBox::activated, this,
                [this, combo] { emit const_cast<FlashTmplItemDelegate *>(this)->commitData(combo); });
        return combo;
    }
    case pt_color:
    case pt_file: {
        const bool colour = typeOf(index) == pt_color;
        auto *editor = new ButtonCellEditor(parent, colour);
        const QStringList extensions = node ? node->fileExtensions() : QStringList();
        const QString filterName = node ? node->fileFilterName() : QString();
        connect(editor->button, &QToolButton::clicked, this, [this, editor, colour, extensions, filterName] {
            if (colour) {
                LOG4CXX_DEBUG(logger, "Seleting color now");
                const QColor chosen = m_chooseColor(MyColorOper::colorFromHexRGB(editor->line->text()), editor);
                // Cancel keeps the colour the property had.
                if (chosen.isValid())
                    editor->line->setText(MyColorOper::colorToHexRGB(chosen));
            } else {
                bool ok = false;
                const QString chosen = m_chooseFile(editor->line->text(), extensions, filterName, editor, &ok);
                if (ok)
                    editor->line->setText(chosen);
            }
            emit const_cast<FlashTmplItemDelegate *>(this)->commitData(editor);
        });
        return editor;
    }
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void FlashTmplItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString value = index.data(FlashTemplateOutlineDelegate::ValueTextRole).toString();
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(combo->findText(value)); // -1 (nothing) when not a choice
        return;
    }
    if (auto *cell = dynamic_cast<ButtonCellEditor *>(editor)) {
        if (cell->line->text() != value && !cell->line->isModified())
            cell->line->setText(value);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void FlashTmplItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->currentIndex() >= 0)
            model->setData(index, combo->currentIndex(), Qt::EditRole);
        return;
    }
    if (auto *cell = dynamic_cast<ButtonCellEditor *>(editor)) {
        model->setData(index, cell->line->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void FlashTmplItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                 const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

QSize FlashTmplItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), 24));
    return size;
}
