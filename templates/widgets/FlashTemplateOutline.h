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
    // Re-reads the tree from the template; the groups that were open stay open
    // and the current row stays current (matched by their keys).
    void reloadKeepingState();

protected:
    // F2 or Enter edits the row's value (Enter opens and closes a group),
    // Space ticks a check box; Escape leaves an editor without storing.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString keyPath(const QModelIndex &index) const;
    QModelIndex indexOfPath(const QString &path) const;
    bool toggleCheckBox(const QModelIndex &index);

    FlashTemplateOutlineDelegate *m_model = nullptr;
    FlashTmplItemDelegate *m_itemDelegate;
};
