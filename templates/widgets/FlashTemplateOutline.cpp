#include "templates/widgets/FlashTemplateOutline.h"

#include "templates/FlashTemplateOutlineDelegate.h"
#include "templates/FlashTemplateProperty.h"
#include "templates/widgets/FlashTmplItemDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <functional>

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

QString FlashTemplateOutline::keyPath(const QModelIndex &index) const
{
    QStringList keys;
    for (QModelIndex i = index.siblingAtColumn(0); i.isValid(); i = i.parent()) {
        const FlashTemplateProperty *node = m_model ? m_model->propertyAt(i) : nullptr;
        keys.prepend(node ? node->key() : QString());
    }
    return keys.join(QLatin1Char('/'));
}

QModelIndex FlashTemplateOutline::indexOfPath(const QString &path) const
{
    QModelIndex found;
    for (const QString &key : path.split(QLatin1Char('/'))) {
        QModelIndex next;
        for (int row = 0; row < m_model->rowCount(found) && !next.isValid(); ++row) {
            const QModelIndex child = m_model->index(row, 0, found);
            const FlashTemplateProperty *node = m_model->propertyAt(child);
            if (node && node->key() == key)
                next = child;
        }
        if (!next.isValid())
            return {};
        found = next;
    }
    return found;
}

void FlashTemplateOutline::reloadKeepingState()
{
    if (!m_model)
        return;
    QStringList open;
    const std::function<void(const QModelIndex &)> collect = [&](const QModelIndex &parent) {
        for (int row = 0; row < m_model->rowCount(parent); ++row) {
            const QModelIndex child = m_model->index(row, 0, parent);
            if (isExpanded(child)) {
                open.append(keyPath(child));
                collect(child);
            }
        }
    };
    collect({});
    const QString current = currentIndex().isValid() ? keyPath(currentIndex()) : QString();
    const int column = currentIndex().column();
    m_model->reloadData();
    for (const QString &path : open)
        expand(indexOfPath(path));
    if (!current.isEmpty()) {
        QModelIndex again = indexOfPath(current);
        // A row inside a closed group would open the group: its group takes its place.
        for (QModelIndex up = again.parent(); up.isValid(); up = up.parent())
            if (!isExpanded(up))
                again = up;
        if (again.isValid())
            setCurrentIndex(again.siblingAtColumn(qMax(0, column)));
    }
}

bool FlashTemplateOutline::toggleCheckBox(const QModelIndex &index)
{
    const QModelIndex value = index.siblingAtColumn(FlashTemplateOutlineDelegate::ValueColumn);
    if (!value.isValid() || !(m_model->flags(value) & Qt::ItemIsUserCheckable))
        return false;
    const bool on = value.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    m_model->setData(value, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

void FlashTemplateOutline::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (!m_model || !current.isValid() || state() == EditingState || event->modifiers() & ~Qt::KeypadModifier) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const QModelIndex value = current.siblingAtColumn(FlashTemplateOutlineDelegate::ValueColumn);
    switch (event->key()) {
    case Qt::Key_Space:
        if (toggleCheckBox(current))
            return;
        break;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (toggleCheckBox(current))
            return;
        if (value.isValid() && (m_model->flags(value) & Qt::ItemIsEditable)) {
            scrollTo(value);
            edit(value, QAbstractItemView::EditKeyPressed, event);
            return;
        }
        if (m_model->hasChildren(current.siblingAtColumn(0)) && event->key() != Qt::Key_F2) {
            setExpanded(current.siblingAtColumn(0), !isExpanded(current.siblingAtColumn(0)));
            return;
        }
        break;
    default:
        break;
    }
    QTreeView::keyPressEvent(event);
}
