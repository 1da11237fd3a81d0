#pragma once

#include "app/UserPrompts.h"

#include <QPointer>
#include <QWidget>

// The person's answers through real dialogs: message boxes, file dialogs, and
// the desktop's handlers for opening files.
class WidgetPrompts : public UserPrompts
{
public:
    explicit WidgetPrompts(QWidget *parent = nullptr) : m_parent(parent) {}

    int alert(const QString &message, const QString &informative, const QStringList &buttons) override;
    QStringList chooseFiles(const QString &title, const QStringList &types, bool multiple,
                            const QString &proposed = {}) override;
    QString chooseFolder(const QString &prompt) override;
    QString chooseSaveFile(const QString &title) override;
    void openFile(const QString &path) override;
    void showMessage(const QString &message, const QString &informative) override;

private:
    QWidget *parentWidget() const;
    QPointer<QWidget> m_parent;
};
