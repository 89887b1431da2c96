#pragma once

#include "Schema.h"

#include <QString>

enum class Engine { Sqlite, Postgres };

// The one place that knows which database engine is underneath. Everything else writes plain SQL
// with ? placeholders and asks this class for the few fragments that differ.
class SqlDialect
{
public:
    explicit SqlDialect(Engine engine)
        : m_engine(engine)
    {
    }

    Engine engine() const { return m_engine; }
    QString driverName() const;
    QString engineName() const;

    QString createTable(const TableDef &table) const;
    QString createIndex(const IndexDef &index) const;

    // "expr = ?" ignoring letter case.
    QString equalsIgnoreCase(const QString &expr) const;
    // "expr LIKE ?" ignoring letter case, with the backslash as escape character; bind a pattern
    // made by likeContains/likeStartsWith.
    QString likeIgnoreCase(const QString &expr) const;
    static QString likeContains(const QString &text);
    static QString likeStartsWith(const QString &text);
    static QString escapeLike(const QString &text);

    // "expr" matches a literal head followed by exactly `digits` decimal digits; bind digitsPattern().
    QString matchesDigits(const QString &expr) const;
    QString digitsPattern(const QString &head, int digits) const;

    // Whole days from `from` to `to` (both date expressions).
    QString daysBetween(const QString &from, const QString &to) const;
    QString boolLiteral(bool value) const;
    QString lengthFunction() const { return QStringLiteral("length"); }

    QString beginWriteTransaction() const;
    // Statement that serialises writers of one numbered series until the transaction ends; empty
    // where the write transaction already does (SQLite takes the database's write lock at BEGIN).
    QString lockSeriesStatement() const;

    QString compactStatement() const;

private:
    QString columnDefinition(const ColumnDef &column) const;

    Engine m_engine;
};
