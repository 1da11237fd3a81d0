#pragma once

#include <QTreeView>

class FlashTemplateOutlineDelegate;
class FlashTmplItemDelegate;

// The two-column property outline of the main window: captions on the left,
// values with their editors on the right.
class FlashTemplateOutline : public QTreeView
{
    Q_OBJECT

public:
    explicit FlashTemplateOutline(QWidget *parent = nullptr);

    void setOutlineModel(FlashTemplateOutlineDelegate *model);
    FlashTemplateOutlineDelegate *outlineModel() const { return m_model; }
    FlashTmplItemDelegate *itemDelegate() const { return m_itemDelegate; }
    QModelIndex selectedRow() const;

private:
    FlashTemplateOutlineDelegate *m_model = nullptr;
    FlashTmplItemDelegate *m_itemDelegate;
};
