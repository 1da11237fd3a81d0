#include "templates/widgets/SelectTemplateWindow.h"

#include "templates/SelectTemplateWindowDelegate.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A style without a readable shot still gets a tile that can be chosen.
QPixmap placeholderShot(const QSize &size, const QString &name)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor(0xed, 0xf2, 0xf7));
    QPainter p(&pixmap);
    p.setPen(QColor(0xa0, 0xae, 0xc0));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    p.drawText(pixmap.rect(), Qt::AlignCenter, name);
    return pixmap;
}
} // namespace

SelectTemplateWindow::SelectTemplateWindow(SelectTemplateWindowDelegate &delegate, QWidget *parent)
    : QDialog(parent), m_delegate(delegate)
{
    setWindowTitle(tr("Choose a Template"));
    setObjectName(QStringLiteral("SelectTemplateWindow"));
    resize(860, 520);

    m_templates = new QListWidget(this);
    m_templates->setIconSize(QSize(32, 32));
    m_templates->setFixedWidth(210);
    m_templates->setSpacing(1);
    m_templates->setToolTip(tr("Installed templates"));
    m_templates->setStyleSheet(QStringLiteral("QListWidget::item { height: 35px; }"));

    m_styles = new QListWidget(this);
    m_styles->setViewMode(QListView::IconMode);
    m_styles->setIconSize(QSize(200, 150));
    m_styles->setGridSize(QSize(224, 190));
    m_styles->setResizeMode(QListView::Adjust);
    m_styles->setMovement(QListView::Static);
    m_styles->setWordWrap(true);
    m_styles->setToolTip(tr("Styles of the selected template: double-click one to use it"));

    auto *stylesLabel = new QLabel(tr("Styles"), this);
    auto *templatesLabel = new QLabel(tr("Templates"), this);
    QFont bold = stylesLabel->font();
    bold.setBold(true);
    stylesLabel->setFont(bold);
    templatesLabel->setFont(bold);

    auto *buttons = new QDialogButtonBox(this);
    m_refresh = buttons->addButton(tr("Refresh"), QDialogButtonBox::ResetRole);
    m_refresh->setToolTip(tr("Look for newly installed templates"));
    m_ok = buttons->addButton(tr("Use Style"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);

    auto *left = new QVBoxLayout;
    left->addWidget(templatesLabel);
    left->addWidget(m_templates);
    auto *right = new QVBoxLayout;
    right->addWidget(stylesLabel);
    right->addWidget(m_styles);
    auto *lists = new QHBoxLayout;
    lists->addLayout(left);
    lists->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);

    connect(m_refresh, &QPushButton::clicked, &m_delegate, &SelectTemplateWindowDelegate::onRefresh);
    connect(m_ok, &QPushButton::clicked, &m_delegate, &SelectTemplateWindowDelegate::onOK);
    connect(buttons, &QDialogButtonBox::rejected, &m_delegate, &SelectTemplateWindowDelegate::onCancel);
    connect(m_templates, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncing)
            m_delegate.selectTmplRow(row);
    });
    connect(m_styles, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_syncing)
            m_delegate.selectStyleIndex(row);
    });
    connect(m_styles, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { m_delegate.imageBrowserCellWasDoubleClickedAtIndex(m_styles->row(item)); });
    connect(&m_delegate, &SelectTemplateWindowDelegate::tmplListChanged, this, &SelectTemplateWindow::fillTemplates);
    connect(&m_delegate, &SelectTemplateWindowDelegate::stylesChanged, this, &SelectTemplateWindow::fillStyles);
    connect(&m_delegate, &SelectTemplateWindowDelegate::selectionChanged, this, &SelectTemplateWindow::syncSelection);
    connect(&m_delegate, &SelectTemplateWindowDelegate::sheetEnded, this, &QDialog::done);

    fillTemplates();
    fillStyles();
}

void SelectTemplateWindow::reject()
{
    m_delegate.onCancel();
}

void SelectTemplateWindow::fillTemplates()
{
    m_syncing = true;
    m_templates->clear();
    for (int row = 0; row < m_delegate.tmplList().size(); ++row) {
        const QString icon = m_delegate.tmplIconFileAt(row);
        auto *item = new QListWidgetItem(QFileInfo::exists(icon) ? QIcon(icon) : QIcon(), m_delegate.tmplNameAt(row));
        item->setSizeHint(QSize(0, 35));
        m_templates->addItem(item);
    }
    m_syncing = false;
    syncSelection();
}

void SelectTemplateWindow::fillStyles()
{
    m_syncing = true;
    m_styles->clear();
    for (const IKBTmplStyleItem &style : m_delegate.styles()) {
        const QPixmap shot = style.image.isNull()
                                 ? placeholderShot(m_styles->iconSize(), style.styleName)
                                 : QPixmap::fromImage(style.image.scaled(m_styles->iconSize(), Qt::KeepAspectRatio,
                                                                         Qt::SmoothTransformation));
        auto *item = new QListWidgetItem(QIcon(shot), style.styleName);
        item->setToolTip(style.imageID);
        m_styles->addItem(item);
    }
    m_styles->setCurrentRow(-1);
    m_syncing = false;
    syncSelection();
}

void SelectTemplateWindow::syncSelection()
{
    m_syncing = true;
    m_templates->setCurrentRow(m_delegate.selectedTmplRow());
    m_styles->setCurrentRow(m_delegate.selectedStyleIndex());
    if (m_delegate.selectedStyleIndex() < 0)
        m_styles->clearSelection();
    m_ok->setEnabled(m_delegate.selectedStyleIndex() >= 0);
    m_syncing = false;
}
