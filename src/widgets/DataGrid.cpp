#include "DataGrid.h"

#include "EllipsisDelegate.h"

#include "GridFooter.h"
#include "GridLayouts.h"
#include "GridModel.h"
#include "ModelGridSource.h"
#include "SqlListModel.h"
#include "reports/ColumnChooserDialog.h"
#include "reports/SortOrderDialog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent)
{
    m_view = new QTableView(this);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_view->verticalHeader()->setMinimumWidth(16);
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: rgb(255, 205, 155); }"));
    connect(header, &QHeaderView::sectionClicked, this, &DataGrid::clickTitle);
    connect(m_view, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { emit rowActivated(index.row()); });

    m_footer = new GridFooter(m_view, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);
}

void DataGrid::setModel(GridModel *model)
{
    m_model = model;
    m_view->setModel(model);
    m_footer->setModel(model);
    if (model && model->gridColumns().isEmpty() && !m_designed.isEmpty())
        model->setGridColumns(m_designed);
    applyHeader();
}

SqlListModel *DataGrid::listModel() const
{
    return qobject_cast<SqlListModel *>(m_model);
}

void DataGrid::setDesignedColumns(const QList<GridColumn> &columns)
{
    m_designed = columns;
    if (m_model && m_model->gridColumns().isEmpty())
        setColumns(columns);
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    if (!m_model)
        return;
    m_model->setGridColumns(columns);
    applyHeader();
}

void DataGrid::applyHeader()
{
    if (!m_model)
        return;
    QHeaderView *header = m_view->horizontalHeader();
    // The model's order is the display order: undo any earlier moves of the sections.
    for (int logical = 0; logical < m_model->columnCount(); ++logical) {
        const int visual = header->visualIndex(logical);
        if (visual != logical)
            header->moveSection(visual, logical);
    }
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const GridColumn &column = m_model->gridColumns().at(c);
        header->resizeSection(c, std::max(column.width, 16));
        header->setSectionHidden(c, !column.visible);
    }
    header->setSortIndicatorShown(m_sortColumn >= 0);
    m_footer->update();
}

QList<int> DataGrid::displayOrder() const
{
    QList<int> order;
    if (!m_model)
        return order;
    const QHeaderView *header = m_view->horizontalHeader();
    for (int visual = 0; visual < m_model->columnCount(); ++visual)
        order.append(header->logicalIndex(visual));
    return order;
}

QList<GridColumn> DataGrid::columns() const
{
    QList<GridColumn> list;
    if (!m_model)
        return list;
    const QHeaderView *header = m_view->horizontalHeader();
    for (int logical : displayOrder()) {
        GridColumn column = m_model->gridColumns().at(logical);
        column.visible = !header->isSectionHidden(logical);
        if (column.visible)
            column.width = header->sectionSize(logical);
        list.append(column);
    }
    return list;
}

bool DataGrid::loadLayout(DataServices &services, const QString &name)
{
    const auto saved = GridLayouts::LoadGridLayout(services, name);
    if (!saved)
        return false;
    setColumns(saved->isEmpty() ? m_designed : *saved);
    return true;
}

bool DataGrid::saveLayout(DataServices &services, const QString &name)
{
    return GridLayouts::SaveGridLayout(services, name, columns());
}

void DataGrid::clickTitle(int column)
{
    if (!m_model || column < 0 || column >= m_model->columnCount())
        return;
    const bool ascending = !(m_sortColumn == column && m_sortOrder == Qt::AscendingOrder);
    m_sortColumn = column;
    m_sortOrder = ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    QHeaderView *header = m_view->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, m_sortOrder);
    const GridColumn &description = m_model->gridColumns().at(column);
    SqlListModel *list = listModel();
    if (!list || !description.isSortable())
        return;
    list->setSort({{description.fieldName, ascending}});
    refresh();
}

void DataGrid::setSortText(const QString &text)
{
    SqlListModel *list = listModel();
    if (!list)
        return;
    const QList<SortKey> keys = list->setSortText(text);
    QHeaderView *header = m_view->horizontalHeader();
    m_sortColumn = keys.isEmpty() ? -1 : m_model->columnOf(keys.front().field);
    m_sortOrder = !keys.isEmpty() && !keys.front().ascending ? Qt::DescendingOrder : Qt::AscendingOrder;
    header->setSortIndicatorShown(m_sortColumn >= 0);
    if (m_sortColumn >= 0)
        header->setSortIndicator(m_sortColumn, m_sortOrder);
    refresh();
}

qint64 DataGrid::currentId() const
{
    const SqlListModel *list = listModel();
    const QModelIndex current = m_view->currentIndex();
    return list && current.isValid() ? list->idAt(current.row()) : 0;
}

