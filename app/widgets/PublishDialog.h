#pragma once

#include <QDialog>

class OutputWindowDelegate;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The publish dialog: destination folder, page name and title, output kind,
// and the optional version for phones.
class PublishDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PublishDialog(OutputWindowDelegate &delegate, QWidget *parent = nullptr);

    QLineEdit *folderField() const { return txtOutputFolder; }
    QLineEdit *nameField() const { return txtOutputName; }
    QLineEdit *titleField() const { return txtTitle; }
    QRadioButton *webOption() const { return m_web; }
    QRadioButton *appOption() const { return m_app; }
    QCheckBox *mobileBox() const { return chkCreateMobile; }
    QComboBox *mobileTypeMenu() const { return btnMobileType; }
    QPushButton *publishButton() const { return m_publish; }
    QPushButton *cancelButton() const { return m_cancel; }

    void reject() override;

private:
    void readFields();
    void writeFields();

    OutputWindowDelegate &m_delegate;
    QLineEdit *txtOutputFolder;
    QLineEdit *txtOutputName;
    QLineEdit *txtTitle;
    QButtonGroup *mOutputType;
    QRadioButton *m_web;
    QRadioButton *m_app;
    QCheckBox *chkCreateMobile;
    QComboBox *btnMobileType;
    QPushButton *m_publish;
    QPushButton *m_cancel;
    bool m_updating = false;
};
