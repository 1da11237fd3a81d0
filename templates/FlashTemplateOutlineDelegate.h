#pragma once

#include "templates/FlashTemplate.h"

#include <QAbstractItemModel>

// The property outline's model: the current template's property tree in two
// columns, "key" (the caption) and "value". Edits are stored straight into the
// property nodes, and every stored change is announced with
// "FlashTmplProValueChangedNotification"; a change of the selected row with
// "UpdateFlashTmplProTipNotification".
class FlashTemplateOutlineDelegate : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { KeyColumn = 0, ValueColumn = 1 };
    enum Role {
        PropertyTypeRole = Qt::UserRole + 1, // the node's type code
        ValueSourceRole,                     // list choices or file filter
        ValueTextRole,                       // the stored text, as it is
    };

    explicit FlashTemplateOutlineDelegate(QObject *parent = nullptr);

    FlashTemplatePtr flashTmpl() const { return iFlashTmpl; }
    // Shows another template's tree (or none); resets the model.
    void setFlashTmpl(const FlashTemplatePtr &tmpl);
    // Re-reads the tree after the template changed underneath.
    void reloadData();

    FlashTemplateProperty *propertyAt(const QModelIndex &index) const;
    QModelIndex indexOf(const FlashTemplateProperty *node, int column = KeyColumn) const;

    // The selected row changed.
    void outlineViewSelectionDidChange();

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Value column: EditRole takes the text (a list also takes the index of the
    // chosen item as an int); CheckStateRole ticks a check box ("YES"/"NO").
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    const FlashTemplatePropertyList &childrenOf(const FlashTemplateProperty *node) const;
    // Stores the text when it differs from the node's value; true when stored.
    bool store(FlashTemplateProperty *node, const QString &text, const QModelIndex &index);

    FlashTemplatePtr iFlashTmpl;
};
