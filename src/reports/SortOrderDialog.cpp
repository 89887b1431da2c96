#include "SortOrderDialog.h"

#include "SortOrderList.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int FieldRole = Qt::UserRole + 1;

// The direction column's pick list: empty, 升序, 降序.
class DirectionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->addItems({QString(), QStringLiteral("升序"), QStringLiteral("降序")});
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QComboBox *>(editor)->setCurrentText(index.data().toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText());
    }
};

} // namespace

SortOrderDialog::SortOrderDialog(const QList<GridColumn> &columns, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TfrmRowArrangeGl"));
    setWindowTitle(tr("排序对话框"));
    auto *hint = new QLabel(tr("提示：双击空白处切换排序方式（升降无），单击上下移动键调整优先顺序"), this);
    hint->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstSort"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setEditTriggers(QAbstractItemView::SelectedClicked);
    m_list->setItemDelegateForColumn(1, new DirectionDelegate(m_list));
    m_list->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_list->header()->resizeSection(0, 150);
    for (const GridColumn &column : columns) {
        auto *item = new QTreeWidgetItem(m_list, {column.caption, QString()});
        item->setData(0, FieldRole, column.fieldName);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { cycle(m_list->indexOfTopLevelItem(item)); });

    auto button = [this](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *up = button(QStringLiteral("btnUp"), tr("上移"));
    QPushButton *down = button(QStringLiteral("btnDown"), tr("下移"));
    QPushButton *ok = button(QStringLiteral("btnOk"), tr("确定"));
    QPushButton *cancel = button(QStringLiteral("btnCancel"), tr("取消"));
    connect(up, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {up, down, ok, cancel})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(m_list);
    body->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(body);
    setFixedSize(420, 400);
}

void SortOrderDialog::cycle(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    if (!item)
        return;
    item->setText(1,
                  SortOrderList::directionText(SortOrderList::next(SortOrderList::directionFromText(item->text(1)))));
}

void SortOrderDialog::moveCurrent(int step)
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->topLevelItemCount())
        return;
    QTreeWidgetItem *item = m_list->takeTopLevelItem(row);
    m_list->insertTopLevelItem(target, item);
    m_list->setCurrentItem(item);
}

QString SortOrderDialog::sortText() const
{
    SortOrderList rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        rows.addColumn(item->data(0, FieldRole).toString(), item->text(0));
        rows.setDirection(i, SortOrderList::directionFromText(item->text(1)));
    }
    return rows.sortText();
}

QString SortOrderDialog::ChooseSortOrder(const QList<GridColumn> &columns, QWidget *parent)
{
    SortOrderDialog dialog(columns, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.sortText() : QString();
}
