#include "RelatedRecordsPanel.h"

#include "RelatedRecords.h"
#include "access/CommandVisibility.h"
#include "app/AppContext.h"
#include "core/Prompter.h"
#include "widgets/DataGrid.h"
#include "widgets/SqlListModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

RelatedRecordsPanel::RelatedRecordsPanel(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    m_kindList = new QListWidget(this);
    m_kindList->setObjectName(QStringLiteral("lstKind"));
    m_kindList->setMaximumWidth(110);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("rpcList"));
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbDetail"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    for (const RelatedKind &kind : RelatedKinds::all()) {
        auto *model = new SqlListModel(context.database(), this);
        model->setTable(kind.table);
        auto *grid = new DataGrid(m_pages);
        grid->setObjectName(QStringLiteral("DBGridEh%1").arg(kind.number + 1));
        grid->setDesignedColumns(kind.designed);
        grid->setModel(model);
        m_grids.insert(kind.number, grid);
        m_stale.insert(kind.number, true);
        if (kind.number != RelatedKinds::Sales) {
            m_pages->addWidget(grid);
            continue;
        }
        // Sales documents over their lines.
        m_linesModel = new SqlListModel(context.database(), this);
        m_linesModel->setTable(QStringLiteral("t_XSdetail"));
        m_lines = new DataGrid(m_pages);
        m_lines->setObjectName(QStringLiteral("DBGridEhLines"));
        m_lines->setDesignedColumns(RelatedKinds::salesLineColumns());
        m_lines->setModel(m_linesModel);
        auto *page = new QSplitter(Qt::Vertical, m_pages);
        page->addWidget(grid);
        page->addWidget(m_lines);
        m_pages->addWidget(page);
        connect(grid->view()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &RelatedRecordsPanel::refreshLines);
        connect(model, &QAbstractItemModel::modelReset, this, &RelatedRecordsPanel::refreshLines);
    }

    connect(m_kindList, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            chooseKind(item->data(Qt::UserRole).toInt());
    });

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(m_toolBar);
    rightLayout->addWidget(m_pages);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_kindList);
    layout->addWidget(right, 1);
}

void RelatedRecordsPanel::buildKinds(const CommandVisibility &visibility)
{
    m_kindList->clear();
    for (const RelatedKind &kind : RelatedKinds::all()) {
        if (!kind.actionCode.isEmpty() && !visibility.action(QStringLiteral("Action") + kind.actionCode))
            continue;
        auto *item = new QListWidgetItem(kind.entry, m_kindList);
        item->setData(Qt::UserRole, kind.number);
    }
}

QList<int> RelatedRecordsPanel::kinds() const
{
    QList<int> list;
    for (int i = 0; i < m_kindList->count(); ++i)
        list.append(m_kindList->item(i)->data(Qt::UserRole).toInt());
    return list;
}

void RelatedRecordsPanel::loadLayouts()
{
    for (const RelatedKind &kind : RelatedKinds::all())
        m_grids.value(kind.number)->loadLayout(m_context.data(), kind.layout);
}

SqlListModel *RelatedRecordsPanel::model(int kind) const
{
    const DataGrid *g = grid(kind);
    return g ? g->listModel() : nullptr;
}

void RelatedRecordsPanel::setClient(qint64 clientNumber)
{
    m_client = clientNumber;
    for (auto it = m_stale.begin(); it != m_stale.end(); ++it)
        it.value() = true;
    if (m_kind > 0)
        reload(m_kind);
}

bool RelatedRecordsPanel::reload(int kind)
{
    SqlListModel *list = model(kind);
    if (!list)
        return false;
    const RelatedKind &description = RelatedKinds::kind(kind);
    list->setStatement(QStringLiteral("SELECT * FROM %1 WHERE F_cltID = ? ").arg(description.table), {m_client});
    list->setSort({{description.orderBy, true}});
    m_stale[kind] = false;
    if (!grid(kind)->refresh()) {
        m_context.prompter().ShowMess(DataServices::openFailedMessage(), MessageKind::Error);
        return false;
    }
    return true;
}

void RelatedRecordsPanel::chooseKind(int kind)
{
    if (kind < 1 || kind > RelatedKinds::all().size())
        return;
    m_kind = kind;
    m_pages->setCurrentIndex(kind - 1);
    for (int i = 0; i < m_kindList->count(); ++i) {
        if (m_kindList->item(i)->data(Qt::UserRole).toInt() == kind && m_kindList->currentRow() != i)
            m_kindList->setCurrentRow(i);
    }
    if (m_stale.value(kind, true))
        reload(kind);
}

void RelatedRecordsPanel::refreshLines()
{
    SqlListModel *documents = model(RelatedKinds::Sales);
    const QModelIndex current = grid(RelatedKinds::Sales)->view()->currentIndex();
    const QString code
        = current.isValid() ? documents->value(current.row(), QStringLiteral("F_code")).toString() : QString();
    m_linesModel->setStatement(QStringLiteral("SELECT * FROM t_XSdetail WHERE F_code = ? "), {code});
    m_lines->refresh();
}

QVariantMap RelatedRecordsPanel::currentRecord() const
{
    const DataGrid *g = currentGrid();
    if (!g || !g->view()->currentIndex().isValid())
        return {};
    return g->listModel()->rowValues(g->view()->currentIndex().row());
}

void RelatedRecordsPanel::deleteCurrent()
{
    if (m_kind == 0) {
        m_context.prompter().ShowMess(QStringLiteral("请点击一下相关的表格。"), MessageKind::Information);
        return;
    }
    const QVariantMap record = currentRecord();
    if (record.isEmpty())
        return;
    // The lists are read again only after the deletion was committed.
    if (RelatedRecords::deleteRecord(m_context, m_kind, record) == RelatedRecords::Deleted::Yes)
        reload(m_kind);
}
