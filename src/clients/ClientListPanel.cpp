#include "ClientListPanel.h"

#include "app/AppContext.h"
#include "core/CategoryTree.h"
#include "core/Prompter.h"
#include "widgets/DataGrid.h"
#include "widgets/GridLayouts.h"
#include "widgets/SqlListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int PathRole = Qt::UserRole + 1;

// The client grid as designed, used while cfg_Grid holds no "clientmain" rows.
QList<GridColumn> designedClientColumns()
{
    const QStringList pairs {
        "F_code",     "客户编号",   "F_name",     "客户名称", "F_type",     "客户类型", "F_hangye",   "行业类别",
        "F_laiyuan",  "客户来源",   "F_country",  "国家",     "F_province", "省份",     "F_city",     "城市",
        "F_address",  "地址",       "F_postcode", "邮编",     "F_phone",    "电话",     "F_fax",      "传真",
        "F_homepage", "网址",       "F_email",    "电子信箱", "F_enrol",    "法人代表", "F_khbank",   "开户银行",
        "F_bankcode", "银行帐号",   "F_good",     "主营产品", "F_xuqiu",    "客户需求", "F_shuihao",  "税号",
        "F_mem",      "备注信息",   "F_empName",  "业务员",   "F_LXRname",  "主联系人", "F_LXRdept",  "联系部门",
        "F_LXRduty",  "联系人职务", "F_LXRphone", "联系电话", "F_LXRqq",    "联系QQ",   "F_LXRemail", "联系信箱",
        "F_editdate", "编辑日期"};
    QList<GridColumn> columns;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
        columns.append({pairs.at(i), pairs.at(i + 1)});
    for (const char *custom :
         {"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1", "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"})
        columns.append({QString::fromLatin1(custom), QString()});
    return columns;
}

} // namespace

ClientListPanel::ClientListPanel(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    m_model = new SqlListModel(context.database(), this);
    m_model->setTable(QStringLiteral("t_client"));
    m_model->setRowColour([](const SqlListModel &model, int row) -> std::optional<QColor> {
        if (model.value(row, QStringLiteral("F_useFlag")).toBool())
            return QColor(Qt::red);
        return std::nullopt;
    });
    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->view()->setObjectName(QStringLiteral("DBGridEh1View"));
    m_grid->setDesignedColumns(designedClientColumns());
    m_grid->setModel(m_model);

    // Counting a million clients takes a moment: the first screen shows at once, the count when the
    // typing pauses.
    m_totals = new QTimer(this);
    m_totals->setSingleShot(true);
    m_totals->setInterval(150);
    connect(m_totals, &QTimer::timeout, this, &ClientListPanel::refreshTotals);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCLTnum"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    buildSearchPanel();
    buildNavigation();

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_grid);
    rightLayout->addWidget(m_count);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_navigation);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({190, 800});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_searchPanel);
    layout->addWidget(splitter);

    connect(m_grid->view()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ClientListPanel::currentClientChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ClientListPanel::currentClientChanged);
}

ClientListPanel::~ClientListPanel() = default;

QWidget *ClientListPanel::navigation() const
{
    return m_navigation;
}

