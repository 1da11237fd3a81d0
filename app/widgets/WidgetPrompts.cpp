#include "app/widgets/WidgetPrompts.h"

#include "platform/Logging.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {
const auto logger = Logging::logger("WidgetPrompts");

QString filterFor(const QStringList &types)
{
    QStringList patterns;
    for (const QString &t : types)
        if (!t.isEmpty())
            patterns << QStringLiteral("*.") + t;
    if (patterns.isEmpty())
        return QObject::tr("All files (*)");
    return QObject::tr("Files (%1)").arg(patterns.join(QLatin1Char(' ')));
}
} // namespace

QWidget *WidgetPrompts::parentWidget() const
{
    // Dialogs belong to whatever window is active (a sheet over the main window).
    if (QWidget *active = QApplication::activeModalWidget())
        return active;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_parent;
}

int WidgetPrompts::alert(const QString &message, const QString &informative, const QStringList &buttons)
{
    QMessageBox box(parentWidget());
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(message.isEmpty() ? informative : message);
    if (!message.isEmpty())
        box.setInformativeText(informative);
    QList<QAbstractButton *> added;
    for (int i = 0; i < buttons.size(); ++i)
        added << box.addButton(buttons.at(i), i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
    if (!added.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.first()));
    box.exec();
    const int index = int(added.indexOf(box.clickedButton()));
    return index < 0 ? int(buttons.size()) - 1 : index;
}

QStringList WidgetPrompts::chooseFiles(const QString &title, const QStringList &types, bool multiple,
                                       const QString &proposed)
{
    if (multiple)
        return QFileDialog::getOpenFileNames(parentWidget(), title, proposed, filterFor(types));
    const QString one = QFileDialog::getOpenFileName(parentWidget(), title, proposed, filterFor(types));
    return one.isEmpty() ? QStringList() : QStringList{one};
}

QString WidgetPrompts::chooseFolder(const QString &prompt)
{
    return QFileDialog::getExistingDirectory(parentWidget(), prompt);
}

QString WidgetPrompts::chooseSaveFile(const QString &title)
{
    return QFileDialog::getSaveFileName(parentWidget(), title, QString(),
                                        QObject::tr("Settings files (*.txt);;All files (*)"));
}

void WidgetPrompts::openFile(const QString &path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        LOG4CXX_WARN(logger, "no application opened " << path);
}

void WidgetPrompts::showMessage(const QString &message, const QString &informative)
{
    QMessageBox box(parentWidget());
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(message);
    box.setInformativeText(informative);
    box.exec();
}
