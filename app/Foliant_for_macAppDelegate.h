#pragma once

#include "app/MainWindowView.h"
#include "book/FlashPageSource.h"
#include "platform/NotificationCenter.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

// The application controller: owns the current book and template and the
// preview folder, runs start-up, applies changes to the preview and cleans up at
// termination. It talks to its window only through MainWindowView, so it runs
// headless in the command-line tool and the tests.
class Foliant_for_macAppDelegate : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *APP_NAME = "Foliant Pro for Mac";

    explicit Foliant_for_macAppDelegate(MainWindowView *window, QObject *parent = nullptr);
    ~Foliant_for_macAppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // The Apply button.
    void OnApplyChange();

    void prepaireTheLog();
    QStringList PageSource(const QString &folder) const;
    void makeFlashPreviewFolder();
    void removeFlashPreviewFolder();
    void InitPageConfig(const QString &basePath);
    void applyChange();

    void updateTmplPropertyTip(const Notification &note);
    void tmplPpertyValueChanged(const Notification &note);
    void onTimerEvent();

    FlashPageSourcePtr flashPageSource() const { return iFlashPageSource; }
    void setFlashPageSource(FlashPageSourcePtr source) { iFlashPageSource = std::move(source); }
    const QString &flashPreviewFolder() const { return iFlashPreviewFolder; }
    bool isApplyPending() const { return iApplyChangeTimer != nullptr; }
    int applyFrameTag() const { return m_applyTag; }

    // Path of the log file below the user data root.
    static QString logFilePath();

private:
    MainWindowView *window;
    FlashPageSourcePtr iFlashPageSource;
    QTimer *iApplyChangeTimer = nullptr;
    int m_applyTag = 0; // the Apply button's frame counter
    QString iFlashPreviewFolder;
    std::vector<ScopedObserver> m_observers;
};
