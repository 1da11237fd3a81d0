#include "templates/FlashTemplateOutlineDelegate.h"

#include "platform/Logging.h"
#include "platform/NotificationCenter.h"
#include "templates/MyColorOper.h"

namespace {
const auto logger = Logging::logger("FlashTemplateOutlineDelegate");
const FlashTemplatePropertyList kNoChildren;
} // namespace

FlashTemplateOutlineDelegate::FlashTemplateOutlineDelegate(QObject *parent) : QAbstractItemModel(parent) {}

void FlashTemplateOutlineDelegate::setFlashTmpl(const FlashTemplatePtr &tmpl)
{
    beginResetModel();
    iFlashTmpl = tmpl;
    endResetModel();
}

void FlashTemplateOutlineDelegate::reloadData()
{
    beginResetModel();
    endResetModel();
}

FlashTemplateProperty *FlashTemplateOutlineDelegate::propertyAt(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<FlashTemplateProperty *>(index.internalPointer()) : nullptr;
}

const FlashTemplatePropertyList &FlashTemplateOutlineDelegate::childrenOf(const FlashTemplateProperty *node) const
{
    if (!iFlashTmpl)
        return kNoChildren;
    return node ? node->childProperties() : iFlashTmpl->properties();
}

QModelIndex FlashTemplateOutlineDelegate::indexOf(const FlashTemplateProperty *node, int column) const
{
    if (!node || !iFlashTmpl)
        return {};
    const FlashTemplatePropertyPtr parentNode = node->parent();
    const FlashTemplatePropertyList &siblings = childrenOf(parentNode.get());
    for (int row = 0; row < siblings.size(); ++row)
        if (siblings.at(row).get() == node)
            return createIndex(row, column, const_cast<FlashTemplateProperty *>(node));
    return {};
}

QModelIndex FlashTemplateOutlineDelegate::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column > ValueColumn || (parent.isValid() && parent.column() != KeyColumn))
        return {};
    const FlashTemplatePropertyList &children = childrenOf(propertyAt(parent));
    if (row < 0 || row >= children.size())
        return {};
    return createIndex(row, column, children.at(row).get());
}

QModelIndex FlashTemplateOutlineDelegate::parent(const QModelIndex &child) const
{
    const FlashTemplateProperty *node = propertyAt(child);
    if (!node)
        return {};
    return indexOf(node->parent().get());
}

int FlashTemplateOutlineDelegate::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != KeyColumn)
        return 0;
    return int(childrenOf(propertyAt(parent)).size());
}

int FlashTemplateOutlineDelegate::columnCount(const QModelIndex &) const
{
    return 2;
}

QVariant FlashTemplateOutlineDelegate::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == KeyColumn ? tr("Property") : tr("Value");
}

Qt::ItemFlags FlashTemplateOutlineDelegate::flags(const QModelIndex &index) const
{
    const FlashTemplateProperty *node = propertyAt(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == ValueColumn) {
        f |= Qt::ItemIsEditable;
        if (node->propertyType() == pt_bool)
            f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

QVariant FlashTemplateOutlineDelegate::data(const QModelIndex &index, int role) const
{
    const FlashTemplateProperty *node = propertyAt(index);
    if (!node)
        return {};
    if (role == PropertyTypeRole)
        return node->propertyType();
    if (role == ValueSourceRole)
        return node->valueSource();
    if (role == ValueTextRole)
        return node->value();
    if (role == Qt::ToolTipRole)
        return node->desc().isEmpty() ? QVariant() : QVariant(node->desc());

    if (index.column() == KeyColumn) {
        if (role == Qt::DisplayRole)
            return node->hasTitle() ? node->displayTitle() : tr("(Untitled)");
        return {};
    }

    const int type = node->propertyType();
    if (type == pt_bool) {
        if (role == Qt::CheckStateRole)
            return node->boolValue() ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::DisplayRole)
            return node->aTitle();
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return node->hasValue() ? node->value() : tr("(Unknown)");
    if (role == Qt::DecorationRole && type == pt_color)
        return MyColorOper::colorFromHexRGB(node->value());
    return {};
}

bool FlashTemplateOutlineDelegate::setData(const QModelIndex &index, const QVariant &value, int role)
{
    FlashTemplateProperty *node = propertyAt(index);
    if (!node || index.column() != ValueColumn)
        return false;
    const int type = node->propertyType();
    QString text;
    if (type == pt_bool) {
        if (role != Qt::CheckStateRole && role != Qt::EditRole)
            return false;
        const bool on = role == Qt::CheckStateRole ? value.toInt() == Qt::Checked : value.toBool();
        text = on ? QStringLiteral("YES") : QStringLiteral("NO");
    } else {
        if (role != Qt::EditRole)
            return false;
        if (type == pt_list && value.typeId() == QMetaType::Int) {
            const QStringList options = node->listOptions();
            const int chosen = value.toInt();
            if (chosen < 0 || chosen >= options.size())
                return false;
            text = options.at(chosen);
        } else {
            text = value.toString();
        }
        if (type == pt_color)
            LOG4CXX_DEBUG(logger, "color value is:" << text);
    }
    return store(node, text, index);
}

bool FlashTemplateOutlineDelegate::store(FlashTemplateProperty *node, const QString &text, const QModelIndex &index)
{
    if (node->hasValue() && node->value() == text)
        return false;
    node->setValue(text);
    emit dataChanged(index.siblingAtColumn(KeyColumn), index.siblingAtColumn(ValueColumn));
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("FlashTmplProValueChangedNotification"),
                                                             node);
    return true;
}

void FlashTemplateOutlineDelegate::outlineViewSelectionDidChange()
{
    NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("UpdateFlashTmplProTipNotification"), this);
}
