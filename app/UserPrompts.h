#pragma once

#include <QString>
#include <QStringList>

// The questions the application puts to the person at the keyboard: alerts,
// file and folder choosers, and handing a file to its default application.
// The desktop implements it with dialogs; headless runs and tests answer from a
// script (ScriptedPrompts).
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // An alert with the buttons in order; answers the index of the button
    // pressed (0 is the first, the default).
    virtual int alert(const QString &message, const QString &informative, const QStringList &buttons) = 0;
    // An open panel for files with one of `types` (extensions without the dot;
    // empty for any file). Answers the chosen paths, none when cancelled.
    virtual QStringList chooseFiles(const QString &title, const QStringList &types, bool multiple,
                                    const QString &proposed = {}) = 0;
    // A folder chooser; answers the folder, or "" when cancelled.
    virtual QString chooseFolder(const QString &prompt) = 0;
    // A save panel; answers the path, or "" when cancelled.
    virtual QString chooseSaveFile(const QString &title) = 0;
    // Opens the file or folder with the application the desktop associates with it.
    virtual void openFile(const QString &path) = 0;
    // A message the person has to see (a failure that stops a command).
    virtual void showMessage(const QString &message, const QString &informative) = 0;
};
