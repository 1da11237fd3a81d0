#pragma once

#include "app/ScriptedPrompts.h"

#include <QModelIndex>
#include <QRect>
#include <QString>
#include <QUrl>

#include <functional>

class FlashTemplateOutlineDelegate;
class ImportWindowDelegate;
class OutputWindowDelegate;
class PageEditorWindowDelegate;
class SelectTemplateWindowDelegate;

// What the application controller asks of its main window. The desktop
// application implements it with widgets; the command-line tool and the tests
// run the controller with a window that only records what it was told.
//
// Dialogs are sheets: run...Sheet shows the dialog for that delegate over the
// main window and returns when the delegate has ended it, with its code
// (1 accepted, 0 cancelled).
class MainWindowView
{
public:
    virtual ~MainWindowView() = default;

    virtual void bringToFront() = 0;
    virtual void setTitle(const QString &title) = 0;
    // The available screen area; an empty rectangle when there is no screen.
    virtual QRect screenFrame() const = 0;
    virtual void setFrame(const QRect &frame) = 0;
    // Shows the preview book's HTML page.
    virtual void loadPreview(const QUrl &url) = 0;
    // Whether a preview is shown at all; without one the controller keeps only
    // the preview's page list, which publishing merges.
    virtual bool showsPreview() const { return true; }
    // The Apply button's image: "apply" when idle, "apply1".."apply3" while blinking.
    virtual void setApplyImage(const QString &name) = 0;
    // The help box under the property outline.
    virtual void showPropertyTip(const QString &title, const QString &description) = 0;

    // A short note in the status bar (a file saved, settings read).
    virtual void showStatus(const QString &message) = 0;

    // The property outline shows this model.
    virtual void setPropertyOutline(FlashTemplateOutlineDelegate *model) = 0;
    // Re-reads the outline; with `expandAll` every node is opened.
    virtual void reloadOutline(bool expandAll) = 0;
    // The outline's selected row (invalid for none).
    virtual QModelIndex selectedPropertyIndex() const = 0;

    virtual int runImportSheet(ImportWindowDelegate &dialog) = 0;
    virtual int runTemplateSheet(SelectTemplateWindowDelegate &dialog) = 0;
    virtual int runPublishSheet(OutputWindowDelegate &dialog) = 0;
    virtual int runPageEditorSheet(PageEditorWindowDelegate &dialog) = 0;

    // Alerts, file panels and opening files with their application.
    virtual UserPrompts &prompts() = 0;
};

// A window that remembers what it was told and plays each sheet with a function
// given in advance (a sheet without one ends at once with code 0). For headless
// runs and tests.
class HeadlessWindowView : public MainWindowView
{
public:
    void bringToFront() override { ++frontCount; }
    void setTitle(const QString &t) override { title = t; }
    QRect screenFrame() const override { return screen; }
    void setFrame(const QRect &f) override { frame = f; }
    void loadPreview(const QUrl &url) override
    {
        loadedUrl = url;
        ++loadCount;
    }
    bool showsPreview() const override { return previewShown; }
    void setApplyImage(const QString &name) override { applyImage = name; }
    void showPropertyTip(const QString &t, const QString &d) override
    {
        tipTitle = t;
        tipDescription = d;
    }
    void showStatus(const QString &message) override { status = message; }
    void setPropertyOutline(FlashTemplateOutlineDelegate *model) override { outline = model; }
    void reloadOutline(bool expandAll) override
    {
        ++outlineReloads;
        outlineExpanded = expandAll;
    }
    QModelIndex selectedPropertyIndex() const override { return selectedIndex; }

    int runImportSheet(ImportWindowDelegate &d) override { return play(importSheet, d); }
    int runTemplateSheet(SelectTemplateWindowDelegate &d) override { return play(templateSheet, d); }
    int runPublishSheet(OutputWindowDelegate &d) override { return play(publishSheet, d); }
    int runPageEditorSheet(PageEditorWindowDelegate &d) override { return play(pageEditorSheet, d); }
    UserPrompts &prompts() override { return scripted; }

    std::function<int(ImportWindowDelegate &)> importSheet;
    std::function<int(SelectTemplateWindowDelegate &)> templateSheet;
    std::function<int(OutputWindowDelegate &)> publishSheet;
    std::function<int(PageEditorWindowDelegate &)> pageEditorSheet;
    ScriptedPrompts scripted;

    int frontCount = 0;
    int loadCount = 0;
    int outlineReloads = 0;
    int sheetsShown = 0;
    bool outlineExpanded = false;
    bool previewShown = true;
    QString title, applyImage, tipTitle, tipDescription, status;
    QRect screen, frame;
    QUrl loadedUrl;
    FlashTemplateOutlineDelegate *outline = nullptr;
    QModelIndex selectedIndex;

private:
    template <typename D> int play(const std::function<int(D &)> &sheet, D &dialog)
    {
        ++sheetsShown;
        return sheet ? sheet(dialog) : 0;
    }
};
