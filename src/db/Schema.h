#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The logical column types of the database; SqlDialect turns them into each engine's DDL.
enum class ColumnType { Counter, Long, Text, Memo, Date, YesNo, Double, Currency, Blob };

struct ColumnDef
{
    ColumnDef(QString columnName, ColumnType columnType, int textSize = 0, bool caseless = false)
        : name(std::move(columnName))
        , type(columnType)
        , size(textSize)
        , ignoreCase(caseless)
    {
    }

    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0; // characters, for Text
    bool ignoreCase = false; // compared without regard to letter case
};

struct TableDef
{
    QString name;
    QList<ColumnDef> columns;

    const ColumnDef *column(const QString &columnName) const;
    bool hasColumn(const QString &columnName) const { return column(columnName) != nullptr; }
};

struct IndexDef
{
    IndexDef(QString indexName, QString tableName, QStringList columnNames, bool isUnique = false,
             QString condition = {})
        : name(std::move(indexName))
        , table(std::move(tableName))
        , columns(std::move(columnNames))
        , unique(isUnique)
        , where(std::move(condition))
    {
    }

    QString name;
    QString table;
    QStringList columns;
    bool unique = false;
    QString where; // partial index condition, fixed text
};

// The tables of the database and their indexes, as data. Every DDL statement is generated from it.
namespace Schema {

const QList<TableDef> &tables();
const QList<IndexDef> &indexes();
// Case-insensitive, as the program's statements spell names freely.
const TableDef *table(const QString &name);

// Size of a text column, so editors can limit input; 0 for columns without a limit.
int textSize(const QString &tableName, const QString &columnName);

} // namespace Schema
