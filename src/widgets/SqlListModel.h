#pragma once

#include "GridModel.h"

#include <QColor>
#include <QSqlRecord>

#include <functional>
#include <optional>

class Database;

struct SortKey
{
    QString field;
    bool ascending = true;
};

// A list that never loads its whole table: the statement is read a page at a time as the view
// scrolls, sorted by ORDER BY, counted and summed by aggregates over the same conditions.
// The statement is a base with its conditions ("select * from t_client where (1=1) and ..."),
// its values bound; sort fields come only from the statement's own columns.
class SqlListModel : public GridModel
{
    Q_OBJECT
public:
    explicit SqlListModel(Database &database, QObject *parent = nullptr);
    Database &database() const { return m_database; }

    // The table whose schema tells the kinds of the columns (dates, yes/no, numbers).
    void setTable(const QString &table) { m_table = table; }
    const QString &table() const { return m_table; }
    void setStatement(const QString &sql, const QVariantList &params = {});
    void setGridColumns(const QList<GridColumn> &columns) override;
    const QString &statement() const { return m_sql; }
    const QVariantList &parameters() const { return m_params; }

    // Fields that are not columns of the statement are dropped. Returns the keys kept.
    QList<SortKey> setSort(const QList<SortKey> &keys);
    const QList<SortKey> &sort() const { return m_sort; }
    // "F_code ASC,F_name DESC" as the sort dialog writes it; empty removes the sort.
    QList<SortKey> setSortText(const QString &text);
    static QList<SortKey> parseSortText(const QString &text);

    // Runs the statement again from its first page. False when it failed (lastError()).
    bool refresh();
    // count(*) and the sums of the Sum footers over the whole list.
    bool refreshTotals();
    qint64 totalCount() const { return m_total; }
    const QString &lastError() const { return m_lastError; }

    // The complete statement with its ORDER BY, for exports and printouts.
    QString orderedStatement() const;
    QStringList fieldNames() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant value(int row, int column) const override;
    QVariant value(int row, const QString &field) const;
    // Every field of a row, by the names the statement returns.
    QVariantMap rowValues(int row) const;
    QString footerText(int column) const override;

    qint64 idAt(int row) const;
    // The row of a record among the rows read so far, reading further pages up to `limit` rows.
    int rowOfId(qint64 id, int limit = 5000);

    // Colours a row (disabled clients in red): foreground colour or nothing.
    void setRowColour(std::function<std::optional<QColor>(const SqlListModel &, int row)> colour)
    {
        m_rowColour = std::move(colour);
    }

    static constexpr int PageSize = 200;

private:
    bool fetchPage();
    QString orderBy() const;
    void resolveKinds();

    Database &m_database;
    QString m_table;
    QString m_sql;
    QVariantList m_params;
    QList<SortKey> m_sort;
    QSqlRecord m_record;
    QString m_recordSql; // the statement m_record describes
    QList<int> m_fieldOfColumn;
    QList<QList<QVariant>> m_rows;
    bool m_atEnd = true;
    qint64 m_total = 0;
    QHash<int, double> m_sums;
    QString m_lastError;
    std::function<std::optional<QColor>(const SqlListModel &, int)> m_rowColour;
};
