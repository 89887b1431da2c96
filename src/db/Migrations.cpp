#include "Migrations.h"

#include "Database.h"
#include "Schema.h"
#include "SeedData.h"
#include "SqlExec.h"
#include "Transaction.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace {

bool createSchema(Transaction &transaction, QString *error)
{
    const SqlDialect &dialect = transaction.database().dialect();
    QSqlQuery query(transaction.database().connection());
    for (const TableDef &table : Schema::tables()) {
        if (!execBound(query, dialect.createTable(table), {}, error))
            return false;
    }
    for (const IndexDef &index : Schema::indexes()) {
        if (!execBound(query, dialect.createIndex(index), {}, error))
            return false;
    }
    return SeedData::loadAll(transaction, error);
}

bool ensureSchemaInfo(Database &database, QString *error)
{
    QSqlQuery query(database.connection());
    return execBound(query,
                     QStringLiteral("CREATE TABLE IF NOT EXISTS SchemaInfo (F_Version integer NOT NULL PRIMARY KEY, "
                                    "F_Description varchar(255), F_AppliedAt varchar(50))"),
                     {}, error);
}

int readVersion(Database &database)
{
    QSqlQuery query(database.connection());
    if (!execBound(query, QStringLiteral("SELECT max(F_Version) FROM SchemaInfo")))
        return -1;
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace

namespace Migrations {

const QList<Migration> &steps()
{
    static const QList<Migration> all {
        {1, "tables, indexes and reference rows", createSchema},
    };
    return all;
}

int latestVersion()
{
    return steps().constLast().version;
}

int currentVersion(Database &database)
{
    QSqlQuery query(database.connection());
    const QStringList tables = database.connection().tables();
    const bool present = std::any_of(tables.cbegin(), tables.cend(), [](const QString &name) {
        return name.compare(QStringLiteral("SchemaInfo"), Qt::CaseInsensitive) == 0;
    });
    return present ? readVersion(database) : 0;
}

bool migrate(Database &database, QString *error)
{
    if (currentVersion(database) >= latestVersion())
        return true;
    if (!ensureSchemaInfo(database, error))
        return false;
    for (const Migration &step : steps()) {
        Transaction transaction(database);
        if (!transaction.isActive()) {
            if (error)
                *error = transaction.error();
            return false;
        }
        if (database.engine() == Engine::Postgres) {
            QSqlQuery lock(database.connection());
            if (!execBound(lock, database.dialect().lockSeriesStatement(), {QStringLiteral("SchemaInfo")}, error))
                return false;
        }
        const int version = readVersion(database);
        if (version < 0) {
            if (error)
                *error = QStringLiteral("SchemaInfo cannot be read");
            return false;
        }
        if (version >= step.version)
            continue;
        if (!step.apply(transaction, error))
            return false;
        QSqlQuery record(database.connection());
        if (!execBound(
                record,
                QStringLiteral("INSERT INTO SchemaInfo (F_Version, F_Description, F_AppliedAt) VALUES (?, ?, ?)"),
                {step.version, QString::fromUtf8(step.description),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
                error))
            return false;
        if (!transaction.commit()) {
            if (error)
                *error = transaction.error();
            return false;
        }
    }
    return true;
}

} // namespace Migrations
