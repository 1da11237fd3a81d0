#include "templates/widgets/FlashTemplateOutline.h"

#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/widgets/FlashTmplItemDelegate.h"

#include <QHeaderView>

FlashTemplateOutline::FlashTemplateOutline(QWidget *parent)
    : QTreeView(parent), m_itemDelegate(new FlashTmplItemDelegate(this))
{
    setItemDelegate(m_itemDelegate);
    setIndentation(12);
    setAlternatingRowColors(true);
    setUniformRowHeights(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::CurrentChanged);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(true);
    setToolTip(tr("Template properties: select a row to read what it does; edit its value on the right"));
}

void FlashTemplateOutline::setOutlineModel(FlashTemplateOutlineDelegate *model)
{
    m_model = model;
    setModel(model);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    setColumnWidth(0, 190);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, model,
            [model] { model->outlineViewSelectionDidChange(); });
    // A new tree needs the selection model re-hooked after resets too.
    connect(model, &QAbstractItemModel::modelReset, this, [this] { setColumnWidth(0, qMax(columnWidth(0), 150)); });
}

QModelIndex FlashTemplateOutline::selectedRow() const
{
    if (!selectionModel())
        return {};
    const QModelIndexList rows = selectionModel()->selectedRows(0);
    return rows.isEmpty() ? QModelIndex() : rows.first();
}
