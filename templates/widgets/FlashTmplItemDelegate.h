#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>

// The editors of the property outline's value column, by property type: a
// pop-up of the choices, a colour cell with a button that opens the colour
// dialog, a file cell with a button that opens the file dialog, and plain text
// for everything else (check boxes need no editor).
class FlashTmplItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit FlashTmplItemDelegate(QObject *parent = nullptr);

    // The colour and file dialogs; tests answer in their place. A chooser
    // returns an invalid colour / std::nullopt-like empty optional when cancelled.
    using ColorChooser = std::function<QColor(const QColor &initial, QWidget *parent)>;
    using FileChooser = std::function<QString(const QString &current, const QStringList &extensions,
                                              const QString &filterName, QWidget *parent, bool *ok)>;
    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    ColorChooser m_chooseColor;
    FileChooser m_chooseFile;
};
