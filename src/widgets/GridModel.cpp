#include "GridModel.h"

void GridModel::setGridColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
    emit footerChanged();
}

void GridModel::updateGridColumn(int column, const GridColumn &description)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column] = description;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
    emit footerChanged();
}

int GridModel::columnOf(const QString &fieldName) const
{
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns.at(section).caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const GridColumn &column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (column.kind == ColumnKind::YesNo)
            return {};
        return GridFormat::displayText(column, value(index.row(), index.column()));
    case Qt::EditRole:
        return value(index.row(), index.column());
    case Qt::CheckStateRole:
        if (column.kind != ColumnKind::YesNo)
            return {};
        return value(index.row(), index.column()).toBool() ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.qtAlignment());
    default:
        return {};
    }
}
