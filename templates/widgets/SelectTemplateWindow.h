#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class SelectTemplateWindowDelegate;

// The template chooser: installed templates with their icons on the left, the
// selected template's styles as a gallery of preview pictures on the right.
class SelectTemplateWindow : public QDialog
{
    Q_OBJECT

public:
    explicit SelectTemplateWindow(SelectTemplateWindowDelegate &delegate, QWidget *parent = nullptr);

    QListWidget *templateList() const { return m_templates; }
    QListWidget *styleGallery() const { return m_styles; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *refreshButton() const { return m_refresh; }

    void reject() override;

private:
    void fillTemplates();
    void fillStyles();
    void syncSelection();

    SelectTemplateWindowDelegate &m_delegate;
    QListWidget *m_templates;
    QListWidget *m_styles;
    QPushButton *m_ok;
    QPushButton *m_refresh;
    bool m_syncing = false;
};
