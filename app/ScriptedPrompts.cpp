#include "app/ScriptedPrompts.h"

int ScriptedPrompts::alert(const QString &, const QString &informative, const QStringList &buttons)
{
    asked.append({QStringLiteral("alert"), informative, buttons});
    return alertAnswers.isEmpty() ? 0 : alertAnswers.takeFirst();
}

QStringList ScriptedPrompts::chooseFiles(const QString &title, const QStringList &types, bool, const QString &)
{
    asked.append({QStringLiteral("files"), title, types});
    return fileAnswers.isEmpty() ? QStringList() : fileAnswers.takeFirst();
}

QString ScriptedPrompts::chooseFolder(const QString &prompt)
{
    asked.append({QStringLiteral("folder"), prompt, {}});
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

QString ScriptedPrompts::chooseSaveFile(const QString &title)
{
    asked.append({QStringLiteral("save"), title, {}});
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

void ScriptedPrompts::openFile(const QString &path)
{
    opened.append(path);
}

void ScriptedPrompts::showMessage(const QString &, const QString &informative)
{
    asked.append({QStringLiteral("message"), informative, {}});
}

int ScriptedPrompts::count(const QString &kind) const
{
    int n = 0;
    for (const Asked &a : asked)
        n += a.kind == kind;
    return n;
}
