#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class PageEditorWindowDelegate;

// The object the editor page sees as "myconnector". It offers exactly the
// page's script names and nothing of the delegate's state.
class PageEditorBridge : public QObject
{
    Q_OBJECT

public:
    explicit PageEditorBridge(PageEditorWindowDelegate *editor, QObject *parent = nullptr);

public slots:
    QString SelectImageFile();
    void OnDeleteFile(const QString &relativePath);
    void SaveAndExit();
    void Exit();
    void OnSave();
    // The save under its other name, with the page list handed over by the
    // page itself: done before the call returns.
    void Save(const QString &pageList);
    QString OnSelectImageFiles();
    QString OnSelectSWFFile();
    QString OnSelectMovieFile();
    QString OnSelectMusicFile();
    void OpenHelp();

private:
    // The page may still call while the application shuts down, after the
    // editor is gone.
    QPointer<PageEditorWindowDelegate> m_editor;
};