void ClientListPanel::buildSearchPanel()
{
    m_searchPanel = new QWidget(this);
    auto *layout = new QHBoxLayout(m_searchPanel);
    layout->setContentsMargins(4, 2, 4, 2);
    auto *toggle = new QToolButton(m_searchPanel);
    toggle->setObjectName(QStringLiteral("btnNavigation"));
    toggle->setText(QStringLiteral("«"));
    toggle->setToolTip(tr("导航树"));
    connect(toggle, &QToolButton::clicked, this, [this] { m_navigation->setVisible(!m_navigation->isVisible()); });
    m_includeDisabled = new QCheckBox(tr("包含已停用"), m_searchPanel);
    m_includeDisabled->setObjectName(QStringLiteral("cbUseFlag"));
    m_searchField = new QComboBox(m_searchPanel);
    m_searchField->setObjectName(QStringLiteral("ComboBox1"));
    m_searchField->addItems(ClientQuery::searchFieldNames());
    m_searchField->setCurrentIndex(-1);
    m_searchText = new QLineEdit(m_searchPanel);
    m_searchText->setObjectName(QStringLiteral("Edit1"));
    auto *searchLabel = new QLabel(tr("搜索(&V)"), m_searchPanel);
    searchLabel->setBuddy(m_searchField);
    auto *valueLabel = new QLabel(tr("值(&V)"), m_searchPanel);
    valueLabel->setBuddy(m_searchText);
    auto *find = new QPushButton(tr("查找(F3)"), m_searchPanel);
    find->setObjectName(QStringLiteral("btnFind"));
    find->setShortcut(QKeySequence(Qt::Key_F3));
    auto *advanced = new QPushButton(tr("高级查找..."), m_searchPanel);
    advanced->setObjectName(QStringLiteral("btnAdvanced"));
    advanced->setCheckable(true);
    advanced->setEnabled(false);
    advanced->setToolTip(tr("尚未提供"));
    layout->addWidget(toggle);
    layout->addWidget(m_includeDisabled);
    layout->addSpacing(12);
    layout->addWidget(searchLabel);
    layout->addWidget(m_searchField);
    layout->addWidget(valueLabel);
    layout->addWidget(m_searchText, 1);
    layout->addWidget(find);
    layout->addWidget(advanced);

    connect(m_includeDisabled, &QCheckBox::toggled, this, &ClientListPanel::RefreshClientList);
    connect(m_searchText, &QLineEdit::textChanged, this, &ClientListPanel::RefreshClientList);
    connect(find, &QPushButton::clicked, this, &ClientListPanel::RefreshClientList);
    connect(m_searchField, &QComboBox::currentIndexChanged, this, &ClientListPanel::searchFieldChanged);
}

void ClientListPanel::buildNavigation()
{
    m_navigation = new QTabWidget(this);
    m_navigation->setObjectName(QStringLiteral("rpcCrm"));
    m_navigation->setTabPosition(QTabWidget::South);

    m_tree = new QTreeWidget(m_navigation);
    m_tree->setObjectName(QStringLiteral("tvTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_filling)
            RefreshClientList();
    });
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(m_tree);
        QAction *edit = menu.addAction(tr("行业类别"));
        edit->setEnabled(false);
        edit->setToolTip(tr("尚未提供"));
        QAction *reload = menu.addAction(tr("刷        新"));
        if (menu.exec(m_tree->viewport()->mapToGlobal(at)) == reload) {
            loadTree();
            RefreshClientList();
        }
    });

    auto *listPage = new QWidget(m_navigation);
    m_list = new QTableWidget(0, 2, listPage);
    m_list->setObjectName(QStringLiteral("vleList"));
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->resizeSection(0, 36);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_listType = new QComboBox(listPage);
    m_listType->setObjectName(QStringLiteral("cbbListType"));
    m_listType->addItems(ClientQuery::listTypeNames());
    auto *refreshList = new QPushButton(tr("刷新列表"), listPage);
    refreshList->setObjectName(QStringLiteral("btnRefreshList"));
    auto *listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_list);
    listLayout->addWidget(m_listType);
    listLayout->addWidget(refreshList);
    connect(m_list, &QTableWidget::currentCellChanged, this, [this] {
        if (!m_filling)
            RefreshClientList();
    });
    connect(m_listType, &QComboBox::currentIndexChanged, this, &ClientListPanel::fillListType);
    connect(refreshList, &QPushButton::clicked, this, [this] { fillListType(m_listType->currentIndex()); });

    m_navigation->addTab(m_tree, tr(" 行业类别  "));
    m_navigation->addTab(listPage, tr(" 项    目 "));
    m_navigation->setCurrentIndex(1);
}

void ClientListPanel::searchFieldChanged()
{
    // A new field starts from an empty text; the clearing refreshes the list when there was text.
    m_searchText->clear();
}

ClientFilter ClientListPanel::filter() const
{
    ClientFilter filter;
    filter.searchField = m_searchField->currentIndex();
    filter.searchText = m_searchText->text();
    if (const QTreeWidgetItem *node = m_tree->currentItem(); node && node->parent())
        filter.industryPath = node->data(0, PathRole).toString();
    filter.includeDisabled = m_includeDisabled->isChecked();
    filter.listType = m_listType->currentIndex();
    if (const int row = m_list->currentRow(); row > 0 && m_list->item(row, 1))
        filter.listValue = m_list->item(row, 1)->text();
    return filter;
}

