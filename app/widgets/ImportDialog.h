#pragma once

#include <QDialog>

class ImportWindowDelegate;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The import dialog: the PDF file, the pages, quality and page format, links
// and bookmarks, and a progress line while the import runs in the background.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ImportDialog(ImportWindowDelegate &delegate, QWidget *parent = nullptr);

    // Controls, for tests that drive the dialog.
    QLineEdit *fileField() const { return txtImportFile; }
    QRadioButton *allPagesOption() const { return m_allPages; }
    QRadioButton *rangeOption() const { return m_rangePages; }
    QLineEdit *rangeField() const { return txtPageRange; }
    QLineEdit *passwordField() const { return txtPassword; }
    QComboBox *qualityMenu() const { return importQuality; }
    QRadioButton *vectorOption() const { return m_vector; }
    QRadioButton *imageOption() const { return m_image; }
    QCheckBox *linksBox() const { return btnImportLinks; }
    QCheckBox *bookmarksBox() const { return btnImportBookMark; }
    QCheckBox *textBox() const { return btnImportText; }
    QPushButton *importButton() const { return btnOK; }
    QPushButton *cancelButton() const { return btnCancel; }
    QLabel *infoLabel() const { return lblInfo; }
    QProgressBar *progress() const { return prgBar; }

    void reject() override;

private:
    void readFields();
    void readState();
    void writeFields();

    ImportWindowDelegate &m_delegate;
    QLineEdit *txtImportFile;
    QButtonGroup *pageRangeType;
    QRadioButton *m_allPages;
    QRadioButton *m_rangePages;
    QLineEdit *txtPageRange;
    QLineEdit *txtPassword;
    QComboBox *importQuality;
    QButtonGroup *PageFormat;
    QRadioButton *m_vector;
    QRadioButton *m_image;
    QCheckBox *btnImportLinks;
    QCheckBox *btnImportBookMark;
    QCheckBox *btnImportText;
    QPushButton *btnBrowse;
    QPushButton *btnOpen;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QLabel *lblInfo;
    QProgressBar *prgBar;
    bool m_updating = false;
};
