#pragma once

#include <QRect>
#include <QString>
#include <QUrl>

// What the application controller asks of its main window. The desktop
// application implements it with widgets; the command-line tool and the tests
// run the controller with a window that only records what it was told.
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
    // The Apply button's image: "apply" when idle, "apply1".."apply3" while blinking.
    virtual void setApplyImage(const QString &name) = 0;
    // The help box under the property outline.
    virtual void showPropertyTip(const QString &title, const QString &description) = 0;
};

// A window that remembers what it was told. For headless runs and tests.
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
    void setApplyImage(const QString &name) override { applyImage = name; }
    void showPropertyTip(const QString &t, const QString &d) override
    {
        tipTitle = t;
        tipDescription = d;
    }

    int frontCount = 0;
    int loadCount = 0;
    QString title, applyImage, tipTitle, tipDescription;
    QRect screen, frame;
    QUrl loadedUrl;
};
