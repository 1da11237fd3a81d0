#pragma once

#include "app/UserPrompts.h"

#include <QList>

#include <functional>

// Answers given in advance, for headless runs and tests. Each kind of question
// takes the next answer from its own queue; with the queue empty, alerts
// answer the first button and choosers answer "cancelled". Everything asked is
// recorded.
class ScriptedPrompts : public UserPrompts
{
public:
    int alert(const QString &message, const QString &informative, const QStringList &buttons) override;
    QStringList chooseFiles(const QString &title, const QStringList &types, bool multiple,
                            const QString &proposed = {}) override;
    QString chooseFolder(const QString &prompt) override;
    QString chooseSaveFile(const QString &title) override;
    void openFile(const QString &path) override;
    void showMessage(const QString &message, const QString &informative) override;

    QList<int> alertAnswers;
    QList<QStringList> fileAnswers;
    QList<QString> folderAnswers;
    QList<QString> saveAnswers;

    struct Asked
    {
        QString kind;        // "alert", "files", "folder", "save", "message"
        QString text;        // the informative text, or the chooser's title
        QStringList options; // buttons, or file types
    };
    QList<Asked> asked;
    QStringList opened;

    int count(const QString &kind) const;
};
