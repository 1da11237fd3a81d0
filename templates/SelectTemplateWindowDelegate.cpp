#include "templates/SelectTemplateWindowDelegate.h"

#include "platform/Paths.h"
#include "templates/FlashTemplate.h"

#include <QFileInfo>
#include <QImageReader>

SelectTemplateWindowDelegate::SelectTemplateWindowDelegate(QObject *parent) : QObject(parent)
{
    reloadTmplList();
}

void SelectTemplateWindowDelegate::reloadTmplList()
{
    const QString previous = tmplNameAt(m_selectedRow);
    iTmplListData = FlashTemplate::tmplNames();
    // Keep the selected template selected when the list is rebuilt around it.
    m_selectedRow = -1;
    for (int row = 0; row < iTmplListData.size(); ++row)
        if (!previous.isEmpty() && tmplNameAt(row) == previous)
            m_selectedRow = row;
    emit tmplListChanged();
}

QString SelectTemplateWindowDelegate::tmplNameAt(int row) const
{
    if (row < 0 || row >= iTmplListData.size())
        return QString();
    return QFileInfo(iTmplListData.at(row)).fileName();
}

QString SelectTemplateWindowDelegate::tmplIconFileAt(int row) const
{
    if (row < 0 || row >= iTmplListData.size())
        return QString();
    return Paths::join(iTmplListData.at(row), QStringLiteral("icon.png"));
}

void SelectTemplateWindowDelegate::prepairToTmpl(const QString &tmplName)
{
    reloadTmplList();
    for (int row = 0; row < iTmplListData.size(); ++row)
        if (tmplNameAt(row).toUpper() == tmplName.toUpper())
            m_selectedRow = row;
    emit selectionChanged();
    reloadStylesForTmpl(tmplName);
}

void SelectTemplateWindowDelegate::reloadStylesForTmpl(const QString &tmplName)
{
    iTmplStylesData.clear();
    m_selectedStyle = -1;
    for (const QString &folder : FlashTemplate::tmplStyleNamesForTmpl(tmplName)) {
        IKBTmplStyleItem item;
        item.imageID = Paths::join(folder, QStringLiteral("shot.jpg"));
        QImageReader reader(item.imageID);
        item.image = reader.read();
        item.styleName = QFileInfo(folder).fileName();
        iTmplStylesData.append(item);
    }
    emit stylesChanged();
}

void SelectTemplateWindowDelegate::selectTmplRow(int row)
{
    if (row < 0 || row >= iTmplListData.size() || row == m_selectedRow)
        return;
    m_selectedRow = row;
    emit selectionChanged();
    reloadStylesForTmpl(tmplNameAt(row));
}

void SelectTemplateWindowDelegate::selectStyleIndex(int index)
{
    m_selectedStyle = (index >= 0 && index < iTmplStylesData.size()) ? index : -1;
    emit selectionChanged();
}

void SelectTemplateWindowDelegate::onRefresh()
{
    reloadTmplList();
}

void SelectTemplateWindowDelegate::onOK()
{
    if (m_selectedStyle < 0)
        return;
    emit sheetEnded(1);
}

void SelectTemplateWindowDelegate::onCancel()
{
    emit sheetEnded(0);
}

void SelectTemplateWindowDelegate::imageBrowserCellWasDoubleClickedAtIndex(int index)
{
    if (index < 0 || index >= iTmplStylesData.size())
        return;
    m_selectedStyle = index;
    m_selectedItemIndex = unsigned(index);
    emit sheetEnded(1);
}

QString SelectTemplateWindowDelegate::selectedStyle()
{
    if (m_selectedStyle < 0 || m_selectedStyle >= iTmplStylesData.size())
        return QString();
    m_selectedItemIndex = unsigned(m_selectedStyle);
    return iTmplStylesData.at(m_selectedStyle).imageID;
}