QList<qint64> DataGrid::selectedIds() const
{
    QList<qint64> ids;
    const SqlListModel *list = listModel();
    if (!list || !m_view->selectionModel())
        return ids;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        ids.append(list->idAt(index.row()));
    return ids;
}

void DataGrid::selectIds(const QList<qint64> &ids, qint64 current)
{
    SqlListModel *list = listModel();
    QItemSelectionModel *selection = m_view->selectionModel();
    if (!list || !selection)
        return;
    selection->clearSelection();
    for (qint64 id : ids) {
        const int row = list->rowOfId(id);
        if (row >= 0)
            selection->select(list->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    const int row = current > 0 ? list->rowOfId(current) : -1;
    if (row >= 0)
        selection->setCurrentIndex(list->index(row, std::max(0, m_view->currentIndex().column())),
                                   QItemSelectionModel::NoUpdate);
    else if (list->rowCount() > 0 && !m_view->currentIndex().isValid())
        selection->setCurrentIndex(list->index(0, 0), QItemSelectionModel::NoUpdate);
}

bool DataGrid::refresh(Totals totals)
{
    SqlListModel *list = listModel();
    if (!list)
        return false;
    const qint64 current = currentId();
    const QList<qint64> selected = selectedIds();
    if (!list->refresh() || (totals == Totals::Now && !list->refreshTotals())) {
        emit refreshFailed(list->lastError());
        return false;
    }
    selectIds(selected, current);
    m_footer->update();
    return true;
}

bool DataGrid::chooseColumns()
{
    if (!m_model)
        return false;
    const auto visible = ColumnChooserDialog::choose(columns(), window());
    if (!visible)
        return false;
    applyVisibility(*visible);
    return true;
}

void DataGrid::applyVisibility(const QList<bool> &visible)
{
    if (!m_model)
        return;
    QHeaderView *header = m_view->horizontalHeader();
    const QList<int> order = displayOrder();
    for (qsizetype i = 0; i < order.size() && i < visible.size(); ++i) {
        const int logical = order.at(i);
        GridColumn column = m_model->gridColumns().at(logical);
        column.visible = visible.at(i);
        m_model->updateGridColumn(logical, column);
        header->setSectionHidden(logical, !column.visible);
        if (column.visible && header->sectionSize(logical) < 16)
            header->resizeSection(logical, std::max(column.width, 16));
    }
    m_footer->update();
}

bool DataGrid::chooseSortOrder()
{
    const QString text = SortOrderDialog::ChooseSortOrder(columns(), window());
    // A cancelled dialog removes the sort, as an empty text does.
    setSortText(text);
    return !text.isEmpty();
}

std::unique_ptr<GridSource> DataGrid::makeSource()
{
    if (!m_model)
        return nullptr;
    QList<int> order = displayOrder();
    // The export and the printout show what is on screen: hidden sections stay hidden there.
    for (int logical : std::as_const(order)) {
        GridColumn column = m_model->gridColumns().at(logical);
        const bool visible = !m_view->horizontalHeader()->isSectionHidden(logical);
        if (column.visible != visible) {
            column.visible = visible;
            m_model->updateGridColumn(logical, column);
        }
    }
    return std::make_unique<ModelGridSource>(*m_model, order);
}

void DataGrid::setEditable(bool editable)
{
    m_editable = editable;
    m_view->setSelectionBehavior(editable ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    m_view->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                    | QAbstractItemView::AnyKeyPressed
                                     : QAbstractItemView::NoEditTriggers);
    if (editable)
        m_view->installEventFilter(this);
    else
        m_view->removeEventFilter(this);
}

EllipsisDelegate *DataGrid::setButtonColumn(int column)
{
    auto *delegate = new EllipsisDelegate(m_view);
    m_view->setItemDelegateForColumn(column, delegate);
    return delegate;
}

bool DataGrid::eventFilter(QObject *watched, QEvent *event)
{
    // Keys typed into an open editor go to the editor: Enter there only commits the cell.
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QModelIndex current = m_view->currentIndex();
            moveToNextEditable();
            emit enterPressed(current);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DataGrid::moveToNextEditable()
{
    if (!m_model)
        return;
    const QModelIndex current = m_view->currentIndex();
    const QList<int> order = displayOrder();
    int row = current.isValid() ? current.row() : 0;
    qsizetype position = current.isValid() ? order.indexOf(current.column()) : -1;
    for (int step = 0; step < order.size() * 2; ++step) {
        if (++position >= order.size()) {
            position = 0;
            if (row + 1 >= m_model->rowCount())
                return;
            ++row;
        }
        const int column = order.at(position);
        const GridColumn &description = m_model->gridColumns().at(column);
        if (!description.readOnly && !m_view->horizontalHeader()->isSectionHidden(column)) {
            m_view->setCurrentIndex(m_model->index(row, column));
            return;
        }
    }
}
