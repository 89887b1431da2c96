#include "SeedData.h"

#include "Database.h"
#include "Schema.h"
#include "SqlExec.h"
#include "Transaction.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>

namespace {

std::optional<QVariant> toValue(const QJsonValue &json, const ColumnDef &column)
{
    if (json.isNull())
        return QVariant();
    switch (column.type) {
    case ColumnType::Counter:
    case ColumnType::Long:
        if (!json.isDouble())
            return std::nullopt;
        return QVariant(qint64(json.toDouble()));
    case ColumnType::Double:
    case ColumnType::Currency:
        if (!json.isDouble())
            return std::nullopt;
        return QVariant(json.toDouble());
    case ColumnType::YesNo:
        if (json.isBool())
            return QVariant(json.toBool());
        if (json.isDouble())
            return QVariant(json.toDouble() != 0);
        return std::nullopt;
    case ColumnType::Date: {
        const QDate date = QDate::fromString(json.toString(), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return std::nullopt;
        return QVariant(date);
    }
    case ColumnType::Text:
    case ColumnType::Memo:
        if (!json.isString())
            return std::nullopt;
        return QVariant(json.toString());
    case ColumnType::Blob:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

namespace SeedData {

QStringList files()
{
    return {
        QStringLiteral(":/seed/limits.json"),        QStringLiteral(":/seed/keyvalue.json"),
        QStringLiteral(":/seed/sysinfo.json"),       QStringLiteral(":/seed/partlist.json"),
        QStringLiteral(":/seed/operlist.json"),      QStringLiteral(":/seed/code_lists.json"),
        QStringLiteral(":/seed/industry_tree.json"), QStringLiteral(":/seed/cfg_grid.json"),
        QStringLiteral(":/seed/cfg_import.json"),
    };
}

bool load(Transaction &transaction, const QString &resourcePath, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = resourcePath + QStringLiteral(": ") + why;
        return false;
    };
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot be read"));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull())
        return fail(parseError.errorString());

    const QJsonObject root = doc.object();
    const TableDef *table = Schema::table(root.value(QStringLiteral("table")).toString());
    if (!table)
        return fail(QStringLiteral("unknown table"));
    QList<const ColumnDef *> columns;
    QStringList names;
    for (const QJsonValue &name : root.value(QStringLiteral("columns")).toArray()) {
        const ColumnDef *column = table->column(name.toString());
        if (!column)
            return fail(QStringLiteral("unknown column %1").arg(name.toString()));
        columns.append(column);
        names.append(column->name);
    }

    QSqlQuery query(transaction.database().connection());
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table->name, names.join(QStringLiteral(", ")), placeholders(columns.size()));
    if (!query.prepare(sql))
        return fail(query.lastError().text());

    const QJsonArray rows = root.value(QStringLiteral("rows")).toArray();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QJsonArray row = rows.at(r).toArray();
        if (row.size() != columns.size())
            return fail(QStringLiteral("row %1 has %2 values").arg(r).arg(row.size()));
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const auto value = toValue(row.at(c), *columns.at(c));
            if (!value)
                return fail(QStringLiteral("row %1, column %2: wrong value").arg(r).arg(columns.at(c)->name));
            query.bindValue(int(c), *value);
        }
        if (!query.exec())
            return fail(QStringLiteral("row %1: %2").arg(r).arg(query.lastError().text()));
    }
    return true;
}

bool loadAll(Transaction &transaction, QString *error)
{
    for (const QString &path : files()) {
        if (!load(transaction, path, error))
            return false;
    }
    // The administrator role holds every permission of the catalogue.
    QSqlQuery query(transaction.database().connection());
    return execBound(query,
                     QStringLiteral("INSERT INTO PartLimit (F_PartCode, F_LmtCode) "
                                    "SELECT ?, F_Code FROM Limits ORDER BY F_Code"),
                     {QStringLiteral("001")}, error);
}

} // namespace SeedData
