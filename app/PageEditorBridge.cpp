#include "app/PageEditorBridge.h"

#include "app/PageEditorWindowDelegate.h"

#include <QPointer>
#include <QTimer>

namespace {
// A call from the page arrives inside the web engine's own task, where the
// page cannot be asked anything back (the engine runs no nested tasks). Work
// that must ask the page for its list runs right after the call instead.
template <typename F> void afterThisCall(PageEditorWindowDelegate *editor, F work)
{
    if (!editor)
        return;
    QTimer::singleShot(0, editor, [guard = QPointer<PageEditorWindowDelegate>(editor), work] {
        if (guard)
            work(guard.data());
    });
}
} // namespace

PageEditorBridge::PageEditorBridge(PageEditorWindowDelegate *editor, QObject *parent)
    : QObject(parent), m_editor(editor)
{}

QString PageEditorBridge::SelectImageFile()
{
    if (!m_editor)
        return QString();
    return m_editor->OnSelectImageFile();
}

void PageEditorBridge::OnDeleteFile(const QString &relativePath)
{
    if (m_editor)
        m_editor->OnDeleteFile(relativePath);
}

void PageEditorBridge::SaveAndExit()
{
    afterThisCall(m_editor, [](PageEditorWindowDelegate *e) { e->OnSaveAndExit(); });
}

void PageEditorBridge::Exit()
{
    afterThisCall(m_editor, [](PageEditorWindowDelegate *e) { e->exitWithoutSave(); });
}

void PageEditorBridge::OnSave()
{
    afterThisCall(m_editor, [](PageEditorWindowDelegate *e) { e->OnSave(); });
}

void PageEditorBridge::Save(const QString &pageList)
{
    if (m_editor)
        m_editor->savePageList(pageList);
}

QString PageEditorBridge::OnSelectImageFiles()
{
    if (!m_editor)
        return QString();
    return m_editor->OnSelectImageFiles();
}

QString PageEditorBridge::OnSelectSWFFile()
{
    if (!m_editor)
        return QString();
    return m_editor->OnSelectSWFFile();
}

QString PageEditorBridge::OnSelectMovieFile()
{
    if (!m_editor)
        return QString();
    return m_editor->OnSelectMovieFile();
}

QString PageEditorBridge::OnSelectMusicFile()
{
    if (!m_editor)
        return QString();
    return m_editor->OnSelectMusicFile();
}

void PageEditorBridge::OpenHelp()
{
    if (m_editor)
        m_editor->OpenHelp();
}
