#include "app/widgets/ImportDialog.h"

#include "app/ImportWindowDelegate.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ImportDialog::ImportDialog(ImportWindowDelegate &delegate, QWidget *parent) : QDialog(parent), m_delegate(delegate)
{
    setWindowTitle(tr("Import PDF"));
    setObjectName(QStringLiteral("ImportDialog"));
    setMinimumWidth(560);

    txtImportFile = new QLineEdit(this);
    txtImportFile->setPlaceholderText(tr("Path of the PDF file"));
    txtImportFile->setToolTip(tr("The PDF document to turn into a book"));
    btnBrowse = new QPushButton(tr("Browse…"), this);
    btnBrowse->setToolTip(tr("Choose a PDF file"));
    btnOpen = new QPushButton(tr("Open"), this);
    btnOpen->setToolTip(tr("Open the PDF file in its viewer"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(txtImportFile, 1);
    fileRow->addWidget(btnBrowse);
    fileRow->addWidget(btnOpen);

    m_allPages = new QRadioButton(tr("All pages"), this);
    m_rangePages = new QRadioButton(tr("Pages:"), this);
    pageRangeType = new QButtonGroup(this);
    pageRangeType->addButton(m_allPages, 0);
    pageRangeType->addButton(m_rangePages, 1);
    txtPageRange = new QLineEdit(this);
    txtPageRange->setPlaceholderText(tr("e.g. 1-5, 8, 11-13"));
    txtPageRange->setToolTip(tr("Page numbers and ranges separated by commas"));
    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_allPages);
    rangeRow->addSpacing(12);
    rangeRow->addWidget(m_rangePages);
    rangeRow->addWidget(txtPageRange, 1);

    importQuality = new QComboBox(this);
    importQuality->addItems(
        {tr("Best (100%)"), tr("High (85%)"), tr("Medium (65%)"), tr("Low (45%)"), tr("Lowest (25%)")});
    importQuality->setToolTip(tr("JPEG quality of the page images: lower means smaller files"));

    m_vector = new QRadioButton(tr("Vector pages (sharp at every zoom)"), this);
    m_image = new QRadioButton(tr("Page images"), this);
    PageFormat = new QButtonGroup(this);
    PageFormat->addButton(m_vector, 0);
    PageFormat->addButton(m_image, 1);
    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(m_vector);
    formatRow->addWidget(m_image);
    formatRow->addStretch();

    btnImportLinks = new QCheckBox(tr("Import links"), this);
    btnImportLinks->setToolTip(tr("Keep the document's web and page links clickable in the book"));
    btnImportBookMark = new QCheckBox(tr("Import bookmarks"), this);
    btnImportBookMark->setToolTip(tr("Use the document's outline as the book's table of contents"));
    btnImportText = new QCheckBox(tr("Import text"), this);
    btnImportText->setToolTip(
        tr("Keep the pages' words: readers can search, select and hear the text, and search engines find it"));
    auto *extrasRow = new QHBoxLayout;
    extrasRow->addWidget(btnImportLinks);
    extrasRow->addWidget(btnImportBookMark);
    extrasRow->addWidget(btnImportText);
    extrasRow->addStretch();

    txtPassword = new QLineEdit(this);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setPlaceholderText(tr("Only for a PDF locked with a password"));
    txtPassword->setToolTip(tr("The password that opens the PDF; it is used for this import only and never stored"));

    auto *options = new QGroupBox(tr("Options"), this);
    auto *form = new QFormLayout(options);
    form->addRow(tr("Pages:"), rangeRow);
    form->addRow(tr("Quality:"), importQuality);
    form->addRow(tr("Page format:"), formatRow);
    form->addRow(tr("Extras:"), extrasRow);
    form->addRow(tr("Password:"), txtPassword);

    lblInfo = new QLabel(this);
    lblInfo->setWordWrap(true);
    prgBar = new QProgressBar(this);
    prgBar->setRange(0, 0);
    prgBar->setMaximumHeight(10);
    prgBar->setTextVisible(false);
    // The line and the bar come and go with the work; their room stays, so the
    // buttons do not move under the pointer.
    for (QWidget *w : {static_cast<QWidget *>(lblInfo), static_cast<QWidget *>(prgBar)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    lblInfo->setMinimumHeight(lblInfo->fontMetrics().lineSpacing() * 2);

    btnOK = new QPushButton(tr("Import"), this);
    btnOK->setDefault(true);
    btnOK->setToolTip(tr("Start importing (the current book is replaced when the import succeeds)"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setToolTip(tr("Stop a running import, or close this dialog"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(prgBar, 1);
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnOK);

    auto *layout = new QVBoxLayout(this);
    auto *fileLabel = new QLabel(tr("PDF file:"), this);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);
    layout->addWidget(options);
    layout->addWidget(lblInfo);
    layout->addLayout(buttons);

    connect(txtImportFile, &QLineEdit::textEdited, this, &ImportDialog::writeFields);
    connect(txtPageRange, &QLineEdit::textEdited, this, &ImportDialog::writeFields);
    connect(txtPassword, &QLineEdit::textEdited, this, &ImportDialog::writeFields);
    connect(importQuality, &QComboBox::currentIndexChanged, this, &ImportDialog::writeFields);
    connect(PageFormat, &QButtonGroup::idClicked, this, &ImportDialog::writeFields);
    connect(btnImportLinks, &QCheckBox::toggled, this, &ImportDialog::writeFields);
    connect(btnImportBookMark, &QCheckBox::toggled, this, &ImportDialog::writeFields);
    connect(btnImportText, &QCheckBox::toggled, this, &ImportDialog::writeFields);
    connect(pageRangeType, &QButtonGroup::idClicked, this, [this] {
        writeFields();
        m_delegate.onPageRangeTypeChangeAction();
    });
    connect(btnBrowse, &QPushButton::clicked, &m_delegate, &ImportWindowDelegate::onBrowseFileAction);
    connect(btnOpen, &QPushButton::clicked, &m_delegate, &ImportWindowDelegate::onOpenTheFileAction);
    connect(btnOK, &QPushButton::clicked, this, [this] {
        writeFields();
        m_delegate.onImportAction();
    });
    connect(btnCancel, &QPushButton::clicked, &m_delegate, &ImportWindowDelegate::onCancelAction);
    connect(&m_delegate, &ImportWindowDelegate::fieldsChanged, this, &ImportDialog::readFields);
    connect(&m_delegate, &ImportWindowDelegate::stateChanged, this, &ImportDialog::readState);
    connect(&m_delegate, &ImportWindowDelegate::sheetEnded, this, &QDialog::done);

    readFields();
    readState();
}

void ImportDialog::reject()
{
    // Escape and the close button act as Cancel: a running import stops first.
    m_delegate.onCancelAction();
}

void ImportDialog::readFields()
{
    m_updating = true;
    txtImportFile->setText(m_delegate.txtImportFile);
    (m_delegate.pageRangeType == 1 ? m_rangePages : m_allPages)->setChecked(true);
    txtPageRange->setText(m_delegate.txtPageRange);
    importQuality->setCurrentIndex(
        m_delegate.importQuality >= 0 && m_delegate.importQuality < 5 ? m_delegate.importQuality : 0);
    btnImportLinks->setChecked(m_delegate.btnImportLinks);
    btnImportBookMark->setChecked(m_delegate.btnImportBookMark);
    btnImportText->setChecked(m_delegate.btnImportText);
    (m_delegate.PageFormat == 1 ? m_image : m_vector)->setChecked(true);
    m_updating = false;
    readState();
}

void ImportDialog::readState()
{
    const bool idle = m_delegate.controlsEnabled();
    btnOK->setEnabled(idle);
    txtImportFile->setEnabled(idle);
    btnBrowse->setEnabled(idle);
    txtPageRange->setEnabled(m_delegate.rangeFieldEnabled());
    importQuality->setEnabled(idle);
    m_vector->setEnabled(idle);
    m_image->setEnabled(idle);
    m_allPages->setEnabled(idle);
    m_rangePages->setEnabled(idle);
    btnImportLinks->setEnabled(idle);
    btnImportText->setEnabled(idle);
    lblInfo->setVisible(!m_delegate.infoHidden());
    lblInfo->setText(m_delegate.infoText());
    prgBar->setVisible(m_delegate.progressRunning());
    // Busy until the first page is counted, then the bar follows the pages.
    const int total = m_delegate.pagesTotal();
    prgBar->setRange(0, total > 0 ? total : 0);
    if (total > 0)
        prgBar->setValue(qBound(0, m_delegate.pagesDone(), total));
}

void ImportDialog::writeFields()
{
    if (m_updating)
        return;
    m_delegate.txtImportFile = txtImportFile->text();
    m_delegate.pageRangeType = pageRangeType->checkedId() == 1 ? 1 : 0;
    m_delegate.txtPageRange = txtPageRange->text();
    m_delegate.txtPassword = txtPassword->text();
    m_delegate.importQuality = importQuality->currentIndex();
    m_delegate.btnImportLinks = btnImportLinks->isChecked();
    m_delegate.btnImportBookMark = btnImportBookMark->isChecked();
    m_delegate.btnImportText = btnImportText->isChecked();
    m_delegate.PageFormat = PageFormat->checkedId() == 1 ? 1 : 0;
}