bool ClientListPanel::RefreshClientList()
{
    const SqlCondition statement
        = ClientQuery::RefreshClientList(m_context.database().dialect(), m_context.session(), filter());
    m_model->setStatement(statement.sql, statement.params);
    const bool ok = m_grid->refresh(DataGrid::Totals::Later);
    if (!ok)
        m_context.prompter().ShowMess(DataServices::openFailedMessage(), MessageKind::Error);
    m_totals->start();
    emit currentClientChanged();
    return ok;
}

bool ClientListPanel::refreshTotals()
{
    m_totals->stop();
    if (!m_model->refreshTotals())
        return false;
    m_count->setText(QStringLiteral("客户总数： %1 个").arg(m_model->totalCount()));
    return true;
}

void ClientListPanel::addTreeItems(QTreeWidgetItem *parent, const TreeNode &node)
{
    for (const auto &child : node.children) {
        auto *item = new QTreeWidgetItem(parent, {child->data.Name});
        item->setData(0, PathRole, child->data.Path);
        item->setExpanded(child->expanded);
        addTreeItems(item, *child);
    }
}

void ClientListPanel::loadTree()
{
    const QString selected = m_tree->currentItem() ? m_tree->currentItem()->data(0, PathRole).toString() : QString();
    const auto root = CategoryTree::LoadTree(m_context.data(), tr("行业类别"), QStringLiteral("hangyetype"));
    if (!root)
        return;
    m_filling = true;
    m_tree->clear();
    auto *top = new QTreeWidgetItem(m_tree, {root->data.Name});
    top->setData(0, PathRole, root->data.Path);
    addTreeItems(top, *root);
    top->setExpanded(true);
    QTreeWidgetItem *current = top;
    if (!selected.isEmpty()) {
        const auto found = m_tree->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
        for (QTreeWidgetItem *item : found)
            if (item->data(0, PathRole).toString() == selected)
                current = item;
    }
    m_tree->setCurrentItem(current);
    m_filling = false;
}

void ClientListPanel::fillListType(int type)
{
    m_filling = true;
    m_list->setRowCount(0);
    m_list->setHorizontalHeaderLabels({QString(), ClientQuery::listTypeNames().value(type)});
    auto addRow = [this](int number, const QString &name) {
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        m_list->setItem(row, 0, new QTableWidgetItem(QString::number(number)));
        m_list->setItem(row, 1, new QTableWidgetItem(name));
    };
    addRow(0, tr("全部"));
    m_list->setCurrentCell(0, 1);
    QSqlQuery query(m_context.database().connection());
    const QString sql
        = QStringLiteral("SELECT F_name FROM t_code WHERE F_name <> '' AND %1 GROUP BY F_name ORDER BY min(F_ID)")
              .arg(m_context.database().dialect().equalsIgnoreCase(QStringLiteral("F_type")));
    if (m_context.data().OpenQuery(query, sql, {ClientQuery::codeListOf(type)})) {
        int number = 1;
        while (query.next())
            addRow(number++, query.value(0).toString());
    }
    m_filling = false;
    RefreshClientList();
}

void ClientListPanel::loadLayout()
{
    m_grid->loadLayout(m_context.data(), QStringLiteral("clientmain"));
    QList<GridColumn> columns = m_grid->columns();
    GridLayouts::ApplyColumnSettings(columns, m_context.session());
    m_grid->setColumns(columns);
}

qint64 ClientListPanel::currentClientNumber() const
{
    const QModelIndex current = m_grid->view()->currentIndex();
    return current.isValid() ? m_model->value(current.row(), QStringLiteral("F_cltID")).toLongLong() : 0;
}

QVariantMap ClientListPanel::currentClient() const
{
    const QModelIndex current = m_grid->view()->currentIndex();
    return current.isValid() ? m_model->rowValues(current.row()) : QVariantMap();
}

bool ClientListPanel::isEmpty() const
{
    return m_model->rowCount() == 0;
}
