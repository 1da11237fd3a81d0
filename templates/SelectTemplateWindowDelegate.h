#pragma once

#include "templates/IKBTmplStyleItem.h"

#include <QList>
#include <QObject>
#include <QStringList>

// The template chooser's logic: the installed templates, the styles of the
// selected one, and the style the user picked. The chooser window shows its
// lists and forwards clicks; the chooser itself changes no template.
class SelectTemplateWindowDelegate : public QObject
{
    Q_OBJECT

public:
    explicit SelectTemplateWindowDelegate(QObject *parent = nullptr);

    // Refreshes the templates, selects the named one (case-insensitively; the
    // last match wins) and shows the styles of that name.
    void prepairToTmpl(const QString &tmplName);
    void reloadTmplList();
    void reloadStylesForTmpl(const QString &tmplName);
    void onRefresh();
    // OK ends the chooser only when a style is selected: without one there is
    // nothing to switch to.
    void onOK();
    void onCancel();
    void imageBrowserCellWasDoubleClickedAtIndex(int index);

    // The selected template row (-1 for none); selecting shows its styles.
    int selectedTmplRow() const { return m_selectedRow; }
    void selectTmplRow(int row);
    // The selected gallery item (-1 for none).
    int selectedStyleIndex() const { return m_selectedStyle; }
    void selectStyleIndex(int index);

    // The chosen style's shot.jpg path; "" when none is selected.
    QString selectedStyle();
    unsigned selectedItemIndex() const { return m_selectedItemIndex; }

    const QStringList &tmplList() const { return iTmplListData; }
    QString tmplNameAt(int row) const;
    QString tmplIconFileAt(int row) const;
    const QList<IKBTmplStyleItem> &styles() const { return iTmplStylesData; }

signals:
    void tmplListChanged();
    void stylesChanged();
    void selectionChanged();
    void sheetEnded(int code);

private:
    QList<IKBTmplStyleItem> iTmplStylesData;
    QStringList iTmplListData;
    unsigned m_selectedItemIndex = 0;
    int m_selectedRow = -1;
    int m_selectedStyle = -1;
};
