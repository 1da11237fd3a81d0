#include "app/widgets/PublishDialog.h"

#include "app/OutputWindowDelegate.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PublishDialog::PublishDialog(OutputWindowDelegate &delegate, QWidget *parent) : QDialog(parent), m_delegate(delegate)
{
    setWindowTitle(tr("Publish Book"));
    setObjectName(QStringLiteral("PublishDialog"));
    setMinimumWidth(560);

    txtOutputFolder = new QLineEdit(this);
    txtOutputFolder->setPlaceholderText(tr("Folder that will hold the book"));
    txtOutputFolder->setToolTip(tr("The book is written into this folder; an existing folder is replaced after "
                                   "you confirm"));
    auto *choose = new QPushButton(tr("Choose…"), this);
    choose->setToolTip(tr("Choose the destination folder"));
    auto *open = new QPushButton(tr("Open"), this);
    open->setToolTip(tr("Show the destination folder in the file manager"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(txtOutputFolder, 1);
    folderRow->addWidget(choose);
    folderRow->addWidget(open);

    txtOutputName = new QLineEdit(this);
    txtOutputName->setPlaceholderText(tr("index"));
    txtOutputName->setToolTip(tr("File name of the book's web page, without \".html\""));
    txtTitle = new QLineEdit(this);
    txtTitle->setPlaceholderText(tr("Title shown in the browser"));
    txtTitle->setToolTip(tr("Title of the book's web page"));

    m_web = new QRadioButton(tr("Web book folder"), this);
    m_web->setToolTip(tr("A folder to put on a web site or open from disk"));
    m_app = new QRadioButton(tr("Mac application"), this);
    m_app->setToolTip(tr("A double-clickable application that carries the book"));
    mOutputType = new QButtonGroup(this);
    mOutputType->addButton(m_web, 0);
    mOutputType->addButton(m_app, 1);
    auto *kindRow = new QHBoxLayout;
    kindRow->addWidget(m_web);
    kindRow->addWidget(m_app);
    kindRow->addStretch();

    chkCreateMobile = new QCheckBox(tr("Also publish a version for phones"), this);
    chkCreateMobile->setToolTip(tr("Adds an HTML5 edition made from the page images"));
    btnMobileType = new QComboBox(this);
    btnMobileType->addItems({tr("Flip (turning pages)"), tr("Slide (swiping pages)")});
    btnMobileType->setToolTip(tr("How the phone version turns its pages"));
    auto *mobileRow = new QHBoxLayout;
    mobileRow->addWidget(chkCreateMobile);
    mobileRow->addWidget(btnMobileType);
    mobileRow->addStretch();

    auto *box = new QGroupBox(tr("Book"), this);
    auto *form = new QFormLayout(box);
    form->addRow(tr("Folder:"), folderRow);
    form->addRow(tr("Page name:"), txtOutputName);
    form->addRow(tr("Title:"), txtTitle);
    form->addRow(tr("Output:"), kindRow);
    form->addRow(tr("Phones:"), mobileRow);

    m_publish = new QPushButton(tr("Publish"), this);
    m_publish->setDefault(true);
    m_publish->setToolTip(tr("Write the book into the folder"));
    m_cancel = new QPushButton(tr("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_publish);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);

    for (QLineEdit *edit : {txtOutputFolder, txtOutputName, txtTitle})
        connect(edit, &QLineEdit::textEdited, this, &PublishDialog::writeFields);
    connect(chkCreateMobile, &QCheckBox::toggled, this, &PublishDialog::writeFields);
    connect(btnMobileType, &QComboBox::currentIndexChanged, this, &PublishDialog::writeFields);
    connect(mOutputType, &QButtonGroup::idClicked, this, [this] {
        writeFields();
        m_delegate.OnClickOutputType();
    });
    connect(choose, &QPushButton::clicked, &m_delegate, &OutputWindowDelegate::onSelectFolder);
    connect(open, &QPushButton::clicked, &m_delegate, &OutputWindowDelegate::onOpenFolder);
    connect(m_publish, &QPushButton::clicked, this, [this] {
        writeFields();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_delegate.onPublish();
        QApplication::restoreOverrideCursor();
    });
    connect(m_cancel, &QPushButton::clicked, &m_delegate, &OutputWindowDelegate::onCancel);
    connect(&m_delegate, &OutputWindowDelegate::fieldsChanged, this, &PublishDialog::readFields);
    connect(&m_delegate, &OutputWindowDelegate::sheetEnded, this, &QDialog::done);
    readFields();
}

void PublishDialog::reject()
{
    m_delegate.onCancel();
}

void PublishDialog::readFields()
{
    m_updating = true;
    txtOutputFolder->setText(m_delegate.txtOutputFolder);
    txtOutputName->setText(m_delegate.txtOutputName);
    txtTitle->setText(m_delegate.txtTitle);
    (m_delegate.mOutputType == 1 ? m_app : m_web)->setChecked(true);
    chkCreateMobile->setChecked(m_delegate.chkCreateMobile);
    btnMobileType->setCurrentIndex(qBound(0, m_delegate.btnMobileType, btnMobileType->count() - 1));
    chkCreateMobile->setEnabled(m_delegate.mobileControlsEnabled());
    btnMobileType->setEnabled(m_delegate.mobileControlsEnabled());
    m_updating = false;
}

void PublishDialog::writeFields()
{
    if (m_updating)
        return;
    m_delegate.txtOutputFolder = txtOutputFolder->text();
    m_delegate.txtOutputName = txtOutputName->text();
    m_delegate.txtTitle = txtTitle->text();
    m_delegate.mOutputType = mOutputType->checkedId() == 1 ? 1 : 0;
    m_delegate.chkCreateMobile = chkCreateMobile->isChecked();
    m_delegate.btnMobileType = btnMobileType->currentIndex();
}
