#pragma once

#include "app/MainWindowView.h"

#include <QMainWindow>

// The main window: toolbar, property outline with its help box, and the preview.
class MainWindow : public QMainWindow, public MainWindowView
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    void bringToFront() override;
    void setTitle(const QString &title) override;
    QRect screenFrame() const override;
    void setFrame(const QRect &frame) override;
    void loadPreview(const QUrl &url) override;
    void setApplyImage(const QString &name) override;
    void showPropertyTip(const QString &title, const QString &description) override;
};
