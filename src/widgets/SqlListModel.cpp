#include "SqlListModel.h"

#include "core/NumberFormat.h"
#include "db/Database.h"
#include "db/SqlExec.h"

#include <QSqlField>
#include <QSqlQuery>

SqlListModel::SqlListModel(Database &database, QObject *parent)
    : GridModel(parent)
    , m_database(database)
{
}

void SqlListModel::setStatement(const QString &sql, const QVariantList &params)
{
    m_sql = sql;
    m_params = params;
}

void SqlListModel::setGridColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    resolveKinds();
    endResetModel();
    emit footerChanged();
}

QStringList SqlListModel::fieldNames() const
{
    QStringList names;
    for (int i = 0; i < m_record.count(); ++i)
        names.append(m_record.fieldName(i));
    return names;
}

QList<SortKey> SqlListModel::parseSortText(const QString &text)
{
    QList<SortKey> keys;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList words = part.simplified().split(u' ');
        if (words.isEmpty() || words.front().isEmpty())
            continue;
        const bool descending
            = words.size() > 1 && words.at(1).compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0;
        keys.append({words.front(), !descending});
    }
    return keys;
}

QList<SortKey> SqlListModel::setSort(const QList<SortKey> &keys)
{
    m_sort = keys;
    if (m_record.isEmpty())
        return m_sort; // checked against the statement's fields at the next refresh
    QList<SortKey> kept;
    for (const SortKey &key : keys) {
        // Only a field the statement itself returns is ever written into ORDER BY.
        const int index = m_record.indexOf(key.field);
        if (index >= 0)
            kept.append({m_record.fieldName(index), key.ascending});
    }
    m_sort = kept;
    return m_sort;
}

QList<SortKey> SqlListModel::setSortText(const QString &text)
{
    return setSort(parseSortText(text));
}

QString SqlListModel::orderBy() const
{
    QStringList parts;
    bool hasId = false;
    for (const SortKey &key : m_sort) {
        parts.append(key.field + (key.ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC")));
        hasId = hasId || key.field.compare(QStringLiteral("F_ID"), Qt::CaseInsensitive) == 0;
    }
    // Pages must not overlap: equal sort values are kept apart by the row identity.
    if (!hasId && m_record.indexOf(QStringLiteral("F_ID")) >= 0)
        parts.append(QStringLiteral("F_ID ASC"));
    return parts.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

QString SqlListModel::orderedStatement() const
{
    return m_sql + orderBy();
}

void SqlListModel::resolveKinds()
{
    m_fieldOfColumn.clear();
    for (GridColumn &column : m_columns) {
        const int field = m_record.indexOf(column.fieldName);
        m_fieldOfColumn.append(field);
        if (field >= 0 && column.kind == ColumnKind::Text)
            column.kind = GridFormat::kindOf(m_table, column.fieldName, QVariant(m_record.field(field).metaType()));
    }
}

bool SqlListModel::fetchPage()
{
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    QVariantList params = m_params;
    params << PageSize << qint64(m_rows.size());
    if (!execBound(query, orderedStatement() + QStringLiteral(" LIMIT ? OFFSET ?"), params, &m_lastError)) {
        m_atEnd = true;
        return false;
    }
    const int fields = m_record.count();
    QList<QList<QVariant>> page;
    while (query.next()) {
        QList<QVariant> row;
        row.reserve(fields);
        for (int i = 0; i < fields; ++i)
            row.append(query.value(i));
        page.append(std::move(row));
    }
    m_atEnd = page.size() < PageSize;
    if (page.isEmpty())
        return true;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(page.size()) - 1);
    m_rows.append(std::move(page));
    endInsertRows();
    return true;
}

bool SqlListModel::refresh()
{
    beginResetModel();
    m_rows.clear();
    m_atEnd = true;
    endResetModel();
    m_lastError.clear();

    // The statement's fields first (no rows read), so the sort is checked against them; known
    // already when the same statement runs again with other values.
    if (m_recordSql != m_sql || m_record.isEmpty()) {
        QSqlQuery probe(m_database.connection());
        probe.setForwardOnly(true);
        if (!execBound(probe, m_sql + QStringLiteral(" LIMIT 0"), m_params, &m_lastError))
            return false;
        m_record = probe.record();
        m_recordSql = m_sql;
        resolveKinds();
    }
    setSort(m_sort);
    if (!fetchPage())
        return false;
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
    return true;
}

bool SqlListModel::refreshTotals()
{
    QStringList aggregates {QStringLiteral("count(*)")};
    QList<int> summed;
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        const int field = c < m_fieldOfColumn.size() ? m_fieldOfColumn.at(c) : -1;
        if (m_columns.at(c).footerType == FooterType::Sum && field >= 0) {
            aggregates.append(QStringLiteral("sum(%1)").arg(m_record.fieldName(field)));
            summed.append(int(c));
        }
    }
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    const QString sql
        = QStringLiteral("SELECT %1 FROM (%2) AS list_rows").arg(aggregates.join(QStringLiteral(", ")), m_sql);
    if (!execBound(query, sql, m_params, &m_lastError) || !query.next())
        return false;
    m_total = query.value(0).toLongLong();
    m_sums.clear();
    for (qsizetype i = 0; i < summed.size(); ++i)
        m_sums.insert(summed.at(i), query.value(int(i) + 1).toDouble());
    emit footerChanged();
    return true;
}

int SqlListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

bool SqlListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void SqlListModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid() && !m_atEnd)
        fetchPage();
}

QVariant SqlListModel::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_fieldOfColumn.size())
        return {};
    const int field = m_fieldOfColumn.at(column);
    return field >= 0 ? m_rows.at(row).at(field) : QVariant();
}

QVariant SqlListModel::value(int row, const QString &field) const
{
    const int index = m_record.indexOf(field);
    if (row < 0 || row >= m_rows.size() || index < 0)
        return {};
    return m_rows.at(row).at(index);
}

QVariantMap SqlListModel::rowValues(int row) const
{
    QVariantMap values;
    if (row < 0 || row >= m_rows.size())
        return values;
    for (int i = 0; i < m_record.count(); ++i)
        values.insert(m_record.fieldName(i), m_rows.at(row).at(i));
    return values;
}

QVariant SqlListModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::ForegroundRole && m_rowColour && index.isValid()) {
        if (const auto colour = m_rowColour(*this, index.row()))
            return *colour;
        return {};
    }
    return GridModel::data(index, role);
}

QString SqlListModel::footerText(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    const GridColumn &c = m_columns.at(column);
    switch (c.footerType) {
    case FooterType::Text:
        return c.footerValue;
    case FooterType::Sum:
        return NumberFormat::formatNumber(m_sums.value(column), c.displayFormat);
    case FooterType::None:
        break;
    }
    return {};
}

qint64 SqlListModel::idAt(int row) const
{
    return value(row, QStringLiteral("F_ID")).toLongLong();
}

int SqlListModel::rowOfId(qint64 id, int limit)
{
    const int idField = m_record.indexOf(QStringLiteral("F_ID"));
    if (idField < 0)
        return -1;
    for (int row = 0;; ++row) {
        if (row >= m_rows.size()) {
            if (m_atEnd || row >= limit || !fetchPage())
                return -1;
            if (row >= m_rows.size())
                return -1;
        }
        if (m_rows.at(row).at(idField).toLongLong() == id)
            return row;
    }
}
