#include "app/PageEditorBridge.h"

#include "app/PageEditorWindowDelegate.h"

PageEditorBridge::PageEditorBridge(PageEditorWindowDelegate *editor, QObject *parent)
    : QObject(parent), m_editor(editor)
{}

QString PageEditorBridge::SelectImageFile()
{
    return m_editor->OnSelectImageFile();
}
void PageEditorBridge::OnDeleteFile(const QString &relativePath)
{
    m_editor->OnDeleteFile(relativePath);
}
void PageEditorBridge::SaveAndExit()
{
    m_editor->OnSaveAndExit();
}
void PageEditorBridge::Exit()
{
    m_editor->exitWithoutSave();
}
void PageEditorBridge::OnSave()
{
    m_editor->OnSave();
}
void PageEditorBridge::Save()
{
    m_editor->OnSave();
}
QString PageEditorBridge::OnSelectImageFiles()
{
    return m_editor->OnSelectImageFiles();
}
QString PageEditorBridge::OnSelectSWFFile()
{
    return m_editor->OnSelectSWFFile();
}
QString PageEditorBridge::OnSelectMovieFile()
{
    return m_editor->OnSelectMovieFile();
}
QString PageEditorBridge::OnSelectMusicFile()
{
    return m_editor->OnSelectMusicFile();
}
void PageEditorBridge::OpenHelp()
{
    m_editor->OpenHelp();
}
